#include "storage/ModuleRSVFLS.h"

#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "design/ModulersvARM.h"
#include "results/ModuleCalcConsumo.h"
#include "settings/ApplySettings.h"
#include "settings/FormCFGModel.h"
#include "settings/Parameters.h"
#include "storage/Database.h"
#include "storage/DatabaseError.h"
#include "storage/Recordset.h"

#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

namespace ModuleRSVFLS {

namespace {

using Row = std::vector<std::pair<std::string, std::string>>;

// The statements are kept exactly as every earlier file was created, the missing blank after
// "rsvmomxym TEXT," included: a tool that compares the schema text finds them the same.
const char *const kCreateLegend = "CREATE TABLE RSVLGD (rsvlgdPRJ TEXT, rsvlgdCLI TEXT, "
                                  "rsvlgdEND TEXT, rsvlgdRSP TEXT, rsvlgdOBS TEXT)";
const char *const kCreateData =
        "CREATE TABLE RSVDAT (rsvdatent TEXT, rsvdatA TEXT, rsvdatB TEXT, rsvdatH TEXT, "
        "rsvdatHN TEXT, rsvdatX TEXT, rsvdatY TEXT, rsvdatLX TEXT, rsvdatLY TEXT, "
        "rsvdatSBRTMP TEXT, rsvdatASPOS TEXT, rsvdatET TEXT, rsvdatEP TEXT, rsvdatEF TEXT)";
const char *const kCreateBuried =
        "CREATE TABLE RSVENT (rsventSLO TEXT, rsventHT TEXT, rsventQT TEXT, rsventCHKHNA TEXT, "
        "rsventTXTHNA TEXT, rsventGAMAS TEXT, rsventFI TEXT, rsventALFA TEXT)";
const char *const kCreateReport =
        "CREATE TABLE RSVRPT (rsvrptfisabtpar TEXT, rsvrpttbupar TEXT, rsvrpttspar TEXT, "
        "rsvrptfisabtfnd TEXT, rsvrpttbufnd TEXT, rsvrpttsfnd TEXT, rsvrptvt TEXT, rsvrptvu TEXT)";
const char *const kCreateLoads =
        "CREATE TABLE RSVCGA (rsvcgaa TEXT, rsvcgab TEXT, rsvcgac TEXT, rsvcgad TEXT, "
        "rsvcgae TEXT, rsvcgaf TEXT, rsvcgag TEXT)";
const char *const kCreateQuantities =
        "CREATE TABLE RSVCSM (rsvcsmfetpa TEXT, rsvcsmfefnd TEXT, rsvcsmfepar TEXT, "
        "rsvcsmfetot TEXT, rsvcsmfrmtpa TEXT, rsvcsmfrmfnd TEXT, rsvcsmfrmpar TEXT, "
        "rsvcsmfrmtot TEXT, rsvcsmimptpa TEXT, rsvcsmimpfnd TEXT, rsvcsmimppar TEXT, "
        "rsvcsmimptot TEXT, rsvcsmcnctpa TEXT, rsvcsmcncfnd TEXT, rsvcsmcncpar TEXT, "
        "rsvcsmcnctot TEXT)";
const char *const kCreateReportPositions =
        "CREATE TABLE RSVARM (rsvarmn TEXT, rsvarmas TEXT, rsvarmnvz TEXT, rsvarmdsc TEXT)";
const char *const kCreateMomentsHorizontal =
        "CREATE TABLE RSVMOM (rsvmommxp TEXT, rsvmomxxm TEXT, rsvmommyp TEXT, rsvmomxym TEXT,"
        "rsvmommxm TEXT, rsvmomxxp TEXT, rsvmommym TEXT, rsvmomxyp TEXT)";
const char *const kCreateMomentsVertical =
        "CREATE TABLE RSVMOM (rsvmommt1m TEXT, rsvmommf1m TEXT, rsvmommy1p TEXT, "
        "rsvmomxy1p TEXT, rsvmomxy2p TEXT, rsvmommt2m TEXT, rsvmommf2m TEXT, rsvmommy2p TEXT, "
        "rsvmomxy3p TEXT, rsvmomxy4p TEXT, rsvmommtm TEXT, rsvmommfm TEXT, rsvmommyp TEXT, "
        "rsvmomxyap TEXT, rsvmomxybp TEXT)";
const char *const kCreateMomentsTwoWay =
        "CREATE TABLE RSVMOM (rsvmommxt TEXT, rsvmommyt TEXT, rsvmomxxt TEXT, rsvmomxyt TEXT, "
        "rsvmommxp1 TEXT, rsvmommyp1 TEXT, rsvmomxxp1 TEXT, rsvmommxp2 TEXT, rsvmommyp2 TEXT, "
        "rsvmomxxp2 TEXT, rsvmommxf TEXT, rsvmommyf TEXT, rsvmomxxf TEXT, rsvmomxyf TEXT)";
const char *const kCreatePositions =
        "CREATE TABLE RSVARM (rsvarmCOD TEXT, rsvarmN TEXT, rsvarmARE TEXT, rsvarmNVZ TEXT, "
        "rsvarmNBR TEXT, rsvarmFI TEXT, rsvarmC TEXT, rsvarmCMP TEXT, rsvarmMK TEXT, "
        "rsvarmD TEXT, rsvarmBW TEXT, rsvarmDIST TEXT, rsvarmBADAS TEXT, rsvarmERRMSG TEXT, "
        "rsvarmOUTAS TEXT)";
const char *const kCreateParameters =
        "CREATE TABLE RSVCFG (rsvcfgASESP TEXT, rsvcfgASESPMIN TEXT, rsvcfgASESPMAX TEXT, "
        "rsvcfgASESPBEST TEXT, rsvcfgPARESPMIN TEXT, rsvcfgCLCASMIN TEXT, rsvcfgDIMASCNT TEXT, "
        "rsvcfgCHFCXA TEXT, rsvcfgCFFCXA TEXT, rsvcfgTIPACO TEXT, rsvcfgACOMIN TEXT, "
        "rsvcfgUNDMTR TEXT, rsvcfgVRFFIS TEXT, rsvcfgFISMAX TEXT, rsvcfgBITREF TEXT, "
        "rsvcfgFCK TEXT, rsvcfgCONPSP TEXT, rsvcfgCGAMAJ TEXT, rsvcfgCONRESMIN TEXT, "
        "rsvcfgCOBMIN TEXT, rsvcfgH2OPSP TEXT)";

const std::array<ParameterColumn, 21> kParameterColumns = { {
        { "rsvcfgASESP", "RSVCFGESPMULT", "0.0" },
        { "rsvcfgASESPMIN", "RSVCFGESPMINAS", "0.0" },
        { "rsvcfgASESPMAX", "RSVCFGESPMAXAS", "0.0" },
        { "rsvcfgASESPBEST", "RSVMELESPAS", "0.0" },
        { "rsvcfgPARESPMIN", "RSVESPMINPAR", "0" },
        { "rsvcfgCLCASMIN", "RSVCFGSECASMIN", "0.00" },
        { "rsvcfgDIMASCNT", "RSVPORCTAMASEST", "0" },
        { "rsvcfgCHFCXA", "RSVCHAMFPAR", "0" },
        { "rsvcfgCFFCXA", "RSVCHAMFFUND", "0" },
        { "rsvcfgTIPACO", "RSVCFGTIPOACO", "0" },
        { "rsvcfgACOMIN", "RSVCFGACOMIN", "0.00" },
        { "rsvcfgUNDMTR", "RSVCFGBITOUNID", "0" },
        { "rsvcfgVRFFIS", "RSVFissOK", "0" },
        { "rsvcfgFISMAX", "RSVABMAXFISS", "0.00" },
        { "rsvcfgBITREF", "RSVBITADOTFISS", "0" },
        { "rsvcfgFCK", "RSVCFGCONCFCK", "0" },
        { "rsvcfgCONPSP", "RSVCFGCONCPESESP", "0.00" },
        { "rsvcfgCGAMAJ", "RSVCFGMAJCARGAS", "0.00" },
        { "rsvcfgCONRESMIN", "RSVCFGCONCMIN", "0.00" },
        { "rsvcfgCOBMIN", "RSVCFGCOBMIN", "0.0" },
        { "rsvcfgH2OPSP", "RSVH20PESESP", "0.0" },
} };

/// The tables a file of each kind must have (the report database's RSVMOM has one of three
/// forms, so only its presence is checked).
struct TableShape
{
    const char *name;
    const char *statement; ///< null: any columns
};

const std::array<TableShape, 5> kProjectTables = { {
        { "RSVLGD", kCreateLegend },
        { "RSVDAT", kCreateData },
        { "RSVENT", kCreateBuried },
        { "RSVARM", kCreatePositions },
        { "RSVCFG", kCreateParameters },
} };

const std::array<TableShape, 8> kReportTables = { {
        { "RSVLGD", kCreateLegend },
        { "RSVDAT", kCreateData },
        { "RSVENT", kCreateBuried },
        { "RSVRPT", kCreateReport },
        { "RSVCGA", kCreateLoads },
        { "RSVCSM", kCreateQuantities },
        { "RSVARM", kCreateReportPositions },
        { "RSVMOM", nullptr },
} };

std::string flag(bool on)
{
    return on ? "-1" : "0";
}

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

/// The layout chosen in the layout window, read as the calculate button reads it.
enum class Layout { Horizontal, Vertical, TwoWay };

Layout chosenLayout(const CalcContext &ctx)
{
    const FormModel &f = ctx.forms.FormPosicaoAs;
    if (f.state("OptionHorizontal") != 0)
        return Layout::Horizontal;
    if (f.state("OptionVertical") != 0)
        return Layout::Vertical;
    return Layout::TwoWay;
}

/// Runs a writer and turns what the engine's conversions raise (a field's text that is not a
/// number, a value that is not finite) into the error pair the file procedures return.
template <typename Write>
ErrorPair guarded(Write &&write)
{
    try {
        return write();
    } catch (const CalcError &e) {
        return { kTypeMismatch,
                 std::string("Um valor do projeto não pôde ser gravado: ") + e.what()
                         + " Corrija-o e grave de novo; o arquivo não foi alterado." };
    } catch (const std::exception &e) {
        return { DatabaseError::EngineError,
                 std::string("Erro interno ao gravar o projeto (") + e.what()
                         + "); o arquivo não foi alterado." };
    }
}

ErrorPair setFields(Recordset &rs, const Row &row)
{
    for (const auto &[column, value] : row) {
        if (ErrorPair e = rs.SetField(column, value); !e.ok())
            return e;
    }
    return rs.Update();
}

/// A one-row table: the first row is rewritten, or the row is added to an empty table, so that
/// saving again over a file keeps one row.
ErrorPair writeOneRow(Database &db, const char *table, const Row &row)
{
    Recordset rs;
    if (ErrorPair e = db.OpenRecordset(std::string("SELECT * FROM ") + table, rs); !e.ok())
        return e;
    ErrorPair e = rs.RecordCount() != 0 ? rs.Edit() : rs.AddNew();
    if (!e.ok())
        return e;
    return setFields(rs, row);
}

/// A row added to a table of the report database, which is always written afresh.
ErrorPair appendRow(Database &db, const char *table, const Row &row)
{
    Recordset rs;
    if (ErrorPair e = db.OpenRecordset(std::string("SELECT * FROM ") + table, rs); !e.ok())
        return e;
    if (ErrorPair e = rs.AddNew(); !e.ok())
        return e;
    return setFields(rs, row);
}

/// One writer on a file of its own: opened, written in one transaction, closed.
template <typename Write>
ErrorPair onFile(const QString &path, Write &&write)
{
    Database db;
    if (ErrorPair e = Database::OpenDatabase(path, db); !e.ok())
        return e;
    if (ErrorPair e = db.BeginTrans(); !e.ok())
        return e;
    ErrorPair e = write(db);
    if (!e.ok()) {
        (void)db.Rollback();
        (void)db.Close();
        return e;
    }
    e = db.CommitTrans();
    (void)db.Close();
    return e;
}

void removeFile(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

/// A context that checks values the way the windows would, without touching the real ones: a
/// copy of the regional settings (the limit messages are written in them), the factory
/// parameters in its settings window and no status bar.
std::unique_ptr<CalcContext> scratchContext(const CalcContext &ctx)
{
    const RegionalSettings &r = ctx.regional();
    return std::make_unique<CalcContext>(std::make_unique<FixedRegionalSettings>(
            r.ReadLocale(RegionalSettings::LanguageName),
            r.ReadLocale(RegionalSettings::CountryCode), r.decimalSymbol(), r.groupingSymbol()));
}

std::string tableError(const char *what, const std::string &name)
{
    return std::string(what) + " " + name;
}

} // namespace

// ---- Files and tables ----------------------------------------------------------------------

const std::vector<MomentColumn> &MomentColumns(std::int16_t layout)
{
    static const std::vector<MomentColumn> horizontal = {
        { "rsvmommxp", 16 }, { "rsvmomxxm", 17 }, { "rsvmommyp", 18 }, { "rsvmomxym", 19 },
        { "rsvmommxm", 20 }, { "rsvmomxxp", 21 }, { "rsvmommym", 22 }, { "rsvmomxyp", 23 },
    };
    static const std::vector<MomentColumn> vertical = {
        { "rsvmommt1m", 27 }, { "rsvmommf1m", 26 }, { "rsvmommy1p", 24 }, { "rsvmomxy1p", 29 },
        { "rsvmomxy2p", 30 }, { "rsvmommt2m", 37 }, { "rsvmommf2m", 35 }, { "rsvmommy2p", 33 },
        { "rsvmomxy3p", 32 }, { "rsvmomxy4p", 31 }, { "rsvmommtm", 44 },  { "rsvmommfm", 42 },
        { "rsvmommyp", 40 },  { "rsvmomxyap", 39 }, { "rsvmomxybp", 38 },
    };
    static const std::vector<MomentColumn> twoWay = {
        { "rsvmommxt", 65 },  { "rsvmommyt", 64 },  { "rsvmomxxt", 61 },  { "rsvmomxyt", 60 },
        { "rsvmommxp1", 45 }, { "rsvmommyp1", 46 }, { "rsvmomxxp1", 28 }, { "rsvmommxp2", 49 },
        { "rsvmommyp2", 50 }, { "rsvmomxxp2", 25 }, { "rsvmommxf", 52 },  { "rsvmommyf", 53 },
        { "rsvmomxxf", 56 },  { "rsvmomxyf", 57 },
    };
    switch (layout) {
    case 1000:
        return horizontal;
    case 2000:
        return vertical;
    default:
        return twoWay;
    }
}

QString ReportDatabaseFile(const AppContext &ctx)
{
    return ctx.paths().userFile(QString::fromLatin1(kReportDatabaseName));
}

std::vector<std::string> CreateStatements(const CalcContext &ctx, bool isReport)
{
    std::vector<std::string> statements = { kCreateLegend, kCreateData, kCreateBuried };
    if (isReport) {
        statements.insert(
                statements.end(),
                { kCreateReport, kCreateLoads, kCreateQuantities, kCreateReportPositions });
        switch (chosenLayout(ctx)) {
        case Layout::Horizontal:
            statements.emplace_back(kCreateMomentsHorizontal);
            break;
        case Layout::Vertical:
            statements.emplace_back(kCreateMomentsVertical);
            break;
        case Layout::TwoWay:
            statements.emplace_back(kCreateMomentsTwoWay);
            break;
        }
    } else {
        statements.insert(statements.end(), { kCreatePositions, kCreateParameters });
    }
    return statements;
}

std::vector<std::string> ColumnsOf(const std::string &createStatement)
{
    std::vector<std::string> columns;
    const auto open = createStatement.find('(');
    const auto close = createStatement.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return columns;
    const std::string body = createStatement.substr(open + 1, close - open - 1);
    std::size_t start = 0;
    while (start <= body.size()) {
        auto comma = body.find(',', start);
        if (comma == std::string::npos)
            comma = body.size();
        const std::string_view part =
                TrimBlanks(std::string_view(body).substr(start, comma - start));
        columns.emplace_back(part.substr(0, part.find(' ')));
        start = comma + 1;
    }
    return columns;
}

ErrorPair CheckFileTables(Database &db, bool isReport)
{
    std::vector<std::string> tables;
    if (ErrorPair e = db.TableNames(tables); !e.ok())
        return e;
    auto check = [&](const TableShape &shape) -> ErrorPair {
        bool present = false;
        for (const std::string &t : tables)
            present = present || lower(t) == lower(shape.name);
        if (!present)
            return { DatabaseError::TableNotFound, tableError("falta a tabela", shape.name) };
        if (!shape.statement)
            return {};
        Recordset rs;
        if (ErrorPair e = db.OpenRecordset(std::string("SELECT * FROM ") + shape.name, rs); !e.ok())
            return e;
        const std::vector<std::string> fields = rs.FieldNames();
        for (const std::string &column : ColumnsOf(shape.statement)) {
            bool found = false;
            for (const std::string &f : fields)
                found = found || lower(f) == lower(column);
            if (!found)
                return { DatabaseError::ItemNotFound,
                         std::string("a tabela ") + shape.name + " não tem a coluna " + column };
        }
        return {};
    };
    if (isReport) {
        for (const TableShape &shape : kReportTables) {
            if (ErrorPair e = check(shape); !e.ok())
                return e;
        }
    } else {
        for (const TableShape &shape : kProjectTables) {
            if (ErrorPair e = check(shape); !e.ok())
                return e;
        }
    }
    return {};
}

ErrorPair CreateTables(const CalcContext &ctx, Database &db, bool isReport)
{
    for (const std::string &statement : CreateStatements(ctx, isReport)) {
        if (ErrorPair e = db.Execute(statement); !e.ok())
            return e;
    }
    return {};
}

// ---- Writers on an open file ---------------------------------------------------------------

ErrorPair SaveLegendTable(const CalcContext &ctx, Database &db)
{
    const FormModel &f = ctx.forms.FormLegenda;
    return writeOneRow(db, "RSVLGD",
                       { { "rsvlgdPRJ", f.text("aeESTPROJ") },
                         { "rsvlgdCLI", f.text("aeESTCLI") },
                         { "rsvlgdEND", f.text("aeESTEND") },
                         { "rsvlgdRSP", f.text("aeESTRESP") },
                         { "rsvlgdOBS", f.text("aeESTOBS") } });
}

ErrorPair SaveDataTable(const CalcContext &ctx, Database &db, bool isReport)
{
    return guarded([&]() -> ErrorPair {
        const FormModels &forms = ctx.forms;
        const FormModel &geometry = forms.FormDadosGeometricos;
        const FormModel &lid = forms.FormPosTampa;
        const DesignState &s = ctx.state;
        std::string layout;
        switch (chosenLayout(ctx)) {
        case Layout::Horizontal:
            layout = "1";
            break;
        case Layout::Vertical:
            layout = "2";
            break;
        case Layout::TwoWay:
            layout = "3";
            break;
        }
        std::string et;
        std::string ep;
        std::string ef;
        if (isReport) {
            // What is printed: the thicknesses in force, to the centimetre.
            et = ctx.text(TextToNumber(s.thicknessEt, "0.00"));
            ep = ctx.text(TextToNumber(s.thicknessEp, "0.00"));
            ef = ctx.text(TextToNumber(s.thicknessEf, "0.00"));
        } else {
            // Without a calculation standing, the design state's thicknesses are not this
            // project's (an earlier project's, or none before the geometry window was passed):
            // the file gets the minimum every calculation starts from.
            const bool calculated = LayoutOf(s.calcState) != 0;
            const float lid = calculated ? s.thicknessEt : s.minWallThickness;
            const float walls = calculated ? s.thicknessEp : s.minWallThickness;
            const float bottom = calculated ? s.thicknessEf : s.minWallThickness;
            // Every calculation raises walls and bottom once before it tests them, so the
            // project keeps them one step lower: reopened, the calculation lands on them again.
            // The lid is written with the digits that read back its very single, so that the
            // reopened project is calculated at the thickness it was designed at.
            et = SingleTextExact(lid, ctx.regional());
            ep = ctx.text(static_cast<double>(walls) - 0.01);
            ef = ctx.text(static_cast<double>(bottom) - 0.01);
        }
        return writeOneRow(
                db, "RSVDAT",
                { { "rsvdatent", flag(forms.FormTipoElev.state("OptionEnterrada") != 0) },
                  { "rsvdatA", geometry.text("Text_a") },
                  { "rsvdatB", geometry.text("Text_b") },
                  { "rsvdatH", geometry.text("Text_h") },
                  { "rsvdatHN", geometry.text("Text_hn") },
                  { "rsvdatX", lid.text("Text_X") },
                  { "rsvdatY", lid.text("Text_Y") },
                  { "rsvdatLX", lid.text("Text_Lx") },
                  { "rsvdatLY", lid.text("Text_Ly") },
                  { "rsvdatSBRTMP", lid.text("TextqA") },
                  { "rsvdatASPOS", layout },
                  { "rsvdatET", et },
                  { "rsvdatEP", ep },
                  { "rsvdatEF", ef } });
    });
}

ErrorPair SaveReinforcementTable(const CalcContext &ctx, Database &db, bool isReport)
{
    return guarded([&]() -> ErrorPair {
        Recordset rs;
        if (ErrorPair e = db.OpenRecordset("SELECT * FROM RSVARM", rs); !e.ok())
            return e;
        if (isReport) {
            for (int i = 1; i <= 20; ++i) {
                if (ctx.rebarPosition(i).OUTAS != 0)
                    continue;
                const auto cells = ModulersvARM::PositionRow(ctx, i);
                if (ErrorPair e = rs.AddNew(); !e.ok())
                    return e;
                if (ErrorPair e = setFields(rs,
                                            { { "rsvarmn", cells[0].text },
                                              { "rsvarmas", cells[1].text },
                                              { "rsvarmnvz", cells[2].text },
                                              { "rsvarmdsc", cells[3].text } });
                    !e.ok())
                    return e;
            }
            return {};
        }

        while (!rs.Eof()) {
            if (ErrorPair e = rs.Delete(); !e.ok())
                return e;
            if (ErrorPair e = rs.MoveNext(); !e.ok())
                return e;
        }
        // The positions belong to the calculation of the windows' values only while its
        // results stand (calcState holds the layout). Saved from the input windows before a
        // calculation, or after going back from the results, they would be another project's
        // bars, put back over the next calculation when the file is opened; the table stays
        // empty instead, and opening the file keeps the positions it calculates.
        if (LayoutOf(ctx.state.calcState) == 0)
            return {};
        for (int i = 1; i <= 20; ++i) {
            const RebarPosition &p = ctx.rebarPosition(i);
            if (ErrorPair e = rs.AddNew(); !e.ok())
                return e;
            if (ErrorPair e = setFields(rs,
                                        { { "rsvarmCOD", Int16Text(static_cast<std::int16_t>(i)) },
                                          { "rsvarmN", p.N },
                                          { "rsvarmARE", ctx.text(p.ARE) },
                                          { "rsvarmNVZ", Int16Text(p.NVZ) },
                                          { "rsvarmNBR", Int16Text(p.NBR) },
                                          { "rsvarmFI", ctx.text(p.gauge.diameterMm) },
                                          { "rsvarmC", ctx.text(p.C) },
                                          { "rsvarmCMP", ctx.text(p.CMP) },
                                          { "rsvarmMK", ctx.text(p.MK) },
                                          { "rsvarmD", ctx.text(p.D) },
                                          { "rsvarmBW", ctx.text(p.BW) },
                                          { "rsvarmDIST", ctx.text(p.DIST) },
                                          { "rsvarmBADAS", flag(p.BADAS != 0) },
                                          { "rsvarmERRMSG", p.ERRMSG },
                                          { "rsvarmOUTAS", flag(p.OUTAS != 0) } });
                !e.ok())
                return e;
        }
        return {};
    });
}

ErrorPair SaveBuriedDataTable(const CalcContext &ctx, Database &db)
{
    return guarded([&]() -> ErrorPair {
        if (ctx.forms.FormTipoElev.state("OptionEnterrada") == 0) {
            return writeOneRow(db, "RSVENT",
                               { { "rsventSLO", "" },
                                 { "rsventHT", "0" },
                                 { "rsventQT", "" },
                                 { "rsventCHKHNA", "" },
                                 { "rsventTXTHNA", "0" },
                                 { "rsventGAMAS", "" },
                                 { "rsventFI", "" },
                                 { "rsventALFA", "" } });
        }
        const FormModel &f = ctx.forms.FormDadosEnterrada;
        const double hna = TextToNumber(f.text("Texthna"), 8);
        return writeOneRow(db, "RSVENT",
                           { { "rsventSLO", f.text("ComboSolo") },
                             { "rsventHT", f.text("Textht") },
                             { "rsventQT", f.text("Textqt") },
                             { "rsventCHKHNA", f.state("Checkhna") != 0 ? "1" : "0" },
                             { "rsventTXTHNA", ctx.text(hna) },
                             { "rsventGAMAS", f.text("TextGama") },
                             { "rsventFI", f.text("TextAngSolo") },
                             { "rsventALFA", f.text("TextAngTerreno") } });
    });
}

ErrorPair SaveParametersTable(const CalcContext &ctx, Database &db)
{
    const FormModel &f = ctx.forms.FormCFG;
    Row row;
    for (const ParameterColumn &c : kParameterColumns) {
        const ParameterDef *p = FindParameter(c.control);
        std::string value;
        switch (p ? p->kind : ParameterKind::Text) {
        case ParameterKind::Text:
            value = f.text(c.control);
            break;
        case ParameterKind::List:
            value = Int32Text(f.state(c.control));
            break;
        case ParameterKind::Option:
            value = flag(f.state(c.control) != 0);
            break;
        }
        row.emplace_back(c.column, std::move(value));
    }
    return writeOneRow(db, "RSVCFG", row);
}

ErrorPair SaveReportTables(const CalcContext &ctx, Database &db)
{
    return guarded([&]() -> ErrorPair {
        const DesignState &s = ctx.state;
        const ResultsFields &r = ctx.results;
        auto number = [&](float value, const char *format) {
            return ctx.text(TextToNumber(value, format));
        };
        const CrackCheck &walls = s.crackResults[0];
        const CrackCheck &bottom = s.crackResults[1];
        if (ErrorPair e = appendRow(db, "RSVRPT",
                                    { { "rsvrptfisabtpar", number(walls.w, "0.0000") },
                                      { "rsvrpttbupar", number(walls.k, "0.00") },
                                      { "rsvrpttspar", number(walls.sigma, "0.000") },
                                      { "rsvrptfisabtfnd", number(bottom.w, "0.0000") },
                                      { "rsvrpttbufnd", number(bottom.k, "0.00") },
                                      { "rsvrpttsfnd", number(bottom.sigma, "0.000") },
                                      { "rsvrptvt", r.Text_a[7] },
                                      { "rsvrptvu", r.Text_a[8] } });
            !e.ok())
            return e;

        if (ErrorPair e = appendRow(db, "RSVCGA",
                                    { { "rsvcgaa", number(s.lidLiveLoad, "0.00") },
                                      { "rsvcgab", number(s.wallWaterLoad, "0.00") },
                                      { "rsvcgac", number(s.bottomWaterLoad, "0.00") },
                                      { "rsvcgad", number(s.bottomReaction, "0.00") },
                                      { "rsvcgae", number(s.soilThrust, "0.00") },
                                      { "rsvcgaf", number(s.groundWaterThrust, "0.00") },
                                      { "rsvcgag", number(s.upliftPressure, "0.00") } });
            !e.ok())
            return e;

        using ModuleCalcConsumo::Material;
        using ModuleCalcConsumo::Member;
        const std::pair<const char *, Material> materials[] = {
            { "fe", ModuleCalcConsumo::Steel },
            { "frm", ModuleCalcConsumo::Formwork },
            { "imp", ModuleCalcConsumo::Waterproofing },
            { "cnc", ModuleCalcConsumo::Concrete },
        };
        const std::pair<const char *, Member> members[] = {
            { "tpa", ModuleCalcConsumo::Lid },
            { "par", ModuleCalcConsumo::Walls },
            { "fnd", ModuleCalcConsumo::Bottom },
            { "tot", ModuleCalcConsumo::Total },
        };
        Row quantities;
        for (const auto &[materialName, material] : materials) {
            for (const auto &[memberName, member] : members) {
                quantities.emplace_back(std::string("rsvcsm") + materialName + memberName,
                                        number(ctx.materialQuantities[static_cast<std::size_t>(
                                                       member)][static_cast<std::size_t>(material)],
                                               "0.00"));
            }
        }
        if (ErrorPair e = appendRow(db, "RSVCSM", quantities); !e.ok())
            return e;

        std::int16_t layout = 3000;
        switch (chosenLayout(ctx)) {
        case Layout::Horizontal:
            layout = 1000;
            break;
        case Layout::Vertical:
            layout = 2000;
            break;
        case Layout::TwoWay:
            break;
        }
        const std::vector<MomentColumn> &moments = MomentColumns(layout);
        Row momentRow;
        for (const MomentColumn &m : moments)
            momentRow.emplace_back(m.column, r.Text_a[m.field]);
        return appendRow(db, "RSVMOM", momentRow);
    });
}

ErrorPair WriteProjectFile(const CalcContext &ctx, const QString &path, bool isReport)
{
    Database db;
    bool created = false;
    ErrorPair e = Database::CreateDatabase(path, db);
    if (e.ok()) {
        created = true;
    } else if (e.number == DatabaseError::DatabaseExists) {
        // Saving over an earlier save updates its tables in place; a file of another kind is
        // not the program's to half-write.
        if (e = Database::OpenDatabase(path, db); !e.ok())
            return e;
        if (e = CheckFileTables(db, isReport); !e.ok()) {
            (void)db.Close();
            const std::string kind = isReport ? "um banco de dados de relatório do Reservium"
                                              : "um projeto do Reservium";
            return { e.number,
                     "O arquivo \"" + QFileInfo(path).absoluteFilePath().toStdString()
                             + "\" já existe e não é " + kind + " (" + e.description
                             + "). Ele não foi alterado; grave com outro nome." };
        }
    } else {
        return e;
    }

    auto write = [&]() -> ErrorPair {
        if (ErrorPair w = db.BeginTrans(); !w.ok())
            return w;
        if (created) {
            if (ErrorPair w = CreateTables(ctx, db, isReport); !w.ok())
                return w;
        }
        if (ErrorPair w = SaveLegendTable(ctx, db); !w.ok())
            return w;
        if (ErrorPair w = SaveDataTable(ctx, db, isReport); !w.ok())
            return w;
        if (ErrorPair w = SaveReinforcementTable(ctx, db, isReport); !w.ok())
            return w;
        if (ErrorPair w = SaveBuriedDataTable(ctx, db); !w.ok())
            return w;
        if (ErrorPair w = isReport ? SaveReportTables(ctx, db) : SaveParametersTable(ctx, db);
            !w.ok())
            return w;
        return db.CommitTrans();
    };
    e = write();
    if (!e.ok()) {
        (void)db.Rollback();
        (void)db.Close();
        if (created)
            removeFile(path);
        return e;
    }
    (void)db.Close();
    return {};
}

ErrorPair ReplaceReportDatabase(const CalcContext &ctx, const QString &path)
{
    const QFileInfo info(path);
    if (info.exists()) {
        Database db;
        if (ErrorPair e = Database::OpenDatabase(path, db); !e.ok())
            return e;
        ErrorPair e = CheckFileTables(db, true);
        (void)db.Close();
        if (!e.ok())
            return { e.number,
                     "O arquivo \"" + info.absoluteFilePath().toStdString()
                             + "\" já existe e não é um banco de dados de relatório do Reservium ("
                             + e.description + "). Ele não foi alterado; escolha outro nome." };
    }
    // Built beside it under another name, then put in its place in one rename.
    const QString temporary =
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".novo");
    removeFile(temporary);
    if (ErrorPair e = WriteProjectFile(ctx, temporary, true); !e.ok())
        return e;
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                            QFile::encodeName(path).toStdString(), error);
    if (error) {
        removeFile(temporary);
        return { error == std::errc::permission_denied ? 70 : 75,
                 "O banco de dados do relatório não pôde ser gravado em \""
                         + info.absoluteFilePath().toStdString() + "\" (" + error.message()
                         + ")." };
    }
    return {};
}

// ---- Procedures on a path ------------------------------------------------------------------

ErrorPair CreateProjectDatabase(const CalcContext &ctx, const QString &path, bool isReport)
{
    Database db;
    if (ErrorPair e = Database::CreateDatabase(path, db); !e.ok())
        return e;
    ErrorPair e = db.BeginTrans();
    if (e.ok())
        e = CreateTables(ctx, db, isReport);
    if (e.ok())
        e = db.CommitTrans();
    if (!e.ok()) {
        (void)db.Rollback();
        (void)db.Close();
        removeFile(path);
        return e;
    }
    (void)db.Close();
    return {};
}

ErrorPair SaveLegendTable(const CalcContext &ctx, const QString &path)
{
    return onFile(path, [&](Database &db) { return SaveLegendTable(ctx, db); });
}

ErrorPair SaveDataTable(const CalcContext &ctx, const QString &path, bool isReport)
{
    return onFile(path, [&](Database &db) { return SaveDataTable(ctx, db, isReport); });
}

ErrorPair SaveReinforcementTable(const CalcContext &ctx, const QString &path, bool isReport)
{
    return onFile(path, [&](Database &db) { return SaveReinforcementTable(ctx, db, isReport); });
}

ErrorPair SaveBuriedDataTable(const CalcContext &ctx, const QString &path)
{
    return onFile(path, [&](Database &db) { return SaveBuriedDataTable(ctx, db); });
}

ErrorPair SaveParametersTable(const CalcContext &ctx, const QString &path)
{
    return onFile(path, [&](Database &db) { return SaveParametersTable(ctx, db); });
}

ErrorPair SaveReportTables(const CalcContext &ctx, const QString &path)
{
    return onFile(path, [&](Database &db) { return SaveReportTables(ctx, db); });
}

// ---- Parameters ----------------------------------------------------------------------------

const std::array<ParameterColumn, 21> &ParameterColumns()
{
    return kParameterColumns;
}

ErrorPair ReadParameters(Recordset &rs, ProjectParameters &out)
{
    if (rs.RecordCount() == 0)
        return { DatabaseError::NoCurrentRecord, "a tabela RSVCFG está vazia" };
    if (ErrorPair e = rs.MoveFirst(); !e.ok())
        return e;
    for (std::size_t i = 0; i < kParameterColumns.size(); ++i) {
        const ParameterColumn &c = kParameterColumns[i];
        std::string text;
        if (ErrorPair e = rs.GetField(c.column, text); !e.ok())
            return e;
        const std::optional<double> v = TryTextToNumber(text, c.format);
        if (!v || !std::isfinite(*v))
            return { kTypeMismatch,
                     "o valor " + DatabaseError::QuotedValue(text) + " da coluna " + c.column
                             + " não é um número" };
        out[i] = *v;
    }
    return {};
}

ErrorPair CheckParameters(const CalcContext &ctx, const ProjectParameters &values)
{
    for (std::size_t i = 0; i < kParameterColumns.size(); ++i) {
        const ParameterColumn &c = kParameterColumns[i];
        const ParameterDef *p = FindParameter(c.control);
        if (!p || p->kind != ParameterKind::List)
            continue;
        const auto count = static_cast<double>(FormCFGListItems(c.control).size());
        if (!(values[i] >= 0 && values[i] < count))
            return { kInvalidValue,
                     std::string("a coluna ") + c.column + " escolhe a posição "
                             + ctx.text(values[i]) + " da lista \""
                             + std::string(TrimBlanks(p->caption)) + "\", que não existe" };
    }
    const auto scratch = scratchContext(ctx);
    FillSettingsForm(*scratch, values);
    const InputError limit = ModuleRSVErr::CheckSettingsWindow(*scratch);
    if (limit.code != 0) {
        // The message names the field; the column it came from is found by the control the
        // window check stopped at, the first one marked.
        std::string column;
        for (const ParameterColumn &c : kParameterColumns) {
            if (scratch->forms.FormCFG.error(c.control)) {
                column = c.column;
                break;
            }
        }
        return { kInvalidValue,
                 "a coluna " + column + " tem um valor fora dos limites: " + limit.message };
    }
    try {
        ApplySettings(*scratch);
    } catch (const CalcError &e) {
        return { kInvalidValue, e.what() };
    }
    return {};
}

void FillSettingsForm(CalcContext &ctx, const ProjectParameters &values)
{
    FormModel &form = ctx.forms.FormCFG;
    for (std::size_t i = 0; i < kParameterColumns.size(); ++i) {
        const ParameterColumn &c = kParameterColumns[i];
        const ParameterDef *p = FindParameter(c.control);
        switch (p ? p->kind : ParameterKind::Text) {
        case ParameterKind::Text:
            form.setText(c.control, ctx.text(values[i]));
            break;
        case ParameterKind::List:
            form.setState(c.control, ToInt16(values[i]));
            break;
        case ParameterKind::Option:
            form.setState(c.control, values[i] != 0 ? 1 : 0);
            form.setState(std::string(FindParameter(kCrackCheckOffKey)->control),
                          values[i] != 0 ? 0 : 1);
            break;
        }
    }
}

ErrorPair LoadParametersTable(CalcContext &ctx, const QString &path)
{
    ProjectParameters values{};
    {
        Database db;
        if (ErrorPair e = Database::OpenDatabase(path, db); !e.ok())
            return e;
        Recordset rs;
        if (ErrorPair e = db.OpenRecordset("SELECT * FROM RSVCFG", rs); !e.ok())
            return e;
        ErrorPair e = ReadParameters(rs, values);
        (void)db.Close();
        if (e.ok())
            e = CheckParameters(ctx, values);
        if (!e.ok()) {
            return { e.number,
                     "Os parâmetros de cálculo do projeto \""
                             + QFileInfo(path).absoluteFilePath().toStdString()
                             + "\" não puderam ser lidos: " + e.description
                             + ". Os parâmetros em uso não foram alterados." };
        }
    }
    FillSettingsForm(ctx, values);
    try {
        ApplySettings(ctx);
    } catch (const CalcError &e) {
        return { kInvalidValue, e.what() };
    }
    return {};
}

ErrorPair CheckThickness(const CalcContext &ctx, double value)
{
    const auto scratch = scratchContext(ctx);
    FormModel &review = scratch->forms.FormAltera_e;
    review.setText("Text_e", DoubleTextC(value));
    const InputError limit = ModuleRSVErr::CheckField(*scratch, review, "Text_e");
    if (limit.code != 0)
        return { kInvalidValue, limit.message };
    return {};
}

} // namespace ModuleRSVFLS
