#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class QSqlError;

/// The error numbers of the database layer and their Portuguese descriptions. The file errors
/// keep the classic run-time numbers (57, 61, 70, 75, 76); what only a database can get wrong
/// takes the classic database engine's number (3000 and up). docs/decisions.md lists them all.
namespace DatabaseError {

enum Number : std::int32_t {
    DeviceIO = 57,
    DiskFull = 61,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    EngineError = 3000,
    TableExists = 3010,
    UpdateWithoutEdit = 3020,
    NoCurrentRecord = 3021,
    DuplicateValue = 3022,
    FileNotFound = 3024,
    NoTransaction = 3034,
    Corrupted = 3049,
    UnknownCriteriaField = 3070,
    CriteriaSyntax = 3077,
    TableNotFound = 3078,
    InvalidSelect = 3129,
    RecordDeleted = 3167,
    DatabaseExists = 3204,
    Locked = 3260,
    ItemNotFound = 3265,
    SqlSyntax = 3290,
    ConstraintViolated = 3317,
    UnrecognizedFormat = 3343,
    ObjectClosed = 3420,
    TypeConversion = 3421,
};

/// An error of `number` with its description; `file` is named where the description speaks of
/// a file, `detail` (a table, a field, a criterion) where it speaks of one.
ErrorPair Make(Number number, const QString &file, const std::string &detail = {});

/// A value of a file quoted in a message: the text between double quotes, cut after its first
/// 40 characters with "..." when longer, so that a damaged file's huge text does not fill the
/// message box.
std::string QuotedValue(std::string_view text);

/// The error a failed statement of SQLite reports, by SQLite's result code.
ErrorPair FromSql(const QSqlError &error, const QString &file);

} // namespace DatabaseError
