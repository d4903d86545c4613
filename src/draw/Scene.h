#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

/// A picture or a drawing as plain data: primitives in model units (metres for the sketches,
/// centimetres for the detailing), y upwards, on named layers, gathered in named groups. The
/// window sketches, the results diagrams, the report figures and the detailing drawings are all
/// scenes built by pure functions; one painter draws them on any device and one writer turns
/// them into DXF, so a picture on screen and the same figure on paper cannot disagree.
namespace draw {

struct Point
{
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Point &, const Point &) = default;
};

/// CAD colour index: 1 to 255 a colour of the CAD palette (see CadColors.h), 256 "by layer".
using ColorIndex = std::int16_t;
inline constexpr ColorIndex kByLayer = 256;

enum class LineType { ByLayer, Continuous, Dashed, DashDot, Hidden };

struct Layer
{
    std::string name;
    ColorIndex color = 7;
    LineType lineType = LineType::Continuous;
    double weightMm = 0.25; ///< printed line weight
    bool visible = true;
};

/// How an item is stroked and where it lies; every field may defer to the layer.
struct Stroke
{
    std::string layer;
    ColorIndex color = kByLayer;
    LineType lineType = LineType::ByLayer;
    double weightMm = -1.0; ///< negative: the layer's weight
};

struct Line
{
    Point a;
    Point b;
};

struct Polyline
{
    std::vector<Point> points;
    bool closed = false;
};

struct Circle
{
    Point centre;
    double radius = 0.0;
    bool filled = false;
};

/// Counter-clockwise from startDeg to endDeg, angles from the x axis.
struct Arc
{
    Point centre;
    double radius = 0.0;
    double startDeg = 0.0;
    double endDeg = 0.0;
};

enum class Fill { Solid, Hatch, CrossHatch };

/// A closed outline filled solid or hatched with parallel lines (soil, concrete in section).
struct Region
{
    std::vector<Point> outline;
    Fill fill = Fill::Solid;
    double opacity = 1.0; ///< solid fills only: 0 transparent to 1 opaque
    double hatchAngleDeg = 45.0;
    double hatchSpacing = 0.1; ///< model units
    bool outlined = false; ///< also stroke the outline
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Baseline, Bottom, Middle, Top };

struct Text
{
    Point at;
    std::string text; ///< UTF-8; "\n" starts a new line
    double height = 0.1; ///< model units, or typographic points when fixedSize
    bool fixedSize = false; ///< annotation of a window picture: the same size at any zoom
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Baseline;
    double rotationDeg = 0.0;
    std::string style; ///< a text style of the scene; empty: the standard style
};

enum class Tick { Arrow, Oblique, Dot };

/// An aligned dimension between a and b, its line at offset (model units, to the left of a→b)
/// with extension lines, ticks and the text centred above the line.
struct Dimension
{
    Point a;
    Point b;
    double offset = 0.0;
    std::string text;
    double textHeight = 0.1; ///< model units, or points when fixedSize
    bool fixedSize = false;
    Tick tick = Tick::Arrow;
    double tickSize = 0.05; ///< model units, or points when fixedSize
};

/// A line with an arrowhead at its end: loads and reactions in the diagrams.
struct Arrow
{
    Point from;
    Point to;
    double headSize = 0.05; ///< model units, or points when fixedSize
    bool fixedSize = false;
};

using Shape = std::variant<Line, Polyline, Circle, Arc, Region, Text, Dimension, Arrow>;

struct Item
{
    Shape shape;
    Stroke stroke;
};

/// A named element of a picture or drawing (a view, the bar schedule), written to DXF as a block
/// and placed by its insertion point and scale.
struct Group
{
    std::string name;
    Point insert; ///< where the group's origin lands in the scene
    double scale = 1.0;
    std::vector<Item> items;

    void add(Shape shape, Stroke stroke)
    {
        items.push_back({ std::move(shape), std::move(stroke) });
    }
};

struct TextStyle
{
    std::string name;
    std::string family; ///< a font family, or empty
    std::string fontFile; ///< a TrueType file or an SHX name, or empty
};

/// The extent of some items, model units.
struct Bounds
{
    Point min;
    Point max;
    bool empty = true;

    void include(Point p);
    void merge(const Bounds &other);
    double width() const { return empty ? 0.0 : max.x - min.x; }
    double height() const { return empty ? 0.0 : max.y - min.y; }
};

struct Scene
{
    std::deque<Layer> layers; /// a deque: references from layer() stay valid
    std::vector<TextStyle> styles;
    std::deque<Group> groups; /// a deque: references from group() stay valid
    /// A short remark the picture shows in a corner (for instance that the last valid values
    /// are drawn while a field is out of its limits); empty for none.
    std::string note;

    /// The layer of this name, added with these properties when it is missing.
    Layer &layer(const std::string &name, ColorIndex color = 7,
                 LineType lineType = LineType::Continuous, double weightMm = 0.25);
    const Layer *findLayer(const std::string &name) const;
    /// The group of this name, added at the origin when it is missing.
    Group &group(const std::string &name);
    const Group *findGroup(const std::string &name) const;
    const TextStyle *findStyle(const std::string &name) const;

    /// Extent of every group as placed, texts and dimensions of model size included.
    Bounds bounds() const;
};

/// Extent of one group's items in its own coordinates.
Bounds groupBounds(const Group &group);

} // namespace draw
