#include "DesignTestContext.h"

#include "core/CalcError.h"
#include "design/BarGauge.h"
#include "design/ModuleDimFlex.h"
#include "design/ModulersvARM.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ModulersvARM;

namespace {

class Positions : public ::testing::Test
{
protected:
    Positions()
    {
        ClearRebarPositions(*ctx);
        s.widthA = 3.0f;
        s.lengthB = 2.0f;
        s.heightH = 2.5f;
        s.thicknessEt = 0.10f;
        s.thicknessEf = 0.12f;
        s.thicknessEp = 0.15f;
        for (int i = 1; i <= 20; ++i) {
            ctx->rebarPosition(i).D = 10;
            ctx->rebarPosition(i).DIST = 300;
        }
    }

    /// A designed-looking position: 10 bars of gauge row `row` at `spacing`, 250 cm long.
    RebarPosition &Arranged(int i, int row, float spacing = 15)
    {
        RebarPosition &p = ctx->rebarPosition(i);
        p.N = std::to_string(i);
        p.ARE = 2.0f;
        p.NBR = 10;
        p.gauge = GaugeByIndex(row);
        p.C = spacing;
        p.CMP = 250;
        return p;
    }

    std::unique_ptr<CalcContext> ctx = MakeDesignContext();
    DesignState &s = ctx->state;
};

TEST(BarGauges, IndexOfMillimetresOrInches)
{
    const struct
    {
        float value;
        int row;
    } cases[] = { { 8, 4 },   { 0.3125f, 4 }, { 9, 0 },  { 3.2f, 1 },
                  { 40, 12 }, { 1.5f, 12 },   { 1, 10 }, { 0, 0 } };
    for (const auto &c : cases)
        EXPECT_EQ(GaugeIndexOf(c.value), c.row) << c.value;
}

TEST_F(Positions, NoBetterSpacingStopsTheSearch)
{
    s.bestSpacing = 15;
    // The worked sequence 6, 10, 12.5, 17.5: rows 1 to 3 adopted, row 4 stops the search.
    const struct
    {
        float next, adopted;
        bool stop;
        const char *source;
    } cases[] = {
        { 6, 100000, false, "row 1 against the mark of no spacing" },
        { 10, 6, false, "closer" },
        { 12.5f, 10, false, "closer" },
        { 17.5f, 12.5f, true, "2.5 is not smaller than 2.5" },
        { 12.5f, 12.5f, false, "an equal spacing lets the larger gauge in" },
        { 40, 0, false, "an adopted spacing of 0 never stops the search" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(NoBetterSpacing(s, c.next, c.adopted), c.stop);
    }
}

TEST_F(Positions, GaugeSearch)
{
    // Position 1 has no moment: its area is the lid minimum, pct2 % of 10 cm. Spacings by hand
    // with multiple 2.5 over DIST 300 (bar areas 0.0804, 0.1963, 0.3117, 0.5027 cm²).
    const struct
    {
        float pct2, best;
        int row;
        float spacing;
        std::int16_t bars;
        const char *source;
    } cases[] = {
        { 0.2f, 15, 3, 12.5f, 24,
          "As 2.0: spacings 2.5, 7.5, 12.5 adopted, 25 at row 4 stops; 300/12.5 = 24 bars" },
        { 0.38f, 7.5f, 3, 5, 60,
          "As 3.8: spacings 0, 5, 5 (the larger gauge keeps the tie), 10 at row 4 stops" },
        { 0.2f, 100, 12, 100, 11,
          "As 2.0, preferred 100: rows 7 to 12 all give one bar at 100 cm and the ties run to "
          "the largest gauge; 300/100 = 3 bars raised to Fix(300/30)+1 = 11" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        ClearRebarPositions(*ctx);
        ctx->rebarPosition(1).D = 10;
        ctx->rebarPosition(1).DIST = 300;
        s.asMinPercent = c.pct2;
        s.asMinPercent2 = c.pct2;
        s.bestSpacing = c.best;
        DesignPositions(*ctx, DistributionRule::OneWay);
        const RebarPosition &p = ctx->rebarPosition(1);
        EXPECT_EQ(GaugeIndexOf(p.gauge.diameterMm), c.row);
        EXPECT_FLOAT_EQ(p.C, c.spacing);
        EXPECT_EQ(p.NBR, c.bars);
    }
}

TEST_F(Positions, DesignFillsEveryPosition)
{
    ctx->rebarPosition(11).MK = 1000;
    ctx->rebarPosition(11).D = 15;
    DesignPositions(*ctx, DistributionRule::OneWay);
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const RebarPosition &p = ctx->rebarPosition(i);
        EXPECT_EQ(p.N, std::to_string(i));
        EXPECT_EQ(p.NVZ, ModuleDimFlex::Repetitions(i));
        EXPECT_EQ(p.CMP, ModuleDimFlex::BarLength(*ctx, i));
        EXPECT_GT(p.NBR, 0);
        EXPECT_NE(p.C, 100000.0f);
        EXPECT_EQ(p.BADAS, 0);
        EXPECT_EQ(p.OUTAS, 0);
    }
    // The steel of a moment is stored with two decimals: 2.2047 at 0.10 % would be 2.2; here
    // the 0.15 % minimum of 15 cm governs.
    EXPECT_FLOAT_EQ(ctx->rebarPosition(11).ARE, 2.25f);
    // Position 10 read its companion 11 before 11 was designed: the floor of 0 (0.9) loses to
    // the bottom minimum 0.15 % of 12 cm.
    EXPECT_FLOAT_EQ(ctx->rebarPosition(10).ARE, 1.8f);
}

TEST_F(Positions, CompanionAreaIsReadAsItStandsWhenTheRuleRuns)
{
    s.asMinPercent = s.asMinPercent2 = 0.05f; // bottom minimum 0.6, wall minimum 0.75
    ctx->rebarPosition(11).MK = 3000;
    ctx->rebarPosition(11).D = 15;
    DesignPositions(*ctx, DistributionRule::OneWay);
    const float wallArea = ctx->rebarPosition(11).ARE;
    ASSERT_GT(wallArea / 5, 0.9f);
    EXPECT_FLOAT_EQ(ctx->rebarPosition(10).ARE, 0.9f); // the companion was still 0

    // Designing the same list again (not a fresh one) finds the companion's area in place.
    DesignPositions(*ctx, DistributionRule::OneWay);
    EXPECT_FLOAT_EQ(ctx->rebarPosition(10).ARE, wallArea / 5);

    // The two-way rule looks two positions ahead, and only for a buried tank.
    s.calcState = 3020;
    DesignPositions(*ctx, DistributionRule::TwoWay);
    EXPECT_FLOAT_EQ(ctx->rebarPosition(9).ARE, wallArea / 5);
    // Companion 12 still holds the wall minimum 0.75 of the run before: floor 0.9.
    EXPECT_FLOAT_EQ(ctx->rebarPosition(10).ARE, 0.9f);
    EXPECT_FLOAT_EQ(ctx->rebarPosition(8).ARE, 0.6f); // 10 is no companion: bottom minimum
    EXPECT_EQ(DistributionRuleOf(3020), DistributionRule::TwoWay);
    EXPECT_EQ(DistributionRuleOf(2010), DistributionRule::OneWay);
}

TEST_F(Positions, MomentWithoutSteelIsMarkedRed)
{
    // 1 - 1.4·10000 / (142.86 · 15² · 0.425) < 0: no steel carries this moment.
    ctx->rebarPosition(12).MK = 10000;
    ctx->rebarPosition(12).D = 15;
    DesignPositions(*ctx, DistributionRule::OneWay);
    EXPECT_EQ(ctx->rebarPosition(12).ARE, 0.0f);
    EXPECT_EQ(ctx->rebarPosition(12).BADAS, -1);
    EXPECT_EQ(PositionRow(*ctx, 12)[3].foreground, GridColour::Red);
}

TEST_F(Positions, DesignFaultsAreCalcErrors)
{
    ctx->rebarPosition(3).MK = 1000;
    ctx->rebarPosition(3).D = 0;
    EXPECT_THROW(DesignPositions(*ctx, DistributionRule::OneWay), CalcError);
}

TEST_F(Positions, ArrangementText)
{
    const auto ptBR = FixedRegionalSettings::ptBR();
    const auto enUS = FixedRegionalSettings::enUS();
    RebarPosition p = Arranged(1, 4);
    EXPECT_EQ(ArrangementText(p, true, enUS), "10ø8c15-250");
    EXPECT_EQ(ArrangementText(p, false, enUS), "10ø5/16c15-250");
    EXPECT_EQ(ArrangementText(p, true, ptBR), "10ø8c15-250");
    p.gauge = GaugeByIndex(6);
    p.C = 12.5f;
    p.CMP = 249.5f; // lengths to whole centimetres, halves away from zero
    EXPECT_EQ(ArrangementText(p, true, enUS), "10ø12.5c12.5-250");
    EXPECT_EQ(ArrangementText(p, true, ptBR), "10ø12,5c12,5-250");
    EXPECT_EQ(ArrangementText(p, false, ptBR), "10ø1/2c12,5-250");
    p.gauge = GaugeByIndex(11);
    EXPECT_EQ(ArrangementText(p, false, enUS), "10ø1'1/4c12.5-250");
}

TEST_F(Positions, AlternativesMarkUnworkableArrangements)
{
    s.minSpacing = 0;
    RebarPosition p = Arranged(3, 4);
    p.ARE = 1.0f; // gauge row 1: Fix(1/0.0804) + 1 = 13 bars, spacing 5
    const struct
    {
        float dist, minSpacing;
        int row;
        std::int16_t bars;
        float spacing;
        bool red;
        const char *source;
    } cases[] = {
        { 495, 0, 1, 99, 5, false, "495/5 = 99 bars: still acceptable" },
        { 500, 0, 1, 100, 5, true, "500/5 = 100 bars" },
        { 495, 7.5f, 1, 99, 5, true, "spacing 5 below the minimum 7.5" },
        { 495, 0, 12, 5, 100, true, "one 40 mm bar: spacing 100 above the maximum 30" },
        { 300, 0, 3, 12, 25, false, "Fix(1/0.3117)+1 = 4 bars at 25 cm: 300/25 = 12" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        p.DIST = c.dist;
        s.minSpacing = c.minSpacing;
        const Alternatives alt = BuildAlternatives(*ctx, p, true);
        const RebarPosition &a = alt.list[static_cast<std::size_t>(c.row - 1)];
        EXPECT_EQ(a.NBR, c.bars);
        EXPECT_FLOAT_EQ(a.C, c.spacing);
        EXPECT_EQ(a.BADAS, c.red ? -1 : 0);
        EXPECT_EQ(GaugeIndexOf(a.gauge.diameterMm), c.row);
        const GridContent grid = AlternativesGrid(alt, true, ctx->regional());
        const auto &cells = grid.rows[static_cast<std::size_t>(c.row - 1)];
        EXPECT_EQ(cells[0].foreground, c.red ? GridColour::Red : GridColour::TitleBarText);
        EXPECT_EQ(cells[1].foreground, c.red ? GridColour::Red : GridColour::WindowText);
    }

    // A spacing equal to the minimum is allowed: 2.0/0.1963 → 11 bars, 9 → 7.5 cm.
    s.minSpacing = 7.5f;
    p.ARE = 2.0f;
    p.DIST = 300;
    const Alternatives alt = BuildAlternatives(*ctx, p, true);
    EXPECT_FLOAT_EQ(alt.list[1].C, 7.5f);
    EXPECT_EQ(alt.list[1].BADAS, 0);
}

TEST_F(Positions, AlternativesCurrentRowAndCaption)
{
    RebarPosition &p = Arranged(3, 4);
    Alternatives alt = BuildAlternatives(*ctx, p, true);
    EXPECT_EQ(alt.currentRow, 4);
    EXPECT_EQ(alt.caption, "[N3] - Bitola de 8mm");
    const GridContent grid = AlternativesGrid(alt, true, ctx->regional());
    EXPECT_EQ(grid.headers, (std::vector<std::string>{ "Bitola (mm)", "Descrição" }));
    EXPECT_EQ(grid.rows.size(), 12u);
    EXPECT_EQ(grid.rows[5][0].text, "12.5");

    alt = BuildAlternatives(*ctx, p, false);
    EXPECT_EQ(alt.caption, "[N3] - Bitola de 5/16pol");
    EXPECT_EQ(AlternativesGrid(alt, false, ctx->regional()).headers[0], "Bitola (pol)");
}

TEST_F(Positions, PickedAlternativeCarriesItsColour)
{
    s.minSpacing = 7.5f;
    Arranged(3, 4).ARE = 1.0f;
    const Alternatives alt = BuildAlternatives(*ctx, ctx->rebarPosition(3), true);
    ASSERT_EQ(alt.list[0].BADAS, -1); // 13 bars of 3.2 mm at 5 cm

    const GridUpdate u = ApplyAlternative(*ctx, 3, alt.list[0]);
    EXPECT_EQ(u.rows, std::vector<int>{ 3 });
    EXPECT_EQ(u.selection, (GridSelection{ 3, 1, 3, 3 }));
    const RebarPosition &p = ctx->rebarPosition(3);
    EXPECT_EQ(p.gauge, GaugeByIndex(1));
    EXPECT_EQ(p.NBR, alt.list[0].NBR);
    EXPECT_FLOAT_EQ(p.C, 5);
    EXPECT_EQ(p.BADAS, -1);
    const auto row = PositionRow(*ctx, 3);
    EXPECT_EQ(row[3].text, ArrangementText(alt.list[0], true, ctx->regional()));
    EXPECT_EQ(row[3].foreground, GridColour::Red);
}

TEST_F(Positions, NextAndPreviousGauge)
{
    Arranged(1, 12);
    Arranged(2, 1);
    Arranged(3, 4);
    const RebarPosition top = ctx->rebarPosition(1);
    const RebarPosition bottom = ctx->rebarPosition(2);

    // Nothing beyond the last or before the first row of the table.
    EXPECT_TRUE(NextGauge(*ctx, 1).empty());
    EXPECT_TRUE(PreviousGauge(*ctx, 2).empty());
    EXPECT_EQ(ctx->rebarPosition(1), top);
    EXPECT_EQ(ctx->rebarPosition(2), bottom);

    // One step takes the neighbouring alternative whole.
    const Alternatives alt = BuildAlternatives(*ctx, ctx->rebarPosition(3), true);
    EXPECT_EQ(NextGauge(*ctx, 3).rows, std::vector<int>{ 3 });
    EXPECT_EQ(ctx->rebarPosition(3).gauge, GaugeByIndex(5));
    EXPECT_EQ(ctx->rebarPosition(3).NBR, alt.list[4].NBR);
    EXPECT_FLOAT_EQ(ctx->rebarPosition(3).C, alt.list[4].C);
    PreviousGauge(*ctx, 3);
    PreviousGauge(*ctx, 3);
    EXPECT_EQ(ctx->rebarPosition(3).gauge, GaugeByIndex(3));

    // The keys: keypad "+", "+" with shift on the "=" key; "-" with shift only on its own key.
    GridSelection sel{ 3, 1, 3, 3 };
    EXPECT_FALSE(BarGridKeyUp(*ctx, 107, 0, sel).empty());
    EXPECT_FALSE(BarGridKeyUp(*ctx, 187, 1, sel).empty());
    EXPECT_TRUE(BarGridKeyUp(*ctx, 187, 0, sel).empty());
    EXPECT_EQ(ctx->rebarPosition(3).gauge, GaugeByIndex(5));
    EXPECT_FALSE(BarGridKeyUp(*ctx, 109, 0, sel).empty());
    EXPECT_TRUE(BarGridKeyUp(*ctx, 189, 0, sel).empty());
    EXPECT_FALSE(BarGridKeyUp(*ctx, 189, 1, sel).empty());
    EXPECT_EQ(ctx->rebarPosition(3).gauge, GaugeByIndex(3));

    // An excluded position keeps its gauge.
    ctx->rebarPosition(3).OUTAS = -1;
    EXPECT_TRUE(NextGauge(*ctx, 3).empty());
    EXPECT_EQ(ctx->rebarPosition(3).gauge, GaugeByIndex(3));
}

TEST_F(Positions, ExclusionOverARangeOfRows)
{
    for (int i = 1; i <= 20; ++i)
        Arranged(i, 4);
    ctx->rebarPosition(4).BADAS = -1;

    // Either order of the selection; the grid goes back to the row it had.
    GridUpdate u = ToggleExclusion(*ctx, 5, 3);
    EXPECT_EQ(u.rows, (std::vector<int>{ 3, 4, 5 }));
    EXPECT_EQ(u.selection, (GridSelection{ 5, 1, 5, 3 }));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(ctx->rebarPosition(i).OUTAS, (i >= 3 && i <= 5) ? -1 : 0) << i;

    const auto excluded = PositionRow(*ctx, 4);
    EXPECT_EQ(excluded[0].background, GridColour::Fixed);
    for (std::size_t c = 0; c < 4; ++c)
        EXPECT_EQ(excluded[c].foreground, GridColour::InactiveCaptionText) << c;
    for (std::size_t c = 1; c < 4; ++c)
        EXPECT_EQ(excluded[c].background, GridColour::InactiveTitleBar) << c;

    // Delete on an excluded row and Insert on an included one do nothing.
    EXPECT_TRUE(BarGridKeyUp(*ctx, 46, 0, { 4, 1, 4, 3 }).empty());
    EXPECT_TRUE(BarGridKeyUp(*ctx, 45, 0, { 6, 1, 6, 3 }).empty());
    EXPECT_EQ(ctx->rebarPosition(6).OUTAS, 0);
    EXPECT_FALSE(CanShowAlternatives(*ctx, 4));

    // Insert includes again; the red description of an unworkable arrangement comes back.
    EXPECT_EQ(BarGridKeyUp(*ctx, 45, 0, { 4, 1, 4, 3 }).rows, std::vector<int>{ 4 });
    const auto included = PositionRow(*ctx, 4);
    EXPECT_EQ(included[0].foreground, GridColour::TitleBarText);
    EXPECT_EQ(included[1].foreground, GridColour::WindowText);
    EXPECT_EQ(included[1].background, GridColour::WindowBackground);
    EXPECT_EQ(included[3].foreground, GridColour::Red);
    EXPECT_TRUE(CanShowAlternatives(*ctx, 4));
    EXPECT_FALSE(CanShowAlternatives(*ctx, 0)); // header row

    EXPECT_EQ(BarGridKeyUp(*ctx, 46, 0, { 6, 1, 6, 3 }).rows, std::vector<int>{ 6 });
    EXPECT_EQ(ctx->rebarPosition(6).OUTAS, -1);
}

TEST_F(Positions, RenumberingWithinSixteenBits)
{
    for (int i = 1; i <= 20; ++i)
        Arranged(i, 4);
    const auto labels = [&] {
        std::vector<std::string> v;
        for (const RebarPosition &p : ctx->rebarPositions)
            v.push_back(p.N);
        return v;
    };
    const auto original = labels();

    // End does nothing while the last label is 20; Home shifts everything up, End back down.
    EXPECT_TRUE(BarGridKeyUp(*ctx, 35, 0, { 1, 1, 1, 3 }).empty());
    EXPECT_EQ(BarGridKeyUp(*ctx, 36, 0, { 1, 1, 1, 3 }).rows.size(), 20u);
    EXPECT_EQ(ctx->rebarPosition(1).N, "21");
    EXPECT_EQ(ctx->rebarPosition(20).N, "40");
    EXPECT_EQ(PositionRow(*ctx, 20)[0].text, "40");
    EXPECT_FALSE(BarGridKeyUp(*ctx, 35, 0, { 1, 1, 1, 3 }).empty());
    EXPECT_EQ(labels(), original);

    // Up stops at 32747 + 20 = 32767; down at -32748 - 20 = -32768; all labels or none.
    ctx->rebarPosition(1).N = "32747";
    EXPECT_FALSE(RenumberUp(*ctx).empty());
    EXPECT_EQ(ctx->rebarPosition(1).N, "32767");
    EXPECT_EQ(ctx->rebarPosition(2).N, "22");
    EXPECT_TRUE(RenumberUp(*ctx).empty());
    EXPECT_EQ(ctx->rebarPosition(2).N, "22");

    ctx->rebarPosition(1).N = "-32748";
    EXPECT_FALSE(RenumberDown(*ctx).empty());
    EXPECT_EQ(ctx->rebarPosition(1).N, "-32768");
    EXPECT_TRUE(RenumberDown(*ctx).empty());
    EXPECT_EQ(ctx->rebarPosition(2).N, "2");

    ctx->rebarPosition(7).N = "x";
    EXPECT_TRUE(RenumberUp(*ctx).empty());
    EXPECT_EQ(ctx->rebarPosition(2).N, "2");
}

TEST_F(Positions, GaugeUnitSwitchRewritesEveryDescription)
{
    for (int i = 1; i <= 20; ++i)
        Arranged(i, 4);
    ctx->rebarPosition(2).OUTAS = -1;
    const GridUpdate u = SwitchGaugeUnit(*ctx, { 7, 2, 9, 3 });
    EXPECT_EQ(s.gaugeUnitIsMm, 0);
    EXPECT_EQ(u.rows.size(), 20u);
    EXPECT_EQ(u.selection, (GridSelection{ 7, 1, 7, 3 }));
    EXPECT_EQ(PositionRow(*ctx, 1)[3].text, "10ø5/16c15-250");
    EXPECT_EQ(PositionRow(*ctx, 2)[3].text, "10ø5/16c15-250");
    EXPECT_EQ(PositionRow(*ctx, 2)[3].foreground, GridColour::InactiveCaptionText);
    SwitchGaugeUnit(*ctx, { 7, 1, 7, 3 });
    EXPECT_EQ(s.gaugeUnitIsMm, -1);
    EXPECT_EQ(PositionsGrid(*ctx).rows[0][3].text, "10ø8c15-250");
}

TEST_F(Positions, PositionsGridTexts)
{
    auto pt = MakeDesignContext(FixedRegionalSettings::ptBR());
    ClearRebarPositions(*pt);
    RebarPosition &p = pt->rebarPosition(5);
    p.N = "5";
    p.ARE = 2.254f;
    p.NVZ = 2;
    p.NBR = 8;
    p.gauge = GaugeByIndex(6);
    p.C = 12.5f;
    p.CMP = 318;
    const GridContent grid = PositionsGrid(*pt);
    EXPECT_EQ(grid.headers, (std::vector<std::string>{ "N", "As (cm²)", "n vezes", "Descrição" }));
    ASSERT_EQ(grid.rows.size(), 20u);
    const auto &row = grid.rows[4];
    EXPECT_EQ(row[0].text, "5");
    EXPECT_EQ(row[1].text, "2,25");
    EXPECT_EQ(row[2].text, "2");
    EXPECT_EQ(row[3].text, "8ø12,5c12,5-318");
}

TEST_F(Positions, PopupMenu)
{
    for (int i = 1; i <= 20; ++i)
        Arranged(i, 4);
    EXPECT_TRUE(BarGridPopupMenu(*ctx, 0).empty());

    auto menu = BarGridPopupMenu(*ctx, 5);
    ASSERT_EQ(menu.size(), 8u);
    EXPECT_EQ(menu[0].caption, "Mais Bitolas ...");
    EXPECT_TRUE(menu[0].visible);
    EXPECT_EQ(menu[2].caption, "Bitolas em polegadas");
    EXPECT_EQ(menu[4].name, "pupndwn");
    EXPECT_FALSE(menu[4].enabled); // last label 20
    EXPECT_EQ(menu[7].caption, "Desabilitar [N5]");

    ToggleExclusion(*ctx, 5, 5);
    RenumberUp(*ctx);
    SwitchGaugeUnit(*ctx, { 5, 1, 5, 3 });
    menu = BarGridPopupMenu(*ctx, 5);
    EXPECT_FALSE(menu[0].visible);
    EXPECT_FALSE(menu[1].visible);
    EXPECT_EQ(menu[2].caption, "Bitolas em milímetros");
    EXPECT_TRUE(menu[4].enabled);
    EXPECT_EQ(menu[7].caption, "Habilitar [N25]");
}

} // namespace
