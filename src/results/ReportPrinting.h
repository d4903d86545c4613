#pragma once

#include "core/ErrorPair.h"
#include "results/ReportEngine.h"

#include <QDate>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class AppContext;
class CalcContext;

/// The print commands' work below the windows: the report database rebuilt as a save with
/// `isReport` rebuilds it, the template of the layout, and the report made from the two. The
/// print preview (windows) and `reservium-cli report` (PDF) share it.
namespace ReportPrinting {

/// The report's title.
inline constexpr const char *kReportTitle = "Reservium";

/// "rsvh.rpt", "rsvv.rpt" or "rsvc.rpt": the layout window's OptionHorizontal, else
/// OptionVertical, else the two-way template.
std::string TemplateName(const CalcContext &ctx);

/// The template file of the chosen layout: a copy in the program's folder, where a user may
/// adjust its wording, else the one shipped with the program.
QString TemplateFile(const AppContext &ctx);

/// The figures a template may name: "cargas-cheia", "cargas-vazia" (vertical section, full and
/// empty tank), "cargas-planta-cheia", "cargas-planta-vazia" (plan), "momentos-cheia",
/// "momentos-vazia" and, for the vertical layout, "momentos-superposicao".
const std::vector<std::string> &FigureNames();

/// A figure of the report drawn from the data file's values with the results window's scene
/// builders; nothing for a picture the layout does not have.
std::optional<draw::Scene> BuildFigure(const std::string &name,
                                       const ReportEngine::ReportData &data);

/// Reads the template and the report database and checks one against the other; formatted
/// fields take `decimalSymbol`.
ErrorPair MakeReport(const QString &templateFile, const QString &dataFile,
                     const std::string &decimalSymbol, std::unique_ptr<ReportEngine::Report> &out,
                     QDate date = QDate());

/// `PrintProjectReport` up to the print action: rebuilds "rsv.mdb" (SaveProject with `isReport`)
/// and makes the layout's report from it. Any failure is returned, and nothing is to be
/// printed.
ErrorPair PrepareProjectReport(AppContext &ctx, std::unique_ptr<ReportEngine::Report> &out);

} // namespace ReportPrinting
