#include "core/DesignState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DesignState, WindowSizesForScreenDensities)
{
    DesignState s;
    // 96 dpi: the design sizes themselves.
    WindowSizes main = InitWindowSizes(s, 15, 15);
    EXPECT_EQ(s.inputFormWidth, 7500);
    EXPECT_EQ(s.inputFormHeight, 5250);
    EXPECT_EQ(s.largeFormWidth, 9600);
    EXPECT_EQ(s.largeFormHeight, 6450);
    EXPECT_EQ(main.mainWidth, 9825);
    EXPECT_EQ(main.mainHeight, 8175);

    // 120 dpi: factor 0.775; 12 × 500 / 0.775 = 7741.9 is stored as 7742.
    main = InitWindowSizes(s, 12, 12);
    EXPECT_EQ(s.inputFormWidth, 7742);
    EXPECT_EQ(s.inputFormHeight, 5419);
    EXPECT_EQ(s.largeFormWidth, 9910);
    EXPECT_EQ(main.mainWidth, 10142);
}

TEST(DesignState, CalcStateTestsAndLayoutRemoval)
{
    const struct
    {
        std::int16_t state, removed;
    } cases[] = {
        { 3020, 20 }, { 3010, 10 }, { 2020, 20 }, { 2010, 10 }, { 1020, 20 }, { 1010, 10 }
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(RemoveLayout(c.state), c.removed);
    }
    EXPECT_TRUE(IsBuriedCalc(2020));
    EXPECT_FALSE(IsBuriedCalc(20));
    EXPECT_TRUE(IsElevatedCalc(3010));
    EXPECT_FALSE(IsElevatedCalc(3020));
    EXPECT_EQ(LayoutOf(2010), 2000);
    EXPECT_EQ(LayoutOf(20), 0);
}

TEST(DesignState, CopyOperationsConvertAndRound)
{
    DesignState s;
    CopyGeometry(s, "2,79", "2.56", "2.614", "2.415");
    EXPECT_EQ(s.widthA, 2.79f);
    EXPECT_EQ(s.lengthB, 2.56f);
    EXPECT_EQ(s.heightH, 2.61f);
    EXPECT_EQ(s.waterLevelHn, 2.42f);

    CopyLidData(s, "0.5", "0.6", "1", "1.2", "50");
    EXPECT_EQ(s.lidLiveLoad, -50.0f);
    EXPECT_EQ(s.hatchX, 1.0f);
    EXPECT_EQ(s.hatchLy, 0.6f);
    CopyLidData(s, "0", "0", "1", "1", "0");
    EXPECT_EQ(s.lidLiveLoad, 0.0f);
    EXPECT_FALSE(std::signbit(s.lidLiveLoad));

    CopyBuriedData(s, "Areia", 1.6f, 28.5f, 1.52f, 100, 0.75f, 29.5f);
    EXPECT_EQ(s.soilFrictionAngle, 28);
    EXPECT_EQ(s.groundSlopeAngle, 30);
    EXPECT_EQ(s.soilName, "Areia");
    EXPECT_EQ(s.waterTableHna, 0.75f);
}

TEST(DesignState, ThicknessesFollowTheMinimumOnlyWhenReset)
{
    DesignState s;
    s.minWallThickness = 0.10f;
    ResetThicknesses(s);
    s.minWallThickness = 0.15f; // a new setting applied
    EXPECT_EQ(s.thicknessEp, 0.10f);
    ResetThicknesses(s);
    EXPECT_EQ(s.thicknessEt, 0.15f);
    EXPECT_EQ(s.thicknessEp, 0.15f);
    EXPECT_EQ(s.thicknessEf, 0.15f);
}

} // namespace
