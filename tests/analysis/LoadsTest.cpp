#include "analysis/ModuleCalcEsforcos.h"
#include "analysis/ModuleFuncoesGeo.h"
#include "core/CalcContext.h"
#include "core/CalcError.h"
#include "core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace ModuleCalcEsforcos;

namespace {

constexpr float kSentinel = 12345.0f;

/// The program's default project (the input windows' load-time values) at the minimum
/// thickness of 10 cm, with water 1 tf/m³ and concrete 2.5 tf/m³, in Brazilian settings.
struct DefaultProject
{
    DefaultProject() : ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()))
    {
        DesignState &s = ctx.state;
        s.pi = 4.0 * std::atan(1.0);
        s.waterUnitWeight = 1000;
        s.concreteUnitWeight = 2500;
        s.widthA = 2.79f;
        s.lengthB = 2.56f;
        s.heightH = 2.61f;
        s.waterLevelHn = 2.41f;
        s.thicknessEt = s.thicknessEp = s.thicknessEf = 0.10f;
        s.lidLiveLoad = -50;
        s.buryHeightHt = 1.52f;
        s.groundSurchargeQt = 100;
        s.waterTableHna = 0.75f;
        s.soilUnitWeight = 1.6f;
        s.soilFrictionAngle = 28;
        s.groundSlopeAngle = 3;
        setBuried(true);
    }

    void setBuried(bool buried)
    {
        ctx.state.calcState = buried ? 2020 : 2010;
        ctx.forms.FormTipoElev.setState("OptionElevada", buried ? 0 : 1);
        ctx.forms.FormTipoElev.setState("OptionEnterrada", buried ? 1 : 0);
    }

    /// Marks the buried-only outputs so that a test can see whether they were touched.
    void markBuriedOutputs()
    {
        DesignState &s = ctx.state;
        s.bottomReaction = s.soilThrust = s.groundWaterThrust = s.upliftPressure = kSentinel;
        s.earthPressureCoef = kSentinel;
        for (int i = 12; i <= 15; ++i)
            ctx.results.Text_a[i] = "antes";
    }

    void calculate()
    {
        WriteResultsHeader(ctx);
        ComputeLoads(ctx);
    }

    CalcContext ctx;
};

class LoadsTest : public ::testing::Test, public DefaultProject
{
};

TEST_F(LoadsTest, HeaderOfTheDefaultProject)
{
    WriteResultsHeader(ctx);
    const ResultsFields &r = ctx.results;
    EXPECT_EQ(r.Text_a[0], "2,79");
    EXPECT_EQ(r.Text_a[1], "2,56");
    EXPECT_EQ(r.Text_a[2], "2,61");
    EXPECT_EQ(r.Text_a[3], "2,41");
    // 2.79 × 2.56 × 2.61 = 18.641664 m³.
    EXPECT_EQ(r.Text_a[7], "18,64");
    // Inner plan (2.79 − 2·0.10) × (2.56 − 2·0.10) = 2.59 × 2.36, clear height
    // 2.61 − 0.10 − 0.10 = 2.41 (the whole inner height, not the water level):
    // 2.59 × 2.36 × 2.41 = 14.730884 m³.
    EXPECT_EQ(r.Text_a[8], "14,73");
    EXPECT_EQ(r.Text_a[4], "0,1");
    EXPECT_EQ(r.Text_a[5], "0,1");
    EXPECT_EQ(r.Text_a[6], "0,1");
    EXPECT_TRUE(r.frame1Visible);
    EXPECT_EQ(r.Text_hn[0], "1,52");
    EXPECT_EQ(r.Text_hn[1], "0,75");

    // The thickness review adds 0.01 in single precision: fourteen raises from 0.10 give
    // 0.2400001, which the header shows to the centimetre.
    for (int i = 0; i < 14; ++i)
        ctx.state.thicknessEp += 0.01f;
    ctx.setRegional(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::enUS()));
    WriteResultsHeader(ctx);
    EXPECT_EQ(r.Text_a[5], "0.24");
    EXPECT_EQ(r.Text_a[7], "18.64");
}

TEST_F(LoadsTest, BuriedDefaultProjectByHand)
{
    ctx.state.calcState = 20; // before the layout is added: the tank-kind window decides
    calculate();
    const DesignState &s = ctx.state;
    const ResultsFields &r = ctx.results;

    // Ka(28º, 3º) = cos²28º / [1 + √(sin 28º · sin 25º / cos 3º)]² = 0.372986029700.
    EXPECT_NEAR(s.earthPressureCoef, 0.372986029700, 1e-7);

    // D: lid −50 − 0.10·2500 = −300; walls 2·0.10·2.41·(2.59 + 2.36)·2500 / (2.59·2.36)
    // = 5964.75 / 6.1124 = 975.84; D = −1275.84 → −1276.
    EXPECT_EQ(s.bottomReaction, -1276.0f);
    EXPECT_EQ(r.Text_a[12], "-1276");
    // E: hs = 100 / 1600 = 0.0625; −½·0.372986·1600·(1.5825² − 0.0625²) = −746.09 → −746.
    EXPECT_EQ(s.soilThrust, -746.0f);
    EXPECT_EQ(r.Text_a[13], "-746");
    // F = −½·1000·0.75² = −281.25 → −281; G = −1000·0.75 = −750.
    EXPECT_EQ(s.groundWaterThrust, -281.0f);
    EXPECT_EQ(r.Text_a[14], "-281");
    EXPECT_EQ(s.upliftPressure, -750.0f);
    EXPECT_EQ(r.Text_a[15], "-750");
    // A is the stored (negative) live load; B = C = 1000·2.41.
    EXPECT_EQ(r.Text_a[9], "-50");
    EXPECT_EQ(s.wallWaterLoad, 2410.0f);
    EXPECT_EQ(s.bottomWaterLoad, 2410.0f);
    EXPECT_EQ(r.Text_a[10], "2410");
    EXPECT_EQ(r.Text_a[11], "2410");

    // The layouts' loads are made of the rounded values: walls B + E + F = 2410 − 746 − 281,
    // empty E + F; the bottom takes D + G in both cases, never the water inside.
    ctx.state.calcState = 2020;
    const CaseLoads c = ComputeCaseLoads(ctx.state);
    EXPECT_EQ(c.lidLoad, -300.0f);
    EXPECT_EQ(c.wallLoadFull, 1383.0f);
    EXPECT_EQ(c.wallLoadEmpty, -1027.0f);
    EXPECT_EQ(c.bottomLoadFull, -2026.0f);
    EXPECT_EQ(c.bottomLoadEmpty, -2026.0f);
}

TEST_F(LoadsTest, ElevatedTankLeavesTheBuriedLoadsAlone)
{
    setBuried(false);
    ctx.state.lidLiveLoad = -150; // 150 kgf/m² typed in the lid window
    markBuriedOutputs();
    calculate();
    const DesignState &s = ctx.state;
    const ResultsFields &r = ctx.results;

    EXPECT_FALSE(r.frame1Visible);
    EXPECT_EQ(r.Text_hn[0], "1,52");
    EXPECT_EQ(r.Text_hn[1], "0,75");
    for (int i = 12; i <= 15; ++i)
        EXPECT_EQ(r.Text_a[i], "antes") << i;
    EXPECT_EQ(s.bottomReaction, kSentinel);
    EXPECT_EQ(s.soilThrust, kSentinel);
    EXPECT_EQ(s.groundWaterThrust, kSentinel);
    EXPECT_EQ(s.upliftPressure, kSentinel);
    EXPECT_EQ(s.earthPressureCoef, kSentinel);

    EXPECT_EQ(r.Text_a[9], "-150");
    EXPECT_EQ(r.Text_a[10], "2410");
    EXPECT_EQ(r.Text_a[11], "2410");

    const CaseLoads c = ComputeCaseLoads(s);
    EXPECT_EQ(c.lidLoad, -400.0f); // −150 − 0.10·2500
    EXPECT_EQ(c.wallLoadFull, 2410.0f);
    EXPECT_EQ(c.wallLoadEmpty, 0.0f);
    EXPECT_EQ(c.bottomLoadFull, 2410.0f);
    EXPECT_EQ(c.bottomLoadEmpty, 0.0f);
}

TEST(EarthPressureCoefficient, CoulombValues)
{
    const struct
    {
        std::int16_t phi, theta, beta, delta;
        double expected, tolerance;
        const char *source;
    } cases[] = {
        { 30, 0, 0, 0, 1.0 / 3.0, 1e-15, "tan²(45º − 15º) = 1/3" },
        { 30, 0, 20, 0, 0.441090497974, 1e-11, "cos²30º / [1 + √(sin 30º sin 10º / cos 20º)]²" },
        { 30, 0, 30, 0, 0.75, 1e-15, "β = φ: the root vanishes, Ka = cos²φ" },
        { 30, 0, 0, 20, 0.297, 1e-3, "published Coulomb table, vertical wall, δ = 20º" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_NEAR(EarthPressureCoefficient(c.phi, c.theta, c.beta, c.delta), c.expected,
                    c.tolerance);
    }
    EXPECT_EQ(static_cast<float>(EarthPressureCoefficient(30, 0, 0, 0)), 1.0f / 3.0f);
    EXPECT_GT(EarthPressureCoefficient(30, 0, 20, 0), 1.0 / 3.0);
}

TEST_F(LoadsTest, SoilThrustWithAndWithoutSurcharge)
{
    // φ = 30º, β = 0: Ka = 1/3; γs = 1.8 tf/m³, ht = 1.5 m.
    // qt = 0: E = −½·Ka·1000·γs·ht² = −½·⅓·1800·2.25 = −675.
    // qt = 300: E = −675 − Ka·qt·ht = −675 − ⅓·300·1.5 = −825.
    const struct
    {
        float qt, expected;
    } cases[] = { { 0, -675 }, { 300, -825 } };
    DesignState &s = ctx.state;
    s.soilFrictionAngle = 30;
    s.groundSlopeAngle = 0;
    s.soilUnitWeight = 1.8f;
    s.buryHeightHt = 1.5f;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.qt);
        s.groundSurchargeQt = c.qt;
        ComputeLoads(ctx);
        EXPECT_EQ(s.soilThrust, c.expected);
    }
}

TEST_F(LoadsTest, NoGroundWaterGivesExactZeros)
{
    ctx.state.waterTableHna = 0;
    ComputeLoads(ctx);
    // −½·γw·0² is a negative zero in floating point; the stored load and its text are plain 0.
    EXPECT_EQ(ctx.state.groundWaterThrust, 0.0f);
    EXPECT_FALSE(std::signbit(ctx.state.groundWaterThrust));
    EXPECT_EQ(ctx.state.upliftPressure, 0.0f);
    EXPECT_FALSE(std::signbit(ctx.state.upliftPressure));
    EXPECT_EQ(ctx.results.Text_a[14], "0");
    EXPECT_EQ(ctx.results.Text_a[15], "0");
}

TEST(Loads, ImpossibleInputRaisesBeforeAnythingIsStored)
{
    const struct
    {
        const char *name;
        void (*setUp)(DefaultProject &);
        void (*step)(CalcContext &);
        const char *message; // a part of the message telling what to change
    } cases[] = {
        { "ground steeper than the natural slope",
          [](DefaultProject &t) { t.ctx.state.groundSlopeAngle = 29; }, ComputeLoads,
          "Reduza o ângulo de inclinação adjacente para no máximo 28º" },
        { "walls thicker than half of b (loads)",
          [](DefaultProject &t) { t.ctx.state.thicknessEp = 1.28f; }, ComputeLoads,
          "o comprimento da caixa b = 2,56 m não é maior que duas espessuras de parede" },
        { "walls thicker than half of b (header)",
          [](DefaultProject &t) { t.ctx.state.thicknessEp = 1.30f; }, WriteResultsHeader,
          "reduza a espessura das paredes" },
        { "walls thicker than half of b, elevated tank (header)",
          [](DefaultProject &t) {
              t.setBuried(false);
              t.ctx.state.thicknessEp = 1.30f;
          },
          WriteResultsHeader, "Espessura das paredes e(p) = 1,3 m" },
        { "lid and bottom fill the height",
          [](DefaultProject &t) { t.ctx.state.thicknessEt = t.ctx.state.thicknessEf = 1.31f; },
          WriteResultsHeader, "Aumente a altura da caixa (h)" },
        { "soil without weight: the surcharge height is infinite",
          [](DefaultProject &t) { t.ctx.state.soilUnitWeight = 0; }, ComputeLoads,
          "empuxo devido ao solo (E)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DefaultProject fresh;
        c.setUp(fresh);
        fresh.markBuriedOutputs();
        const ResultsFields before = fresh.ctx.results;
        try {
            c.step(fresh.ctx);
            ADD_FAILURE() << "no CalcError";
        } catch (const CalcError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(fresh.ctx.results.Text_a, before.Text_a);
        EXPECT_EQ(fresh.ctx.state.bottomReaction, kSentinel);
        EXPECT_EQ(fresh.ctx.state.soilThrust, kSentinel);
        EXPECT_EQ(fresh.ctx.state.earthPressureCoef, kSentinel);
        EXPECT_EQ(fresh.ctx.state.wallWaterLoad, 0.0f);
    }
}

} // namespace
