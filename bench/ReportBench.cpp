// The printed report from its database: reading the template and "rsv.mdb", checking one
// against the other, laying out the pages and writing the PDF, for the default elevated tank
// of each layout. A print should feel immediate: the median is to stay under 300 ms.
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/ReportPrinting.h"
#include "settings/ApplySettings.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectFlow.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using InputChain::InputWindow;

/// The platform layer lays text out with the system's fonts; without a display it runs
/// offscreen. One application for the whole run.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "reservium_bench";
    static char *argv[] = { name, nullptr };
    static std::unique_ptr<QGuiApplication> app;
    if (!app) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
}

void BM_ReportToPdf(benchmark::State &state)
{
    ensureApplication();
    QTemporaryDir home;
    qputenv("RESERVIUM_HOME", home.path().toLocal8Bit());
    AppContext ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                   ProgramPaths::fromEnvironment());
    ApplySettings(ctx);
    InputWindow w = InputWindow::FormTipoElev;
    while (w != InputWindow::FormPosicaoAs) {
        const InputWindow next = InputFlows::Forward(ctx, w);
        if (next == w) {
            state.SkipWithError("input limit");
            return;
        }
        w = next;
    }
    InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, static_cast<std::int16_t>(state.range(0)));
    if (CalculationLaunch::LaunchCalculation(ctx).status
        != CalculationLaunch::LaunchStatus::Calculated) {
        state.SkipWithError("calculation failed");
        return;
    }
    if (!ProjectFlow::SaveProject(ctx, false, true).ok()) {
        state.SkipWithError("report database not written");
        return;
    }
    const QString templateFile = ReportPrinting::TemplateFile(ctx);
    const QString data = ModuleRSVFLS::ReportDatabaseFile(ctx);
    const QString pdf = home.filePath(QStringLiteral("relatorio.pdf"));
    for (auto _ : state) {
        std::unique_ptr<ReportEngine::Report> report;
        if (ErrorPair e = ReportPrinting::MakeReport(templateFile, data, ",", report); !e.ok()) {
            state.SkipWithError(e.description.c_str());
            break;
        }
        if (ErrorPair e = report->WritePdf(pdf); !e.ok()) {
            state.SkipWithError(e.description.c_str());
            break;
        }
    }
}

} // namespace

// 1000 horizontal, 2000 vertical, 3000 two-way.
BENCHMARK(BM_ReportToPdf)->Arg(1000)->Arg(2000)->Arg(3000)->Unit(benchmark::kMillisecond);
