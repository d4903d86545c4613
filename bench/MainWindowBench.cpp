// The main window is built and shown at every start: with its toolbar pictures drawn from SVG
// it must come up without a noticeable wait (a median well under 100 ms).
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void BM_MainWindowBuiltAndShown(benchmark::State &state)
{
    QTemporaryDir dir;
    AppContext context(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                       ProgramPaths(dir.path(), dir.path()));
    for (auto _ : state) {
        MDI window(context);
        window.resize(800, 600);
        window.show();
        // Painted, toolbar pictures and all, as the user sees it.
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_MainWindowBuiltAndShown)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
