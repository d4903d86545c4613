#include "CalculatedProject.h"
#include "SceneQueries.h"

#include "results/LoadDiagrams.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace LoadDiagrams;

TEST(LoadDiagrams, WhichLoadsActInEachPicture)
{
    // Elevated: only the lid load and the water; a buried tank's full bottom rests on the ground
    // (D, G) instead of carrying the water C; without ground water neither F nor G exist.
    const struct
    {
        TankCase tankCase;
        Picture picture;
        std::vector<char> loads;
    } cases[] = {
        { TankCase::Elevated, Picture::FullVertical, { 'A', 'B', 'C' } },
        { TankCase::Elevated, Picture::EmptyVertical, { 'A' } },
        { TankCase::Elevated, Picture::FullHorizontal, { 'B' } },
        { TankCase::Elevated, Picture::EmptyHorizontal, {} },
        { TankCase::BuriedWithGroundWater,
          Picture::FullVertical,
          { 'A', 'B', 'D', 'E', 'F', 'G' } },
        { TankCase::BuriedWithGroundWater, Picture::EmptyVertical, { 'A', 'D', 'E', 'F', 'G' } },
        { TankCase::BuriedWithGroundWater, Picture::FullHorizontal, { 'B', 'E', 'F' } },
        { TankCase::BuriedWithGroundWater, Picture::EmptyHorizontal, { 'E', 'F' } },
        { TankCase::BuriedWithoutGroundWater, Picture::FullVertical, { 'A', 'B', 'D', 'E' } },
        { TankCase::BuriedWithoutGroundWater, Picture::EmptyVertical, { 'A', 'D', 'E' } },
        { TankCase::BuriedWithoutGroundWater, Picture::FullHorizontal, { 'B', 'E' } },
        { TankCase::BuriedWithoutGroundWater, Picture::EmptyHorizontal, { 'E' } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(PictureName(c.picture) + " case " + std::to_string(int(c.tankCase)));
        EXPECT_EQ(LoadsShown(c.tankCase, c.picture), c.loads);
    }
}

TEST(LoadDiagrams, CaseFollowsTheKindAndTheGroundWaterBox)
{
    EXPECT_EQ(TankCaseOf(*CalculatedProject(true, kVerticalLayout).ctx), TankCase::Elevated);
    EXPECT_EQ(TankCaseOf(*CalculatedProject(false, kVerticalLayout).ctx),
              TankCase::BuriedWithGroundWater);
    EXPECT_EQ(TankCaseOf(*CalculatedProject(false, kVerticalLayout, false).ctx),
              TankCase::BuriedWithoutGroundWater);
}

TEST(LoadDiagrams, EveryPictureShowsItsLoadsWithTheirValues)
{
    for (bool elevated : { true, false }) {
        for (bool groundWater : { true, false }) {
            if (elevated && !groundWater)
                continue;
            CalculatedProject p(elevated, kHorizontalLayout, groundWater);
            const CalcContext &ctx = *p.ctx;
            for (Picture picture : kPictures) {
                SCOPED_TRACE(PictureName(picture) + (elevated ? " elevated" : " buried")
                             + (groundWater ? "" : " dry"));
                const draw::Scene scene = Build(ctx, picture);
                ASSERT_NE(scene.findGroup("Secao"), nullptr);
                const std::vector<char> loads = LoadsShown(TankCaseOf(ctx), picture);
                for (char symbol = 'A'; symbol <= 'G'; ++symbol) {
                    const draw::Group *g = scene.findGroup(std::string(1, symbol));
                    const bool shown = std::count(loads.begin(), loads.end(), symbol) > 0;
                    ASSERT_EQ(g != nullptr, shown) << symbol;
                    if (!g)
                        continue;
                    const std::string field = ctx.results.Text_a[9 + (symbol - 'A')];
                    ASSERT_FALSE(field.empty()) << symbol;
                    EXPECT_EQ(TextsOf(*g),
                              std::vector<std::string>{ std::string(1, symbol) + " = " + field
                                                        + " kgf/m²" });
                }
                EXPECT_EQ(scene.note.empty(), !loads.empty());
            }
        }
    }
}

TEST(LoadDiagrams, ArrowsPointTheWayTheLoadsAct)
{
    CalculatedProject p(false, kVerticalLayout);
    const CalcContext &ctx = *p.ctx;
    const DesignState &s = ctx.state;
    ASSERT_GT(s.waterTableHna, 0);
    ASSERT_GT(s.buryHeightHt, 0);
    const draw::Scene full = Build(ctx, Picture::FullVertical);
    const double b = s.lengthB, h = s.heightH, ep = s.thicknessEp;
    const double eps = 1e-9;

    // The lid load presses down onto the lid's top face.
    for (const draw::Arrow &a : ArrowsOf(*full.findGroup("A"))) {
        EXPECT_NEAR(a.to.y, h, eps);
        EXPECT_LT(a.to.y, a.from.y);
    }
    // The water pushes both walls outwards from inside, more at the base.
    const auto water = ArrowsOf(*full.findGroup("B"));
    ASSERT_FALSE(water.empty());
    for (const draw::Arrow &a : water) {
        EXPECT_TRUE(std::abs(a.to.x - ep) < eps || std::abs(a.to.x - (b - ep)) < eps);
        EXPECT_GT(std::abs(a.to.x - b / 2), std::abs(a.from.x - b / 2)) << "outwards";
    }
    // Earth and ground water push inwards from outside: the earth on the left face up to the
    // ground, the ground water on the right one up to its level.
    for (const draw::Arrow &a : ArrowsOf(*full.findGroup("E"))) {
        EXPECT_NEAR(a.to.x, 0, eps);
        EXPECT_LT(a.from.x, 0);
        EXPECT_LE(a.to.y, s.buryHeightHt + eps);
    }
    for (const draw::Arrow &a : ArrowsOf(*full.findGroup("F"))) {
        EXPECT_NEAR(a.to.x, b, eps);
        EXPECT_GT(a.from.x, b);
        EXPECT_LE(a.to.y, s.waterTableHna + eps);
    }
    // The ground's reaction and the uplift push the bottom up from below.
    for (const char *g : { "D", "G" }) {
        for (const draw::Arrow &a : ArrowsOf(*full.findGroup(g))) {
            EXPECT_NEAR(a.to.y, 0, eps);
            EXPECT_LT(a.from.y, 0);
        }
    }

    // In plan, the water pushes out and the earth in, on all four walls.
    const draw::Scene plan = Build(ctx, Picture::FullHorizontal);
    EXPECT_EQ(ArrowsOf(*plan.findGroup("B")).size(), 4u * 7u);
    EXPECT_EQ(ArrowsOf(*plan.findGroup("E")).size(), 4u * 7u);
}

TEST(LoadDiagrams, TheSectionHasTheTanksDimensions)
{
    CalculatedProject p(true, kTwoWayLayout);
    const DesignState &s = p.ctx->state;
    const draw::Scene vertical = Build(*p.ctx, Picture::FullVertical);
    const draw::Bounds v = draw::groupBounds(*vertical.findGroup("Secao"));
    EXPECT_NEAR(v.width(), s.lengthB, 1e-6);
    EXPECT_NEAR(v.height(), s.heightH, 1e-6);
    const draw::Scene plan = Build(*p.ctx, Picture::EmptyHorizontal);
    const draw::Bounds h = draw::groupBounds(*plan.findGroup("Secao"));
    EXPECT_NEAR(h.width(), s.widthA, 1e-6);
    EXPECT_NEAR(h.height(), s.lengthB, 1e-6);
}

} // namespace
