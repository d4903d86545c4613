#include "design/PositionKeys.h"

#include "core/CalcContext.h"

#include <algorithm>
#include <array>

namespace PositionKeys {

namespace {

using draw::Point;

constexpr int kBars = 5;

void layers(draw::Scene &scene)
{
    scene.layer(kOutlineLayer, 8, draw::LineType::Continuous, 0.3);
    scene.layer(kBarLayer, 1, draw::LineType::Continuous, 0.5);
    scene.layer(kTextLayer, 7, draw::LineType::Continuous, 0.18);
}

std::vector<Point> rect(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
}

void outline(draw::Group &g, double x0, double y0, double x1, double y1)
{
    if (x1 > x0 && y1 > y0)
        g.add(draw::Polyline{ rect(x0, y0, x1, y1), true }, { kOutlineLayer });
}

void caption(draw::Scene &scene, Point at, const std::string &text, double th)
{
    draw::Text t;
    t.at = at;
    t.text = text;
    t.height = th;
    t.hAlign = draw::HAlign::Center;
    t.vAlign = draw::VAlign::Top;
    scene.group("Legenda").add(t, { kTextLayer });
}

draw::Stroke bar(bool hidden = false)
{
    return { kBarLayer, draw::kByLayer, hidden ? draw::LineType::Dashed : draw::LineType::ByLayer };
}

/// Key 1: the vertical section across the length b.
void section(draw::Scene &scene, const DesignState &s, int picture)
{
    const double b = s.lengthB, h = s.heightH;
    const double et = s.thicknessEt, ep = s.thicknessEp, ef = s.thicknessEf;
    const double size = std::max({ b, h, 0.5 });
    draw::Group &g = scene.group("Secao");
    outline(g, 0, 0, b, h);
    outline(g, ep, ef, b - ep, h - et);
    draw::Group &bars = scene.group("Barras");
    const double c = std::min({ et, ep, ef }) * 0.3; // the bars' cover in the picture
    const double top = h - et;
    const double dot = std::min({ et, ep, ef }) * 0.12;
    const double anchor = 0.25 * b;
    auto dotsUp = [&](double x) {
        for (int i = 0; i < kBars; ++i)
            bars.add(draw::Circle{ { x, ef + (top - ef) * (i + 0.5) / kBars }, dot, true }, bar());
    };
    switch (picture) {
    case 1: // lid, span bars at the underside
        bars.add(draw::Line{ { c, top + c }, { b - c, top + c } }, bar());
        break;
    case 2: // lid, edge bars over the walls, bent down into them
        for (int side : { 0, 1 }) {
            const double x0 = side == 0 ? c : b - c;
            const double x1 = side == 0 ? ep + anchor : b - ep - anchor;
            bars.add(
                    draw::Polyline{
                            { { x0, top - 0.3 * (top - ef) }, { x0, h - c }, { x1, h - c } } },
                    bar());
        }
        break;
    case 3: // bottom, span bars at the underside
        bars.add(draw::Line{ { c, c }, { b - c, c } }, bar());
        break;
    case 4: // bottom, span bars at the top face
        bars.add(draw::Line{ { c, ef - c }, { b - c, ef - c } }, bar());
        break;
    case 5: // bottom, edge bars under the walls, bent up into them
        for (int side : { 0, 1 }) {
            const double x0 = side == 0 ? c : b - c;
            const double x1 = side == 0 ? ep + anchor : b - ep - anchor;
            bars.add(draw::Polyline{ { { x0, ef + 0.3 * (top - ef) }, { x0, c }, { x1, c } } },
                     bar());
        }
        break;
    case 6: // walls, outer face, vertical bars
        bars.add(draw::Line{ { c, c }, { c, h - c } }, bar());
        bars.add(draw::Line{ { b - c, c }, { b - c, h - c } }, bar());
        break;
    case 7: // walls, outer face, horizontal bars seen end on
        dotsUp(c);
        dotsUp(b - c);
        break;
    case 8: // walls, inner face, vertical bars
        bars.add(draw::Line{ { ep - c, ef }, { ep - c, top } }, bar());
        bars.add(draw::Line{ { b - ep + c, ef }, { b - ep + c, top } }, bar());
        break;
    case 9: // walls, inner face, horizontal bars seen end on
        dotsUp(ep - c);
        dotsUp(b - ep + c);
        break;
    default:
        break;
    }
    caption(scene, { b / 2, -0.05 * size }, "Corte vertical", 0.07 * size);
}

/// Key 2: the elevation of a wall, seen from outside.
void elevation(draw::Scene &scene, const DesignState &s, int picture)
{
    const bool wallA = picture >= 1 && picture <= 4;
    const double len = wallA || picture == 0 ? s.widthA : s.lengthB;
    const double h = s.heightH, et = s.thicknessEt, ef = s.thicknessEf;
    const double size = std::max({ len, h, 0.5 });
    draw::Group &g = scene.group("Secao");
    outline(g, 0, 0, len, h);
    g.add(draw::Line{ { 0, ef }, { len, ef } },
          { kOutlineLayer, draw::kByLayer, draw::LineType::Hidden });
    g.add(draw::Line{ { 0, h - et }, { len, h - et } },
          { kOutlineLayer, draw::kByLayer, draw::LineType::Hidden });
    draw::Group &bars = scene.group("Barras");
    const int kind = picture == 9 ? 9 : (picture - 1) % 4; // 0 vertical, 1 horizontal; +2 inner
    const bool inner = kind == 2 || kind == 3;
    const double m = 0.06 * size;
    if (picture >= 1 && picture <= 8) {
        for (int i = 0; i < kBars + 2; ++i) {
            const double t = (i + 0.5) / (kBars + 2);
            if (kind == 0 || kind == 2)
                bars.add(draw::Line{ { len * t, m }, { len * t, h - m } }, bar(inner));
            else
                bars.add(draw::Line{ { m, h * t }, { len - m, h * t } }, bar(inner));
        }
    } else if (picture == 9) {
        // The corner bars: short horizontal bars across both vertical edges.
        for (int i = 0; i < kBars + 2; ++i) {
            const double y = h * (i + 0.5) / (kBars + 2);
            bars.add(draw::Line{ { 0, y }, { 0.25 * len, y } }, bar());
            bars.add(draw::Line{ { 0.75 * len, y }, { len, y } }, bar());
        }
    }
    std::string text = wallA || picture == 0 ? "Parede (a)" : "Parede (b)";
    if (picture == 9)
        text = "Cantos das paredes";
    else if (picture >= 1)
        text += inner ? " - face interna" : " - face externa";
    caption(scene, { len / 2, -0.05 * size }, text, 0.07 * size);
}

/// Key 3: the plan of the lid or the bottom.
void plan(draw::Scene &scene, const DesignState &s, int picture)
{
    const double a = s.widthA, b = s.lengthB, ep = s.thicknessEp;
    const double size = std::max({ a, b, 0.5 });
    draw::Group &g = scene.group("Secao");
    outline(g, 0, 0, a, b);
    outline(g, ep, ep, a - ep, b - ep);
    const bool lid = picture == 1 || picture == 2 || picture == 7 || picture == 0;
    if (lid && s.hatchX > 0 && s.hatchY > 0)
        outline(g, s.hatchLx, s.hatchLy, s.hatchLx + s.hatchX, s.hatchLy + s.hatchY);
    draw::Group &bars = scene.group("Barras");
    const double m = 0.05 * size;
    const bool alongA = picture == 1 || picture == 3 || picture == 5;
    const bool hidden = picture == 5 || picture == 6; // the bottom's top face, seen through
    if (picture >= 1 && picture <= 6) {
        for (int i = 0; i < kBars + 2; ++i) {
            const double t = (i + 0.5) / (kBars + 2);
            if (alongA)
                bars.add(draw::Line{ { m, b * t }, { a - m, b * t } }, bar(hidden));
            else
                bars.add(draw::Line{ { a * t, m }, { a * t, b - m } }, bar(hidden));
        }
    } else if (picture == 7) {
        // The bars framing the hatch, one along each of its sides.
        const double x0 = s.hatchLx, y0 = s.hatchLy, x1 = x0 + s.hatchX, y1 = y0 + s.hatchY;
        const double d = 0.04 * size;
        bars.add(draw::Line{ { x0 - 3 * d, y0 - d }, { x1 + 3 * d, y0 - d } }, bar());
        bars.add(draw::Line{ { x0 - 3 * d, y1 + d }, { x1 + 3 * d, y1 + d } }, bar());
        bars.add(draw::Line{ { x0 - d, y0 - 3 * d }, { x0 - d, y1 + 3 * d } }, bar());
        bars.add(draw::Line{ { x1 + d, y0 - 3 * d }, { x1 + d, y1 + 3 * d } }, bar());
    }
    std::string text = lid ? "Tampa" : "Fundo";
    if (picture == 3 || picture == 4)
        text += " - face inferior";
    else if (picture == 5 || picture == 6)
        text += " - face superior";
    else if (picture == 7)
        text += " - abertura";
    caption(scene, { a / 2, -0.05 * size }, text, 0.07 * size);
}

} // namespace

KeyPictures KeyPicturesOf(int row)
{
    static constexpr std::array<KeyPictures, 20> kTable{ {
            { 1, 0, 1 }, { 1, 0, 2 }, { 2, 0, 0 }, { 2, 0, 0 }, { 3, 0, 3 },
            { 3, 0, 4 }, { 4, 0, 5 }, { 4, 0, 6 }, { 5, 0, 0 }, { 5, 0, 0 },
            { 6, 1, 0 }, { 7, 2, 0 }, { 8, 3, 0 }, { 9, 4, 0 }, { 6, 5, 0 },
            { 7, 6, 0 }, { 8, 7, 0 }, { 9, 8, 0 }, { 0, 9, 0 }, { 0, 0, 7 },
    } };
    const int r = row < 1 ? 1 : std::min(row, 20);
    return kTable[static_cast<std::size_t>(r - 1)];
}

std::optional<Axes> AxesOf(int row)
{
    const int r = row < 1 ? 1 : row;
    if (r < 11)
        return r % 2 == 0 ? Axes::YZ : Axes::XZ;
    if (r <= 14)
        return Axes::YZ;
    if (r <= 18)
        return Axes::XZ;
    return std::nullopt;
}

draw::Scene Build(const CalcContext &ctx, int key, int picture)
{
    draw::Scene scene;
    layers(scene);
    switch (key) {
    case 1:
        section(scene, ctx.state, picture);
        break;
    case 2:
        elevation(scene, ctx.state, picture);
        break;
    default:
        plan(scene, ctx.state, picture);
        break;
    }
    return scene;
}

draw::Scene AxesPicture(Axes axes)
{
    draw::Scene scene;
    layers(scene);
    draw::Group &g = scene.group("Eixos");
    const char *first = axes == Axes::XZ || axes == Axes::XY ? "x" : "y";
    const char *second = axes == Axes::XY ? "y" : "z";
    g.add(draw::Arrow{ { 0, 0 }, { 1, 0 }, 0.15, false }, { kTextLayer });
    g.add(draw::Arrow{ { 0, 0 }, { 0, 1 }, 0.15, false }, { kTextLayer });
    draw::Text t;
    t.height = 0.3;
    t.at = { 1.1, 0 };
    t.text = first;
    t.vAlign = draw::VAlign::Middle;
    g.add(t, { kTextLayer });
    t.at = { 0, 1.1 };
    t.text = second;
    t.hAlign = draw::HAlign::Center;
    t.vAlign = draw::VAlign::Bottom;
    g.add(t, { kTextLayer });
    return scene;
}

} // namespace PositionKeys
