#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Database;
class DatabaseConnection;

/// The rows of one table, read into memory when the recordset is opened (the program's tables
/// are small), in the order in which they were added, with a cursor over them. Edits are
/// written through at once: Update and Delete each write one transaction (or join the
/// database's BeginTrans) and then change the rows held here. Rows are addressed by SQLite's
/// rowid, which also gives their order.
///
/// Values are texts. A value that is NULL in the file (a column a new row never set) reads as
/// the empty text.
class Recordset
{
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset &&other) noexcept;
    Recordset &operator=(Recordset &&other) noexcept;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    bool isOpen() const { return m_connection != nullptr; }

    /// The number of rows (the full count at any time: the rows are all read on opening).
    std::int32_t RecordCount() const;
    /// Before the first row / past the last row; both on an empty recordset. "EOF" itself is a
    /// macro of the C library, hence the spelling.
    bool Bof() const;
    bool Eof() const;

    /// Cursor moves. Moving discards an edit not yet stored with Update. MoveFirst and MoveLast
    /// on an empty recordset, MoveNext past the end and MovePrevious before the start are
    /// 3021 (no current record).
    ErrorPair MoveFirst();
    ErrorPair MoveLast();
    ErrorPair MoveNext();
    ErrorPair MovePrevious();

    /// Goes to the first row that meets `criteria`, of the form "FIELD = 12" (numbers are
    /// compared as numbers; a field text that is not a number never matches) or
    /// "FIELD = 'text'" (exact text). Without a match NoMatch() is true and the cursor stays
    /// where it was.
    ErrorPair FindFirst(const std::string &criteria);
    bool NoMatch() const { return m_noMatch; }

    /// Starts editing the current row (3021 without one).
    ErrorPair Edit();
    /// Starts a new row; its fields are empty until set. Update appends it at the end; the
    /// cursor stays on the row that was current before.
    ErrorPair AddNew();
    /// Stores the row being edited or added (3020 when neither Edit nor AddNew was called). On
    /// failure nothing is stored and the edit stays open.
    ErrorPair Update();
    /// Drops the edit in progress.
    ErrorPair CancelUpdate();
    /// Removes the current row from the file. The cursor stays on the removed row's place:
    /// reading it is 3167; MoveNext goes on to the row that followed it.
    ErrorPair Delete();

    /// The value of the field `name` (case-insensitive) of the current row, or of the row
    /// being edited or added. An unknown name is 3265.
    ErrorPair GetField(const std::string &name, std::string &value) const;
    /// Sets a field of the row being edited or added (3020 otherwise; 3265 for an unknown
    /// name). Nothing is written before Update.
    ErrorPair SetField(const std::string &name, const std::string &value);
    /// The field names in the table's column order.
    std::vector<std::string> FieldNames() const;

    /// The rowid of the current row (0 when there is none), to come back to it.
    std::int64_t Bookmark() const;
    /// Goes to the row with that rowid (3021 when it is not in the recordset).
    ErrorPair SetBookmark(std::int64_t bookmark);
    /// The rowid of the row last stored by Update (0 before any).
    std::int64_t LastModified() const { return m_lastModified; }

    /// Forgets the rows. Closing twice does nothing.
    ErrorPair Close();

private:
    friend class Database;

    struct Row
    {
        std::int64_t rowid = 0;
        std::vector<std::optional<std::string>> values;
    };
    enum class EditMode { None, Edit, AddNew };

    /// Reads the table's rows (Database::OpenRecordset).
    ErrorPair load(std::shared_ptr<DatabaseConnection> connection, const std::string &table);
    ErrorPair checkOpen() const;
    ErrorPair checkWritable() const;
    ErrorPair checkCurrent() const;
    int fieldIndex(const std::string &name) const;
    void leaveEdit();
    QString file() const;

    std::shared_ptr<DatabaseConnection> m_connection;
    std::string m_table;
    std::vector<std::string> m_fields;
    std::vector<Row> m_rows;
    /// -1 before the first row, m_rows.size() past the last.
    std::int64_t m_position = -1;
    /// The current row was deleted; m_position already points at the row that followed it.
    bool m_onDeleted = false;
    bool m_noMatch = false;
    EditMode m_mode = EditMode::None;
    Row m_buffer;
    std::vector<bool> m_changed;
    std::int64_t m_lastModified = 0;
};
