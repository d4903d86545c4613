#include "results/ReportPrinting.h"

#include "core/AppContext.h"
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

std::optional<draw::Scene> BuildFigure(const std::string &name,
                                       const ReportEngine::ReportData &data)
{
    (void)name;
    (void)data;
    return std::nullopt;
}

ErrorPair MakeReport(const QString &templateFile, const QString &dataFile,
                     std::unique_ptr<ReportEngine::Report> &out, QDate date)
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
    options.figures = &BuildFigure;
    return ReportEngine::Report::Create(std::move(layout), std::move(data), std::move(options),
                                        out);
}

ErrorPair PrepareProjectReport(AppContext &ctx, std::unique_ptr<ReportEngine::Report> &out)
{
    if (ErrorPair e = ProjectFlow::SaveProject(ctx, false, true); !e.ok())
        return e;
    return MakeReport(TemplateFile(ctx), ModuleRSVFLS::ReportDatabaseFile(ctx), out);
}

} // namespace ReportPrinting
