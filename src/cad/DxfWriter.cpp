#include "cad/DxfWriter.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <system_error>
#include <vector>

namespace DxfWriter {

namespace {

using namespace draw;

constexpr double kDegToRad = std::numbers::pi / 180.0;

/// The code points of a UTF-8 text; a malformed byte stands for itself, so nothing is lost.
std::vector<char32_t> codePoints(std::string_view s)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = c;
        if (c >= 0xF0 && c < 0xF8) {
            extra = 3;
            cp = c & 0x07;
        } else if (c >= 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        }
        bool ok = i + extra < s.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(c);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

const char *lineTypeName(LineType t)
{
    switch (t) {
    case LineType::Dashed:
        return "DASHED";
    case LineType::DashDot:
        return "DASHDOT";
    case LineType::Hidden:
        return "HIDDEN";
    case LineType::ByLayer:
        return "BYLAYER";
    case LineType::Continuous:
        break;
    }
    return "CONTINUOUS";
}

/// Line weight in hundredths of a millimetre, snapped to the weights the format allows.
int lineWeight(double mm)
{
    static const int allowed[] = { 0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                   53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211 };
    if (mm < 0)
        return -1; // by layer
    const int want = static_cast<int>(std::lround(mm * 100));
    int best = 25;
    int bestDiff = 1 << 30;
    for (int w : allowed) {
        const int d = std::abs(w - want);
        if (d < bestDiff) {
            best = w;
            bestDiff = d;
        }
    }
    return best;
}

/// The drawn parts of an aligned dimension, in the coordinates of the block holding it: what a
/// CAD program keeps in the dimension's own anonymous block and shows as the dimension.
struct DimensionGeometry
{
    std::vector<std::pair<Point, Point>> lines;
    std::vector<std::array<Point, 3>> heads; ///< filled arrowheads
    std::vector<std::pair<Point, double>> dots; ///< centre, radius
    Point dimA, dimB, textAt;
    double textAngleDeg = 0;
    bool textAbove = true;
};

DimensionGeometry geometryOf(const Dimension &s)
{
    DimensionGeometry g;
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double len = std::hypot(dx, dy);
    const Point u{ dx / len, dy / len };
    const Point n{ -u.y, u.x };
    const auto at = [&](Point p, double d) { return Point{ p.x + n.x * d, p.y + n.y * d }; };
    const double sign = s.offset >= 0 ? 1.0 : -1.0;
    const double tick = s.tickSize;
    const double over = tick * 0.6;
    g.dimA = at(s.a, s.offset);
    g.dimB = at(s.b, s.offset);
    if (std::fabs(s.offset) > 0) {
        const double gap = std::min(std::fabs(s.offset) * 0.2, over);
        g.lines.push_back({ at(s.a, sign * gap), at(s.a, s.offset + sign * over) });
        g.lines.push_back({ at(s.b, sign * gap), at(s.b, s.offset + sign * over) });
    }
    g.lines.push_back({ g.dimA, g.dimB });
    switch (s.tick) {
    case Tick::Oblique: {
        const Point diag{ (u.x + n.x) * tick / 2 / std::sqrt(2.0),
                          (u.y + n.y) * tick / 2 / std::sqrt(2.0) };
        for (Point p : { g.dimA, g.dimB })
            g.lines.push_back({ { p.x - diag.x, p.y - diag.y }, { p.x + diag.x, p.y + diag.y } });
        break;
    }
    case Tick::Arrow:
        for (int end = 0; end < 2; ++end) {
            const Point tip = end == 0 ? g.dimA : g.dimB;
            const double d = end == 0 ? 1.0 : -1.0; // heads point outwards
            const Point base{ tip.x + u.x * tick * d, tip.y + u.y * tick * d };
            g.heads.push_back({ tip,
                                Point{ base.x + n.x * tick * 0.35, base.y + n.y * tick * 0.35 },
                                Point{ base.x - n.x * tick * 0.35, base.y - n.y * tick * 0.35 } });
        }
        break;
    case Tick::Dot:
        g.dots.push_back({ g.dimA, tick / 3 });
        g.dots.push_back({ g.dimB, tick / 3 });
        break;
    }
    double angle = std::atan2(dy, dx) / kDegToRad;
    if (angle > 90.0 || angle <= -90.0)
        angle += 180.0;
    g.textAngleDeg = angle;
    const Point mid{ (g.dimA.x + g.dimB.x) / 2, (g.dimA.y + g.dimB.y) / 2 };
    g.textAt = at(mid, sign * s.textHeight * 0.4);
    // Above the line when the offset side is the text's own "up".
    const double a = angle * kDegToRad;
    const Point up{ -std::sin(a), std::cos(a) };
    g.textAbove = (n.x * sign * up.x + n.y * sign * up.y) >= 0;
    return g;
}

class Writer
{
public:
    Writer(const Scene &scene, DL_WriterA &dw) : m_scene(scene), m_dw(dw) { }

    void write()
    {
        nameBlocks();
        m_dxf.writeHeader(m_dw);
        // Names are written in the drawing's code page; the drawing's units are millimetres.
        m_dw.dxfString(9, "$DWGCODEPAGE");
        m_dw.dxfString(3, "ANSI_1252");
        m_dw.dxfString(9, "$INSUNITS");
        m_dw.dxfInt(70, 4);
        // The extent, so that a CAD program opens the drawing zoomed to it.
        const Bounds extent = m_scene.bounds();
        if (!extent.empty) {
            m_dw.dxfString(9, "$EXTMIN");
            m_dw.coord(10, extent.min.x, extent.min.y, 0.0);
            m_dw.dxfString(9, "$EXTMAX");
            m_dw.coord(10, extent.max.x, extent.max.y, 0.0);
        }
        m_dw.sectionEnd();
        writeTables();
        m_dw.sectionBlocks();
        for (const char *space : { "*Model_Space", "*Paper_Space", "*Paper_Space0" }) {
            m_dxf.writeBlock(m_dw, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
            m_dxf.writeEndBlock(m_dw, space);
        }
        writeDimensionBlocks();
        m_dimension = 0;
        for (std::size_t g = 0; g < m_scene.groups.size(); ++g) {
            const Group &group = m_scene.groups[g];
            m_dxf.writeBlock(m_dw, DL_BlockData(m_blockNames[g], 0, 0.0, 0.0, 0.0));
            for (const Item &item : group.items) {
                m_item = &item;
                std::visit([this](const auto &shape) { emit(shape); }, item.shape);
            }
            m_dxf.writeEndBlock(m_dw, m_blockNames[g]);
        }
        m_dw.sectionEnd();
        m_dw.sectionEntities();
        for (std::size_t g = 0; g < m_scene.groups.size(); ++g) {
            const Group &group = m_scene.groups[g];
            m_dxf.writeInsert(m_dw,
                              DL_InsertData(m_blockNames[g], group.insert.x, group.insert.y, 0.0,
                                            group.scale, group.scale, 1.0, 0.0, 1, 1, 0.0, 0.0),
                              DL_Attributes("0", kByLayer, -1, "BYLAYER", 1.0));
        }
        m_dw.sectionEnd();
        m_dxf.writeObjects(m_dw);
        m_dxf.writeObjectsEnd(m_dw);
        m_dw.dxfEOF();
    }

private:
    /// Each dimension's drawn parts as its anonymous block "*D1", "*D2"…, in writing order.
    void writeDimensionBlocks()
    {
        int k = 0;
        for (const Group &group : m_scene.groups) {
            for (const Item &item : group.items) {
                const auto *d = std::get_if<Dimension>(&item.shape);
                if (!d || !measurable(*d))
                    continue;
                const std::string name = "*D" + std::to_string(++k);
                m_item = &item;
                m_dxf.writeBlock(m_dw, DL_BlockData(name, 1, 0.0, 0.0, 0.0));
                const DimensionGeometry g = geometryOf(*d);
                for (const auto &[a, b] : g.lines)
                    emit(Line{ a, b });
                for (const auto &h : g.heads)
                    m_dxf.writeSolid(m_dw,
                                     DL_SolidData(h[0].x, h[0].y, 0.0, h[1].x, h[1].y, 0.0, h[2].x,
                                                  h[2].y, 0.0, h[2].x, h[2].y, 0.0, 0.0),
                                     attributes());
                for (const auto &[c, r] : g.dots)
                    emit(Circle{ c, r, false });
                text(g.textAt, d->text, d->textHeight, HAlign::Center,
                     g.textAbove ? VAlign::Bottom : VAlign::Top, g.textAngleDeg, {});
                m_dxf.writeEndBlock(m_dw, name);
            }
        }
    }

    static bool measurable(const Dimension &d)
    {
        return std::hypot(d.b.x - d.a.x, d.b.y - d.a.y) > 0;
    }

    void nameBlocks()
    {
        m_dimensionCount = 0;
        for (const Group &group : m_scene.groups)
            for (const Item &item : group.items)
                if (const auto *d = std::get_if<Dimension>(&item.shape); d && measurable(*d))
                    ++m_dimensionCount;
        std::set<std::string> used;
        for (const Group &group : m_scene.groups) {
            std::string base = BlockName(group.name);
            if (base.empty())
                base = "ELEMENTO";
            std::string name = base;
            for (int k = 2; used.count(name); ++k)
                name = base + "_" + std::to_string(k);
            used.insert(name);
            m_blockNames.push_back(name);
        }
    }

    void writeTables()
    {
        m_dw.sectionTables();
        m_dxf.writeVPort(m_dw);

        // Dash patterns in drawing units; the drawings here are in millimetres of paper or
        // centimetres of the tank, where these lengths read well at the usual scales.
        double dashed[] = { 6.0, -3.0 };
        double dashDot[] = { 10.0, -3.0, 0.0, -3.0 };
        double hidden[] = { 3.0, -3.0 };
        m_dw.tableLinetypes(7);
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 9.0, dashed));
        m_dxf.writeLinetype(m_dw,
                            DL_LinetypeData("DASHDOT", "Dash dot __ . __ .", 0, 4, 16.0, dashDot));
        m_dxf.writeLinetype(m_dw, DL_LinetypeData("HIDDEN", "Hidden _ _ _", 0, 2, 6.0, hidden));
        m_dw.tableEnd();

        m_dw.tableLayers(static_cast<int>(m_scene.layers.size()) + 1);
        m_dxf.writeLayer(m_dw, DL_LayerData("0", 0),
                         DL_Attributes("", 7, lineWeight(0.25), "CONTINUOUS", 1.0));
        for (const Layer &layer : m_scene.layers) {
            // A hidden layer is written switched off (negative colour), as CAD programs keep it.
            const int color = std::clamp<int>(layer.color, 1, 255);
            LineType type =
                    layer.lineType == LineType::ByLayer ? LineType::Continuous : layer.lineType;
            m_dxf.writeLayer(m_dw, DL_LayerData(layerName(layer.name), 0, !layer.visible),
                             DL_Attributes("", layer.visible ? color : -color,
                                           lineWeight(layer.weightMm), lineTypeName(type), 1.0));
        }
        m_dw.tableEnd();

        m_dw.tableStyle(static_cast<int>(m_scene.styles.size()) + 1);
        m_dxf.writeStyle(m_dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        for (const TextStyle &style : m_scene.styles) {
            std::string font = style.fontFile;
            if (font.empty())
                font = "txt";
            m_dxf.writeStyle(
                    m_dw, DL_StyleData(styleName(style.name), 0, 0.0, 1.0, 0.0, 0, 2.5, font, ""));
        }
        m_dw.tableEnd();

        m_dxf.writeView(m_dw);
        m_dxf.writeUcs(m_dw);
        m_dw.tableAppid(1);
        m_dxf.writeAppid(m_dw, "ACAD");
        m_dw.tableEnd();
        const Dimension *first = firstDimension();
        const double tick = first ? first->tickSize : 2.5;
        const double text = first ? first->textHeight : 2.5;
        m_dxf.writeDimStyle(m_dw, tick, tick * 0.5, tick * 0.25, text * 0.25, text);
        m_dxf.writeBlockRecord(m_dw);
        for (const std::string &name : m_blockNames)
            m_dxf.writeBlockRecord(m_dw, name);
        for (int k = 1; k <= m_dimensionCount; ++k)
            m_dxf.writeBlockRecord(m_dw, "*D" + std::to_string(k));
        m_dw.tableEnd();
        m_dw.sectionEnd();
    }

    const Dimension *firstDimension() const
    {
        for (const Group &g : m_scene.groups)
            for (const Item &item : g.items)
                if (const auto *d = std::get_if<Dimension>(&item.shape))
                    return d;
        return nullptr;
    }

    static std::string layerName(const std::string &name)
    {
        return name.empty() ? std::string("0") : Latin1Name(name);
    }

    std::string styleName(const std::string &name) const
    {
        if (name.empty() || !m_scene.findStyle(name))
            return "Standard";
        return Latin1Name(name);
    }

    DL_Attributes attributes() const
    {
        const Stroke &s = m_item->stroke;
        const int color = s.color == kByLayer ? 256 : std::clamp<int>(s.color, 0, 255);
        return DL_Attributes(layerName(s.layer), color, -1, lineWeight(s.weightMm),
                             lineTypeName(s.lineType));
    }

    void emit(const Line &s)
    {
        m_dxf.writeLine(m_dw, DL_LineData(s.a.x, s.a.y, 0.0, s.b.x, s.b.y, 0.0), attributes());
    }

    void emit(const Polyline &s)
    {
        if (s.points.size() < 2)
            return;
        m_dxf.writePolyline(
                m_dw, DL_PolylineData(static_cast<int>(s.points.size()), 0, 0, s.closed ? 1 : 0),
                attributes());
        for (Point p : s.points)
            m_dxf.writeVertex(m_dw, DL_VertexData(p.x, p.y, 0.0, 0.0));
        m_dxf.writePolylineEnd(m_dw);
    }

    void emit(const Circle &s)
    {
        if (!(s.radius > 0))
            return;
        m_dxf.writeCircle(m_dw, DL_CircleData(s.centre.x, s.centre.y, 0.0, s.radius), attributes());
        if (s.filled) {
            m_dxf.writeHatch1(m_dw, DL_HatchData(1, true, 1.0, 0.0, "SOLID"), attributes());
            m_dxf.writeHatchLoop1(m_dw, DL_HatchLoopData(1));
            m_dxf.writeHatchEdge(m_dw,
                                 DL_HatchEdgeData(s.centre.x, s.centre.y, s.radius, 0.0,
                                                  2 * std::numbers::pi, true));
            m_dxf.writeHatchLoop2(m_dw, DL_HatchLoopData(1));
            m_dxf.writeHatch2(m_dw, DL_HatchData(1, true, 1.0, 0.0, "SOLID"), attributes());
        }
    }

    void emit(const Arc &s)
    {
        if (!(s.radius > 0))
            return;
        m_dxf.writeArc(m_dw,
                       DL_ArcData(s.centre.x, s.centre.y, 0.0, s.radius, s.startDeg, s.endDeg),
                       attributes());
    }

    void emit(const Region &s)
    {
        if (s.outline.size() < 3)
            return;
        // Hatches: ANSI31 is 45° lines 3.175 units apart at scale 1, ANSI37 its cross.
        const bool solid = s.fill == Fill::Solid;
        const std::string pattern = solid    ? "SOLID"
                : s.fill == Fill::CrossHatch ? "ANSI37"
                                             : "ANSI31";
        const double scale = solid ? 1.0 : std::max(s.hatchSpacing / 3.175, 1e-6);
        const double angle = solid ? 0.0 : s.hatchAngleDeg - 45.0;
        const DL_HatchData data(1, solid, scale, angle, pattern);
        m_dxf.writeHatch1(m_dw, data, attributes());
        const int n = static_cast<int>(s.outline.size());
        m_dxf.writeHatchLoop1(m_dw, DL_HatchLoopData(n));
        for (int i = 0; i < n; ++i) {
            const Point a = s.outline[static_cast<std::size_t>(i)];
            const Point b = s.outline[static_cast<std::size_t>((i + 1) % n)];
            m_dxf.writeHatchEdge(m_dw, DL_HatchEdgeData(a.x, a.y, b.x, b.y));
        }
        m_dxf.writeHatchLoop2(m_dw, DL_HatchLoopData(n));
        m_dxf.writeHatch2(m_dw, data, attributes());
        if (s.outlined) {
            Polyline outline{ s.outline, true };
            emit(outline);
        }
    }

    void text(Point at, const std::string &utf8, double height, HAlign h, VAlign v,
              double rotationDeg, const std::string &style)
    {
        if (!(height > 0))
            return;
        // One TEXT per line of a multi-line text, stacked as the painter stacks them.
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= utf8.size(); ++i) {
            if (i == utf8.size() || utf8[i] == '\n') {
                lines.push_back(utf8.substr(start, i - start));
                start = i + 1;
            }
        }
        const double step = height * 5.0 / 3.0;
        const double n = static_cast<double>(lines.size());
        const double a = rotationDeg * kDegToRad;
        const Point up{ -std::sin(a), std::cos(a) };
        const int hj = h == HAlign::Center ? 1 : h == HAlign::Right ? 2 : 0;
        const int vj = v == VAlign::Bottom ? 1 : v == VAlign::Middle ? 2 : v == VAlign::Top ? 3 : 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty())
                continue;
            const double k = static_cast<double>(i);
            double shift = 0;
            switch (v) {
            case VAlign::Baseline:
            case VAlign::Bottom:
                shift = (n - 1 - k) * step;
                break;
            case VAlign::Middle:
                shift = ((n - 1) / 2 - k) * step;
                break;
            case VAlign::Top:
                shift = -k * step;
                break;
            }
            const Point p{ at.x + up.x * shift, at.y + up.y * shift };
            m_dxf.writeText(m_dw,
                            DL_TextData(p.x, p.y, 0.0, p.x, p.y, 0.0, height, 1.0, 0, hj, vj,
                                        EncodeText(lines[i]), styleName(style), a),
                            attributes());
        }
    }

    void emit(const Text &s)
    {
        text(s.at, s.text, s.height, s.hAlign, s.vAlign, s.rotationDeg, s.style);
    }

    void emit(const Dimension &s)
    {
        if (!measurable(s))
            return;
        const DimensionGeometry g = geometryOf(s);
        const std::string block = "*D" + std::to_string(++m_dimension);
        // Written field by field: the dimension names its geometry block, which CAD programs
        // need to show it and dxflib's own writer leaves out.
        m_dw.entity("DIMENSION");
        m_dw.dxfString(100, "AcDbEntity");
        m_dw.entityAttributes(attributes());
        m_dw.dxfString(100, "AcDbDimension");
        m_dw.dxfString(2, block);
        m_dw.coord(10, g.dimB.x, g.dimB.y, 0.0);
        m_dw.coord(11, g.textAt.x, g.textAt.y, 0.0);
        m_dw.dxfInt(70, 1 + 32); // aligned, its block used by this dimension only
        m_dw.dxfInt(71, 5);
        m_dw.dxfString(1, EncodeText(s.text));
        m_dw.dxfString(3, "Standard");
        m_dw.dxfString(100, "AcDbAlignedDimension");
        m_dw.coord(13, s.a.x, s.a.y, 0.0);
        m_dw.coord(14, s.b.x, s.b.y, 0.0);
    }

    void emit(const Arrow &s)
    {
        emit(Line{ s.from, s.to });
        const double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
        const double len = std::hypot(dx, dy);
        if (!(len > 0) || !(s.headSize > 0))
            return;
        const Point u{ dx / len, dy / len };
        const Point nn{ -u.y, u.x };
        const double h = s.headSize;
        const Point b{ s.to.x - u.x * h, s.to.y - u.y * h };
        const Point p1{ b.x + nn.x * h * 0.35, b.y + nn.y * h * 0.35 };
        const Point p2{ b.x - nn.x * h * 0.35, b.y - nn.y * h * 0.35 };
        m_dxf.writeSolid(m_dw,
                         DL_SolidData(s.to.x, s.to.y, 0.0, p1.x, p1.y, 0.0, p2.x, p2.y, 0.0, p2.x,
                                      p2.y, 0.0, 0.0),
                         attributes());
    }

    const Scene &m_scene;
    DL_WriterA &m_dw;
    DL_Dxf m_dxf;
    std::vector<std::string> m_blockNames;
    const Item *m_item = nullptr;
    int m_dimensionCount = 0;
    int m_dimension = 0;
};

/// The plain letter of an accented Latin letter, for names; 0 for any other character.
char plainLetter(char32_t c)
{
    static const std::map<char32_t, char> letters = {
        { U'á', 'a' }, { U'à', 'a' }, { U'â', 'a' }, { U'ã', 'a' }, { U'ä', 'a' }, { U'é', 'e' },
        { U'ê', 'e' }, { U'è', 'e' }, { U'í', 'i' }, { U'ó', 'o' }, { U'ô', 'o' }, { U'õ', 'o' },
        { U'ö', 'o' }, { U'ú', 'u' }, { U'ü', 'u' }, { U'ç', 'c' }, { U'Á', 'A' }, { U'À', 'A' },
        { U'Â', 'A' }, { U'Ã', 'A' }, { U'É', 'E' }, { U'Ê', 'E' }, { U'Í', 'I' }, { U'Ó', 'O' },
        { U'Ô', 'O' }, { U'Õ', 'O' }, { U'Ú', 'U' }, { U'Ç', 'C' }, { U'ø', 'o' }, { U'Ø', 'O' },
    };
    const auto it = letters.find(c);
    return it == letters.end() ? 0 : it->second;
}

} // namespace

std::string Latin1Name(std::string_view utf8)
{
    std::string out;
    for (char32_t c : codePoints(utf8))
        out.push_back(c < 0x100 ? static_cast<char>(c) : '_');
    return out;
}

std::string EncodeText(std::string_view utf8)
{
    std::string out;
    for (char32_t c : codePoints(utf8)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\U+%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

std::string BlockName(std::string_view groupName)
{
    std::string out;
    for (char32_t c : codePoints(groupName)) {
        if (c < 0x80) {
            const char ch = static_cast<char>(c);
            const bool refused =
                    std::string_view("<>/\\\":;?*|,=`' ").find(ch) != std::string_view::npos
                    || c < 0x20;
            out.push_back(refused ? '_' : ch);
        } else {
            const char plain = plainLetter(c);
            out.push_back(plain ? plain : '_');
        }
    }
    return out;
}

ErrorPair Write(const draw::Scene &scene, const std::string &path)
{
    namespace fs = std::filesystem;
    const std::string temporary = path + ".tmp";
    const ErrorPair failure{
        75, "Não foi possível gravar o desenho \"" + path + "\": verifique a pasta e as permissões."
    };
    {
        auto dw = std::make_unique<DL_WriterA>(temporary.c_str(), DL_Codes::AC1015);
        if (dw->openFailed())
            return failure;
        Writer(scene, *dw).write();
        dw->close();
    }
    std::error_code ec;
    fs::rename(fs::path(temporary), fs::path(path), ec);
    if (ec) {
        fs::remove(fs::path(temporary), ec);
        return failure;
    }
    return {};
}

} // namespace DxfWriter
