#include "storage/DatabaseConnection.h"

#include "storage/DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <utility>

DatabaseConnection::DatabaseConnection(QString name, QString file)
    : m_name(std::move(name)), m_file(std::move(file))
{
}

DatabaseConnection::~DatabaseConnection()
{
    close();
}

ErrorPair DatabaseConnection::open(const QString &file, std::shared_ptr<DatabaseConnection> &out)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return DatabaseError::Make(DatabaseError::EngineError, file,
                                   "o driver SQLite do Qt não está instalado; reinstale o "
                                   "programa");
    // A name of its own for every open file: two files open at once (a project and the report
    // database) never share or replace each other's connection.
    const QString name =
            QStringLiteral("reservium-db-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::shared_ptr<DatabaseConnection> c(new DatabaseConnection(name, file));
    ErrorPair result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            result = DatabaseError::FromSql(db.lastError(), file);
        } else {
            // A commit is on the disk before it is reported, whatever the library's build
            // default.
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA synchronous = FULL")))
                result = DatabaseError::FromSql(q.lastError(), file);
        }
    }
    if (!result.ok())
        return result; // the destructor removes the connection
    c->m_open = true;
    out = std::move(c);
    return {};
}

QSqlDatabase DatabaseConnection::handle() const
{
    return QSqlDatabase::database(m_name, false);
}

void DatabaseConnection::close()
{
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            if (m_userTransaction)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
    m_open = false;
    m_userTransaction = false;
}

WriteScope::WriteScope(DatabaseConnection &connection) : m_connection(connection) { }

WriteScope::~WriteScope()
{
    if (m_own && m_connection.isOpen())
        m_connection.handle().rollback();
}

ErrorPair WriteScope::begin()
{
    if (!m_connection.isOpen())
        return DatabaseError::Make(DatabaseError::ObjectClosed, m_connection.file());
    if (m_connection.inUserTransaction())
        return {};
    QSqlDatabase db = m_connection.handle();
    if (!db.transaction())
        return DatabaseError::FromSql(db.lastError(), m_connection.file());
    m_own = true;
    return {};
}

ErrorPair WriteScope::commit()
{
    if (!m_own)
        return {};
    QSqlDatabase db = m_connection.handle();
    if (!db.commit()) {
        const ErrorPair e = DatabaseError::FromSql(db.lastError(), m_connection.file());
        db.rollback();
        m_own = false;
        return e;
    }
    m_own = false;
    return {};
}
