#include "results/LoadDiagrams.h"

#include "core/CalcContext.h"
#include "results/PictureFrame.h"

#include <algorithm>
#include <cmath>

namespace LoadDiagrams {

namespace {

using draw::Point;

constexpr int kArrowsPerFace = 7;

/// Sizes of one picture, from the tank's largest dimension so that every tank looks alike.
struct Metrics
{
    double size = 1; ///< largest dimension of the section, m
    double load = 0.25; ///< length of a full load arrow
    double text = 0.05; ///< text height
    double head = 0.04; ///< arrow head
};

Metrics metricsFor(double w, double h)
{
    Metrics m;
    m.size = std::max({ w, h, 0.5 });
    m.load = 0.22 * m.size;
    m.text = 0.055 * m.size;
    m.head = 0.025 * m.size;
    return m;
}

void addLayers(draw::Scene &scene)
{
    scene.layer(kOutlineLayer, 7, draw::LineType::Continuous, 0.35);
    scene.layer(kConcreteLayer, 8, draw::LineType::Continuous, 0.13);
    scene.layer(kWaterLayer, 5, draw::LineType::Continuous, 0.18);
    scene.layer(kSoilLayer, 32, draw::LineType::Continuous, 0.13);
    scene.layer(kLoadLayer, 1, draw::LineType::Continuous, 0.25);
    scene.layer(kTextLayer, 7, draw::LineType::Continuous, 0.18);
}

std::vector<Point> rect(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
}

void concrete(draw::Group &g, double x0, double y0, double x1, double y1, const Metrics &m)
{
    if (!(x1 > x0) || !(y1 > y0))
        return;
    draw::Region r;
    r.outline = rect(x0, y0, x1, y1);
    r.fill = draw::Fill::Hatch;
    r.hatchSpacing = 0.025 * m.size;
    r.outlined = true;
    g.add(r, { kConcreteLayer });
}

void text(draw::Group &g, Point at, const std::string &s, const Metrics &m, draw::HAlign h,
          draw::VAlign v)
{
    draw::Text t;
    t.at = at;
    t.text = s;
    t.height = m.text;
    t.hAlign = h;
    t.vAlign = v;
    g.add(t, { kTextLayer });
}

/// Arrows ending on the segment p0→p1 and pointing along `dir` (a unit vector), their length
/// going linearly from len0 at p0 to len1 at p1; a row whose arrows all have no length is
/// left out.
void arrowRow(draw::Group &g, Point p0, Point p1, Point dir, double len0, double len1,
              const Metrics &m, int count = kArrowsPerFace)
{
    for (int i = 0; i < count; ++i) {
        // Kept off the very ends of the face, where the next face's arrows meet them.
        const double t = count == 1 ? 0.5 : 0.04 + 0.92 * static_cast<double>(i) / (count - 1);
        const double len = len0 + (len1 - len0) * t;
        if (!(len > m.head * 0.5))
            continue;
        const Point to{ p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t };
        const Point from{ to.x - dir.x * len, to.y - dir.y * len };
        g.add(draw::Arrow{ from, to, m.head, false }, { kLoadLayer });
    }
    // The envelope of the arrows' tails shows how the load is distributed.
    const Point t0{ p0.x - dir.x * len0, p0.y - dir.y * len0 };
    const Point t1{ p1.x - dir.x * len1, p1.y - dir.y * len1 };
    g.add(draw::Line{ t0, t1 }, { kLoadLayer });
}

bool has(const std::vector<char> &loads, char symbol)
{
    return std::find(loads.begin(), loads.end(), symbol) != loads.end();
}

bool isFull(Picture p)
{
    return p == Picture::FullVertical || p == Picture::FullHorizontal;
}

bool isVertical(Picture p)
{
    return p == Picture::FullVertical || p == Picture::EmptyVertical;
}

void verticalSection(draw::Scene &scene, const CalcContext &ctx, Picture picture,
                     const std::vector<char> &loads, TankCase tankCase)
{
    const DesignState &s = ctx.state;
    const double b = s.lengthB, h = s.heightH;
    const double et = s.thicknessEt, ep = s.thicknessEp, ef = s.thicknessEf;
    const Metrics m = metricsFor(b, h);
    const double top = h - et; // underside of the lid
    const double water = std::clamp(ef + static_cast<double>(s.waterLevelHn), ef, top);
    const bool buried = tankCase != TankCase::Elevated;

    draw::Group &tank = scene.group("Secao");
    if (buried) {
        const double ht = std::clamp(static_cast<double>(s.buryHeightHt), 0.0, h);
        const double w = m.load * 1.25;
        for (double x0 : { -w, b }) {
            draw::Region soil;
            soil.outline = rect(x0, 0, x0 + w, ht);
            soil.fill = draw::Fill::Hatch;
            soil.hatchAngleDeg = -45;
            soil.hatchSpacing = 0.06 * m.size;
            tank.add(soil, { kSoilLayer });
            tank.add(draw::Line{ { x0, ht }, { x0 + w, ht } }, { kSoilLayer });
        }
        if (tankCase == TankCase::BuriedWithGroundWater && s.waterTableHna > 0) {
            const double hna = std::min(static_cast<double>(s.waterTableHna), h);
            tank.add(draw::Line{ { b, hna }, { b + w, hna } },
                     { kWaterLayer, draw::kByLayer, draw::LineType::Dashed });
        }
    }
    if (isFull(picture) && water > ef) {
        draw::Region r;
        r.outline = rect(ep, ef, b - ep, water);
        r.fill = draw::Fill::Solid;
        r.opacity = 0.18;
        tank.add(r, { kWaterLayer });
        tank.add(draw::Line{ { ep, water }, { b - ep, water } }, { kWaterLayer });
    }
    concrete(tank, 0, 0, b, ef, m);
    concrete(tank, 0, top, b, h, m);
    concrete(tank, 0, ef, ep, top, m);
    concrete(tank, b - ep, ef, b, top, m);
    tank.add(draw::Polyline{ rect(0, 0, b, h), true }, { kOutlineLayer });
    tank.add(draw::Polyline{ rect(ep, ef, b - ep, top), true }, { kOutlineLayer });

    const auto C = draw::HAlign::Center;
    const double gap = m.text * 0.4;

    if (has(loads, 'A')) {
        draw::Group &g = scene.group("A");
        const double len = m.load * 0.6;
        arrowRow(g, { 0, h }, { b, h }, { 0, -1 }, len, len, m);
        text(g, { b / 2, h + len + gap }, LoadLabel(ctx, 'A'), m, C, draw::VAlign::Bottom);
    }
    const double inner = std::max(b - 2 * ep, 0.0);
    if (has(loads, 'B')) {
        draw::Group &g = scene.group("B");
        // Hydrostatic: nothing at the surface, the whole B at the base, on both walls.
        const double len = std::min(m.load, inner * 0.4);
        arrowRow(g, { ep, water }, { ep, ef }, { -1, 0 }, 0, len, m);
        arrowRow(g, { b - ep, water }, { b - ep, ef }, { 1, 0 }, 0, len, m);
        text(g, { b / 2, ef + (water - ef) * 0.55 }, LoadLabel(ctx, 'B'), m, C,
             draw::VAlign::Middle);
    }
    if (has(loads, 'C')) {
        draw::Group &g = scene.group("C");
        const double len = std::min(m.load * 0.5, std::max(water - ef, 0.0) * 0.4);
        arrowRow(g, { ep, ef }, { b - ep, ef }, { 0, -1 }, len, len, m);
        text(g, { b / 2, ef + len + gap }, LoadLabel(ctx, 'C'), m, C, draw::VAlign::Bottom);
    }
    if (has(loads, 'E')) {
        // The earth on the left wall, growing from the surcharge at ground level to the base.
        draw::Group &g = scene.group("E");
        const double ht = std::clamp(static_cast<double>(s.buryHeightHt), 0.0, h);
        const double gammaS = 1000.0 * s.soilUnitWeight;
        const double hs = gammaS > 0 ? s.groundSurchargeQt / gammaS : 0.0;
        const double topLen = ht + hs > 0 ? m.load * hs / (ht + hs) : 0.0;
        if (ht > 0)
            arrowRow(g, { 0, ht }, { 0, 0 }, { 1, 0 }, topLen, m.load, m);
        // Over the soil, at ground level.
        text(g, { -gap, ht + gap }, LoadLabel(ctx, 'E'), m, draw::HAlign::Right,
             draw::VAlign::Bottom);
    }
    if (has(loads, 'F')) {
        // The ground water on the right wall, hydrostatic from the water table down.
        draw::Group &g = scene.group("F");
        const double hna = std::clamp(static_cast<double>(s.waterTableHna), 0.0, h);
        if (hna > 0)
            arrowRow(g, { b, hna }, { b, 0 }, { -1, 0 }, 0, m.load, m);
        // Over the soil on its side, at ground level.
        const double ground = std::clamp(static_cast<double>(s.buryHeightHt), 0.0, h);
        text(g, { b + gap, ground + gap }, LoadLabel(ctx, 'F'), m, draw::HAlign::Left,
             draw::VAlign::Bottom);
    }
    const double under = m.load * 0.6;
    const int half = (kArrowsPerFace + 1) / 2;
    const bool both = has(loads, 'D') && has(loads, 'G');
    if (has(loads, 'D')) {
        // The ground's reaction under the bottom; with the uplift beside it, on the left half.
        draw::Group &g = scene.group("D");
        const double x1 = both ? b / 2 - m.head : b;
        arrowRow(g, { 0, 0 }, { x1, 0 }, { 0, 1 }, under, under, m, both ? half : kArrowsPerFace);
        text(g, { x1 / 2, -under - gap }, LoadLabel(ctx, 'D'), m, C, draw::VAlign::Top);
    }
    if (has(loads, 'G')) {
        draw::Group &g = scene.group("G");
        const double x0 = both ? b / 2 + m.head : 0;
        arrowRow(g, { x0, 0 }, { b, 0 }, { 0, 1 }, under, under, m, both ? half : kArrowsPerFace);
        text(g, { (x0 + b) / 2, -under - gap - (both ? m.text * 1.6 : 0) }, LoadLabel(ctx, 'G'), m,
             C, draw::VAlign::Top);
    }
}

void horizontalSection(draw::Scene &scene, const CalcContext &ctx, Picture picture,
                       const std::vector<char> &loads)
{
    const DesignState &s = ctx.state;
    const double a = s.widthA, b = s.lengthB, ep = s.thicknessEp;
    const Metrics m = metricsFor(a, b);

    draw::Group &tank = scene.group("Secao");
    if (isFull(picture)) {
        draw::Region r;
        r.outline = rect(ep, ep, a - ep, b - ep);
        r.fill = draw::Fill::Solid;
        r.opacity = 0.18;
        tank.add(r, { kWaterLayer });
    }
    concrete(tank, 0, 0, a, ep, m);
    concrete(tank, 0, b - ep, a, b, m);
    concrete(tank, 0, ep, ep, b - ep, m);
    concrete(tank, a - ep, ep, a, b - ep, m);
    tank.add(draw::Polyline{ rect(0, 0, a, b), true }, { kOutlineLayer });
    tank.add(draw::Polyline{ rect(ep, ep, a - ep, b - ep), true }, { kOutlineLayer });

    const double gap = m.text * 0.4;
    if (has(loads, 'B')) {
        // The water at the base pushes every wall outwards.
        draw::Group &g = scene.group("B");
        const double len = std::min(m.load * 0.8, std::min(a, b) * 0.25);
        arrowRow(g, { ep, ep }, { ep, b - ep }, { -1, 0 }, len, len, m);
        arrowRow(g, { a - ep, ep }, { a - ep, b - ep }, { 1, 0 }, len, len, m);
        arrowRow(g, { ep, ep }, { a - ep, ep }, { 0, -1 }, len, len, m);
        arrowRow(g, { ep, b - ep }, { a - ep, b - ep }, { 0, 1 }, len, len, m);
        text(g, { a / 2, b / 2 }, LoadLabel(ctx, 'B'), m, draw::HAlign::Center,
             draw::VAlign::Middle);
    }
    // Soil and ground water push every wall inwards; their labels stand one under the other
    // below the section.
    double labelY = -m.load - gap;
    for (char symbol : { 'E', 'F' }) {
        if (!has(loads, symbol))
            continue;
        draw::Group &g = scene.group(std::string(1, symbol));
        const double len = m.load;
        arrowRow(g, { 0, 0 }, { 0, b }, { 1, 0 }, len, len, m);
        arrowRow(g, { a, 0 }, { a, b }, { -1, 0 }, len, len, m);
        arrowRow(g, { 0, 0 }, { a, 0 }, { 0, 1 }, len, len, m);
        arrowRow(g, { 0, b }, { a, b }, { 0, -1 }, len, len, m);
        text(g, { a / 2, labelY }, LoadLabel(ctx, symbol), m, draw::HAlign::Center,
             draw::VAlign::Top);
        labelY -= m.text * 1.6;
    }
    if (loads.empty())
        scene.note = "Paredes sem carregamento";
}

} // namespace

std::string PictureName(Picture picture)
{
    switch (picture) {
    case Picture::FullVertical:
        return "imgcgachever";
    case Picture::EmptyVertical:
        return "imgcgavazver";
    case Picture::FullHorizontal:
        return "imgcgachehor";
    case Picture::EmptyHorizontal:
        return "imgcgavazhor";
    }
    return {};
}

std::string Caption(Picture picture)
{
    switch (picture) {
    case Picture::FullVertical:
        return "Caixa Cheia - Corte Vertical";
    case Picture::EmptyVertical:
        return "Caixa Vazia - Corte Vertical";
    case Picture::FullHorizontal:
        return "Caixa Cheia - Corte Horizontal";
    case Picture::EmptyHorizontal:
        return "Caixa Vazia - Corte Horizontal";
    }
    return {};
}

TankCase TankCaseOf(const CalcContext &ctx)
{
    if (ctx.forms.FormTipoElev.state("OptionElevada") != 0)
        return TankCase::Elevated;
    return ctx.forms.FormDadosEnterrada.state("Checkhna") != 0 ? TankCase::BuriedWithGroundWater
                                                               : TankCase::BuriedWithoutGroundWater;
}

std::vector<char> LoadsShown(TankCase tankCase, Picture picture)
{
    const bool full = isFull(picture);
    const bool vertical = isVertical(picture);
    std::vector<char> loads;
    if (vertical)
        loads.push_back('A');
    if (full)
        loads.push_back('B');
    if (tankCase == TankCase::Elevated) {
        if (full && vertical)
            loads.push_back('C');
        return loads;
    }
    const bool groundWater = tankCase == TankCase::BuriedWithGroundWater;
    if (vertical)
        loads.push_back('D');
    loads.push_back('E');
    if (groundWater)
        loads.push_back('F');
    if (vertical && groundWater)
        loads.push_back('G');
    return loads;
}

std::string LoadLabel(const CalcContext &ctx, char symbol)
{
    if (symbol < 'A' || symbol > 'G')
        return {};
    const std::size_t field = static_cast<std::size_t>(9 + (symbol - 'A'));
    return std::string(1, symbol) + " = " + ctx.results.Text_a[field] + " kgf/m²";
}

draw::Scene Build(const CalcContext &ctx, Picture picture)
{
    return Build(ctx, picture, TankCaseOf(ctx));
}

draw::Scene Build(const CalcContext &ctx, Picture picture, TankCase tankCase)
{
    draw::Scene scene;
    addLayers(scene);
    const std::vector<char> loads = LoadsShown(tankCase, picture);
    if (isVertical(picture))
        verticalSection(scene, ctx, picture, loads, tankCase);
    else
        horizontalSection(scene, ctx, picture, loads);
    PictureFrame::AddMargin(scene);
    return scene;
}

} // namespace LoadDiagrams
