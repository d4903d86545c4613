#include "storage/Recordset.h"

#include "core/Numbers.h"
#include "storage/DatabaseConnection.h"
#include "storage/DatabaseError.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <utility>

using namespace DatabaseError;

namespace {

QString quotedName(const std::string &name)
{
    QString s = QString::fromStdString(name);
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

std::optional<std::string> textOf(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toString().toStdString();
}

} // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset &&other) noexcept = default;
Recordset &Recordset::operator=(Recordset &&other) noexcept = default;

QString Recordset::file() const
{
    return m_connection ? m_connection->file() : QString();
}

ErrorPair Recordset::load(std::shared_ptr<DatabaseConnection> connection, const std::string &table)
{
    std::vector<std::string> fields;
    std::vector<Row> rows;
    {
        QSqlDatabase handle = connection->handle();
        QSqlQuery q(handle);
        q.setForwardOnly(true);
        // The rowid comes first so that every row can be found again for writing; ordering by
        // it gives the order in which the rows were added.
        if (!q.exec(QStringLiteral("SELECT _rowid_, * FROM %1 ORDER BY _rowid_")
                            .arg(quotedName(table))))
            return FromSql(q.lastError(), connection->file());
        const QSqlRecord record = q.record();
        for (int i = 1; i < record.count(); ++i)
            fields.push_back(record.fieldName(i).toStdString());
        while (q.next()) {
            Row row;
            row.rowid = q.value(0).toLongLong();
            row.values.reserve(fields.size());
            for (int i = 1; i < record.count(); ++i)
                row.values.push_back(textOf(q.value(i)));
            rows.push_back(std::move(row));
        }
        // A damaged page met while stepping ends the loop early; that is an error, not the
        // end of the table.
        if (q.lastError().isValid())
            return FromSql(q.lastError(), connection->file());
    }
    *this = Recordset();
    m_connection = std::move(connection);
    m_table = table;
    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_position = 0;
    return {};
}

ErrorPair Recordset::checkOpen() const
{
    if (!m_connection)
        return Make(ObjectClosed, QString());
    return {};
}

ErrorPair Recordset::checkWritable() const
{
    if (!m_connection || !m_connection->isOpen())
        return Make(ObjectClosed, file());
    return {};
}

ErrorPair Recordset::checkCurrent() const
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    if (m_onDeleted)
        return Make(RecordDeleted, file());
    if (m_position < 0 || m_position >= static_cast<std::int64_t>(m_rows.size()))
        return Make(NoCurrentRecord, file());
    return {};
}

int Recordset::fieldIndex(const std::string &name) const
{
    const QString wanted = QString::fromStdString(name);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (QString::fromStdString(m_fields[i]).compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void Recordset::leaveEdit()
{
    m_mode = EditMode::None;
    m_buffer = Row();
    m_changed.clear();
}

std::int32_t Recordset::RecordCount() const
{
    return static_cast<std::int32_t>(m_rows.size());
}

bool Recordset::Bof() const
{
    return !m_onDeleted && (m_rows.empty() || m_position < 0);
}

bool Recordset::Eof() const
{
    return !m_onDeleted
            && (m_rows.empty() || m_position >= static_cast<std::int64_t>(m_rows.size()));
}

ErrorPair Recordset::MoveFirst()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    leaveEdit();
    if (m_rows.empty())
        return Make(NoCurrentRecord, file());
    m_position = 0;
    m_onDeleted = false;
    return {};
}

ErrorPair Recordset::MoveLast()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    leaveEdit();
    if (m_rows.empty())
        return Make(NoCurrentRecord, file());
    m_position = static_cast<std::int64_t>(m_rows.size()) - 1;
    m_onDeleted = false;
    return {};
}

ErrorPair Recordset::MoveNext()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    leaveEdit();
    if (m_onDeleted) {
        // Already on the row that followed the deleted one.
        m_onDeleted = false;
        return {};
    }
    if (Eof())
        return Make(NoCurrentRecord, file());
    ++m_position;
    return {};
}

ErrorPair Recordset::MovePrevious()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    leaveEdit();
    if (m_onDeleted) {
        m_onDeleted = false;
        --m_position;
        return {};
    }
    if (Bof())
        return Make(NoCurrentRecord, file());
    --m_position;
    return {};
}

ErrorPair Recordset::FindFirst(const std::string &criteria)
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    static const QRegularExpression kCriteria(
            QStringLiteral(R"(^\s*\[?([A-Za-z_][A-Za-z0-9_]*)\]?\s*=\s*(\S.*?)\s*$)"));
    const auto match = kCriteria.match(QString::fromStdString(criteria));
    if (!match.hasMatch())
        return Make(CriteriaSyntax, file(), criteria);
    const std::string field = match.captured(1).toStdString();
    const int index = fieldIndex(field);
    if (index < 0)
        return Make(UnknownCriteriaField, file(), field);

    const QString literal = match.captured(2);
    std::optional<std::string> text;
    std::optional<double> number;
    if (literal.size() >= 2 && literal.startsWith(QLatin1Char('\''))
        && literal.endsWith(QLatin1Char('\''))) {
        QString inner = literal.mid(1, literal.size() - 2);
        inner.replace(QLatin1String("''"), QLatin1String("'"));
        text = inner.toStdString();
    } else {
        number = TryTextToNumber(literal.toStdString(), 15);
        if (!number)
            return Make(CriteriaSyntax, file(), criteria);
    }

    leaveEdit();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::optional<std::string> &value = m_rows[i].values[static_cast<std::size_t>(index)];
        if (!value)
            continue;
        bool matches = false;
        if (text) {
            matches = *value == *text;
        } else if (!QString::fromStdString(*value).trimmed().isEmpty()) {
            const std::optional<double> v = TryTextToNumber(*value, 15);
            matches = v && *v == *number;
        }
        if (matches) {
            m_position = static_cast<std::int64_t>(i);
            m_onDeleted = false;
            m_noMatch = false;
            return {};
        }
    }
    m_noMatch = true;
    return {};
}

ErrorPair Recordset::Edit()
{
    if (ErrorPair e = checkWritable(); !e.ok())
        return e;
    if (ErrorPair e = checkCurrent(); !e.ok())
        return e;
    m_buffer = m_rows[static_cast<std::size_t>(m_position)];
    m_changed.assign(m_fields.size(), false);
    m_mode = EditMode::Edit;
    return {};
}

ErrorPair Recordset::AddNew()
{
    if (ErrorPair e = checkWritable(); !e.ok())
        return e;
    m_buffer = Row();
    m_buffer.values.assign(m_fields.size(), std::nullopt);
    m_changed.assign(m_fields.size(), false);
    m_mode = EditMode::AddNew;
    return {};
}

ErrorPair Recordset::Update()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    if (m_mode == EditMode::None)
        return Make(UpdateWithoutEdit, file());
    if (ErrorPair e = checkWritable(); !e.ok())
        return e;

    QStringList columns;
    QVariantList values;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_changed[i])
            continue;
        columns << quotedName(m_fields[i]);
        const auto &v = m_buffer.values[i];
        values << (v ? QVariant(QString::fromStdString(*v)) : QVariant());
    }
    if (m_mode == EditMode::Edit && columns.isEmpty()) {
        m_lastModified = m_buffer.rowid;
        leaveEdit();
        return {};
    }

    WriteScope scope(*m_connection);
    if (ErrorPair e = scope.begin(); !e.ok())
        return e;
    Row stored;
    {
        QSqlDatabase handle = m_connection->handle();
        QSqlQuery q(handle);
        std::int64_t rowid = m_buffer.rowid;
        if (m_mode == EditMode::Edit) {
            QStringList sets;
            for (const QString &c : std::as_const(columns))
                sets << c + QStringLiteral(" = ?");
            q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_ = ?")
                              .arg(quotedName(m_table), sets.join(QStringLiteral(", "))));
        } else if (columns.isEmpty()) {
            q.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(m_table)));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quotedName(m_table), columns.join(QStringLiteral(", ")),
                                   marks.join(QStringLiteral(", "))));
        }
        for (const QVariant &v : std::as_const(values))
            q.addBindValue(v);
        if (m_mode == EditMode::Edit)
            q.addBindValue(QVariant::fromValue<qlonglong>(rowid));
        if (!q.exec())
            return FromSql(q.lastError(), file());
        if (m_mode == EditMode::Edit) {
            if (q.numRowsAffected() == 0)
                return Make(RecordDeleted, file());
        } else {
            rowid = q.lastInsertId().toLongLong();
        }
        q.finish();

        // Read the row back as the file now holds it: a new row gets its key from the
        // database, and a column's type may have changed how a value is kept.
        QSqlQuery back(handle);
        back.prepare(QStringLiteral("SELECT _rowid_, * FROM %1 WHERE _rowid_ = ?")
                             .arg(quotedName(m_table)));
        back.addBindValue(QVariant::fromValue<qlonglong>(rowid));
        if (!back.exec())
            return FromSql(back.lastError(), file());
        if (!back.next())
            return Make(RecordDeleted, file());
        stored.rowid = back.value(0).toLongLong();
        for (std::size_t i = 0; i < m_fields.size(); ++i)
            stored.values.push_back(textOf(back.value(static_cast<int>(i) + 1)));
    }
    if (ErrorPair e = scope.commit(); !e.ok())
        return e;

    if (m_mode == EditMode::Edit)
        m_rows[static_cast<std::size_t>(m_position)] = stored;
    else
        m_rows.push_back(stored);
    m_lastModified = stored.rowid;
    leaveEdit();
    return {};
}

ErrorPair Recordset::CancelUpdate()
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    if (m_mode == EditMode::None)
        return Make(UpdateWithoutEdit, file());
    leaveEdit();
    return {};
}

ErrorPair Recordset::Delete()
{
    if (ErrorPair e = checkWritable(); !e.ok())
        return e;
    if (ErrorPair e = checkCurrent(); !e.ok())
        return e;
    leaveEdit();
    WriteScope scope(*m_connection);
    if (ErrorPair e = scope.begin(); !e.ok())
        return e;
    {
        QSqlDatabase handle = m_connection->handle();
        QSqlQuery q(handle);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE _rowid_ = ?").arg(quotedName(m_table)));
        q.addBindValue(
                QVariant::fromValue<qlonglong>(m_rows[static_cast<std::size_t>(m_position)].rowid));
        if (!q.exec())
            return FromSql(q.lastError(), file());
        if (q.numRowsAffected() == 0)
            return Make(RecordDeleted, file());
    }
    if (ErrorPair e = scope.commit(); !e.ok())
        return e;
    m_rows.erase(m_rows.begin() + m_position);
    m_onDeleted = true;
    return {};
}

ErrorPair Recordset::GetField(const std::string &name, std::string &value) const
{
    value.clear();
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    const int index = fieldIndex(name);
    if (index < 0)
        return Make(ItemNotFound, file(), name);
    const Row *row = &m_buffer;
    if (m_mode == EditMode::None) {
        if (ErrorPair e = checkCurrent(); !e.ok())
            return e;
        row = &m_rows[static_cast<std::size_t>(m_position)];
    }
    value = row->values[static_cast<std::size_t>(index)].value_or(std::string());
    return {};
}

ErrorPair Recordset::SetField(const std::string &name, const std::string &value)
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    const int index = fieldIndex(name);
    if (index < 0)
        return Make(ItemNotFound, file(), name);
    if (m_mode == EditMode::None)
        return Make(UpdateWithoutEdit, file());
    m_buffer.values[static_cast<std::size_t>(index)] = value;
    m_changed[static_cast<std::size_t>(index)] = true;
    return {};
}

std::vector<std::string> Recordset::FieldNames() const
{
    return m_fields;
}

std::int64_t Recordset::Bookmark() const
{
    if (!checkCurrent().ok())
        return 0;
    return m_rows[static_cast<std::size_t>(m_position)].rowid;
}

ErrorPair Recordset::SetBookmark(std::int64_t bookmark)
{
    if (ErrorPair e = checkOpen(); !e.ok())
        return e;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].rowid == bookmark) {
            leaveEdit();
            m_position = static_cast<std::int64_t>(i);
            m_onDeleted = false;
            return {};
        }
    }
    return Make(NoCurrentRecord, file());
}

ErrorPair Recordset::Close()
{
    *this = Recordset();
    return {};
}
