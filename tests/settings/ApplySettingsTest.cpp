#include "settings/ApplySettings.h"

#include "core/CalcError.h"
#include "design/BarGauge.h"
#include "settings/ParameterFile.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace settings_test;

TEST(ApplySettings, ConvertsTheWindowValuesToDesignUnits)
{
    auto ctx = makeContext();
    FormModel &form = ctx->forms.FormCFG;
    DesignState &s = ctx->state;

    // The load-time values are the factory values.
    ApplySettings(*ctx);
    EXPECT_EQ(s.pi, 4.0 * std::atan(1.0));
    EXPECT_EQ(s.minWallThickness, 0.1f); // 10 cm
    EXPECT_EQ(s.waterUnitWeight, 1000.0f); // 1.0 tf/m³
    EXPECT_EQ(s.concreteUnitWeight, 2500.0f); // 2.5 tf/m³
    EXPECT_EQ(s.steelFyk, 5000.0f); // CA-50
    EXPECT_EQ(s.concreteFck, 150.0f);
    EXPECT_EQ(s.gammaConcrete, 1.4f);
    EXPECT_EQ(s.gammaSteel, 1.15f);
    EXPECT_EQ(s.gammaLoads, 1.4f);
    EXPECT_EQ(s.minCover, 1.5f);
    EXPECT_EQ(s.asMinPercent, 0.15f);
    EXPECT_EQ(s.asMinPercent2, 0.15f);
    EXPECT_EQ(s.spacingMultiple, 2.5f);
    EXPECT_EQ(s.bestSpacing, 20.0f);
    EXPECT_EQ(s.minSpacing, 7.5f);
    EXPECT_EQ(s.maxSpacing, 30.0f);
    EXPECT_EQ(s.gaugeUnitIsMm, -1); // "mm"
    EXPECT_EQ(s.crackCheckOn, -1);
    EXPECT_EQ(s.maxCrackWidth, 0.03f); // 0.30 mm
    EXPECT_EQ(s.crackRefGauge, GaugeByIndex(4)); // list position 3
    EXPECT_EQ(s.crackRefGauge.diameterMm, 8.0f);

    // Values as typed, with either decimal symbol, cut to each parameter's decimals.
    form.setText("RSVESPMINPAR", "12");
    form.setText("RSVH20PESESP", "1,04"); // "0.0": 1.0 tf/m³
    form.setText("RSVCFGCONCPESESP", "2,455"); // "0.00": 2.46 tf/m³
    form.setState("RSVCFGTIPOACO", 1); // CA-60
    form.setText("RSVCFGMAJCARGAS", "1,45");
    form.setText("RSVCFGSECASMIN", "0,125"); // "0.00", halves away from zero: 0.13
    form.setText("RSVCFGESPMULT", "2,54"); // "0.0": 2.5
    form.setState("RSVCFGBITOUNID", 1); // "pol"
    form.setState("RSVFissOK", 0);
    form.setState("RSVFissNOK", 1);
    form.setText("RSVABMAXFISS", "0,2");
    form.setState("RSVBITADOTFISS", 11);
    ApplySettings(*ctx);
    EXPECT_EQ(s.minWallThickness, 0.12f);
    EXPECT_EQ(s.waterUnitWeight, 1000.0f);
    EXPECT_EQ(s.concreteUnitWeight, 2460.0f);
    EXPECT_EQ(s.steelFyk, 6000.0f);
    EXPECT_EQ(s.gammaLoads, 1.45f);
    EXPECT_EQ(s.asMinPercent, 0.13f);
    EXPECT_EQ(s.asMinPercent2, 0.13f);
    EXPECT_EQ(s.spacingMultiple, 2.5f);
    EXPECT_EQ(s.gaugeUnitIsMm, 0);
    EXPECT_EQ(s.crackCheckOn, 0);
    EXPECT_EQ(s.maxCrackWidth, 0.02f);
    EXPECT_EQ(s.crackRefGauge.diameterMm, 40.0f); // last row

    // The thicknesses follow the new minimum only when they are reset.
    EXPECT_EQ(s.thicknessEp, 0.0f);
}

TEST(ApplySettings, ABadValueLeavesTheDesignStateAsItWas)
{
    auto ctx = makeContext();
    ApplySettings(*ctx);
    const DesignState before = ctx->state;
    const struct
    {
        const char *control;
        const char *text;
        int state;
    } cases[] = { { "RSVCFGCOBMIN", "abc", 0 }, // not a number
                  { "RSVBITADOTFISS", nullptr, 12 }, // past the 12 gauges
                  { "RSVCFGTIPOACO", nullptr, -1 } }; // nothing selected
    for (const auto &c : cases) {
        SCOPED_TRACE(c.control);
        auto bad = makeContext();
        bad->state = before;
        bad->forms.FormCFG.setText("RSVCFGCONCFCK", "300"); // read before the fault
        if (c.text)
            bad->forms.FormCFG.setText(c.control, c.text);
        else
            bad->forms.FormCFG.setState(c.control, c.state);
        EXPECT_THROW(ApplySettings(*bad), CalcError);
        EXPECT_EQ(bad->state.concreteFck, before.concreteFck);
        EXPECT_EQ(bad->state.minCover, before.minCover);
    }
}

TEST(ApplySettings, StartUpLoadsTheFileAndAppliesIt)
{
    TempDir dir;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    writeFile(file.path(),
              "RSVCFGCONCFCK\r\n200\r\nRSVCFGMAJCARGAS\r\n1.45\r\nRSVFISSOK\r\n0\r\n"
              "RSVCFGTIPOACO\r\n1\r\n");
    auto ctx = makeContext();
    const ParametersStatus status = LoadAndApplySettings(*ctx, file);
    EXPECT_TRUE(status.error.ok());
    EXPECT_FALSE(status.warning.empty()); // the other 17 were filled with their defaults
    EXPECT_EQ(ctx->state.concreteFck, 200.0f);
    EXPECT_EQ(ctx->state.gammaLoads, 1.45f);
    EXPECT_EQ(ctx->state.crackCheckOn, 0);
    EXPECT_EQ(ctx->state.steelFyk, 6000.0f);
    EXPECT_EQ(ctx->state.minCover, 1.5f);

    // Nowhere to write: the defaults still reach the design state.
    writeFile(dir / "notafolder", "x");
    auto other = makeContext();
    const ParametersStatus failed =
            LoadAndApplySettings(*other, ParameterFile::inFolder(dir / "notafolder"));
    EXPECT_EQ(failed.error.number, 76);
    EXPECT_EQ(other->state.concreteFck, 150.0f);
    EXPECT_EQ(other->state.minWallThickness, 0.1f);
}

} // namespace
