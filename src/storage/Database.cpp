#include "storage/Database.h"

#include "storage/DatabaseConnection.h"
#include "storage/DatabaseError.h"
#include "storage/Recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

using namespace DatabaseError;

namespace {

/// Written into the header of every file the program creates, so that the file is a complete
/// SQLite database from the start (an empty file is not taken for one) and tells its origin to
/// anyone who looks: "RSV1".
constexpr int kApplicationId = 0x52535631;

/// The error of a file that QFile could not open.
ErrorPair fileOpenError(const QFile &f, const QString &file)
{
    switch (f.error()) {
    case QFileDevice::PermissionsError:
        return Make(PermissionDenied, file);
    case QFileDevice::ResourceError:
        return Make(DiskFull, file);
    default:
        return Make(PathFileAccess, file);
    }
}

} // namespace

Database::Database() = default;

Database::~Database()
{
    (void)Close();
}

Database::Database(Database &&other) noexcept : m_connection(std::move(other.m_connection)) { }

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        (void)Close();
        m_connection = std::move(other.m_connection);
    }
    return *this;
}

ErrorPair Database::CreateDatabase(const QString &file, Database &db)
{
    (void)db.Close();
    const QFileInfo info(file);
    if (file.isEmpty())
        return Make(PathFileAccess, file);
    if (info.exists() || info.isSymLink())
        return Make(DatabaseExists, file);
    if (!info.absoluteDir().exists())
        return Make(PathNotFound, file);

    // Claim the name first with an exclusive create: a file that appears meanwhile is never
    // opened over, and everything below may remove what it created itself.
    QFile claim(file);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (claim.exists())
            return Make(DatabaseExists, file);
        return fileOpenError(claim, file);
    }
    claim.close();

    std::shared_ptr<DatabaseConnection> connection;
    ErrorPair result = DatabaseConnection::open(file, connection);
    if (result.ok()) {
        QSqlDatabase handle = connection->handle();
        QSqlQuery q(handle);
        if (!q.exec(QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId)))
            result = FromSql(q.lastError(), file);
    }
    if (!result.ok()) {
        if (connection)
            connection->close();
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
        return result;
    }
    db.m_connection = std::move(connection);
    return {};
}

ErrorPair Database::OpenDatabase(const QString &file, Database &db)
{
    (void)db.Close();
    const QFileInfo info(file);
    if (file.isEmpty())
        return Make(FileNotFound, file);
    if (!info.exists())
        return Make(info.absoluteDir().exists() ? FileNotFound : PathNotFound, file);
    if (info.isDir())
        return Make(PathFileAccess, file);

    // SQLite takes an empty file for an empty database and reads some damaged headers as
    // such too; a file the program opens must say it is an SQLite database.
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return fileOpenError(f, file);
        static const QByteArray kMagic("SQLite format 3\0", 16);
        const QByteArray header = f.read(100);
        if (header.size() < 100 || !header.startsWith(kMagic))
            return Make(UnrecognizedFormat, file);
    }

    std::shared_ptr<DatabaseConnection> connection;
    if (ErrorPair e = DatabaseConnection::open(file, connection); !e.ok())
        return e;
    ErrorPair result;
    {
        QSqlDatabase handle = connection->handle();
        QSqlQuery q(handle);
        // A damaged file is reported when it is opened, not halfway through reading it.
        if (!q.exec(QStringLiteral("PRAGMA quick_check")))
            result = FromSql(q.lastError(), file);
        else if (!q.next() || q.value(0).toString() != QLatin1String("ok"))
            result = Make(Corrupted, file);
    }
    if (!result.ok()) {
        connection->close();
        return result;
    }
    db.m_connection = std::move(connection);
    return {};
}

bool Database::isOpen() const
{
    return m_connection && m_connection->isOpen();
}

QString Database::path() const
{
    return m_connection ? m_connection->file() : QString();
}

ErrorPair Database::Execute(const std::string &sql)
{
    if (!isOpen())
        return Make(ObjectClosed, path());
    WriteScope scope(*m_connection);
    if (ErrorPair e = scope.begin(); !e.ok())
        return e;
    {
        QSqlDatabase handle = m_connection->handle();
        QSqlQuery q(handle);
        if (!q.exec(QString::fromStdString(sql)))
            return FromSql(q.lastError(), path());
    }
    return scope.commit();
}

ErrorPair Database::OpenRecordset(const std::string &sql, Recordset &rs)
{
    (void)rs.Close();
    if (!isOpen())
        return Make(ObjectClosed, path());
    static const QRegularExpression kSelectAll(
            QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+\[?([A-Za-z_][A-Za-z0-9_]*)\]?\s*;?\s*$)"),
            QRegularExpression::CaseInsensitiveOption);
    const auto match = kSelectAll.match(QString::fromStdString(sql));
    if (!match.hasMatch())
        return Make(InvalidSelect, path(), sql);
    return rs.load(m_connection, match.captured(1).toStdString());
}

ErrorPair Database::TableNames(std::vector<std::string> &names) const
{
    names.clear();
    if (!isOpen())
        return Make(ObjectClosed, path());
    QSqlDatabase handle = m_connection->handle();
    QSqlQuery q(handle);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name "
                               "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")))
        return FromSql(q.lastError(), path());
    while (q.next())
        names.push_back(q.value(0).toString().toStdString());
    return {};
}

ErrorPair Database::BeginTrans()
{
    if (!isOpen())
        return Make(ObjectClosed, path());
    if (m_connection->inUserTransaction())
        return Make(EngineError, path(), "já há uma transação iniciada");
    QSqlDatabase handle = m_connection->handle();
    if (!handle.transaction())
        return FromSql(handle.lastError(), path());
    m_connection->setUserTransaction(true);
    return {};
}

ErrorPair Database::CommitTrans()
{
    if (!isOpen())
        return Make(ObjectClosed, path());
    if (!m_connection->inUserTransaction())
        return Make(NoTransaction, path());
    m_connection->setUserTransaction(false);
    QSqlDatabase handle = m_connection->handle();
    if (!handle.commit()) {
        const ErrorPair e = FromSql(handle.lastError(), path());
        handle.rollback();
        return e;
    }
    return {};
}

ErrorPair Database::Rollback()
{
    if (!isOpen())
        return Make(ObjectClosed, path());
    if (!m_connection->inUserTransaction())
        return Make(NoTransaction, path());
    m_connection->setUserTransaction(false);
    QSqlDatabase handle = m_connection->handle();
    if (!handle.rollback())
        return FromSql(handle.lastError(), path());
    return {};
}

ErrorPair Database::Close()
{
    if (m_connection) {
        m_connection->close();
        m_connection.reset();
    }
    return {};
}
