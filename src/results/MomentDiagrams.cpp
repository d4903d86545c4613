#include "results/MomentDiagrams.h"

#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "results/PictureFrame.h"

#include <algorithm>
#include <cmath>

namespace MomentDiagrams {

namespace {

using draw::Point;

constexpr int kSamples = 24;

double value(const CalcContext &ctx, int field)
{
    return TryTextToNumber(ctx.results.Text_a[static_cast<std::size_t>(field)], 8).value_or(0.0);
}

void addLayers(draw::Scene &scene)
{
    scene.layer(kAxisLayer, 7, draw::LineType::Continuous, 0.35);
    scene.layer(kFullLayer, 1, draw::LineType::Continuous, 0.3);
    scene.layer(kEmptyLayer, 5, draw::LineType::Continuous, 0.3);
    scene.layer(kTextLayer, 7, draw::LineType::Continuous, 0.18);
}

/// One member's moments: at its start and end, and the parabola's rise at mid length over the
/// straight line between them.
struct MemberMoments
{
    double start = 0;
    double end = 0;
    double rise = 0;

    double at(double t) const { return start + (end - start) * t + rise * 4 * t * (1 - t); }
    double peak() const
    {
        double m = 0;
        for (int i = 0; i <= kSamples; ++i)
            m = std::max(m, std::abs(at(static_cast<double>(i) / kSamples)));
        return m;
    }
};

/// A member from p0 to p1 whose positive values lie on the side of `inward` (a unit normal).
struct Member
{
    Point p0;
    Point p1;
    Point inward;
};

Point along(const Member &m, double t, double offset)
{
    return { m.p0.x + (m.p1.x - m.p0.x) * t + m.inward.x * offset,
             m.p0.y + (m.p1.y - m.p0.y) * t + m.inward.y * offset };
}

/// The diagram of one member: its curve, closed to the axis at both ends, with a few ordinates.
void curve(draw::Group &g, const Member &member, const MemberMoments &mm, double scale,
           const char *layer, draw::LineType type = draw::LineType::ByLayer)
{
    draw::Polyline line;
    line.points.push_back(along(member, 0, 0));
    for (int i = 0; i <= kSamples; ++i) {
        const double t = static_cast<double>(i) / kSamples;
        line.points.push_back(along(member, t, mm.at(t) * scale));
    }
    line.points.push_back(along(member, 1, 0));
    g.add(line, { layer, draw::kByLayer, type });
    for (int i = 1; i < 6; ++i) {
        const double t = i / 6.0;
        g.add(draw::Line{ along(member, t, 0), along(member, t, mm.at(t) * scale) },
              { layer, draw::kByLayer, type, 0.13 });
    }
}

void label(draw::Group &g, Point at, const std::string &s, double height, draw::HAlign h,
           draw::VAlign v, const char *layer = kTextLayer)
{
    draw::Text t;
    t.at = at;
    t.text = s;
    t.height = height;
    t.hAlign = h;
    t.vAlign = v;
    g.add(t, { layer });
}

void axis(draw::Group &g, const Member &m)
{
    g.add(draw::Line{ m.p0, m.p1 }, { kAxisLayer });
}

/// The scale that draws the largest value at `reach` model units.
double scaleFor(double peak, double reach)
{
    return peak > 0 ? reach / peak : 0.0;
}

// ---- Vertical layout: the closed frame across the length b ------------------------------

struct FrameCase
{
    int lid, bottom, wall, topCorner, bottomCorner; // fields
    const char *lidCaption, *bottomCaption, *wallCaption, *topCaption, *bottomCornerCaption;
};

constexpr FrameCase kFrameFull{ 27, 26, 24, 29, 30, "Mt1-", "Mf1-", "My1+", "Xy1+", "Xy2+" };
constexpr FrameCase kFrameEmpty{ 37, 35, 33, 32, 31, "Mt2-", "Mf2-", "My2+", "Xy3+", "Xy4+" };

struct FrameMembers
{
    Member lid, right, bottom, left;
};

FrameMembers frameMembers(double b, double h)
{
    return { { { 0, h }, { b, h }, { 0, -1 } },
             { { b, h }, { b, 0 }, { -1, 0 } },
             { { b, 0 }, { 0, 0 }, { 0, 1 } },
             { { 0, 0 }, { 0, h }, { 1, 0 } } };
}

struct FrameMoments
{
    MemberMoments lid, right, bottom, left;
    double peak() const
    {
        return std::max({ lid.peak(), right.peak(), bottom.peak(), left.peak() });
    }
};

/// The simple-span moments hung from the corner moments, as the frame's analysis combines them
/// (the lid's "Mt-" is its span moment less the lid corner moment).
FrameMoments frameMoments(const CalcContext &ctx, const FrameCase &c)
{
    const double x1 = value(ctx, c.topCorner), x2 = value(ctx, c.bottomCorner);
    FrameMoments f;
    f.lid = { -x1, -x1, value(ctx, c.lid) };
    f.right = { -x1, -x2, value(ctx, c.wall) };
    f.bottom = { -x2, -x2, value(ctx, c.bottom) };
    f.left = { -x2, -x1, value(ctx, c.wall) };
    return f;
}

void frameCurves(draw::Scene &scene, const FrameMembers &m, const FrameMoments &f, double scale,
                 const char *layer, draw::LineType type)
{
    curve(scene.group("Tampa"), m.lid, f.lid, scale, layer, type);
    curve(scene.group("ParedeDireita"), m.right, f.right, scale, layer, type);
    curve(scene.group("Fundo"), m.bottom, f.bottom, scale, layer, type);
    curve(scene.group("ParedeEsquerda"), m.left, f.left, scale, layer, type);
}

void frameAxes(draw::Scene &scene, const FrameMembers &m)
{
    axis(scene.group("Tampa"), m.lid);
    axis(scene.group("ParedeDireita"), m.right);
    axis(scene.group("Fundo"), m.bottom);
    axis(scene.group("ParedeEsquerda"), m.left);
}

/// Labels of a frame case around the frame: spans at mid member, corners outside the corners.
void frameLabels(draw::Scene &scene, const CalcContext &ctx, const FrameCase &c, double b, double h,
                 double th, double reach)
{
    // Clear of the curves, which reach out of the frame at the corners.
    const auto C = draw::HAlign::Center;
    const double gap = th * 0.5 + reach;
    label(scene.group("Tampa"), { b / 2, h + gap }, MomentLabel(ctx, c.lidCaption, c.lid), th, C,
          draw::VAlign::Bottom);
    label(scene.group("Fundo"), { b / 2, -gap }, MomentLabel(ctx, c.bottomCaption, c.bottom), th, C,
          draw::VAlign::Top);
    label(scene.group("ParedeDireita"), { b + gap, h / 2 }, MomentLabel(ctx, c.wallCaption, c.wall),
          th, draw::HAlign::Left, draw::VAlign::Middle);
    label(scene.group("ParedeDireita"), { b + gap, h + gap },
          MomentLabel(ctx, c.topCaption, c.topCorner), th, draw::HAlign::Left,
          draw::VAlign::Bottom);
    label(scene.group("ParedeDireita"), { b + gap, -gap },
          MomentLabel(ctx, c.bottomCornerCaption, c.bottomCorner), th, draw::HAlign::Left,
          draw::VAlign::Top);
}

void verticalFrame(draw::Scene &scene, const CalcContext &ctx, Picture picture)
{
    const double b = ctx.state.lengthB, h = ctx.state.heightH;
    const double size = std::max({ b, h, 0.5 });
    const double th = 0.06 * size;
    const FrameMembers m = frameMembers(b, h);
    frameAxes(scene, m);
    const FrameMoments full = frameMoments(ctx, kFrameFull);
    const FrameMoments empty = frameMoments(ctx, kFrameEmpty);
    const double reach = 0.2 * std::min(b, h);

    if (picture == Picture::VerticalFull || picture == Picture::VerticalEmpty) {
        const bool isFull = picture == Picture::VerticalFull;
        const FrameMoments &f = isFull ? full : empty;
        frameCurves(scene, m, f, scaleFor(f.peak(), reach), isFull ? kFullLayer : kEmptyLayer,
                    draw::LineType::ByLayer);
        frameLabels(scene, ctx, isFull ? kFrameFull : kFrameEmpty, b, h, th, reach);
        return;
    }
    // Both cases at one scale, so that the governing one stands out, and the combination.
    const double scale = scaleFor(std::max(full.peak(), empty.peak()), reach);
    frameCurves(scene, m, full, scale, kFullLayer, draw::LineType::ByLayer);
    frameCurves(scene, m, empty, scale, kEmptyLayer, draw::LineType::Dashed);
    const auto C = draw::HAlign::Center;
    const double gap = th * 0.5 + reach;
    label(scene.group("Tampa"), { b / 2, h + gap }, MomentLabel(ctx, "Mt-", 44), th, C,
          draw::VAlign::Bottom);
    label(scene.group("Fundo"), { b / 2, -gap }, MomentLabel(ctx, "Mf-", 42), th, C,
          draw::VAlign::Top);
    label(scene.group("ParedeDireita"), { b + gap, h / 2 }, MomentLabel(ctx, "My+", 40), th,
          draw::HAlign::Left, draw::VAlign::Middle);
    label(scene.group("ParedeDireita"), { b + gap, h + gap }, MomentLabel(ctx, "Xya+", 39), th,
          draw::HAlign::Left, draw::VAlign::Bottom);
    label(scene.group("ParedeDireita"), { b + gap, -gap }, MomentLabel(ctx, "Xyb+", 38), th,
          draw::HAlign::Left, draw::VAlign::Top);
    draw::Group &legend = scene.group("Legenda");
    const double y = -gap - th * 2.2;
    legend.add(draw::Line{ { 0, y }, { th * 3, y } }, { kFullLayer });
    label(legend, { th * 3.5, y }, "Cheio", th, draw::HAlign::Left, draw::VAlign::Middle,
          kFullLayer);
    legend.add(draw::Line{ { b / 2, y }, { b / 2 + th * 3, y } },
               { kEmptyLayer, draw::kByLayer, draw::LineType::Dashed });
    label(legend, { b / 2 + th * 3.5, y }, "Vazio", th, draw::HAlign::Left, draw::VAlign::Middle,
          kEmptyLayer);
}

// ---- Horizontal layout: the ring of walls at the base ---------------------------------------

struct RingCase
{
    int spanA, cornerA, spanB, cornerB;
    const char *spanACaption, *cornerACaption, *spanBCaption, *cornerBCaption;
};

constexpr RingCase kRingFull{ 16, 17, 18, 19, "Mx+", "Xx-", "My+", "Xy-" };
constexpr RingCase kRingEmpty{ 20, 21, 22, 23, "Mx-", "Xx+", "My-", "Xy+" };

void horizontalRing(draw::Scene &scene, const CalcContext &ctx, Picture picture)
{
    const double a = ctx.state.widthA, b = ctx.state.lengthB;
    const double size = std::max({ a, b, 0.5 });
    const double th = 0.045 * size;
    const bool isFull = picture == Picture::HorizontalFull;
    const RingCase &c = isFull ? kRingFull : kRingEmpty;
    const char *layer = isFull ? kFullLayer : kEmptyLayer;
    // The span fields are net span moments between the corner moments.
    const double xa = value(ctx, c.cornerA), xb = value(ctx, c.cornerB);
    const MemberMoments alongA{ -xa, -xa, value(ctx, c.spanA) + xa };
    const MemberMoments alongB{ -xb, -xb, value(ctx, c.spanB) + xb };
    const Member bottom{ { 0, 0 }, { a, 0 }, { 0, 1 } };
    const Member top{ { a, b }, { 0, b }, { 0, -1 } };
    const Member right{ { a, 0 }, { a, b }, { -1, 0 } };
    const Member left{ { 0, b }, { 0, 0 }, { 1, 0 } };
    const double reach = 0.2 * std::min(a, b);
    const double scale = scaleFor(std::max(alongA.peak(), alongB.peak()), reach);
    struct Wall
    {
        const char *group;
        const Member &member;
        const MemberMoments &moments;
    };
    for (const Wall &w : { Wall{ "ParedeA1", bottom, alongA }, Wall{ "ParedeA2", top, alongA },
                           Wall{ "ParedeB1", right, alongB }, Wall{ "ParedeB2", left, alongB } }) {
        draw::Group &g = scene.group(w.group);
        axis(g, w.member);
        if (scale > 0)
            curve(g, w.member, w.moments, scale, layer);
    }
    // The labels stand clear of the curves, which reach out of the ring at the corners.
    const double gap = th * 0.5 + (scale > 0 ? reach : 0.0);
    label(scene.group("ParedeA1"), { a / 2, -gap }, MomentLabel(ctx, c.spanACaption, c.spanA), th,
          draw::HAlign::Center, draw::VAlign::Top);
    label(scene.group("ParedeA1"), { -gap, -gap }, MomentLabel(ctx, c.cornerACaption, c.cornerA),
          th, draw::HAlign::Right, draw::VAlign::Top);
    label(scene.group("ParedeB1"), { a + gap, b / 2 }, MomentLabel(ctx, c.spanBCaption, c.spanB),
          th, draw::HAlign::Left, draw::VAlign::Middle);
    label(scene.group("ParedeB1"), { a + gap, b + gap },
          MomentLabel(ctx, c.cornerBCaption, c.cornerB), th, draw::HAlign::Left,
          draw::VAlign::Bottom);
    if (scale == 0)
        scene.note = "Momentos nulos nas paredes";
}

// ---- Two-way layout: the plates ---------------------------------------------------------------

struct Plate
{
    const char *group;
    const char *title;
    double w, h; ///< plate dimensions, m: lx across, ly up
    int mx, my, xx, xy; ///< fields; -1 for none
    const char *mxCaption, *myCaption, *xxCaption, *xyCaption;
};

void plate(draw::Scene &scene, const CalcContext &ctx, const Plate &p, Point origin, bool loaded,
           const char *unloadedText, double scale, double th, const char *layer)
{
    draw::Group &g = scene.group(p.group);
    g.insert = origin;
    const std::vector<Point> outline{ { 0, 0 }, { p.w, 0 }, { p.w, p.h }, { 0, p.h } };
    g.add(draw::Polyline{ outline, true }, { kAxisLayer });
    label(g, { p.w / 2, p.h + th * 0.5 }, p.title, th * 1.1, draw::HAlign::Center,
          draw::VAlign::Bottom);
    if (!loaded) {
        label(g, { p.w / 2, p.h / 2 }, unloadedText, th, draw::HAlign::Center,
              draw::VAlign::Middle);
        return;
    }
    auto v = [&ctx](int field) { return field < 0 ? 0.0 : value(ctx, field); };
    // The strip across (x) and the strip up (y) through the plate's centre, each with its span
    // moment between its edge moments.
    const Member acrossStrip{ { 0, p.h / 2 }, { p.w, p.h / 2 }, { 0, 1 } };
    const Member upStrip{ { p.w / 2, 0 }, { p.w / 2, p.h }, { -1, 0 } };
    const double xx = v(p.xx), xy = v(p.xy);
    const MemberMoments across{ -xx, -xx, v(p.mx) + xx };
    const MemberMoments up{ -xy, -xy, v(p.my) + xy };
    g.add(draw::Line{ acrossStrip.p0, acrossStrip.p1 },
          { kAxisLayer, draw::kByLayer, draw::LineType::DashDot, 0.13 });
    g.add(draw::Line{ upStrip.p0, upStrip.p1 },
          { kAxisLayer, draw::kByLayer, draw::LineType::DashDot, 0.13 });
    if (scale > 0) {
        curve(g, acrossStrip, across, scale, layer);
        curve(g, upStrip, up, scale, layer);
    }
    const double gap = th * 0.4;
    label(g, { p.w * 0.75, p.h / 2 - gap }, MomentLabel(ctx, p.mxCaption, p.mx), th,
          draw::HAlign::Center, draw::VAlign::Top);
    label(g, { p.w / 2 + gap, p.h * 0.8 }, MomentLabel(ctx, p.myCaption, p.my), th,
          draw::HAlign::Left, draw::VAlign::Middle);
    if (p.xx >= 0)
        label(g, { gap, p.h / 2 + gap }, MomentLabel(ctx, p.xxCaption, p.xx), th,
              draw::HAlign::Left, draw::VAlign::Bottom);
    if (p.xy >= 0)
        label(g, { p.w / 2 + gap, gap }, MomentLabel(ctx, p.xyCaption, p.xy), th,
              draw::HAlign::Left, draw::VAlign::Bottom);
}

void twoWayPlates(draw::Scene &scene, const CalcContext &ctx, Picture picture)
{
    const DesignState &s = ctx.state;
    const double a = s.widthA, b = s.lengthB, h = s.heightH;
    const bool buried = IsBuriedCalc(s.calcState);
    const bool isFull = picture == Picture::TwoWayFull;
    const Plate lid{ "Tampa", "Tampa", a, b, 65, 64, 61, 60, "Mxt", "Myt", "Xxt", "Xyt" };
    const Plate bottom{ "Fundo", "Fundo", a, b, 52, 53, 56, 57, "Mxf", "Myf", "Xxf", "Xyf" };
    const Plate wallA{ "ParedeA", "Paredes (a)", a, h, 45, 46, 28, -1, "Mxp1", "Myp1", "Xxp1", "" };
    const Plate wallB{ "ParedeB", "Paredes (b)", b, h, 49, 50, 25, -1, "Mxp2", "Myp2", "Xxp2", "" };
    // Which members each case loads: the lid always; an elevated tank's walls and bottom only
    // when full; a buried tank's walls (earth and ground water) are designed empty, and its
    // bottom carries the ground's reaction in both cases.
    const bool walls = buried ? !isFull : isFull;
    const bool floor = buried || isFull;
    const char *unloaded = buried ? "Ver caixa vazia" : "Sem carga";

    double peak = 0;
    auto consider = [&](const Plate &p, bool loaded) {
        if (!loaded)
            return;
        for (int f : { p.mx, p.my, p.xx, p.xy })
            if (f >= 0)
                peak = std::max(peak, std::abs(value(ctx, f)));
        // The strip's curve reaches beyond either end value by at most their sum.
        const double xx = p.xx >= 0 ? std::abs(value(ctx, p.xx)) : 0.0;
        const double xy = p.xy >= 0 ? std::abs(value(ctx, p.xy)) : 0.0;
        peak = std::max({ peak, MemberMoments{ -xx, -xx, value(ctx, p.mx) + xx }.peak(),
                          MemberMoments{ -xy, -xy, value(ctx, p.my) + xy }.peak() });
    };
    consider(lid, true);
    consider(bottom, floor);
    consider(wallA, walls);
    consider(wallB, walls);
    const double size = std::max({ a, b, h, 0.5 });
    const double th = 0.075 * size;
    const double scale = scaleFor(peak, 0.18 * std::min({ a, b, h }));
    const char *layer = isFull ? kFullLayer : kEmptyLayer;
    const double gapX = 0.35 * size, gapY = 0.3 * size;
    plate(scene, ctx, lid, { 0, h + gapY }, true, "", scale, th, layer);
    plate(scene, ctx, bottom, { a + gapX, h + gapY }, floor, buried ? "" : "Sem carga", scale, th,
          layer);
    plate(scene, ctx, wallA, { 0, 0 }, walls, unloaded, scale, th, layer);
    plate(scene, ctx, wallB, { a + gapX, 0 }, walls, unloaded, scale, th, layer);
}

} // namespace

std::vector<Picture> PicturesOf(std::int16_t layout)
{
    switch (layout) {
    case 1000:
        return { Picture::HorizontalFull, Picture::HorizontalEmpty };
    case 2000:
        return { Picture::VerticalFull, Picture::VerticalEmpty, Picture::VerticalSuperposition };
    case 3000:
        return { Picture::TwoWayFull, Picture::TwoWayEmpty };
    default:
        return {};
    }
}

std::string PictureName(Picture picture)
{
    switch (picture) {
    case Picture::HorizontalFull:
        return "imgashche";
    case Picture::HorizontalEmpty:
        return "imgashvaz";
    case Picture::VerticalFull:
        return "imgasvche";
    case Picture::VerticalEmpty:
        return "imgasvvaz";
    case Picture::VerticalSuperposition:
        return "imgasvchevaz";
    case Picture::TwoWayFull:
        return "imgascruzche";
    case Picture::TwoWayEmpty:
        return "imgascruzvaz";
    }
    return {};
}

std::string MomentLabel(const CalcContext &ctx, const char *caption, int field)
{
    const std::string &v = field >= 0 && field < 66
            ? ctx.results.Text_a[static_cast<std::size_t>(field)]
            : std::string();
    return std::string(caption) + " = " + v;
}

draw::Scene Build(const CalcContext &ctx, Picture picture)
{
    draw::Scene scene;
    addLayers(scene);
    switch (picture) {
    case Picture::HorizontalFull:
    case Picture::HorizontalEmpty:
        horizontalRing(scene, ctx, picture);
        break;
    case Picture::VerticalFull:
    case Picture::VerticalEmpty:
    case Picture::VerticalSuperposition:
        verticalFrame(scene, ctx, picture);
        break;
    case Picture::TwoWayFull:
    case Picture::TwoWayEmpty:
        twoWayPlates(scene, ctx, picture);
        break;
    }
    PictureFrame::AddMargin(scene);
    return scene;
}

} // namespace MomentDiagrams
