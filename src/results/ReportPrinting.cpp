#include "results/ReportPrinting.h"

#include "core/AppContext.h"
#include "core/DesignState.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "results/LoadDiagrams.h"
#include "results/MomentDiagrams.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectFlow.h"

#include <QFileInfo>

namespace ReportPrinting {

std::string TemplateName(const CalcContext &ctx)
{
    const FormModel &f = ctx.forms.FormPosicaoAs;
    if (f.state("OptionHorizontal") != 0)
        return "rsvh.rpt";
    if (f.state("OptionVertical") != 0)
        return "rsvv.rpt";
    return "rsvc.rpt";
}

QString TemplateFile(const AppContext &ctx)
{
    const QString name = QString::fromStdString(TemplateName(ctx));
    const QString own = ctx.paths().userFile(name);
    if (QFileInfo::exists(own))
        return own;
    return ctx.paths().dataFile(name);
}

namespace {

/// What the pictures' builders read, put together from the report database alone: the saved
/// geometry, thicknesses and buried-tank data, the loads of RSVCGA in their results fields and
/// the moments of RSVMOM in theirs. Nothing of the program's current state goes in, so the
/// figure is the picture of the file being printed.
std::unique_ptr<CalcContext> contextFromData(const ReportEngine::ReportData &data)
{
    auto ctx = std::make_unique<CalcContext>(
            std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()));
    auto number = [&](const char *table, const char *column) {
        return TryTextToNumber(data.value(table, column), 8).value_or(0.0);
    };
    DesignState &s = ctx->state;
    s.widthA = ToSingle(number("RSVDAT", "rsvdatA"));
    s.lengthB = ToSingle(number("RSVDAT", "rsvdatB"));
    s.heightH = ToSingle(number("RSVDAT", "rsvdatH"));
    s.waterLevelHn = ToSingle(number("RSVDAT", "rsvdatHN"));
    s.thicknessEt = ToSingle(number("RSVDAT", "rsvdatET"));
    s.thicknessEp = ToSingle(number("RSVDAT", "rsvdatEP"));
    s.thicknessEf = ToSingle(number("RSVDAT", "rsvdatEF"));
    const bool buried = number("RSVDAT", "rsvdatent") != 0;
    const bool groundWater = buried && number("RSVENT", "rsventCHKHNA") != 0;
    if (buried) {
        s.buryHeightHt = ToSingle(number("RSVENT", "rsventHT"));
        s.groundSurchargeQt = ToSingle(number("RSVENT", "rsventQT"));
        s.soilUnitWeight = ToSingle(number("RSVENT", "rsventGAMAS"));
        s.waterTableHna = groundWater ? ToSingle(number("RSVENT", "rsventTXTHNA")) : 0.0F;
    }
    const std::string layoutCode = data.value("RSVDAT", "rsvdatASPOS");
    const std::int16_t layout = layoutCode == "1" ? 1000 : layoutCode == "2" ? 2000 : 3000;
    s.calcState = static_cast<std::int16_t>((buried ? 20 : 10) + layout);
    ctx->forms.FormTipoElev.setState("OptionElevada", buried ? 0 : 1);
    ctx->forms.FormTipoElev.setState("OptionEnterrada", buried ? 1 : 0);
    ctx->forms.FormDadosEnterrada.setState("Checkhna", groundWater ? 1 : 0);

    ResultsFields &r = ctx->results;
    const char *loads[] = { "rsvcgaa", "rsvcgab", "rsvcgac", "rsvcgad",
                            "rsvcgae", "rsvcgaf", "rsvcgag" };
    for (std::size_t i = 0; i < std::size(loads); ++i)
        r.Text_a[9 + i] = data.value("RSVCGA", loads[i]);
    for (const ModuleRSVFLS::MomentColumn &m : ModuleRSVFLS::MomentColumns(layout))
        r.Text_a[m.field] = data.value("RSVMOM", m.column);
    return ctx;
}

} // namespace

const std::vector<std::string> &FigureNames()
{
    static const std::vector<std::string> names = {
        "cargas-cheia",   "cargas-vazia",   "cargas-planta-cheia",   "cargas-planta-vazia",
        "momentos-cheia", "momentos-vazia", "momentos-superposicao",
    };
    return names;
}

std::optional<draw::Scene> BuildFigure(const std::string &name,
                                       const ReportEngine::ReportData &data)
{
    using LoadDiagrams::Picture;
    const std::unique_ptr<CalcContext> ctx = contextFromData(data);
    const LoadDiagrams::TankCase tankCase = LoadDiagrams::TankCaseOf(*ctx);
    if (name == "cargas-cheia")
        return LoadDiagrams::Build(*ctx, Picture::FullVertical, tankCase);
    if (name == "cargas-vazia")
        return LoadDiagrams::Build(*ctx, Picture::EmptyVertical, tankCase);
    if (name == "cargas-planta-cheia")
        return LoadDiagrams::Build(*ctx, Picture::FullHorizontal, tankCase);
    if (name == "cargas-planta-vazia")
        return LoadDiagrams::Build(*ctx, Picture::EmptyHorizontal, tankCase);

    // The layout's pictures in the results window's order: full, empty, and for the vertical
    // layout the superposition of both.
    const std::vector<MomentDiagrams::Picture> pictures =
            MomentDiagrams::PicturesOf(LayoutOf(ctx->state.calcState));
    std::size_t index = 0;
    if (name == "momentos-cheia")
        index = 0;
    else if (name == "momentos-vazia")
        index = 1;
    else if (name == "momentos-superposicao")
        index = 2;
    else
        return std::nullopt;
    if (index >= pictures.size())
        return std::nullopt;
    return MomentDiagrams::Build(*ctx, pictures[index]);
}

ErrorPair MakeReport(const QString &templateFile, const QString &dataFile,
                     const std::string &decimalSymbol, std::unique_ptr<ReportEngine::Report> &out,
                     QDate date)
{
    ReportEngine::Template layout;
    if (ErrorPair e = ReportEngine::LoadTemplate(templateFile, layout); !e.ok())
        return e;
    ReportEngine::ReportData data;
    if (ErrorPair e = ReportEngine::LoadReportData(dataFile, data); !e.ok())
        return e;
    ReportEngine::Options options;
    options.title = QString::fromLatin1(kReportTitle);
    options.date = date;
    options.decimalSymbol = decimalSymbol;
    options.figures = &BuildFigure;
    options.figureNames = FigureNames();
    return ReportEngine::Report::Create(std::move(layout), std::move(data), std::move(options),
                                        out);
}

ErrorPair PrepareProjectReport(AppContext &ctx, std::unique_ptr<ReportEngine::Report> &out)
{
    if (ErrorPair e = ProjectFlow::SaveProject(ctx, false, true); !e.ok())
        return e;
    return MakeReport(TemplateFile(ctx), ModuleRSVFLS::ReportDatabaseFile(ctx),
                      ctx.regional().decimalSymbol(), out);
}

} // namespace ReportPrinting
