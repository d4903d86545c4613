#include "cad/Detailing.h"

#include "core/Numbers.h"
#include "design/BarGauge.h"
#include "design/ModuleDimFlex.h"
#include "results/ModuleCalcConsumo.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace Detailing {

namespace {

using namespace draw;
using ExchangeFiles::DetailingData;
using ExchangeFiles::DrawingSettings;
using ExchangeFiles::PositionBars;

const std::string &layerName(int k)
{
    return ExchangeFiles::LayerNames()[static_cast<std::size_t>(k)];
}
const std::string &styleName(int k)
{
    return ExchangeFiles::StyleNames()[static_cast<std::size_t>(k)];
}

// The layers and styles by their place in the settings file.
enum LayerIndex {
    Aux,
    Forms,
    Bars,
    BarText,
    GeneralText,
    ScheduleLayer,
    Dims,
    CutLines,
    Format,
    Paper
};
enum StyleIndex { Titles, DimText, BarStyle, ScheduleStyle, GeneralStyle };

/// A style's text height on paper, millimetres; a height too small to print takes 2.5 mm.
double styleHeightMm(const DrawingSettings &s, int style)
{
    const double h = s.styles[static_cast<std::size_t>(style)].height;
    return h >= 0.5 ? h : 2.5;
}

/// The distance of the dimensions to the drawing: tenths of a millimetre of paper (50 is 5 mm),
/// the same at every scale as a CAD's dimension style keeps it; kept readable.
double dimensionOffsetMm(const DrawingSettings &s, double /*scale*/)
{
    const double mm = s.dimensionOffset > 0 ? s.dimensionOffset / 10.0 : 6.0;
    return std::clamp(mm, 3.0, 30.0);
}

std::string number(double v, int decimals, bool comma)
{
    std::string t = DoubleTextC(TextToNumber(v, decimals));
    if (comma)
        std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

/// Drawing one view: centimetres of the tank, with paper sizes turned into them.
struct ViewPen
{
    Group &g;
    const DrawingSettings &s;
    double scale;

    double mm(double paperMm) const { return paperMm * scale / 10.0; }
    Stroke on(int layer) const { return Stroke{ layerName(layer) }; }

    void line(int layer, Point a, Point b, LineType t = LineType::ByLayer)
    {
        Stroke st = on(layer);
        st.lineType = t;
        g.add(Line{ a, b }, st);
    }
    void poly(int layer, std::vector<Point> pts, bool closed, LineType t = LineType::ByLayer)
    {
        Stroke st = on(layer);
        st.lineType = t;
        g.add(Polyline{ std::move(pts), closed }, st);
    }
    void rect(int layer, Point a, Point b, LineType t = LineType::ByLayer)
    {
        poly(layer, { a, { b.x, a.y }, b, { a.x, b.y } }, true, t);
    }
    void text(int layer, int style, Point at, std::string t, HAlign h, VAlign v,
              double rotation = 0.0, double factor = 1.0)
    {
        Text x;
        x.at = at;
        x.text = std::move(t);
        x.height = mm(styleHeightMm(s, style)) * factor;
        x.hAlign = h;
        x.vAlign = v;
        x.rotationDeg = rotation;
        x.style = styleName(style);
        g.add(std::move(x), on(layer));
    }
    void dim(Point a, Point b, double offsetMm, double value)
    {
        if (!(std::hypot(b.x - a.x, b.y - a.y) > 1e-6))
            return;
        Dimension d;
        d.a = a;
        d.b = b;
        d.offset = mm(offsetMm);
        d.text = DoubleTextC(TextToNumber(value, 1));
        d.textHeight = mm(styleHeightMm(s, DimText));
        d.tick = s.tick == 2  ? Tick::Arrow
                : s.tick == 3 ? Tick::Dot
                              : Tick::Oblique; // 4: architectural, oblique
        d.tickSize = mm(2.0);
        Stroke st = on(Dims);
        g.add(std::move(d), st);
    }
    /// A chain of dimensions along x at height y (or along y at x when vertical), positive
    /// offsets away from the view on the side `side` (+1 right/top, -1 left/bottom).
    void chain(std::vector<double> stops, double at, bool vertical, int side, double offsetMm)
    {
        for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
            const double u = stops[i], v = stops[i + 1];
            if (!(v - u > 1e-6))
                continue;
            if (!vertical) {
                // Along +x the dimension's left is +y: the top side.
                dim({ u, at }, { v, at }, side * offsetMm, v - u);
            } else {
                // Along +y the left is -x: the left side.
                dim({ at, u }, { at, v }, -side * offsetMm, v - u);
            }
        }
    }
    void dot(Point c, double diameterMm) { g.add(Circle{ c, mm(diameterMm) / 2, true }, on(Bars)); }
    void bar(std::vector<Point> pts)
    {
        Stroke st = on(Bars);
        g.add(Polyline{ std::move(pts), false }, st);
    }
    /// A position's label along the segment a→b, at the settings' fraction of it, on the
    /// side `side` (+1 left of a→b).
    void label(const PositionBars &p, Point a, Point b, int side = 1)
    {
        const double f = s.labelFraction > 0 && s.labelFraction < 1 ? s.labelFraction : 0.5;
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len = std::hypot(dx, dy);
        const Point n = len > 0 ? Point{ -dy / len, dx / len } : Point{ 0, 1 };
        const double gap = mm(1.0);
        Point at{ a.x + dx * f + n.x * gap * side, a.y + dy * f + n.y * gap * side };
        double rot = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
        if (rot > 90.0 || rot <= -90.0)
            rot += 180.0;
        // Texts read from below or from the right; the label sits on the chosen side.
        const bool flipped = (rot != std::atan2(dy, dx) * 180.0 / 3.14159265358979323846);
        const VAlign v = (side > 0) != flipped ? VAlign::Bottom : VAlign::Top;
        text(BarText, BarStyle, at, PositionLabel(p), HAlign::Center, v, rot);
    }
};

const PositionBars *position(const DetailingData &d, int i)
{
    const PositionBars &p = d.positions[static_cast<std::size_t>(i - 1)];
    return p.excluded ? nullptr : &p;
}

/// Where the sections cut: through the opening's centre when there is one, else the middle.
Point cutPoint(const DetailingData &d)
{
    if (d.hatchX > 0 && d.hatchY > 0)
        return { d.hatchLx + d.hatchX / 2, d.hatchLy + d.hatchY / 2 };
    return { d.a / 2, d.b / 2 };
}

/// Dots of a transverse position along a line from a to b, one per spacing; at most its bar
/// count and never more than 400 on one line.
void dotsAlong(ViewPen &v, const PositionBars *p, Point a, Point b, double skipFrom = 1,
               double skipTo = 0, bool skipOnX = true, double maxDiameter = 1e9)
{
    if (!p || !(p->spacing > 0))
        return;
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (!(len > 0))
        return;
    const int n = std::min<int>(400, static_cast<int>(std::floor(len / p->spacing + 1e-9)) + 1);
    const double start = (len - (n - 1) * p->spacing) / 2;
    // The dot never outgrows the room a bar has in its member.
    const double dot = std::min(v.s.transverseDotMm > 0 ? v.s.transverseDotMm : 1.5,
                                maxDiameter * 10.0 / v.scale);
    for (int k = 0; k < n; ++k) {
        const double t = (start + k * p->spacing) / len;
        const Point c{ a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t };
        const double u = skipOnX ? c.x : c.y;
        if (u >= skipFrom && u <= skipTo)
            continue;
        v.dot(c, dot);
    }
}

/// A section through the tank: `along` is its length (a for A-A), `cutA` / `cutB` the opening
/// as seen in it (empty when the cut misses it).
struct SectionShape
{
    double len = 0;
    double h = 0, et = 0, ep = 0, ef = 0, chamfer = 0, cover = 0;
    double openFrom = 0, openTo = 0; ///< along the section; openTo <= openFrom: none
    bool hasOpening() const { return openTo > openFrom; }
};

void drawSectionForms(ViewPen &v, const SectionShape &s)
{
    const double L = s.len, h = s.h;
    std::vector<Point> outer{ { 0, 0 }, { L, 0 }, { L, h } };
    if (s.hasOpening()) {
        outer.push_back({ s.openTo, h });
        outer.push_back({ s.openTo, h - s.et });
        outer.push_back({ s.openFrom, h - s.et });
        outer.push_back({ s.openFrom, h });
    }
    outer.push_back({ 0, h });
    v.poly(Forms, outer, true);
    const double ch = std::min(s.chamfer, (L - 2 * s.ep) / 2);
    const double top = h - s.et;
    std::vector<Point> inner;
    if (s.hasOpening())
        inner.push_back({ s.openFrom, top });
    inner.push_back({ s.ep, top });
    inner.push_back({ s.ep, s.ef + ch });
    if (ch > 0)
        inner.push_back({ s.ep + ch, s.ef });
    if (ch > 0)
        inner.push_back({ L - s.ep - ch, s.ef });
    inner.push_back({ L - s.ep, s.ef + ch });
    inner.push_back({ L - s.ep, top });
    if (s.hasOpening())
        inner.push_back({ s.openTo, top });
    v.poly(Forms, inner, !s.hasOpening());
}

void drawSectionDimensions(ViewPen &v, const SectionShape &s, double offsetMm)
{
    const double L = s.len, h = s.h;
    v.chain({ 0, s.ep, L - s.ep, L }, 0, false, -1, offsetMm);
    v.chain({ 0, L }, 0, false, -1, offsetMm * 2);
    v.chain({ 0, s.ef, h - s.et, h }, L, true, 1, offsetMm);
    v.chain({ 0, h }, 0, true, -1, offsetMm);
    if (s.hasOpening())
        v.chain({ 0, s.openFrom, s.openTo, L }, h, false, 1, offsetMm);
}

/// The bars of a section. `slabMain`, `slabCross`: lid bars drawn along and across the
/// section; bottom likewise (lower and upper layers); the walls cut by the section (vertical
/// bars inner and outer, horizontal bars as dots) and the two corner positions.
struct SectionBars
{
    const PositionBars *lidAlong = nullptr, *lidAcross = nullptr;
    const PositionBars *bottomLowAlong = nullptr, *bottomLowAcross = nullptr;
    const PositionBars *bottomHighAlong = nullptr, *bottomHighAcross = nullptr;
    const PositionBars *wallInner = nullptr, *wallOuter = nullptr;
    const PositionBars *wallInnerH = nullptr, *wallOuterH = nullptr;
    const PositionBars *lidCorner = nullptr, *bottomCorner = nullptr;
    std::vector<const PositionBars *> labelled; ///< the positions labelled in this view
};

bool labelledHere(const SectionBars &b, const PositionBars *p)
{
    return p && std::find(b.labelled.begin(), b.labelled.end(), p) != b.labelled.end();
}

void drawSectionBars(ViewPen &v, const SectionShape &s, const SectionBars &b)
{
    const double L = s.len, h = s.h, c = std::max(s.cover, 0.5);
    const double dotMm = v.s.transverseDotMm > 0 ? v.s.transverseDotMm : 1.5;
    const double d = std::min(v.mm(dotMm), std::max(s.ep, 1.0) / 6); // one bar's room
    const double lidLow = h - s.et + c;
    // The lid's lower bars along the section, stopped short of the opening.
    if (b.lidAlong) {
        const double leg = h - c;
        if (s.hasOpening()) {
            v.bar({ { c, leg }, { c, lidLow }, { s.openFrom - c, lidLow } });
            v.bar({ { s.openTo + c, lidLow }, { L - c, lidLow }, { L - c, leg } });
        } else {
            v.bar({ { c, leg }, { c, lidLow }, { L - c, lidLow }, { L - c, leg } });
        }
    }
    dotsAlong(v, b.lidAcross, { c, lidLow + d }, { L - c, lidLow + d },
              s.hasOpening() ? s.openFrom - c : 1, s.hasOpening() ? s.openTo + c : 0, true, d);
    if (b.bottomLowAlong)
        v.bar({ { c, s.ef - c }, { c, c }, { L - c, c }, { L - c, s.ef - c } });
    dotsAlong(v, b.bottomLowAcross, { c, c + d }, { L - c, c + d }, 1, 0, true, d);
    if (b.bottomHighAlong)
        v.bar({ { c + d, c + d * 2 },
                { c + d, s.ef - c },
                { L - c - d, s.ef - c },
                { L - c - d, c + d * 2 } });
    dotsAlong(v, b.bottomHighAcross, { c, s.ef - c - d }, { L - c, s.ef - c - d }, 1, 0, true, d);
    // The walls: both cut walls drawn, the labels on the left one.
    for (int side = 0; side < 2; ++side) {
        const auto X = [&](double x) { return side == 0 ? x : L - x; };
        if (b.wallInner) {
            const double xi = s.ep - c;
            v.bar({ { X(c + d), c }, { X(xi), c }, { X(xi), h - c }, { X(c + d), h - c } });
            if (side == 0 && labelledHere(b, b.wallInner))
                v.label(*b.wallInner, { X(xi), s.ef }, { X(xi), h - s.et }, -1);
        }
        if (b.wallOuter) {
            const double xo = c + d * 0.5;
            v.bar({ { X(s.ep - c - d), c + d },
                    { X(xo), c + d },
                    { X(xo), h - c - d },
                    { X(s.ep - c - d), h - c - d } });
            if (side == 0 && labelledHere(b, b.wallOuter))
                v.label(*b.wallOuter, { X(0), s.ef }, { X(0), h - s.et }, 1);
        }
        dotsAlong(v, b.wallInnerH, { X(s.ep - c - d), s.ef }, { X(s.ep - c - d), h - s.et }, 1, 0,
                  false, d);
        dotsAlong(v, b.wallOuterH, { X(c + d * 1.5), s.ef }, { X(c + d * 1.5), h - s.et }, 1, 0,
                  false, d);
        // Corner bars: an L over the joint, its legs sharing what the bends leave of its length.
        if (b.lidCorner) {
            const double bends = (s.ep - 2 * c) + (s.et - 2 * c);
            const double leg = std::clamp((b.lidCorner->length - bends) / 2, 0.0,
                                          std::min(L / 2 - s.ep, h - s.et - s.ef));
            const double y = h - c - d;
            v.bar({ { X(s.ep + leg), y }, { X(c + d * 2), y }, { X(c + d * 2), h - s.et - leg } });
            if (side == 0 && labelledHere(b, b.lidCorner))
                v.label(*b.lidCorner, { X(s.ep), h }, { X(s.ep + std::max(leg, s.ep)), h }, 1);
        }
        if (b.bottomCorner) {
            const double bends = (s.ep - 2 * c) + (s.ef - 2 * c);
            const double leg = std::clamp((b.bottomCorner->length - bends) / 2, 0.0,
                                          std::min(L / 2 - s.ep, h - s.et - s.ef));
            const double y = c + d * 3;
            v.bar({ { X(s.ep + leg), y }, { X(c + d * 2), y }, { X(c + d * 2), s.ef + leg } });
            if (side == 0 && labelledHere(b, b.bottomCorner))
                v.label(*b.bottomCorner, { X(s.ep), 0 }, { X(s.ep + std::max(leg, s.ep)), 0 }, -1);
        }
    }
}

/// A spread position in a plan: the bar drawn once at `at` (along x when `alongX`), its
/// spread across the member shown by a line with ticks, and its label.
void planBar(ViewPen &v, const PositionBars *p, bool alongX, double at, double from, double to,
             double spreadFrom, double spreadTo, double legMm, int labelSide = 1)
{
    if (!p)
        return;
    const double hook = v.mm(legMm);
    if (alongX) {
        v.bar({ { from, at - hook }, { from, at }, { to, at }, { to, at - hook } });
        const double xs = from + (to - from) * 0.15;
        v.line(Aux, { xs, spreadFrom }, { xs, spreadTo });
        v.line(Aux, { xs - v.mm(1), spreadFrom }, { xs + v.mm(1), spreadFrom });
        v.line(Aux, { xs - v.mm(1), spreadTo }, { xs + v.mm(1), spreadTo });
        v.label(*p, { from, at }, { to, at }, labelSide);
    } else {
        v.bar({ { at - hook, from }, { at, from }, { at, to }, { at - hook, to } });
        const double ys = from + (to - from) * 0.15;
        v.line(Aux, { spreadFrom, ys }, { spreadTo, ys });
        v.line(Aux, { spreadFrom, ys - v.mm(1) }, { spreadFrom, ys + v.mm(1) });
        v.line(Aux, { spreadTo, ys - v.mm(1) }, { spreadTo, ys + v.mm(1) });
        v.label(*p, { at, from }, { at, to }, labelSide);
    }
}

void cutLines(ViewPen &v, const DetailingData &d)
{
    const Point cut = cutPoint(d);
    const double over = v.mm(6);
    v.line(CutLines, { -over, cut.y }, { d.a + over, cut.y });
    v.line(CutLines, { cut.x, -over }, { cut.x, d.b + over });
    v.text(CutLines, Titles, { -over, cut.y + v.mm(1) }, "A", HAlign::Left, VAlign::Bottom);
    v.text(CutLines, Titles, { d.a + over, cut.y + v.mm(1) }, "A", HAlign::Right, VAlign::Bottom);
    v.text(CutLines, Titles, { cut.x + v.mm(1), -over }, "B", HAlign::Left, VAlign::Bottom);
    v.text(CutLines, Titles, { cut.x + v.mm(1), d.b + over }, "B", HAlign::Left, VAlign::Top);
}

void title(ViewPen &v, double width, const std::string &name, double scale)
{
    // Under everything drawn so far, dimensions included.
    const Bounds drawn = groupBounds(v.g);
    const double below = (drawn.empty ? 0.0 : drawn.min.y) - v.mm(4);
    v.text(GeneralText, Titles, { width / 2, below }, name, HAlign::Center, VAlign::Top);
    v.text(GeneralText, GeneralStyle, { width / 2, below - v.mm(styleHeightMm(v.s, Titles) * 1.8) },
           "ESC. 1:" + DoubleTextC(scale), HAlign::Center, VAlign::Top, 0.0, 0.8);
}

void lidPlan(Group &g, const DetailingData &d, const DrawingSettings &s, Content content,
             double scale)
{
    ViewPen v{ g, s, scale };
    const double off = dimensionOffsetMm(s, scale);
    v.rect(Forms, { 0, 0 }, { d.a, d.b });
    v.rect(Forms, { d.ep, d.ep }, { d.a - d.ep, d.b - d.ep }, LineType::Hidden);
    const bool opening = d.hatchX > 0 && d.hatchY > 0;
    const Point o0{ d.hatchLx, d.hatchLy }, o1{ d.hatchLx + d.hatchX, d.hatchLy + d.hatchY };
    if (opening) {
        v.rect(Forms, o0, o1);
        v.line(Forms, o0, o1);
        v.line(Forms, { o0.x, o1.y }, { o1.x, o0.y });
    }
    cutLines(v, d);
    if (content >= Content::Dimensions) {
        v.chain({ 0, d.a }, 0, false, -1, off);
        v.chain({ 0, d.b }, 0, true, -1, off);
        if (opening) {
            v.chain({ 0, o0.x, o1.x, d.a }, d.b, false, 1, off);
            v.chain({ 0, o0.y, o1.y, d.b }, d.a, true, 1, off);
        }
    }
    if (content >= Content::Reinforcement) {
        const double c = std::max(d.cover, 0.5);
        planBar(v, position(d, 1), true, d.b * 0.22, c, d.a - c, c, d.b - c, 1.5);
        planBar(v, position(d, 2), false, d.a * 0.2, c, d.b - c, c, d.a - c, 1.5, -1);
        if (const PositionBars *p = position(d, 20); p && opening) {
            const double gap = std::max(c * 2, v.mm(2));
            const double half = p->length / 2;
            const Point m{ (o0.x + o1.x) / 2, (o0.y + o1.y) / 2 };
            v.bar({ { m.x - half, o0.y - gap }, { m.x + half, o0.y - gap } });
            v.bar({ { m.x - half, o1.y + gap }, { m.x + half, o1.y + gap } });
            v.bar({ { o0.x - gap, m.y - half }, { o0.x - gap, m.y + half } });
            v.bar({ { o1.x + gap, m.y - half }, { o1.x + gap, m.y + half } });
            v.label(*p, { m.x - half, o1.y + gap }, { m.x + half, o1.y + gap }, 1);
        } else if (p) {
            v.label(*p, { d.a * 0.3, d.b * 0.6 }, { d.a * 0.7, d.b * 0.6 }, 1);
        }
    }
    title(v, d.a, kLidPlan, scale);
}

void bottomPlan(Group &g, const DetailingData &d, const DrawingSettings &s, Content content,
                double scale)
{
    ViewPen v{ g, s, scale };
    const double off = dimensionOffsetMm(s, scale);
    v.rect(Forms, { 0, 0 }, { d.a, d.b });
    // The walls cut just above the bottom, the chamfers between walls at the inner corners.
    const double ch = std::min(d.wallChamfer, (std::min(d.a, d.b) - 2 * d.ep) / 2);
    const double x0 = d.ep, x1 = d.a - d.ep, y0 = d.ep, y1 = d.b - d.ep;
    if (ch > 0)
        v.poly(Forms,
               { { x0 + ch, y0 },
                 { x1 - ch, y0 },
                 { x1, y0 + ch },
                 { x1, y1 - ch },
                 { x1 - ch, y1 },
                 { x0 + ch, y1 },
                 { x0, y1 - ch },
                 { x0, y0 + ch } },
               true);
    else
        v.rect(Forms, { x0, y0 }, { x1, y1 });
    cutLines(v, d);
    if (content >= Content::Dimensions) {
        v.chain({ 0, d.ep, d.a - d.ep, d.a }, 0, false, -1, off);
        v.chain({ 0, d.a }, 0, false, -1, off * 2);
        v.chain({ 0, d.ep, d.b - d.ep, d.b }, 0, true, -1, off);
        v.chain({ 0, d.b }, 0, true, -1, off * 2);
    }
    if (content >= Content::Reinforcement) {
        const double c = std::max(d.cover, 0.5);
        const double dd = std::min(v.mm(1.2), d.ep / 6);
        planBar(v, position(d, 5), true, d.b * 0.3, c, d.a - c, d.ep, d.b - d.ep, 1.5);
        planBar(v, position(d, 7), true, d.b * 0.62, c + dd, d.a - c - dd, d.ep, d.b - d.ep, 1.0);
        planBar(v, position(d, 6), false, d.a * 0.3, c, d.b - c, d.ep, d.a - d.ep, 1.5, -1);
        planBar(v, position(d, 8), false, d.a * 0.62, c + dd, d.b - c - dd, d.ep, d.a - d.ep, 1.0,
                -1);
        // Horizontal wall bars, inner and outer faces, in the lower wall along a and the left
        // wall along b.
        if (const PositionBars *p = position(d, 12)) {
            v.bar({ { c, c + dd }, { c, d.ep - c }, { d.a - c, d.ep - c }, { d.a - c, c + dd } });
            v.label(*p, { d.ep, d.ep }, { d.a - d.ep, d.ep }, 1);
        }
        if (const PositionBars *p = position(d, 14)) {
            v.bar({ { c + dd, d.ep - c - dd },
                    { c + dd, c },
                    { d.a - c - dd, c },
                    { d.a - c - dd, d.ep - c - dd } });
            v.label(*p, { d.ep, 0 }, { d.a - d.ep, 0 }, -1);
        }
        if (const PositionBars *p = position(d, 16)) {
            v.bar({ { c + dd, c }, { d.ep - c, c }, { d.ep - c, d.b - c }, { c + dd, d.b - c } });
            v.label(*p, { d.ep, d.ep }, { d.ep, d.b - d.ep }, -1);
        }
        if (const PositionBars *p = position(d, 18)) {
            v.bar({ { d.ep - c - dd, c + dd },
                    { c, c + dd },
                    { c, d.b - c - dd },
                    { d.ep - c - dd, d.b - c - dd } });
            v.label(*p, { 0, d.ep }, { 0, d.b - d.ep }, 1);
        }
        if (const PositionBars *p = position(d, 19)) {
            const double bends = 2 * (d.ep - 2 * c);
            const double leg =
                    std::clamp((p->length - bends) / 2, 0.0, std::min(d.a, d.b) / 2 - d.ep);
            for (int corner = 0; corner < 4; ++corner) {
                const auto X = [&](double x) { return corner % 2 == 0 ? x : d.a - x; };
                const auto Y = [&](double y) { return corner < 2 ? y : d.b - y; };
                const double k = d.ep - c - dd * 2;
                v.bar({ { X(d.ep + leg), Y(k) },
                        { X(d.ep + leg), Y(c + dd * 2) },
                        { X(c + dd * 2), Y(c + dd * 2) },
                        { X(c + dd * 2), Y(d.ep + leg) },
                        { X(k), Y(d.ep + leg) } });
            }
            v.label(*p, { d.ep, d.b - d.ep }, { d.ep + std::max(leg, d.ep * 2), d.b - d.ep }, -1);
        }
    }
    title(v, d.a, kBottomPlan, scale);
}

void section(Group &g, const DetailingData &d, const DrawingSettings &s, Content content,
             double scale, bool alongA)
{
    ViewPen v{ g, s, scale };
    const double off = dimensionOffsetMm(s, scale);
    SectionShape sh;
    sh.len = alongA ? d.a : d.b;
    sh.h = d.h;
    sh.et = d.et;
    sh.ep = d.ep;
    sh.ef = d.ef;
    sh.chamfer = d.bottomChamfer;
    sh.cover = d.cover;
    if (d.hatchX > 0 && d.hatchY > 0) {
        sh.openFrom = alongA ? d.hatchLx : d.hatchLy;
        sh.openTo = sh.openFrom + (alongA ? d.hatchX : d.hatchY);
    }
    drawSectionForms(v, sh);
    if (content >= Content::Dimensions)
        drawSectionDimensions(v, sh, off);
    if (content >= Content::Reinforcement) {
        SectionBars b;
        if (alongA) {
            b.lidAlong = position(d, 1);
            b.lidAcross = position(d, 2);
            b.bottomLowAlong = position(d, 5);
            b.bottomLowAcross = position(d, 6);
            b.bottomHighAlong = position(d, 7);
            b.bottomHighAcross = position(d, 8);
            b.wallInner = position(d, 15);
            b.wallOuter = position(d, 17);
            b.wallInnerH = position(d, 16);
            b.wallOuterH = position(d, 18);
            b.lidCorner = position(d, 3);
            b.bottomCorner = position(d, 9);
        } else {
            b.lidAlong = position(d, 2);
            b.lidAcross = position(d, 1);
            b.bottomLowAlong = position(d, 6);
            b.bottomLowAcross = position(d, 5);
            b.bottomHighAlong = position(d, 8);
            b.bottomHighAcross = position(d, 7);
            b.wallInner = position(d, 11);
            b.wallOuter = position(d, 13);
            b.wallInnerH = position(d, 12);
            b.wallOuterH = position(d, 14);
            b.lidCorner = position(d, 4);
            b.bottomCorner = position(d, 10);
        }
        b.labelled = { b.wallInner, b.wallOuter, b.lidCorner, b.bottomCorner };
        drawSectionBars(v, sh, b);
    }
    title(v, sh.len, alongA ? kSectionA : kSectionB, scale);
}

/// The sheet's drawing area in paper mm: inside the border, above the title block.
struct Area
{
    Bounds box;
    Bounds stamp; ///< the title block, kept free
    bool exists = false;
};

constexpr double kStampWidth = 178.0;
constexpr double kStampRow = 7.0;
constexpr int kStampRows = 7;

Area sheetArea(const Scene &scene)
{
    Area area;
    const Group *sheet = scene.findGroup(kSheet);
    if (!sheet || sheet->items.empty())
        return area;
    // The border is the sheet's second polyline (the first is the paper's edge).
    int seen = 0;
    for (const Item &item : sheet->items) {
        if (const auto *p = std::get_if<Polyline>(&item.shape)) {
            if (++seen == 2) {
                for (Point q : p->points)
                    area.box.include(q);
                break;
            }
        }
    }
    if (area.box.empty)
        return area;
    area.exists = true;
    area.stamp.include({ area.box.max.x - kStampWidth, area.box.min.y });
    area.stamp.include({ area.box.max.x, area.box.min.y + kStampRow * kStampRows });
    return area;
}

bool overlaps(const Bounds &a, const Bounds &b)
{
    return !a.empty && !b.empty && a.min.x < b.max.x && b.min.x < a.max.x && a.min.y < b.max.y
            && b.min.y < a.max.y;
}

Bounds placedBounds(const Group &g)
{
    const Bounds own = groupBounds(g);
    Bounds out;
    if (own.empty)
        return out;
    out.include({ g.insert.x + own.min.x * g.scale, g.insert.y + own.min.y * g.scale });
    out.include({ g.insert.x + own.max.x * g.scale, g.insert.y + own.max.y * g.scale });
    return out;
}

void rebuildView(Scene &scene, const char *name, const DetailingData &d, const DrawingSettings &s,
                 Content content, double scale)
{
    Group &g = scene.group(name);
    g.items.clear();
    if (std::string(name) == kLidPlan)
        lidPlan(g, d, s, content, scale);
    else if (std::string(name) == kBottomPlan)
        bottomPlan(g, d, s, content, scale);
    else
        section(g, d, s, content, scale, std::string(name) == kSectionA);
}

} // namespace

Scene NewDrawing(const DrawingSettings &settings)
{
    Scene scene;
    const double weights[10] = { 0.18, 0.35, 0.5, 0.25, 0.25, 0.25, 0.18, 0.25, 0.5, 0.18 };
    for (int k = 0; k < 10; ++k) {
        int color = settings.layerColors[static_cast<std::size_t>(k)];
        if (color < 1 || color > 255)
            color = 7; // "by layer" or "by block" mean nothing for a layer itself
        const LineType type = k == CutLines ? LineType::DashDot : LineType::Continuous;
        scene.layer(layerName(k), static_cast<ColorIndex>(color), type, weights[k]);
    }
    for (int k = 0; k < 5; ++k) {
        const ExchangeFiles::TextStyleSetting &st = settings.styles[static_cast<std::size_t>(k)];
        TextStyle style;
        style.name = styleName(k);
        style.fontFile = st.font;
        // SHX fonts are drawn with a plain sans serif of similar proportions.
        if (!st.trueType || st.font.empty())
            style.family = "DejaVu Sans";
        scene.styles.push_back(style);
    }
    return scene;
}

std::string PositionLabel(const PositionBars &p)
{
    return "N" + p.N + " " + std::to_string(p.bars) + " ø" + p.gauge + " c/" + p.spacingText
            + " C=" + p.lengthText;
}

void AddViews(Scene &scene, const DetailingData &data, const DrawingSettings &settings,
              Content content, const Options &options)
{
    for (const char *name : { kLidPlan, kBottomPlan, kSectionA, kSectionB }) {
        const bool placed = scene.findGroup(name) != nullptr;
        rebuildView(scene, name, data, settings, content, options.scale);
        Group &g = scene.group(name);
        g.scale = 10.0 / options.scale;
        if (!placed)
            PlaceGroup(scene, name, options.scale);
    }
}

bool IsView(const std::string &group)
{
    return group == kLidPlan || group == kBottomPlan || group == kSectionA || group == kSectionB;
}

void RebuildView(Scene &scene, const std::string &view, const DetailingData &data,
                 const DrawingSettings &settings, Content content, double scale)
{
    if (!IsView(view))
        return;
    Group &g = scene.group(view);
    const Bounds before = placedBounds(g);
    rebuildView(scene, view.c_str(), data, settings, content, scale);
    g.scale = 10.0 / scale;
    if (!before.empty) {
        const Bounds own = groupBounds(g);
        g.insert = { before.min.x - own.min.x * g.scale, before.min.y - own.min.y * g.scale };
    }
}

Schedule BuildSchedule(const DetailingData &data)
{
    Schedule s;
    std::map<float, SummaryRow> byGauge;
    for (const PositionBars &p : data.positions) {
        if (p.excluded)
            continue;
        ScheduleRow row;
        row.N = p.N;
        row.gauge = p.gauge;
        row.quantity = p.bars * ModuleDimFlex::Repetitions(p.index);
        row.unitLength = p.length;
        row.totalLength = row.quantity * p.length;
        s.rows.push_back(row);
        bool mm = false;
        for (const BarGauge &g : BarGaugeTable())
            mm = mm || g.labelMm == p.gauge;
        s.inches = s.inches || !mm;
        SummaryRow &sum = byGauge[p.diameterMm];
        sum.steel = data.steel;
        sum.gauge = p.gauge;
        sum.diameterMm = p.diameterMm;
        // Weighed as the material quantities weigh a position: its bars as many times as the
        // position occurs in the tank, the schedule's quantity.
        sum.lengthM += row.quantity * p.length / 100.0;
        sum.weightKg += ModuleCalcConsumo::SteelMassPerCm(p.diameterMm) * row.quantity * p.length;
    }
    for (auto &[diameter, row] : byGauge) {
        s.summary.push_back(row);
        s.totalWeightKg += row.weightKg;
    }
    return s;
}

void AddSchedule(Scene &scene, const DetailingData &data, const DrawingSettings &settings,
                 const Options &options)
{
    const bool placed = scene.findGroup(kSchedule) != nullptr;
    Group &g = scene.group(kSchedule);
    g.items.clear();
    g.scale = 1.0;
    ViewPen v{ g, settings, 10.0 }; // paper millimetres
    const Schedule s = BuildSchedule(data);
    const double th = styleHeightMm(settings, ScheduleStyle);
    const double row = th * 2.2;
    const std::string unit = s.inches ? "ø (pol)" : "ø (mm)";
    const auto table = [&](double top, const std::string &caption,
                           const std::vector<std::string> &heads, const std::vector<double> &widths,
                           const std::vector<std::vector<std::string>> &rows) {
        double width = 0;
        for (double w : widths)
            width += w;
        const double nRows = static_cast<double>(rows.size()) + 2;
        const double bottom = top - row * nRows;
        v.rect(ScheduleLayer, { 0, bottom }, { width, top });
        v.line(ScheduleLayer, { 0, top - row }, { width, top - row });
        v.text(ScheduleLayer, Titles, { width / 2, top - row / 2 }, caption, HAlign::Center,
               VAlign::Middle, 0.0, std::min(1.0, th * 1.2 / styleHeightMm(settings, Titles)));
        for (std::size_t r = 0; r + 2 <= static_cast<std::size_t>(nRows); ++r)
            v.line(ScheduleLayer, { 0, top - row * (r + 2) }, { width, top - row * (r + 2) });
        double x = 0;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            if (c > 0)
                v.line(ScheduleLayer, { x, top - row }, { x, bottom });
            v.text(ScheduleLayer, ScheduleStyle, { x + widths[c] / 2, top - row * 1.5 }, heads[c],
                   HAlign::Center, VAlign::Middle);
            for (std::size_t r = 0; r < rows.size(); ++r)
                v.text(ScheduleLayer, ScheduleStyle,
                       { x + widths[c] / 2, top - row * (static_cast<double>(r) + 2.5) },
                       rows[r][c], HAlign::Center, VAlign::Middle);
            x += widths[c];
        }
        return bottom;
    };
    const bool comma = options.decimalComma;
    std::vector<std::vector<std::string>> rows;
    for (const ScheduleRow &r : s.rows)
        rows.push_back({ "N" + r.N, r.gauge, std::to_string(r.quantity),
                         number(r.unitLength, 0, comma), number(r.totalLength, 0, comma) });
    const double w = th * 6.5;
    const double afterRelation =
            table(0, kSchedule, { "N", unit, "QUANT.", "C. UNIT. (cm)", "C. TOTAL (cm)" },
                  { w * 0.7, w * 1.0, w * 1.0, w * 1.6, w * 1.7 }, rows);
    std::vector<std::vector<std::string>> sums;
    for (const SummaryRow &r : s.summary)
        sums.push_back(
                { r.steel, r.gauge, number(r.lengthM, 2, comma), number(r.weightKg, 2, comma) });
    const double summaryWidth = w * 5.1;
    const double afterSummary = table(afterRelation - row, "RESUMO DO AÇO",
                                      { "AÇO", unit, "C. TOTAL (m)", "PESO (kg)" },
                                      { w * 1.0, w * 1.0, w * 1.6, w * 1.5 }, sums);
    // The total closes the summary: its caption and value are the schedule's last texts.
    const double totalBottom = afterSummary - row;
    v.rect(ScheduleLayer, { 0, totalBottom }, { summaryWidth, afterSummary });
    v.line(ScheduleLayer, { w * 3.6, totalBottom }, { w * 3.6, afterSummary });
    v.text(ScheduleLayer, ScheduleStyle, { w * 3.5, afterSummary - row / 2 }, "PESO TOTAL (kg)",
           HAlign::Right, VAlign::Middle);
    v.text(ScheduleLayer, ScheduleStyle, { w * 4.35, afterSummary - row / 2 },
           number(s.totalWeightKg, 2, comma), HAlign::Center, VAlign::Middle);
    if (!placed)
        PlaceGroup(scene, kSchedule, 0);
}

std::string SheetName(const ExchangeFiles::SheetFormat &sheet)
{
    static const struct
    {
        const char *name;
        double w, h;
    } sizes[] = { { "A4", 21, 29.7 },
                  { "A3", 42, 29.7 },
                  { "A2", 59.4, 42 },
                  { "A1", 84.1, 59.4 },
                  { "A0", 118.9, 84.1 } };
    for (const auto &s : sizes) {
        const auto same = [](double x, double y) { return std::fabs(x - y) < 0.05; };
        if ((same(sheet.widthCm, s.w) && same(sheet.heightCm, s.h))
            || (same(sheet.widthCm, s.h) && same(sheet.heightCm, s.w)))
            return s.name;
    }
    return DoubleTextC(TextToNumber(sheet.widthCm * 10, 0)) + " × "
            + DoubleTextC(TextToNumber(sheet.heightCm * 10, 0)) + " mm";
}

void AddSheet(Scene &scene, const ExchangeFiles::SheetFormat &sheet,
              const std::array<std::string, 5> &legend, const DrawingSettings &settings,
              const Options &options)
{
    Group &g = scene.group(kSheet);
    g.items.clear();
    g.insert = { 0, 0 };
    g.scale = 1.0;
    ViewPen v{ g, settings, 10.0 };
    const double W = sheet.widthCm * 10, H = sheet.heightCm * 10;
    const bool large = std::max(W, H) > 800;
    const double m = large ? 10 : 7, left = 25;
    v.rect(Paper, { 0, 0 }, { W, H });
    v.rect(Format, { left, m }, { W - m, H - m });
    // The title block in the lower right corner, as wide as an A4's drawing area.
    const double sw = std::min(kStampWidth, W - m - left);
    const double x0 = W - m - sw, y0 = m;
    const double top = y0 + kStampRow * kStampRows;
    v.rect(Format, { x0, y0 }, { W - m, top });
    const std::string general = styleName(GeneralStyle);
    const std::vector<std::pair<std::string, std::string>> lines = {
        { "PROJETO:", legend[0] },
        { "CLIENTE:", legend[1] },
        { "ENDEREÇO:", legend[2] },
        { "RESPONSÁVEL:", legend[3] },
    };
    double y = top - kStampRow * 1.5;
    v.line(Format, { x0, y }, { W - m, y });
    v.text(GeneralText, Titles, { x0 + sw / 2, y + kStampRow * 0.75 },
           "Reservium - Software para Projeto de Reservatórios em Concreto Armado", HAlign::Center,
           VAlign::Middle, 0.0, std::min(1.0, 3.0 / styleHeightMm(settings, Titles)));
    for (const auto &[caption, text] : lines) {
        v.text(GeneralText, GeneralStyle, { x0 + 2, y - kStampRow / 2 }, caption, HAlign::Left,
               VAlign::Middle, 0.0, 0.8);
        v.text(GeneralText, GeneralStyle, { x0 + 30, y - kStampRow / 2 }, text, HAlign::Left,
               VAlign::Middle);
        y -= kStampRow;
        v.line(Format, { x0, y }, { W - m, y });
    }
    const std::string cells[3] = { "DATA: " + options.date,
                                   "ESCALA: 1:" + DoubleTextC(options.scale),
                                   "FORMATO: " + SheetName(sheet) };
    const double cw = sw / 3;
    for (int k = 0; k < 3; ++k) {
        if (k > 0)
            v.line(Format, { x0 + cw * k, y }, { x0 + cw * k, y0 });
        v.text(GeneralText, GeneralStyle, { x0 + cw * k + 2, (y + y0) / 2 }, cells[k], HAlign::Left,
               VAlign::Middle, 0.0, 0.9);
    }
    (void)general;
}

Point FreePlace(const Scene &scene, const std::string &exceptGroup, double width, double height)
{
    const Area area = sheetArea(scene);
    std::vector<Bounds> taken;
    Bounds all;
    for (const Group &g : scene.groups) {
        if (g.name == exceptGroup || g.name == kSheet)
            continue;
        const Bounds b = placedBounds(g);
        if (b.empty)
            continue;
        taken.push_back(b);
        all.merge(b);
    }
    const double gap = 8;
    if (area.exists) {
        taken.push_back(area.stamp);
        const double step = 4;
        // Rows from the top of the sheet, left to right: the reading order of a drawing.
        for (double y = area.box.max.y - gap - height; y >= area.box.min.y + gap; y -= step) {
            for (double x = area.box.min.x + gap; x + width <= area.box.max.x - gap; x += step) {
                Bounds want;
                want.include({ x - gap / 2, y - gap / 2 });
                want.include({ x + width + gap / 2, y + height + gap / 2 });
                bool free = true;
                for (const Bounds &t : taken)
                    free = free && !overlaps(want, t);
                if (free)
                    return { x, y };
            }
        }
        // No room left: beside the sheet, right of what is already there, where the detailer
        // sees it and can insert it at another scale.
        double right = area.box.max.x;
        for (const Bounds &t : taken)
            right = std::max(right, t.max.x);
        return { right + 20, area.box.max.y - height };
    }
    if (all.empty)
        return { 0, 0 };
    return { all.max.x + gap * 2, all.max.y - height };
}

std::vector<std::string> ElementsOffSheet(const Scene &scene)
{
    std::vector<std::string> off;
    const Area area = sheetArea(scene);
    if (!area.exists)
        return off;
    for (const Group &g : scene.groups) {
        if (g.name == kSheet)
            continue;
        const Bounds b = placedBounds(g);
        if (b.empty)
            continue;
        if (b.min.x < area.box.min.x || b.max.x > area.box.max.x || b.min.y < area.box.min.y
            || b.max.y > area.box.max.y)
            off.push_back(g.name);
    }
    return off;
}

void PlaceGroup(Scene &scene, const std::string &name, double scale)
{
    Group &g = scene.group(name);
    if (scale > 0)
        g.scale = 10.0 / scale;
    const Bounds own = groupBounds(g);
    if (own.empty)
        return;
    const double w = own.width() * g.scale, h = own.height() * g.scale;
    const Point at = FreePlace(scene, name, w, h);
    g.insert = { at.x - own.min.x * g.scale, at.y - own.min.y * g.scale };
}

void AddPositionRequest(Scene &scene, const std::string &view,
                        const ExchangeFiles::PositionRequest &request,
                        const DrawingSettings &settings, double scale)
{
    Group &g = scene.group(view);
    const Bounds own = groupBounds(g);
    ViewPen v{ g, settings, scale };
    PositionBars p;
    p.N = request.number;
    p.gauge = request.gauge;
    p.bars = static_cast<int>(TryTextToNumber(request.bars, 0).value_or(0));
    p.spacingText = request.spacing;
    p.spacing = TryTextToNumber(request.spacing, 2).value_or(0);
    p.lengthText = request.length;
    p.length = TryTextToNumber(request.length, 2).value_or(0);
    const double w = own.empty ? 100 : own.width();
    const double y0 = own.empty ? 0 : own.min.y - v.mm(6);
    const double x0 = own.empty ? 0 : own.min.x;
    const Point a{ x0 + w * 0.1, y0 }, b{ x0 + w * 0.9, y0 };
    if (request.length == "0" || request.length.empty()) {
        v.bar({ a, b }); // longitudinal: its length is what the detailer draws
    } else {
        if (!(p.spacing > 0) && p.bars > 1)
            p.spacing = (b.x - a.x) / (p.bars - 1);
        dotsAlong(v, &p, a, b);
    }
    if (request.withDescription || request.withNumber) {
        // Bars given by their count carry no spacing in their label.
        std::string text = "N" + request.number;
        if (request.withDescription) {
            text += " " + request.bars + " ø" + request.gauge;
            if (request.spacing != "0")
                text += " c/" + request.spacing;
            if (request.length != "0")
                text += " C=" + request.length;
        }
        v.text(BarText, BarStyle, { (a.x + b.x) / 2, y0 + v.mm(1) }, text, HAlign::Center,
               VAlign::Bottom);
    }
}

Scene WholeDetailing(const DetailingData &data, const DrawingSettings &settings,
                     const ExchangeFiles::SheetFormat &sheet,
                     const std::array<std::string, 5> &legend, const Options &options)
{
    Scene scene = NewDrawing(settings);
    AddSheet(scene, sheet, legend, settings, options);
    AddViews(scene, data, settings, Content::Reinforcement, options);
    AddSchedule(scene, data, settings, options);
    return scene;
}

} // namespace Detailing
