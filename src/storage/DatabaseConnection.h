#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <memory>

class QSqlDatabase;

/// The Qt SQL connection behind one open Database, shared with the recordsets opened on it so
/// that they can write through and can tell when the database has been closed. Internal to the
/// database layer.
class DatabaseConnection
{
public:
    /// Adds a connection under a name of its own and opens the file. The caller has already
    /// made sure the file is there.
    static ErrorPair open(const QString &file, std::shared_ptr<DatabaseConnection> &out);
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection &) = delete;
    DatabaseConnection &operator=(const DatabaseConnection &) = delete;

    const QString &file() const { return m_file; }
    bool isOpen() const { return m_open; }
    /// The connection; valid only while it is open. Held in local scope only, so that removing
    /// the connection on close finds no copy still in use.
    QSqlDatabase handle() const;

    /// Closes the file (an open transaction is rolled back) and removes the connection.
    void close();

    /// A transaction begun by BeginTrans is open: writes join it instead of committing alone.
    bool inUserTransaction() const { return m_userTransaction; }
    void setUserTransaction(bool on) { m_userTransaction = on; }

private:
    DatabaseConnection(QString name, QString file);

    QString m_name;
    QString m_file;
    bool m_open = false;
    bool m_userTransaction = false;
};

/// One write: a transaction of its own, or a part of the one begun by BeginTrans. Rolled back
/// unless committed.
class WriteScope
{
public:
    explicit WriteScope(DatabaseConnection &connection);
    ~WriteScope();
    WriteScope(const WriteScope &) = delete;
    WriteScope &operator=(const WriteScope &) = delete;

    ErrorPair begin();
    ErrorPair commit();

private:
    DatabaseConnection &m_connection;
    bool m_own = false;
};
