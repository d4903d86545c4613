#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class DatabaseConnection;
class Recordset;

/// One database file: an SQLite file driven through Qt SQL, with the few operations the
/// program's files need. Every procedure returns an ErrorPair and raises nothing.
///
/// Every write is one transaction (its own, or the one begun by BeginTrans), so that a failure
/// or a killed process leaves the file as it was before the write; SQLite's rollback journal
/// restores it when the file is next opened.
///
/// Each open Database has a Qt SQL connection of its own, removed again by Close (or the
/// destructor): no connection is left behind. Recordsets hold their rows in memory, so no
/// query stays open between commands.
class Database
{
public:
    Database();
    ~Database();
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    /// Creates a new, empty database file and opens it into `db`. A file that is already there
    /// is an error (3204) and is left untouched; so is a missing folder (76). The text of every
    /// database is UTF-8, so the classic locale argument has no counterpart here.
    static ErrorPair CreateDatabase(const QString &file, Database &db);

    /// Opens an existing database file for reading and writing. A missing file (3024), a file
    /// that is not an SQLite database (3343: a text file, an empty file, random bytes) and a
    /// damaged database (3049) are errors.
    static ErrorPair OpenDatabase(const QString &file, Database &db);

    bool isOpen() const;
    /// The file; empty when nothing was opened.
    QString path() const;

    /// Runs one SQL statement that returns no rows ("CREATE TABLE …"), in a transaction.
    ErrorPair Execute(const std::string &sql);

    /// Reads a table into `rs`: the query must be "SELECT * FROM <table>" (3129 otherwise); a
    /// missing table is 3078. The rows come in the order in which they were added.
    ErrorPair OpenRecordset(const std::string &sql, Recordset &rs);

    /// The tables of the file, in the order of their creation.
    ErrorPair TableNames(std::vector<std::string> &names) const;

    /// Groups several writes into one transaction: nothing of them is kept unless CommitTrans
    /// succeeds. A write that fails inside it leaves the transaction open: the procedure ends
    /// it with Rollback (or Close, which rolls back). After a Rollback, recordsets opened on this database still hold the rows as
    /// written inside the transaction; open them again.
    ErrorPair BeginTrans();
    ErrorPair CommitTrans();
    ErrorPair Rollback();

    /// Closes the file; a transaction still open is rolled back. Closing twice does nothing.
    ErrorPair Close();

private:
    std::shared_ptr<DatabaseConnection> m_connection;
};
