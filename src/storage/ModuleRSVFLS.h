#pragma once

#include "core/ErrorPair.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class AppContext;
class CalcContext;
class Database;
class Recordset;

/// The project file (".rsv") and the report database ("rsv.mdb"): their creation and their
/// tables. Both kinds are SQLite files whose columns are all TEXT; one creation procedure makes
/// either kind and four of the table writers serve both, as `isReport` says.
///
/// Most of a project is the text of the input windows' fields as typed, so that reopening it
/// refills the same windows; the rest comes from the design state and the reinforcement
/// positions. Numbers the program writes itself go into both files with the regional decimal
/// symbol; the reader takes either symbol, so a project opens wherever it was saved.
///
/// Each procedure that takes a path opens the file, writes its table in one transaction and
/// closes the file, catching every error into its ErrorPair. The overloads that take an open
/// Database write into it and join the transaction begun on it, so that a whole save is one
/// transaction (see WriteProjectFile).
namespace ModuleRSVFLS {

inline constexpr const char *kProjectExtension = ".rsv";
inline constexpr const char *kDefaultProjectName = "semnome.rsv";
inline constexpr const char *kReportDatabaseName = "rsv.mdb";

/// The report database's file in the program's folder.
QString ReportDatabaseFile(const AppContext &ctx);

/// The CREATE TABLE statements of a project file or of the report database, in the order they
/// are run; the report database's RSVMOM takes the form of the layout window's option.
std::vector<std::string> CreateStatements(const CalcContext &ctx, bool isReport);

/// One column of the report database's RSVMOM and the results field it holds.
struct MomentColumn
{
    const char *column;
    std::size_t field; ///< Text_a(field)
};
/// RSVMOM's columns for a layout (1000 horizontal, 2000 vertical, anything else two-way), in
/// the table's order.
const std::vector<MomentColumn> &MomentColumns(std::int16_t layout);

/// The column names of a CREATE TABLE statement, in order.
std::vector<std::string> ColumnsOf(const std::string &createStatement);

/// Checks that an open file has the tables of its kind with their columns (more columns or
/// more tables do no harm). On failure the description says what is missing ("falta a tabela
/// RSVCFG"), with 3078 for a table and 3265 for a column; the callers add which file.
ErrorPair CheckFileTables(Database &db, bool isReport);

// ---- Procedures on a path ------------------------------------------------------------------

/// Creates the file and its tables. A file that is already there is an error (3204) and is
/// left as it was; a file created here and not completed is removed again.
ErrorPair CreateProjectDatabase(const CalcContext &ctx, const QString &path, bool isReport);
/// RSVLGD: the five legend texts.
ErrorPair SaveLegendTable(const CalcContext &ctx, const QString &path);
/// RSVDAT: the tank kind, the geometry and lid texts, the layout and the three thicknesses.
ErrorPair SaveDataTable(const CalcContext &ctx, const QString &path, bool isReport);
/// RSVARM: a project file's twenty positions with every field; the report database's grid
/// rows of the positions not excluded.
ErrorPair SaveReinforcementTable(const CalcContext &ctx, const QString &path, bool isReport);
/// RSVENT: the buried-tank window's texts; for an elevated tank "0" in rsventHT and
/// rsventTXTHNA and empty texts elsewhere.
ErrorPair SaveBuriedDataTable(const CalcContext &ctx, const QString &path);
/// RSVCFG: the settings window's values (project file only).
ErrorPair SaveParametersTable(const CalcContext &ctx, const QString &path);
/// RSVRPT, RSVCGA, RSVCSM and RSVMOM of a report database, one row each.
ErrorPair SaveReportTables(const CalcContext &ctx, const QString &path);

/// Reads RSVCFG into the settings window and applies it to the design state. The values are
/// checked first, all of them: a value that is not a number (13), a list position outside its
/// list or a value outside the settings window's limits (380) is an error, and then neither
/// the window nor the design state changes.
ErrorPair LoadParametersTable(CalcContext &ctx, const QString &path);

// ---- The same writers on an open file, inside its transaction ------------------------------

ErrorPair CreateTables(const CalcContext &ctx, Database &db, bool isReport);
ErrorPair SaveLegendTable(const CalcContext &ctx, Database &db);
ErrorPair SaveDataTable(const CalcContext &ctx, Database &db, bool isReport);
ErrorPair SaveReinforcementTable(const CalcContext &ctx, Database &db, bool isReport);
/// The ground-water level, the one number of the table the program writes itself, is read with
/// eight decimals and written back as a double with the regional decimal symbol.
ErrorPair SaveBuriedDataTable(const CalcContext &ctx, Database &db);
ErrorPair SaveParametersTable(const CalcContext &ctx, Database &db);
ErrorPair SaveReportTables(const CalcContext &ctx, Database &db);

/// Writes a whole file in one transaction, in the order of a save: the tables of a new file,
/// then RSVLGD, RSVDAT, RSVARM, RSVENT, and RSVCFG (project file) or the four report tables.
/// A file that exists is updated only when it is a file of that kind (CheckFileTables);
/// anything else is refused untouched. Any failure leaves the file as it was before (a file
/// created here is removed again), and is returned.
ErrorPair WriteProjectFile(const CalcContext &ctx, const QString &path, bool isReport);

/// Writes the report database to `path` afresh, as a print does into "rsv.mdb", for a file
/// named by the user: a file already there is replaced only when it is a report database
/// (anything else is refused untouched), and only once the new one is complete.
ErrorPair ReplaceReportDatabase(const CalcContext &ctx, const QString &path);

// ---- The calculation parameters of a project ------------------------------------------------

/// One column of RSVCFG: the settings window's control it holds and the format it is read
/// with.
struct ParameterColumn
{
    const char *column;
    const char *control;
    const char *format;
};

/// The 21 columns of RSVCFG in the table's order.
const std::array<ParameterColumn, 21> &ParameterColumns();

/// The values of RSVCFG as read, in ParameterColumns' order.
using ProjectParameters = std::array<double, 21>;

/// Reads the first row of an open RSVCFG recordset, each value with its column's format.
/// A text that is not a number is error 13 (naming the column); an empty table 3021.
ErrorPair ReadParameters(Recordset &rs, ProjectParameters &out);

/// Checks the values as the settings window would hold them: list positions inside their
/// lists and text fields within their limits (380, with the limit's message); nothing is
/// changed in `ctx`.
ErrorPair CheckParameters(const CalcContext &ctx, const ProjectParameters &values);

/// Writes the values into the settings window: text fields as number texts of the regional
/// settings, lists as positions, the crack check as the pair of options. The values must have
/// passed CheckParameters.
void FillSettingsForm(CalcContext &ctx, const ProjectParameters &values);

/// Checks a thickness read from a project file (m) against the limits of the thickness review
/// field, 0.01 to 9.99 m: 380 with the limit's message.
ErrorPair CheckThickness(const CalcContext &ctx, double value);

/// Error numbers of the contents of a project file, beside the database layer's.
enum ContentError : std::int32_t {
    kTypeMismatch = 13, ///< a value that is not a number
    kSubscriptOutOfRange = 9, ///< more than 20 reinforcement positions
    kInvalidValue = 380, ///< a value outside the limits of the field it goes to
};

} // namespace ModuleRSVFLS
