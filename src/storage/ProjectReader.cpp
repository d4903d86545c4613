#include "storage/ProjectReader.h"

#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/Numbers.h"
#include "design/BarGauge.h"
#include "storage/Database.h"
#include "storage/DatabaseError.h"
#include "storage/Recordset.h"

#include <QFileInfo>

#include <cmath>
#include <optional>

namespace ProjectReader {

namespace {

using ModuleRSVFLS::kInvalidValue;
using ModuleRSVFLS::kSubscriptOutOfRange;
using ModuleRSVFLS::kTypeMismatch;

/// What is wrong with the file's contents; ends the reading.
struct Bad
{
    ErrorPair error;
};

/// Reading one table's current row.
class RowReader
{
public:
    RowReader(const CalcContext &ctx, Recordset &rs) : m_ctx(ctx), m_rs(rs) { }

    std::string text(const char *column) const
    {
        std::string value;
        if (ErrorPair e = m_rs.GetField(column, value); !e.ok())
            throw Bad{ e };
        return value;
    }

    /// The stored text read as a number with eight decimals, as every number of the file is.
    double number(const char *column) const
    {
        const std::string t = text(column);
        const std::optional<double> v = TryTextToNumber(t, 8);
        if (!v || !std::isfinite(*v))
            throw Bad{ { kTypeMismatch,
                         "o valor " + DatabaseError::QuotedValue(t) + " da coluna " + column
                                 + " não é um número" } };
        return *v;
    }

    /// The stored text read with every decimal it has (up to 30).
    double exactNumber(const char *column) const
    {
        const std::string t = text(column);
        const std::optional<double> v = TryTextToNumber(t, 30);
        if (!v || !std::isfinite(*v))
            throw Bad{ { kTypeMismatch,
                         "o valor " + DatabaseError::QuotedValue(t) + " da coluna " + column
                                 + " não é um número" } };
        return *v;
    }

    /// The number as a text field shows it: the text of the double in the regional settings.
    std::string fieldText(const char *column) const { return m_ctx.text(number(column)); }

    float single(const char *column) const
    {
        const double v = number(column);
        try {
            return ToSingle(v);
        } catch (const CalcError &) {
            throw Bad{ { kInvalidValue,
                         "o valor da coluna " + std::string(column) + " está fora do alcance" } };
        }
    }

    std::int16_t int16(const char *column) const
    {
        const double v = number(column);
        try {
            return ToInt16(v);
        } catch (const CalcError &) {
            throw Bad{ { kInvalidValue,
                         "o valor da coluna " + std::string(column)
                                 + " não cabe num inteiro de 16 bits" } };
        }
    }

    std::int16_t flag(const char *column) const { return number(column) != 0 ? -1 : 0; }

private:
    const CalcContext &m_ctx;
    Recordset &m_rs;
};

void openTable(Database &db, const char *table, Recordset &rs)
{
    if (ErrorPair e = db.OpenRecordset(std::string("SELECT * FROM ") + table, rs); !e.ok())
        throw Bad{ e };
}

void firstRow(Recordset &rs, const char *table)
{
    if (rs.RecordCount() == 0)
        throw Bad{ { DatabaseError::NoCurrentRecord,
                     std::string("a tabela ") + table + " está vazia" } };
    if (ErrorPair e = rs.MoveFirst(); !e.ok())
        throw Bad{ e };
}

float thickness(const CalcContext &ctx, const RowReader &row, const char *column)
{
    const float t = row.single(column);
    if (ErrorPair e = ModuleRSVFLS::CheckThickness(ctx, t); !e.ok())
        throw Bad{ { e.number,
                     "a espessura da coluna " + std::string(column) + " (" + ctx.text(t)
                             + " m) está fora dos limites: " + e.description } };
    return t;
}

/// A thickness column read with every digit it holds, plus what the file held back; checked
/// already, with eight decimals, by thickness().
float designThickness(const RowReader &row, const char *column, double heldBack)
{
    return ToSingle(row.exactNumber(column) + heldBack);
}

void readData(const CalcContext &ctx, Database &db, ProjectContent &out)
{
    Recordset rs;
    openTable(db, "RSVDAT", rs);
    firstRow(rs, "RSVDAT");
    const RowReader row(ctx, rs);
    out.buried = row.number("rsvdatent") != 0;
    const char *geometry[] = { "rsvdatA", "rsvdatB", "rsvdatH", "rsvdatHN" };
    for (std::size_t i = 0; i < out.geometry.size(); ++i)
        out.geometry[i] = row.fieldText(geometry[i]);
    const char *lid[] = { "rsvdatX", "rsvdatY", "rsvdatLX", "rsvdatLY", "rsvdatSBRTMP" };
    for (std::size_t i = 0; i < out.lid.size(); ++i)
        out.lid[i] = row.fieldText(lid[i]);
    out.thicknessEt = thickness(ctx, row, "rsvdatET");
    out.thicknessEp = thickness(ctx, row, "rsvdatEP");
    out.thicknessEf = thickness(ctx, row, "rsvdatEF");
    out.designEt = designThickness(row, "rsvdatET", 0);
    out.designEp = designThickness(row, "rsvdatEP", 0.01);
    out.designEf = designThickness(row, "rsvdatEF", 0.01);
    const std::string layout = row.text("rsvdatASPOS");
    out.layout =
            layout == "1" ? kHorizontalLayout : (layout == "2" ? kVerticalLayout : kTwoWayLayout);
}

void readBuried(const CalcContext &ctx, Database &db, ProjectContent &out)
{
    Recordset rs;
    openTable(db, "RSVENT", rs);
    firstRow(rs, "RSVENT");
    const RowReader row(ctx, rs);
    ProjectContent::Buried &b = out.buriedData;
    b.soil = row.text("rsventSLO");
    b.ht = row.fieldText("rsventHT");
    b.qt = row.fieldText("rsventQT");
    b.groundWater = row.number("rsventCHKHNA") != 0;
    if (b.groundWater)
        b.hna = row.fieldText("rsventTXTHNA");
    b.gama = row.fieldText("rsventGAMAS");
    b.angSoil = row.fieldText("rsventFI");
    b.angGround = row.fieldText("rsventALFA");
}

void readParameters(const CalcContext &ctx, Database &db, ProjectContent &out)
{
    Recordset rs;
    openTable(db, "RSVCFG", rs);
    if (ErrorPair e = ModuleRSVFLS::ReadParameters(rs, out.parameters); !e.ok())
        throw Bad{ e };
    if (ErrorPair e = ModuleRSVFLS::CheckParameters(ctx, out.parameters); !e.ok())
        throw Bad{ e };
}

void readPositions(const CalcContext &ctx, Database &db, ProjectContent &out)
{
    Recordset rs;
    openTable(db, "RSVARM", rs);
    if (rs.RecordCount() > 20)
        throw Bad{ { kSubscriptOutOfRange,
                     "a tabela RSVARM tem " + Int32Text(rs.RecordCount())
                             + " posições de armadura, e um projeto tem no máximo 20" } };
    const RowReader row(ctx, rs);
    while (!rs.Eof()) {
        RebarPosition p;
        p.N = row.text("rsvarmN");
        p.ARE = row.single("rsvarmARE");
        p.NVZ = row.int16("rsvarmNVZ");
        p.NBR = row.int16("rsvarmNBR");
        const float diameter = row.single("rsvarmFI");
        const std::int16_t gauge = GaugeIndexOf(diameter);
        // A position never designed has no gauge (0); any other diameter must be a gauge of
        // the table, or the bars would weigh nothing and print as nothing.
        if (gauge == 0 && diameter != 0)
            throw Bad{ { kInvalidValue,
                         "a posição "
                                 + Int32Text(static_cast<std::int32_t>(out.positions.size()) + 1)
                                 + " da tabela RSVARM tem a bitola " + ctx.text(diameter)
                                 + " mm, que não está na tabela de bitolas" } };
        p.gauge = GaugeByIndex(gauge);
        p.C = row.single("rsvarmC");
        p.CMP = row.single("rsvarmCMP");
        p.MK = row.single("rsvarmMK");
        p.D = row.single("rsvarmD");
        p.BW = row.single("rsvarmBW");
        p.DIST = row.single("rsvarmDIST");
        p.BADAS = row.flag("rsvarmBADAS");
        p.ERRMSG = row.text("rsvarmERRMSG");
        p.OUTAS = row.flag("rsvarmOUTAS");
        out.positions.push_back(std::move(p));
        if (ErrorPair e = rs.MoveNext(); !e.ok())
            throw Bad{ e };
    }
}

} // namespace

ErrorPair ReadProjectFile(const CalcContext &ctx, const QString &path, ProjectContent &out)
{
    out = ProjectContent{};
    Database db;
    if (ErrorPair e = Database::OpenDatabase(path, db); !e.ok())
        return e;
    ErrorPair result;
    try {
        if (ErrorPair e = ModuleRSVFLS::CheckFileTables(db, false); !e.ok())
            throw Bad{ e };
        readData(ctx, db, out);
        if (out.buried)
            readBuried(ctx, db, out);
        readParameters(ctx, db, out);
        readPositions(ctx, db, out);
    } catch (const Bad &bad) {
        std::string detail = bad.error.description;
        if (detail.empty() || detail.back() != '.')
            detail += '.';
        result = { bad.error.number,
                   "O arquivo \"" + QFileInfo(path).absoluteFilePath().toStdString()
                           + "\" não pode ser aberto como projeto do Reservium: " + detail };
    } catch (const std::exception &e) {
        result = { DatabaseError::EngineError,
                   "Erro interno ao ler o projeto \""
                           + QFileInfo(path).absoluteFilePath().toStdString() + "\" (" + e.what()
                           + ")." };
    }
    (void)db.Close();
    if (!result.ok())
        out = ProjectContent{};
    return result;
}

} // namespace ProjectReader
