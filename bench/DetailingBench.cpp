// A project's whole detailing to DXF, as `reservium-cli drawing` makes it: the exchange lines of
// the calculated default project read back as the platform reads them, the scene of the views,
// schedule and sheet, and the DXF file written. Should stay well under 50 ms.
#include "cad/CadExchange.h"
#include "cad/Detailing.h"
#include "cad/DxfWriter.h"
#include "cad/ExchangeFiles.h"
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

std::unique_ptr<AppContext> calculatedProject()
{
    auto ctx = std::make_unique<AppContext>(
            std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
            ProgramPaths("/nonexistent/reservium-home", "/nonexistent/reservium-data"));
    ApplySettings(*ctx);
    using InputChain::InputWindow;
    InputWindow w = InputWindow::FormTipoElev;
    while (w != InputWindow::FormPosicaoAs) {
        const InputWindow next = InputFlows::Forward(*ctx, w);
        if (next == w)
            return nullptr;
        w = next;
    }
    InputChain::ChooseLayout(ctx->forms.FormPosicaoAs, 3000);
    if (CalculationLaunch::LaunchCalculation(*ctx).status
        != CalculationLaunch::LaunchStatus::Calculated)
        return nullptr;
    return ctx;
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &l : lines)
        out += l + "\r\n";
    return out;
}

void BM_WholeDetailingToDxf(benchmark::State &state)
{
    const auto ctx = calculatedProject();
    if (!ctx) {
        state.SkipWithError("the default project did not calculate");
        return;
    }
    const std::string det = joined(CadExchange::DetailingLines(*ctx));
    const std::string legend = joined(CadExchange::LegendLines(*ctx));
    const std::string settings = joined(ExchangeFiles::DefaultSettingsLines());
    const std::string path =
            (std::filesystem::temp_directory_path() / "reservium-bench-detailing.dxf").string();
    Detailing::Options options;
    options.date = "11/12/2026";
    for (auto _ : state) {
        const auto data = ExchangeFiles::ParseDetailing(det);
        const auto texts = ExchangeFiles::ParseLegend(legend);
        const auto cfg = ExchangeFiles::ParseSettings(settings);
        if (!data.ok() || !texts.ok() || !cfg.ok()) {
            state.SkipWithError("exchange files did not read back");
            break;
        }
        const draw::Scene scene = Detailing::WholeDetailing(*data.value, *cfg.value, { 84.1, 59.4 },
                                                            *texts.value, options);
        if (!DxfWriter::Write(scene, path).ok()) {
            state.SkipWithError("the DXF could not be written");
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WholeDetailingToDxf)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);

} // namespace
