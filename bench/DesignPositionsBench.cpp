// The twenty positions are designed after every thickness raise of a recalculation and when a
// project is opened; a full design must stay far below what the user notices.
#include "core/CalcContext.h"
#include "core/RegionalSettings.h"
#include "design/ModulersvARM.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

/// A 3.00 × 2.00 × 2.50 m tank with the factory parameters and moments on the main positions,
/// as the analysis leaves it just before the design.
std::unique_ptr<CalcContext> MakeTank()
{
    auto ctx = std::make_unique<CalcContext>(
            std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()));
    DesignState &s = ctx->state;
    s.pi = 4.0 * std::atan(1.0);
    s.concreteFck = 150;
    s.gammaConcrete = 1.4f;
    s.steelFyk = 5000;
    s.gammaSteel = 1.15f;
    s.gammaLoads = 1.4f;
    s.minCover = 1.5f;
    s.asMinPercent = s.asMinPercent2 = 0.15f;
    s.spacingMultiple = 2.5f;
    s.bestSpacing = 20;
    s.minSpacing = 7.5f;
    s.maxSpacing = 30;
    s.gaugeUnitIsMm = -1;
    s.calcState = 2020;
    s.widthA = 3.0f;
    s.lengthB = 2.0f;
    s.heightH = 2.5f;
    s.thicknessEt = 0.10f;
    s.thicknessEf = 0.15f;
    s.thicknessEp = 0.15f;
    s.hatchX = 0.6f;
    s.hatchY = 0.6f;
    ctx->forms.FormCFG.setText("RSVPORCTAMASEST", "15");
    ModulersvARM::ClearRebarPositions(*ctx);
    const float moments[20] = { 250,  180, 0,   0, 900,  700, 650, 500, 0, 0,
                                1200, 0,   800, 0, 1100, 0,   750, 0,   0, 0 };
    for (int i = 1; i <= 20; ++i) {
        RebarPosition &p = ctx->rebarPosition(i);
        p.MK = moments[i - 1];
        p.D = i <= 4 ? 10.0f : 15.0f;
        p.DIST = i % 2 ? 300.0f : 200.0f;
    }
    return ctx;
}

void BM_DesignPositions(benchmark::State &state)
{
    const auto ctx = MakeTank();
    const auto fresh = ctx->rebarPositions;
    for (auto _ : state) {
        ctx->rebarPositions = fresh;
        ModulersvARM::DesignPositions(*ctx, ModulersvARM::DistributionRule::OneWay);
        benchmark::DoNotOptimize(ctx->rebarPositions);
    }
}
BENCHMARK(BM_DesignPositions);

} // namespace
