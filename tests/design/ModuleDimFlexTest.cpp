#include "DesignTestContext.h"

#include "core/CalcError.h"
#include "design/ModuleDimFlex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace ModuleDimFlex;

namespace {

class DimFlex : public ::testing::Test
{
protected:
    std::unique_ptr<CalcContext> ctx = MakeDesignContext();
    DesignState &s = ctx->state;
};

// fck 200, γc 1.4, fyk 5000, γs 1.15, γf 1.4 throughout (the fixture).
TEST_F(DimFlex, SteelAreaWorkedExamples)
{
    const struct
    {
        float Mk, d, pct2;
        double expected;
        const char *source;
    } cases[] = {
        { 1000, 15, 0.10f, 2.20467906, "worked example: r 0.8975, βx 0.0658, above 1.5 minimum" },
        { 1000, 15, 0.15f, 2.25, "worked example: the 0.15 % minimum (2.25) governs" },
        { 0, 15, 0.15f, 2.25, "Mk 0: r 1, βx 0, the minimum steel" },
        { 10000, 15, 0.15f, 0, "r = 1 - 14000/13660.7 < 0: the section cannot carry it" },
        { 13660.71f / 1.4f * 1.0001f, 15, 0.15f, 0, "r just below 0: still 0, not the minimum" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        s.asMinPercent2 = c.pct2;
        s.asMinPercent = 99; // SteelArea must read the copy, not this one
        EXPECT_NEAR(SteelArea(s, c.Mk, c.d), c.expected, 1e-5 * std::max(1.0, c.expected));
    }
}

TEST_F(DimFlex, SteelAreaFaultsAreCalcErrors)
{
    EXPECT_THROW(SteelArea(s, 1000, 0), CalcError); // depth 0
    s.gammaConcrete = 0;
    EXPECT_THROW(SteelArea(s, 1000, 15), CalcError);
    s.gammaConcrete = 1.4f;
    EXPECT_THROW(SteelArea(s, std::nanf(""), 15), CalcError);
    EXPECT_THROW(SteelArea(s, 1000, 1e30f), CalcError); // d² overflows
    try {
        s.gammaSteel = 0;
        SteelArea(s, 1000, 15);
        FAIL() << "no error";
    } catch (const CalcError &e) {
        EXPECT_NE(std::string(e.what()).find("Divisão por zero"), std::string::npos) << e.what();
    }
}

TEST_F(DimFlex, RequiredThicknessRaisesInWholeCentimetres)
{
    // Worked example: βy 0.3699, μ 0.2562, first estimate 8.684 cm, 8 raises to 16.684 cm.
    const float h = RequiredThickness(5000, 1.15f, 200, 1.4f, 1000, 1.4f, 2.5f, 0.15f);
    EXPECT_NEAR(h, 16.6842435, 1e-4);
    // With a percentage no section fails, the square-root estimate itself comes back.
    const float first = RequiredThickness(5000, 1.15f, 200, 1.4f, 1000, 1.4f, 2.5f, 100);
    EXPECT_NEAR(first, 8.6842435, 1e-5);
    EXPECT_NEAR(h - first, 8.0, 1e-5);

    // A zero percentage would raise forever; it stops with a message instead.
    EXPECT_THROW(RequiredThickness(5000, 1.15f, 200, 1.4f, 1000, 1.4f, 2.5f, 0), CalcError);
    EXPECT_THROW(RequiredThickness(5000, 0, 200, 1.4f, 1000, 1.4f, 2.5f, 0.15f), CalcError);
    EXPECT_THROW(RequiredThickness(5000, 1.15f, 200, 1.4f, -1000, 1.4f, 2.5f, 0.15f), CalcError);
}

TEST_F(DimFlex, CrackWidthFormulaBranches)
{
    // k = 0.42 · (0.2/1.4)^(2/3) = 0.1147759 for fck 200, γc 1.4 (hand calculation).
    const struct
    {
        float b, h, M, As, phi;
        float sigma, k, w;
        const char *source;
    } cases[] = {
        { 100, 10, 7.2e6f, 40, 10, 2000, 0, 2.962963f,
          "ρ 0.16 ≥ 0.04 and σ 2000 ≥ 1500: first formula, 0.1·1/2.25·(2000/2100)·(25+45)" },
        { 100, 10, 3.6e6f, 40, 10, 1000, 0.1147759f, 1037.2182f,
          "ρ 0.16 but σ 1000 < 1500: second formula, 0.25·1000²/(2100·k)" },
        { 100, 15, 675000, 2.5f, 8, 2000, 0.1147759f, 3319.0981f,
          "ρ 0.0067 < 0.04 with σ 2000: second formula, 0.2·2000²/(2100·k)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        const CrackCheck r = CrackWidth(c.b, c.h, 200, 1.4f, c.M, c.As, c.phi, 1e9f);
        EXPECT_NEAR(r.sigma, c.sigma, c.sigma * 1e-5);
        EXPECT_NEAR(r.k, c.k, 1e-6);
        EXPECT_NEAR(r.w, c.w, c.w * 1e-5);
        EXPECT_EQ(r.ok, -1);
        // The limit is inclusive: a width equal to it passes, anything below it fails.
        EXPECT_EQ(CrackWidth(c.b, c.h, 200, 1.4f, c.M, c.As, c.phi, r.w).ok, -1);
        EXPECT_EQ(CrackWidth(c.b, c.h, 200, 1.4f, c.M, c.As, c.phi, r.w * 0.99f).ok, 0);
    }
    EXPECT_THROW(CrackWidth(100, 15, 200, 1.4f, 675000, 0, 8, 0.03f), CalcError); // no steel
    EXPECT_THROW(CrackWidth(100, 0, 200, 1.4f, 675000, 2.5f, 8, 0.03f), CalcError);
    EXPECT_THROW(CrackWidth(100, 15, 0, 1.4f, 675000, 2.5f, 8, 0.03f), CalcError); // k = 0
}

TEST_F(DimFlex, DistributionAreaByMemberAndCompanion)
{
    s.thicknessEt = 0.10f; // lid minimum 1.5
    s.thicknessEf = 0.12f; // bottom minimum 1.8
    s.thicknessEp = 0.15f; // walls minimum 2.25
    const struct
    {
        int p, i;
        float companionARE, expected;
        const char *source;
    } cases[] = {
        { 2, 1, 20, 1.5f, "lid position, no companion rule for 2" },
        { 5, 4, 20, 1.5f, "position 4 is still the lid" },
        { 6, 5, 20, 1.8f, "position 5 is the bottom" },
        { 11, 10, 0, 1.8f, "companion 11 still 0: floor 0.9 < bottom minimum" },
        { 11, 10, 20, 4.0f, "companion 11 at 20: one fifth, 4.0" },
        { 12, 11, 20, 2.25f, "12 is not a companion: the wall minimum" },
        { 13, 12, 20, 4.0f, "companion 13" },
        { 17, 16, 5, 2.25f, "companion 17 at 5: one fifth 1.0 < wall minimum" },
        { 21, 20, 0, 2.25f, "position 20 has no companion in the list" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        ctx->rebarPositions = {};
        if (c.p <= 20)
            ctx->rebarPosition(c.p).ARE = c.companionARE;
        EXPECT_NEAR(DistributionArea(*ctx, c.p, c.i), c.expected, 1e-5);
    }

    // The floor of 0.9 governs a thin section with a small minimum percentage.
    s.asMinPercent2 = 0.05f;
    ctx->rebarPositions = {};
    EXPECT_FLOAT_EQ(DistributionArea(*ctx, 11, 10), 0.9f);
    EXPECT_FLOAT_EQ(DistributionFloor(4.5f), 0.9f);
    EXPECT_FLOAT_EQ(DistributionFloor(5), 1.0f);
}

TEST_F(DimFlex, TwoWayDistributionOnlyForBuriedTanks)
{
    s.thicknessEf = 0.12f;
    s.thicknessEp = 0.15f;
    ctx->rebarPosition(12).ARE = 20;
    ctx->rebarPosition(13).ARE = 20;
    s.calcState = 3020;
    EXPECT_FLOAT_EQ(DistributionAreaTwoWay(*ctx, 12, 10), 4.0f);
    EXPECT_FLOAT_EQ(DistributionAreaTwoWay(*ctx, 13, 11), 2.25f); // 13 is no two-way companion
    s.calcState = 3010;
    EXPECT_FLOAT_EQ(DistributionAreaTwoWay(*ctx, 12, 10), 1.8f); // elevated: minimum only
}

TEST_F(DimFlex, BarCountAndSpacing)
{
    s.asMinPercent = 0.01f;
    const float a10 = BarArea(s, 10); // 0.785398 cm²
    EXPECT_NEAR(a10, 0.7853982, 1e-6);
    // An area of exactly five bars still gets one bar more.
    EXPECT_EQ(BarCount(s, 5.0f * a10, 10, 10), 6);
    EXPECT_EQ(BarCount(s, 4.99f * a10, 10, 10), 5);
    EXPECT_EQ(BarCount(s, 0, 10, 10), 0);
    EXPECT_EQ(BarCount(s, -1, 10, 10), 0);
    s.asMinPercent = 0.15f; // 0.1 is raised to 1.5 over 10 cm: 1.5/0.50265 → 2 + 1
    EXPECT_EQ(BarCount(s, 0.1f, 10, 8), 3);
    EXPECT_THROW(BarCount(s, 1e6f, 10, 3.2f), CalcError); // beyond 16 bits
    s.pi = 0;
    EXPECT_THROW(BarCount(s, 2, 10, 8), CalcError); // bar area 0
    s.pi = 4.0 * std::atan(1.0);

    const struct
    {
        std::int16_t n;
        float multiple, expected;
        const char *source;
    } spacings[] = {
        { 7, 2.5f, 12.5f, "worked example: Fix(100/7) = 14, Fix(14/2.5) = 5" },
        { 3, 2.5f, 32.5f, "33 cut to 13 × 2.5" },
        { 4, 2.5f, 25, "100/4 is already a multiple" },
        { 7, 1, 14, "multiple 1: whole centimetres" },
        { 100, 2.5f, 0, "1 cm is below one multiple" },
        { 101, 2.5f, 0, "beyond 100 bars" },
        { 0, 2.5f, 0, "no bars" },
        { -3, 2.5f, 0, "negative count" },
    };
    for (const auto &c : spacings) {
        SCOPED_TRACE(c.source);
        s.spacingMultiple = c.multiple;
        EXPECT_FLOAT_EQ(BarSpacing(s, c.n), c.expected);
    }
    s.spacingMultiple = 0;
    EXPECT_THROW(BarSpacing(s, 7), CalcError);
}

TEST_F(DimFlex, BarsAlongALength)
{
    s.maxSpacing = 20;
    const struct
    {
        float spacing;
        std::int16_t n;
        float L;
        std::int16_t expected;
        const char *source;
    } cases[] = {
        { 15, 7, 300, 20, "worked example: 300/15 whole, 20 ≥ Fix(300/20)+1 = 16" },
        { 16, 7, 300, 19, "worked example: 18.75 is not whole, 18 + 1" },
        { 30, 4, 300, 16, "whole 10 raised to what the largest spacing needs" },
        { 0, 3, 300, 16, "no spacing: the count, raised to 16" },
        { 0, 20, 300, 20, "no spacing: a count above 16 stays" },
        { 12.5f, 8, 0, 1, "no length: one bar" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(BarsAlong(s, c.spacing, c.n, c.L), c.expected);
    }
    s.maxSpacing = 0;
    EXPECT_THROW(BarsAlong(s, 15, 7, 300), CalcError);
}

TEST_F(DimFlex, BarLengthPerPositionGroup)
{
    // A 3.00 × 2.00 × 2.50 m tank, lid 10, bottom 12, walls 15 cm, cover 1.5 cm, corner bars
    // 15 % of 300 = 45 cm: every value below is the table's formula by hand.
    s.widthA = 3.0f;
    s.lengthB = 2.0f;
    s.heightH = 2.5f;
    s.thicknessEt = 0.10f;
    s.thicknessEf = 0.12f;
    s.thicknessEp = 0.15f;
    s.hatchX = 0.6f;
    s.hatchY = 0.8f;
    const float expected[21] = {
        0, //
        314, 214, // 297 + 2·8.5; 197 + 17
        193, 193, // 4·43.5 + 12 + 7
        321, 221, // 297 + 24; 197 + 24
        318, 218, // 297 + 2·10.5; 197 + 21
        195, 195, // 174 + 12 + 9
        274, 324, 274, 324, 274, 224, 274, 224, // 247 + 27; 297 + 27; 197 + 27
        198, // 174 + 2·12
        120, // 1.5 · 80
    };
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(BarLength(*ctx, i), expected[i]);
    }
    EXPECT_FLOAT_EQ(BarLength(*ctx, 0), 0);
    EXPECT_FLOAT_EQ(BarLength(*ctx, 21), 0);

    // The hatch bar 1.5 · 55 = 82.5 rounds half away from zero to 83.
    s.hatchX = 0.55f;
    s.hatchY = 0.35f;
    EXPECT_FLOAT_EQ(BarLength(*ctx, 20), 83);
    // The corner share is read from the settings at each call, with two decimals.
    ctx->forms.FormCFG.setText("RSVPORCTAMASEST", "20");
    EXPECT_FLOAT_EQ(BarLength(*ctx, 19), 4 * 58.5f + 24); // 20 % of 300 = 60
    ctx->forms.FormCFG.setText("RSVPORCTAMASEST", "12,5");
    EXPECT_FLOAT_EQ(BarLength(*ctx, 19), 4 * 36 + 24); // 37.5 - 1.5
}

TEST_F(DimFlex, Repetitions)
{
    const std::int16_t expected[22] = { 0, 1, 1, 2, 2, 1, 1, 1, 1, 2, 2,
                                        1, 1, 1, 1, 1, 1, 1, 1, 4, 4, 0 };
    for (int i = 0; i <= 21; ++i)
        EXPECT_EQ(Repetitions(i), expected[i]) << i;
}

} // namespace
