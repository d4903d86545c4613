#include "results/ModuleCalcConsumo.h"
#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "design/BarGauge.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace ModuleCalcConsumo;

/// The quantities tab shows each value with two decimals at most.
std::string shown(float v)
{
    return DoubleTextC(TextToNumber(v, "0.00"));
}

/// The worked example of the quantities: A = 3, B = 2, H = 2, all thicknesses 0.15 m.
std::unique_ptr<CalcContext> exampleTank(std::int16_t calcState)
{
    auto ctx = std::make_unique<CalcContext>(
            std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::enUS()));
    DesignState &s = ctx->state;
    s.calcState = calcState;
    s.widthA = 3;
    s.lengthB = 2;
    s.heightH = 2;
    s.thicknessEt = s.thicknessEp = s.thicknessEf = 0.15f;
    return ctx;
}

void setBars(CalcContext &ctx, int i, int gaugeRow, std::int16_t bars, float length)
{
    RebarPosition &p = ctx.rebarPosition(i);
    p.gauge = GaugeByIndex(gaugeRow);
    p.NBR = bars;
    p.CMP = length;
    p.NVZ = 1;
}

TEST(ComputeQuantities, WorkedExampleOfAnElevatedTank)
{
    const auto ctx = exampleTank(2010);
    ComputeQuantities(*ctx);
    const auto &q = ctx->materialQuantities;
    // m = 2 − 0.3 = 1.7. Concrete of the walls: 2 · 1.7 · 0.15 · (3 + 2 − 0.3) = 2.397.
    struct Row
    {
        Member member;
        const char *concrete, *formwork, *waterproofing;
    };
    const Row rows[] = {
        { Lid, "0.9", "6.09", "0" },
        { Walls, "2.4", "34.96", "14.96" },
        { Bottom, "0.9", "6", "4.59" },
        { Total, "4.2", "47.05", "19.55" },
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.member);
        EXPECT_EQ(shown(q[r.member][Concrete]), r.concrete);
        EXPECT_EQ(shown(q[r.member][Formwork]), r.formwork);
        EXPECT_EQ(shown(q[r.member][Waterproofing]), r.waterproofing);
    }
    EXPECT_NEAR(q[Walls][Concrete], 2.397, 2.397 * 1e-6);
    EXPECT_NEAR(q[Total][Concrete], 4.197, 4.197 * 1e-6);
}

TEST(ComputeQuantities, BuriedTankIsFormedInsideOnly)
{
    for (const std::int16_t calcState : { 1020, 2020, 3020 }) {
        SCOPED_TRACE(calcState);
        const auto ctx = exampleTank(calcState);
        ComputeQuantities(*ctx);
        const auto &q = ctx->materialQuantities;
        EXPECT_EQ(shown(q[Walls][Formwork]), "14.96");
        EXPECT_EQ(q[Bottom][Formwork], 0.0f);
        EXPECT_EQ(shown(q[Total][Formwork]), "21.05"); // 6.09 + 14.96
        EXPECT_EQ(shown(q[Total][Waterproofing]), "19.55");
    }
}

TEST(ComputeQuantities, SteelByMemberWithExclusionsAndUndesignedPositions)
{
    const auto ctx = exampleTank(2010);
    // Lid: 10 ø10 × 250 cm occurring 3 times = 0.0063 · 10 · 250 · 3 = 47.25 kg.
    setBars(*ctx, 1, 5, 10, 250);
    ctx->rebarPosition(1).NVZ = 3;
    // Bottom: 4 ø22 × 100 cm at the listed 0.0319 kg/cm = 12.76 kg.
    setBars(*ctx, 5, 9, 4, 100);
    // Walls: 2 ø25 × 100 cm at the listed 0.0392 kg/cm = 7.84 kg; position 12 excluded;
    // position 13 never designed (diameter 0) weighs nothing.
    setBars(*ctx, 11, 10, 2, 100);
    setBars(*ctx, 12, 5, 10, 300);
    ctx->rebarPosition(12).OUTAS = -1;
    ctx->rebarPosition(13).NBR = 7;
    ctx->rebarPosition(13).NVZ = 1;
    ctx->rebarPosition(13).CMP = 120;

    ComputeQuantities(*ctx);
    const auto &q = ctx->materialQuantities;
    EXPECT_EQ(shown(q[Lid][Steel]), "47.25");
    EXPECT_EQ(shown(q[Bottom][Steel]), "12.76");
    EXPECT_EQ(shown(q[Walls][Steel]), "7.84");
    EXPECT_EQ(shown(q[Total][Steel]), "67.85");
    EXPECT_EQ(PositionSteelWeight(*ctx, 12), 0.0);
    EXPECT_EQ(PositionSteelWeight(*ctx, 13), 0.0);

    // Including position 12 again adds its 0.0063 · 10 · 300 = 18.9 kg to the walls and total.
    ctx->rebarPosition(12).OUTAS = 0;
    ComputeQuantities(*ctx);
    EXPECT_EQ(shown(q[Walls][Steel]), "26.74");
    EXPECT_EQ(shown(q[Total][Steel]), "86.75");
}

TEST(SteelMassPerCm, EveryGaugeOfTheTableHasItsListedMass)
{
    const double listed[12] = { 0.00063, 0.0016, 0.0025, 0.004,  0.0063, 0.01,
                                0.016,   0.025,  0.0319, 0.0392, 0.063,  0.1 };
    for (int row = 1; row <= 12; ++row)
        EXPECT_EQ(SteelMassPerCm(GaugeByIndex(row).diameterMm), listed[row - 1]) << row;
    EXPECT_EQ(SteelMassPerCm(0), 0.0);
    EXPECT_EQ(SteelMassPerCm(12), 0.0);
}

} // namespace
