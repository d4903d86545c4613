// One whole calculation of the default project as the windows run it: the forward buttons of
// the input chain (copies, thickness reset, layout proposal), the calculate button (header,
// loads, moments, thickness review, positions) and the quantities. A parametric study runs
// thousands of these; each should stay well under a millisecond.
#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/RegionalSettings.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using InputChain::InputWindow;

std::unique_ptr<AppContext> makeContext(bool buried)
{
    auto ctx = std::make_unique<AppContext>(
            std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
            ProgramPaths("/nonexistent/reservium-home", "/nonexistent/reservium-data"));
    ApplySettings(*ctx);
    ctx->forms.FormTipoElev.setState("OptionElevada", buried ? 0 : 1);
    ctx->forms.FormTipoElev.setState("OptionEnterrada", buried ? 1 : 0);
    return ctx;
}

/// The chain from the tank-kind window to the calculation; true when it calculated.
bool calculate(AppContext &ctx, std::int16_t layout, std::string &error)
{
    InputWindow w = InputWindow::FormTipoElev;
    while (w != InputWindow::FormPosicaoAs) {
        const InputWindow next = InputFlows::Forward(ctx, w);
        if (next == w) {
            error = "input limit: " + ctx.state.inputError.message;
            return false;
        }
        w = next;
    }
    InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, layout);
    const auto result = CalculationLaunch::LaunchCalculation(ctx);
    error = result.error;
    return result.status == CalculationLaunch::LaunchStatus::Calculated;
}

void BM_WholeCalculation(benchmark::State &state)
{
    const bool buried = state.range(0) != 0;
    const auto layout = static_cast<std::int16_t>(state.range(1));
    const auto ctx = makeContext(buried);
    std::string error;
    for (auto _ : state) {
        if (!calculate(*ctx, layout, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        benchmark::DoNotOptimize(ctx->materialQuantities);
    }
}

BENCHMARK(BM_WholeCalculation)
        ->ArgNames({ "buried", "layout" })
        ->ArgsProduct({ { 0, 1 }, { 1000, 2000, 3000 } })
        ->Unit(benchmark::kMicrosecond);

} // namespace
