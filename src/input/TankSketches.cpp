#include "input/TankSketches.h"

#include "core/FormModel.h"
#include "core/Numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace TankSketches {

using draw::Dimension;
using draw::Fill;
using draw::Group;
using draw::HAlign;
using draw::Line;
using draw::LineType;
using draw::Point;
using draw::Polyline;
using draw::Region;
using draw::Scene;
using draw::Stroke;
using draw::Text;
using draw::VAlign;

namespace {

constexpr double kPi = 3.14159265358979323846;

// CAD colour indexes of the pictures.
constexpr draw::ColorIndex kBlack = 7;
constexpr draw::ColorIndex kGrey = 8;
constexpr draw::ColorIndex kLightGrey = 254;
constexpr draw::ColorIndex kBlue = 5;
constexpr draw::ColorIndex kWater = 151;
constexpr draw::ColorIndex kSoil = 32;
constexpr draw::ColorIndex kRed = 1;

const Stroke outline{ "Contorno" };
const Stroke hidden{ "Contorno", draw::kByLayer, LineType::Dashed };
const Stroke dims{ "Cotas" };
const Stroke water{ "Agua" };
const Stroke soil{ "Solo" };
const Stroke labels{ "Textos" };

void addLayers(Scene &s)
{
    s.layer("Contorno", kBlack, LineType::Continuous, 0.5);
    s.layer("Cotas", kBlack, LineType::Continuous, 0.18);
    s.layer("Agua", kBlue, LineType::Continuous, 0.25);
    s.layer("Solo", kSoil, LineType::Continuous, 0.25);
    s.layer("Textos", kBlack, LineType::Continuous, 0.18);
    // An invisible frame keeps a fitted picture's labels off its edges.
    s.layer("Margem", kBlack).visible = false;
}

/// The text height of a picture of this extent: the same size on screen at any tank size.
double textHeightFor(double extent)
{
    return std::max(extent, 0.01) * 0.055;
}

void frame(Group &g, double x0, double y0, double x1, double y1)
{
    g.add(Polyline{ { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }, true }, { "Margem" });
}

std::string metres(const char *symbol, float value, const RegionalSettings &regional)
{
    return std::string(symbol) + " = " + SingleText(value, regional) + " m";
}

void dimension(Group &g, Point a, Point b, double offset, std::string text, double th)
{
    if (std::hypot(b.x - a.x, b.y - a.y) < 1e-6)
        return;
    Dimension d;
    d.a = a;
    d.b = b;
    d.offset = offset;
    d.text = std::move(text);
    d.textHeight = th;
    d.tickSize = th * 0.6;
    g.add(d, dims);
}

Text label(Point at, std::string text, double th, HAlign h = HAlign::Left,
           VAlign v = VAlign::Baseline)
{
    Text t;
    t.at = at;
    t.text = std::move(text);
    t.height = th;
    t.hAlign = h;
    t.vAlign = v;
    return t;
}

Region solid(std::vector<Point> outline, double opacity = 1.0)
{
    Region r;
    r.outline = std::move(outline);
    r.fill = Fill::Solid;
    r.opacity = opacity;
    return r;
}

Region rect(double x0, double y0, double x1, double y1, double opacity = 1.0)
{
    return solid({ { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }, opacity);
}

Polyline box(double x0, double y0, double x1, double y1)
{
    return Polyline{ { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }, true };
}

/// The picture of a tank kind: a 4 × 3 box of the same size in both, so the two sit alike.
Scene kindScene(bool chosen, bool elevated)
{
    Scene s;
    addLayers(s);
    const draw::ColorIndex tankColor = chosen ? kBlue : kGrey;
    Group &g = s.group(elevated ? "Elevado" : "Enterrado");
    const double w = 4.0, h = 2.4, th = 0.42;
    const double base = elevated ? 3.2 : 0.0;
    frame(g, -1.2, -2.0, w + 1.2, 6.2);

    if (elevated) {
        // Four columns under the box, bracing between them, footings on the ground line.
        for (double x : { 0.3, 1.3, 2.7, 3.7 })
            g.add(rect(x - 0.12, 0, x + 0.12, base, 1.0), { "Contorno", kLightGrey });
        for (double x : { 0.3, 1.3, 2.7, 3.7 })
            g.add(box(x - 0.12, 0, x + 0.12, base), outline);
        g.add(Line{ { 0.3, base * 0.5 }, { 3.7, base * 0.5 } }, outline);
        g.add(Line{ { 0.3, 0.1 }, { 1.3, base * 0.5 } }, hidden);
        g.add(Line{ { 2.7, base * 0.5 }, { 3.7, 0.1 } }, hidden);
        g.add(Line{ { -0.9, 0 }, { w + 0.9, 0 } }, { "Solo", kSoil, LineType::Continuous, 0.5 });
    } else {
        // The ground around and under the box, its surface above the box's top.
        Region earth;
        earth.outline = {
            { -0.9, -1.0 }, { w + 0.9, -1.0 }, { w + 0.9, h + 0.7 }, { w, h + 0.7 },
            { w, 0 },       { 0, 0 },          { 0, h + 0.7 },       { -0.9, h + 0.7 }
        };
        earth.fill = Fill::Hatch;
        earth.hatchSpacing = 0.25;
        g.add(earth, { "Solo", chosen ? kSoil : kGrey });
        g.add(Line{ { -0.9, h + 0.7 }, { w + 0.9, h + 0.7 } },
              { "Solo", chosen ? kSoil : kGrey, LineType::Continuous, 0.5 });
    }
    g.add(rect(0.15, base + 0.15, w - 0.15, base + h * 0.75, 0.35), { "Agua", tankColor });
    g.add(box(0, base, w, base + h), { "Contorno", tankColor, LineType::Continuous, 0.7 });
    g.add(box(0.15, base + 0.15, w - 0.15, base + h - 0.15), { "Contorno", tankColor });
    g.add(label({ w / 2, -1.3 }, elevated ? "Elevado" : "Enterrado", th, HAlign::Center,
                VAlign::Middle),
          { "Textos", chosen ? kBlack : kGrey });
    if (chosen) {
        g.add(box(-1.1, -1.9, w + 1.1, (elevated ? base + h : h + 0.7) + 0.5),
              { "Contorno", kBlue, LineType::Continuous, 0.5 });
    }
    return s;
}

/// A text of a field as the window reads it with two decimals; nothing when it is not a number.
std::optional<float> twoDecimals(const FormModel &f, const char *control)
{
    const std::optional<double> v = TryTextToNumber(f.text(control), "0.00");
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return ToSingle(*v);
}

bool anyError(const FormModel &f)
{
    for (const std::string &name : f.fieldNames()) {
        if (f.error(name))
            return true;
    }
    return false;
}

} // namespace

Scene ElevatedTankSketch(bool chosen)
{
    return kindScene(chosen, true);
}

Scene BuriedTankSketch(bool chosen)
{
    return kindScene(chosen, false);
}

Scene GeometrySketch(const GeometryValues &v, const RegionalSettings &regional, bool stale)
{
    Scene s;
    addLayers(s);
    Group &g = s.group("Caixa");
    const double a = v.a, b = v.b, h = v.h, hn = std::clamp<double>(v.hn, 0.0, v.h);
    // Oblique view: the depth drawn at 30° and half its length, as on a drawing board.
    const double dx = b * 0.5 * std::cos(kPi / 6), dy = b * 0.5 * std::sin(kPi / 6);
    const double extent = std::max(a + dx, h + dy);
    const double th = textHeightFor(extent);
    frame(g, -4.5 * th, -3.5 * th, a + dx + 4.5 * th, h + dy + 1.5 * th);

    // Water: the front face and the right side up to hn, and its surface on top.
    if (hn > 0) {
        g.add(solid({ { 0, 0 },
                      { a, 0 },
                      { a + dx, dy },
                      { a + dx, dy + hn },
                      { dx, dy + hn },
                      { 0, hn } },
                    0.3),
              { "Agua", kWater });
        g.add(Polyline{ { { 0, hn }, { a, hn }, { a + dx, dy + hn } } }, water);
        g.add(Polyline{ { { 0, hn }, { dx, dy + hn }, { a + dx, dy + hn } } },
              { "Agua", draw::kByLayer, LineType::Dashed });
    }
    // Hidden edges behind, then the visible ones.
    g.add(Line{ { 0, 0 }, { dx, dy } }, hidden);
    g.add(Line{ { dx, dy }, { a + dx, dy } }, hidden);
    g.add(Line{ { dx, dy }, { dx, dy + h } }, hidden);
    g.add(box(0, 0, a, h), outline);
    g.add(Polyline{ { { 0, h }, { dx, dy + h }, { a + dx, dy + h }, { a, h } } }, outline);
    g.add(Polyline{ { { a, 0 }, { a + dx, dy }, { a + dx, dy + h } } }, outline);

    dimension(g, { 0, 0 }, { a, 0 }, -2 * th, metres("a", v.a, regional), th);
    dimension(g, { a, 0 }, { a + dx, dy }, -1.5 * th, metres("b", v.b, regional), th);
    dimension(g, { 0, 0 }, { 0, h }, 1.5 * th, metres("h", v.h, regional), th);
    dimension(g, { a + dx, dy }, { a + dx, dy + hn }, -1.5 * th, metres("hn", v.hn, regional), th);
    if (stale)
        s.note = kStaleNote;
    return s;
}

Scene LidSketch(const LidValues &v, const RegionalSettings &regional, bool stale)
{
    Scene s;
    addLayers(s);
    Group &g = s.group("Tampa");
    const double a = v.a, b = v.b;
    const double x0 = v.Lx, y0 = v.Ly, x1 = v.Lx + v.X, y1 = v.Ly + v.Y;
    const double th = textHeightFor(std::max(a, b));
    frame(g, -4 * th, -5.5 * th, a + 6.5 * th, b + 6.5 * th);

    g.add(rect(0, 0, a, b), { "Contorno", kLightGrey });
    g.add(box(0, 0, a, b), outline);
    Region opening;
    opening.outline = { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
    opening.fill = Fill::CrossHatch;
    opening.hatchSpacing = th * 0.8;
    opening.outlined = true;
    g.add(rect(x0, y0, x1, y1), { "Contorno", 255 });
    g.add(opening, { "Contorno", kBlue });
    // The base point of the hatch.
    g.add(draw::Circle{ { x0, y0 }, th * 0.25, true }, { "Contorno", kRed });

    // The hatch's position and size on two rows of dimensions above and right of the plan, so
    // that short lengths keep their texts apart.
    dimension(g, { 0, 0 }, { a, 0 }, -2 * th, metres("a", v.a, regional), th);
    dimension(g, { 0, 0 }, { 0, b }, 2 * th, metres("b", v.b, regional), th);
    dimension(g, { 0, b }, { x0, b }, 2 * th, metres("Lx", v.Lx, regional), th);
    dimension(g, { x0, y1 }, { x1, y1 }, b - y1 + 4.5 * th, metres("X", v.X, regional), th);
    dimension(g, { a, 0 }, { a, y0 }, -2 * th, metres("Ly", v.Ly, regional), th);
    dimension(g, { x1, y0 }, { x1, y1 }, -(a - x1) - 4.5 * th, metres("Y", v.Y, regional), th);
    g.add(label({ a / 2, -4.5 * th }, "qA = " + SingleText(v.qA, regional) + " kgf/m²", th,
                HAlign::Center, VAlign::Middle),
          labels);
    if (stale)
        s.note = kStaleNote;
    return s;
}

Scene BuriedSketch(const BuriedValues &v, const RegionalSettings &regional, bool stale)
{
    Scene s;
    addLayers(s);
    Group &g = s.group("Corte");
    // The section is taken across the width b, the shorter side, as the soil's thrust on the
    // long walls is drawn on a detail; `a` is the width in the section here.
    const double a = v.b, h = v.h, ht = std::clamp<double>(v.ht, 0.0, v.h);
    const double extent = std::max(a, h) * 1.9;
    const double th = textHeightFor(extent) * 0.85;
    // The ground drawn on each side: wide enough for the surcharge's and the slope's labels
    // beside a narrow tank.
    const double side = std::max(std::max(a, h) * 0.45, 9.5 * th);
    const double below = th * 2.5; // ground drawn under the bottom
    const double rise = side * std::tan(std::clamp<double>(v.slope, 0, 60) * kPi / 180.0);
    const double wall = std::max(a, h) * 0.035;
    frame(g, -side - 4 * th, -below - 3 * th, a + side + 6 * th, std::max(h, ht + rise) + 5 * th);

    // The ground: around and under the tank, its surface at ht rising away at the inclination.
    Region earth;
    earth.outline = { { -side, -below },
                      { a + side, -below },
                      { a + side, ht + rise },
                      { a, ht },
                      { a, 0 },
                      { 0, 0 },
                      { 0, ht },
                      { -side, ht + rise } };
    earth.fill = Fill::Hatch;
    earth.hatchSpacing = th * 0.7;
    g.add(earth, soil);
    g.add(Polyline{ { { -side, ht + rise }, { 0, ht } } },
          { "Solo", kSoil, LineType::Continuous, 0.6 });
    g.add(Polyline{ { { a, ht }, { a + side, ht + rise } } },
          { "Solo", kSoil, LineType::Continuous, 0.6 });

    // Ground water outside the tank.
    if (v.groundWater && v.hna > 0) {
        const double hna = std::min<double>(v.hna, ht);
        g.add(rect(-side, -below, 0, hna, 0.25), { "Agua", kWater });
        g.add(rect(a, -below, a + side, hna, 0.25), { "Agua", kWater });
        g.add(Line{ { -side, hna }, { 0, hna } }, { "Agua", draw::kByLayer, LineType::Dashed });
        g.add(Line{ { a, hna }, { a + side, hna } }, { "Agua", draw::kByLayer, LineType::Dashed });
        const double tx = a + side * 0.3, tri = th * 0.5;
        g.add(solid({ { tx - tri, hna + tri * 1.2 }, { tx + tri, hna + tri * 1.2 }, { tx, hna } }),
              water);
        g.add(label({ tx + tri * 1.5, hna + tri * 0.3 }, "NA", th * 0.9), water);
    }

    // The tank in section: walls, bottom and lid, and the water inside.
    g.add(rect(0, 0, a, h), { "Contorno", kGrey });
    g.add(rect(wall, wall, a - wall, h - wall), { "Contorno", 255 });
    const double hn = std::clamp<double>(v.hn, 0.0, h - 2 * wall);
    if (hn > 0) {
        g.add(rect(wall, wall, a - wall, wall + hn, 0.3), { "Agua", kWater });
        g.add(Line{ { wall, wall + hn }, { a - wall, wall + hn } }, water);
    }
    g.add(box(0, 0, a, h), outline);
    g.add(box(wall, wall, a - wall, h - wall), outline);

    // The surcharge on the ground, on both sides.
    if (v.qt > 0) {
        for (int i = 0; i < 3; ++i) {
            for (int sideSign : { -1, 1 }) {
                const double d = side * (0.25 + 0.3 * i);
                const double x = sideSign < 0 ? -d : a + d;
                const double y = ht + rise * d / side;
                draw::Arrow arrow;
                arrow.from = { x, y + 2 * th };
                arrow.to = { x, y };
                arrow.headSize = th * 0.5;
                g.add(arrow, { "Cotas", kRed });
            }
        }
        // Ending short of the wall, so a narrow tank does not cross it.
        g.add(label({ -0.4 * th, ht + rise + 2.6 * th },
                    "qt = " + SingleText(v.qt, regional) + " kgf/m²", th, HAlign::Right),
              labels);
    }
    if (v.slope > 0) {
        g.add(label({ a + side * 0.5, ht + rise * 0.5 + 3.2 * th },
                    "i = " + SingleText(v.slope, regional) + "º", th, HAlign::Center),
              labels);
    }
    g.add(label({ a / 2, -below - 1.8 * th },
                "γ = " + SingleText(v.gamma, regional)
                        + " tf/m³   φ = " + SingleText(v.phi, regional) + "º",
                th, HAlign::Center, VAlign::Middle),
          labels);

    dimension(g, { 0, h }, { a, h }, 1.5 * th, metres("b", v.b, regional), th);
    dimension(g, { -side, 0 }, { -side, ht }, 1.5 * th, metres("ht", v.ht, regional), th);
    dimension(g, { a + side, 0 }, { a + side, h }, -4.5 * th, metres("h", v.h, regional), th);
    if (v.groundWater)
        dimension(g, { a + side, 0 }, { a + side, std::min(v.hna, v.ht) }, -1.5 * th,
                  metres("hna", v.hna, regional), th);
    if (stale)
        s.note = kStaleNote;
    return s;
}

std::optional<GeometryValues> ReadGeometry(const FormModel &geometry)
{
    if (anyError(geometry))
        return std::nullopt;
    const auto a = twoDecimals(geometry, "Text_a"), b = twoDecimals(geometry, "Text_b"),
               h = twoDecimals(geometry, "Text_h"), hn = twoDecimals(geometry, "Text_hn");
    if (!a || !b || !h || !hn || !(*a > 0) || !(*b > 0) || !(*h > 0) || *b > *a || *hn < 0
        || *hn > *h)
        return std::nullopt;
    return GeometryValues{ *a, *b, *h, *hn };
}

std::optional<LidValues> ReadLid(const FormModel &geometry, const FormModel &lid)
{
    const std::optional<GeometryValues> plan = ReadGeometry(geometry);
    if (!plan || anyError(lid))
        return std::nullopt;
    const auto X = twoDecimals(lid, "Text_X"), Y = twoDecimals(lid, "Text_Y"),
               Lx = twoDecimals(lid, "Text_Lx"), Ly = twoDecimals(lid, "Text_Ly"),
               qA = twoDecimals(lid, "TextqA");
    if (!X || !Y || !Lx || !Ly || !qA || !(*X > 0) || !(*Y > 0) || *Lx < 0 || *Ly < 0
        || *Lx + *X > plan->a + 1e-4f || *Ly + *Y > plan->b + 1e-4f)
        return std::nullopt;
    return LidValues{ plan->a, plan->b, *X, *Y, *Lx, *Ly, *qA };
}

std::optional<BuriedValues> ReadBuried(const FormModel &geometry, const FormModel &buried)
{
    const std::optional<GeometryValues> box = ReadGeometry(geometry);
    if (!box || anyError(buried))
        return std::nullopt;
    const bool water = buried.state("Checkhna") != 0;
    const auto ht = twoDecimals(buried, "Textht"), qt = twoDecimals(buried, "Textqt"),
               hna = water ? twoDecimals(buried, "Texthna") : std::optional<float>(0.0f),
               gamma = twoDecimals(buried, "TextGama"), phi = twoDecimals(buried, "TextAngSolo"),
               slope = twoDecimals(buried, "TextAngTerreno");
    if (!ht || !qt || !hna || !gamma || !phi || !slope || !(*ht > 0) || *ht > box->h || *qt < 0
        || *hna < 0 || *hna > *ht || *slope < 0 || *slope > 60)
        return std::nullopt;
    return BuriedValues{ box->b, box->h, box->hn, *ht, *qt, water, *hna, *gamma, *phi, *slope };
}

} // namespace TankSketches
