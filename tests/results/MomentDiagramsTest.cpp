#include "CalculatedProject.h"
#include "SceneQueries.h"

#include "core/Numbers.h"
#include "results/MomentDiagrams.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace MomentDiagrams;

double fieldValue(const CalcContext &ctx, int i)
{
    return TextToNumber(ctx.results.Text_a[static_cast<std::size_t>(i)], 8);
}

bool hasText(const draw::Scene &scene, const std::string &text)
{
    const auto texts = AllTexts(scene);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(MomentDiagrams, PicturesOfEachLayout)
{
    EXPECT_EQ(PicturesOf(1000),
              (std::vector<Picture>{ Picture::HorizontalFull, Picture::HorizontalEmpty }));
    EXPECT_EQ(PicturesOf(2000),
              (std::vector<Picture>{ Picture::VerticalFull, Picture::VerticalEmpty,
                                     Picture::VerticalSuperposition }));
    EXPECT_EQ(PicturesOf(3000),
              (std::vector<Picture>{ Picture::TwoWayFull, Picture::TwoWayEmpty }));
    EXPECT_TRUE(PicturesOf(0).empty());
}

/// Which captions and fields each picture writes, for both kinds of tank.
struct Labelled
{
    std::int16_t layout;
    Picture picture;
    std::vector<std::pair<const char *, int>> labels;
};

const Labelled kLabelled[] = {
    { 1000,
      Picture::HorizontalFull,
      { { "Mx+", 16 }, { "Xx-", 17 }, { "My+", 18 }, { "Xy-", 19 } } },
    { 1000,
      Picture::HorizontalEmpty,
      { { "Mx-", 20 }, { "Xx+", 21 }, { "My-", 22 }, { "Xy+", 23 } } },
    { 2000,
      Picture::VerticalFull,
      { { "Mt1-", 27 }, { "Mf1-", 26 }, { "My1+", 24 }, { "Xy1+", 29 }, { "Xy2+", 30 } } },
    { 2000,
      Picture::VerticalEmpty,
      { { "Mt2-", 37 }, { "Mf2-", 35 }, { "My2+", 33 }, { "Xy3+", 32 }, { "Xy4+", 31 } } },
    { 2000,
      Picture::VerticalSuperposition,
      { { "Mt-", 44 }, { "Mf-", 42 }, { "My+", 40 }, { "Xya+", 39 }, { "Xyb+", 38 } } },
    // The lid is loaded in both cases.
    { 3000, Picture::TwoWayFull, { { "Mxt", 65 }, { "Myt", 64 }, { "Xxt", 61 }, { "Xyt", 60 } } },
    { 3000, Picture::TwoWayEmpty, { { "Mxt", 65 }, { "Myt", 64 }, { "Xxt", 61 }, { "Xyt", 60 } } },
};

TEST(MomentDiagrams, EveryComputedValueIsWrittenWithItsCaption)
{
    for (bool elevated : { true, false }) {
        for (std::int16_t layout : { 1000, 2000, 3000 }) {
            CalculatedProject p(elevated, layout);
            for (const Labelled &l : kLabelled) {
                if (l.layout != layout)
                    continue;
                SCOPED_TRACE(PictureName(l.picture) + (elevated ? " elevated" : " buried"));
                const draw::Scene scene = Build(*p.ctx, l.picture);
                for (const auto &[caption, field] : l.labels) {
                    const std::string &text =
                            p.ctx->results.Text_a[static_cast<std::size_t>(field)];
                    ASSERT_FALSE(text.empty()) << caption;
                    EXPECT_TRUE(hasText(scene, std::string(caption) + " = " + text))
                            << caption << " = " << text;
                }
            }
        }
    }
}

TEST(MomentDiagrams, TwoWayPlatesOfEachCase)
{
    // An elevated tank's walls and bottom carry the water of the full tank only; a buried
    // tank's walls are designed for the empty tank, its bottom for the ground in both cases.
    const struct
    {
        bool elevated;
        Picture picture;
        bool walls, bottom;
    } cases[] = {
        { true, Picture::TwoWayFull, true, true },
        { true, Picture::TwoWayEmpty, false, false },
        { false, Picture::TwoWayFull, false, true },
        { false, Picture::TwoWayEmpty, true, true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(PictureName(c.picture) + (c.elevated ? " elevated" : " buried"));
        CalculatedProject p(c.elevated, 3000);
        const draw::Scene scene = Build(*p.ctx, c.picture);
        const CalcContext &ctx = *p.ctx;
        EXPECT_EQ(hasText(scene, "Mxp1 = " + ctx.results.Text_a[45]), c.walls);
        EXPECT_EQ(hasText(scene, "Xxp2 = " + ctx.results.Text_a[25]), c.walls);
        EXPECT_EQ(hasText(scene, "Mxf = " + ctx.results.Text_a[52]), c.bottom);
        for (const char *g : { "Tampa", "Fundo", "ParedeA", "ParedeB" })
            EXPECT_NE(scene.findGroup(g), nullptr) << g;
    }
}

/// The offset of a diagram point from its member's axis, measured along the member's normal.
double offsetAt(const draw::Polyline &curve, std::size_t sample, draw::Point axisPoint,
                draw::Point normal)
{
    const draw::Point q = curve.points.at(sample + 1); // the first point closes to the axis
    return (q.x - axisPoint.x) * normal.x + (q.y - axisPoint.y) * normal.y;
}

TEST(MomentDiagrams, FrameDiagramHangsTheSpanMomentFromTheCornerMoments)
{
    CalculatedProject p(true, 2000);
    const CalcContext &ctx = *p.ctx;
    const double b = ctx.state.lengthB, h = ctx.state.heightH;
    const double mt = fieldValue(ctx, 27), x1 = fieldValue(ctx, 29);
    ASSERT_NE(x1, 0);
    const draw::Scene scene = Build(ctx, Picture::VerticalFull);
    const auto curves = ShapesOf<draw::Polyline>(*scene.findGroup("Tampa"));
    ASSERT_EQ(curves.size(), 1u);
    // The lid runs from (0, h) to (b, h), its inside downwards: −X1 at the corner, Mt1 − X1 at
    // mid span (24 samples: the 13th point is mid span).
    const double atCorner = offsetAt(curves[0], 0, { 0, h }, { 0, -1 });
    const double atMid = offsetAt(curves[0], 12, { b / 2, h }, { 0, -1 });
    EXPECT_NEAR(atMid / atCorner, (mt - x1) / -x1, 1e-6);
}

TEST(MomentDiagrams, RingDiagramReachesTheSpanMomentBetweenTheCorners)
{
    CalculatedProject p(true, 1000);
    const CalcContext &ctx = *p.ctx;
    const double a = ctx.state.widthA;
    const double ma = fieldValue(ctx, 16), xa = fieldValue(ctx, 17);
    ASSERT_NE(xa, 0);
    const draw::Scene full = Build(ctx, Picture::HorizontalFull);
    const auto curves = ShapesOf<draw::Polyline>(*full.findGroup("ParedeA1"));
    ASSERT_EQ(curves.size(), 1u);
    const double atCorner = offsetAt(curves[0], 0, { 0, 0 }, { 0, 1 });
    const double atMid = offsetAt(curves[0], 12, { a / 2, 0 }, { 0, 1 });
    EXPECT_NEAR(atMid / atCorner, ma / -xa, 1e-6);

    // An elevated tank's empty ring carries nothing: axes only, and the picture says so.
    const draw::Scene empty = Build(ctx, Picture::HorizontalEmpty);
    EXPECT_TRUE(ShapesOf<draw::Polyline>(*empty.findGroup("ParedeA1")).empty());
    EXPECT_FALSE(empty.note.empty());
}

} // namespace
