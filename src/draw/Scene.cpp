#include "draw/Scene.h"

#include <algorithm>
#include <cmath>

namespace draw {

void Bounds::include(Point p)
{
    if (!std::isfinite(p.x) || !std::isfinite(p.y))
        return;
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min.x = std::min(min.x, p.x);
    min.y = std::min(min.y, p.y);
    max.x = std::max(max.x, p.x);
    max.y = std::max(max.y, p.y);
}

void Bounds::merge(const Bounds &other)
{
    if (other.empty)
        return;
    include(other.min);
    include(other.max);
}

Layer &Scene::layer(const std::string &name, ColorIndex color, LineType lineType, double weightMm)
{
    for (Layer &l : layers) {
        if (l.name == name)
            return l;
    }
    layers.push_back({ name, color, lineType, weightMm, true });
    return layers.back();
}

const Layer *Scene::findLayer(const std::string &name) const
{
    for (const Layer &l : layers) {
        if (l.name == name)
            return &l;
    }
    return nullptr;
}

Group &Scene::group(const std::string &name)
{
    for (Group &g : groups) {
        if (g.name == name)
            return g;
    }
    groups.push_back({ name, {}, 1.0, {} });
    return groups.back();
}

const Group *Scene::findGroup(const std::string &name) const
{
    for (const Group &g : groups) {
        if (g.name == name)
            return &g;
    }
    return nullptr;
}

const TextStyle *Scene::findStyle(const std::string &name) const
{
    for (const TextStyle &s : styles) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

namespace {

/// Rough extent of a text of model size: 0.6 of the height per character, the usual width of
/// a drafting font, enough to keep labels inside a fitted picture.
void includeText(Bounds &b, const Text &t)
{
    if (t.fixedSize) {
        b.include(t.at);
        return;
    }
    std::size_t longest = 0, lines = 1, current = 0;
    for (char c : t.text) {
        if (c == '\n') {
            ++lines;
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++current);
        }
    }
    const double w = 0.6 * t.height * static_cast<double>(longest);
    const double h = t.height * 1.4 * static_cast<double>(lines);
    double x0 = t.at.x;
    if (t.hAlign == HAlign::Center)
        x0 -= w / 2;
    else if (t.hAlign == HAlign::Right)
        x0 -= w;
    double y0 = t.at.y;
    if (t.vAlign == VAlign::Middle)
        y0 -= h / 2;
    else if (t.vAlign == VAlign::Top)
        y0 -= h;
    const double rad = t.rotationDeg * 3.14159265358979323846 / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    for (Point corner :
         { Point{ x0, y0 }, Point{ x0 + w, y0 }, Point{ x0, y0 + h }, Point{ x0 + w, y0 + h } }) {
        const double dx = corner.x - t.at.x, dy = corner.y - t.at.y;
        b.include({ t.at.x + dx * c - dy * s, t.at.y + dx * s + dy * c });
    }
}

} // namespace

Bounds groupBounds(const Group &group)
{
    Bounds b;
    for (const Item &item : group.items) {
        std::visit(
                [&b](const auto &s) {
                    using T = std::decay_t<decltype(s)>;
                    if constexpr (std::is_same_v<T, Line>) {
                        b.include(s.a);
                        b.include(s.b);
                    } else if constexpr (std::is_same_v<T, Polyline>) {
                        for (Point p : s.points)
                            b.include(p);
                    } else if constexpr (std::is_same_v<T, Region>) {
                        for (Point p : s.outline)
                            b.include(p);
                    } else if constexpr (std::is_same_v<T, Circle> || std::is_same_v<T, Arc>) {
                        b.include({ s.centre.x - s.radius, s.centre.y - s.radius });
                        b.include({ s.centre.x + s.radius, s.centre.y + s.radius });
                    } else if constexpr (std::is_same_v<T, Text>) {
                        includeText(b, s);
                    } else if constexpr (std::is_same_v<T, Dimension>) {
                        const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
                        const double len = std::hypot(dx, dy);
                        b.include(s.a);
                        b.include(s.b);
                        if (len > 0) {
                            const double reach = s.offset
                                    + (s.fixedSize ? 0.0
                                                   : (s.offset >= 0 ? 1.5 : -1.5) * s.textHeight);
                            const double nx = -dy / len * reach, ny = dx / len * reach;
                            b.include({ s.a.x + nx, s.a.y + ny });
                            b.include({ s.b.x + nx, s.b.y + ny });
                        }
                    } else if constexpr (std::is_same_v<T, Arrow>) {
                        b.include(s.from);
                        b.include(s.to);
                    }
                },
                item.shape);
    }
    return b;
}

Bounds Scene::bounds() const
{
    Bounds all;
    for (const Group &g : groups) {
        const Bounds b = groupBounds(g);
        if (b.empty)
            continue;
        all.include({ g.insert.x + b.min.x * g.scale, g.insert.y + b.min.y * g.scale });
        all.include({ g.insert.x + b.max.x * g.scale, g.insert.y + b.max.y * g.scale });
    }
    return all;
}

} // namespace draw
