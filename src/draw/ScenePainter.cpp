#include "draw/ScenePainter.h"

#include "draw/CadColors.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace draw {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

/// The family of a TrueType file, loaded once per program run; empty when it cannot be read.
QString familyOfFontFile(const QString &file)
{
    static QHash<QString, QString> cache;
    const auto found = cache.constFind(file);
    if (found != cache.constEnd())
        return *found;
    QString family;
    const int id = QFontDatabase::addApplicationFont(file);
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            family = families.first();
    }
    cache.insert(file, family);
    return family;
}

class Renderer
{
public:
    Renderer(QPainter &painter, const Scene &scene, const ScenePainter::Options &options)
        : m_painter(painter), m_scene(scene), m_options(options)
    {
        const QPaintDevice *device = painter.device();
        m_dpi = device ? device->logicalDpiY() : 96.0;
        if (!(m_dpi > 0))
            m_dpi = 96.0;
    }

    void paint(const QTransform &modelToDevice)
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        for (const Group &group : m_scene.groups) {
            QTransform placed;
            placed.translate(group.insert.x, group.insert.y);
            placed.scale(group.scale, group.scale);
            m_toDevice = placed * modelToDevice;
            m_scale = std::sqrt(std::fabs(m_toDevice.determinant()));
            for (const Item &item : group.items) {
                const Layer *layer = m_scene.findLayer(item.stroke.layer);
                if (layer && !layer->visible)
                    continue;
                m_layer = layer;
                m_stroke = &item.stroke;
                std::visit([this](const auto &shape) { draw(shape); }, item.shape);
            }
        }
        m_painter.restore();
    }

private:
    QPointF map(Point p) const { return m_toDevice.map(QPointF(p.x, p.y)); }
    double points(double pt) const { return pt * m_dpi / 72.0; }

    QColor color() const
    {
        if (m_options.monochrome)
            return Qt::black;
        ColorIndex index = m_stroke->color;
        if (index == kByLayer)
            index = m_layer ? m_layer->color : 7;
        if (m_options.darkGround && index == 7)
            return Qt::white;
        const CadColors::Rgb rgb = CadColors::rgbOf(index);
        return QColor(rgb.r, rgb.g, rgb.b);
    }

    QPen pen() const
    {
        double weight = m_stroke->weightMm;
        if (weight < 0)
            weight = m_layer ? m_layer->weightMm : 0.25;
        QPen pen(color(), std::max(1.0, weight / 25.4 * m_dpi));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        LineType type = m_stroke->lineType;
        if (type == LineType::ByLayer)
            type = m_layer ? m_layer->lineType : LineType::Continuous;
        switch (type) {
        case LineType::Dashed:
            pen.setDashPattern({ 6, 3 });
            break;
        case LineType::DashDot:
            pen.setDashPattern({ 10, 3, 1, 3 });
            break;
        case LineType::Hidden:
            pen.setDashPattern({ 3, 3 });
            break;
        default:
            break;
        }
        return pen;
    }

    QFont font(const std::string &styleName, double pixelHeight) const
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        if (const TextStyle *style = m_scene.findStyle(styleName)) {
            QString family;
            if (!style->fontFile.empty())
                family = familyOfFontFile(QString::fromStdString(style->fontFile));
            if (family.isEmpty() && !style->family.empty())
                family = QString::fromStdString(style->family);
            if (!family.isEmpty())
                font.setFamily(family);
        }
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
        return font;
    }

    void draw(const Line &s)
    {
        m_painter.setPen(pen());
        m_painter.drawLine(map(s.a), map(s.b));
    }

    void draw(const Polyline &s)
    {
        QPolygonF poly;
        for (Point p : s.points)
            poly << map(p);
        m_painter.setPen(pen());
        m_painter.setBrush(Qt::NoBrush);
        if (s.closed)
            m_painter.drawPolygon(poly);
        else
            m_painter.drawPolyline(poly);
    }

    void draw(const Circle &s)
    {
        const double r = s.radius * m_scale;
        m_painter.setPen(pen());
        m_painter.setBrush(s.filled ? QBrush(color()) : QBrush(Qt::NoBrush));
        m_painter.drawEllipse(map(s.centre), r, r);
        m_painter.setBrush(Qt::NoBrush);
    }

    void draw(const Arc &s)
    {
        const double r = s.radius * m_scale;
        const QPointF c = map(s.centre);
        double span = s.endDeg - s.startDeg;
        while (span < 0)
            span += 360.0;
        m_painter.setPen(pen());
        m_painter.setBrush(Qt::NoBrush);
        // Device y points down, so the model's counter-clockwise stays counter-clockwise on
        // screen only with Qt's own (y-up) angle convention: the start angle is kept as is.
        m_painter.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r),
                          static_cast<int>(std::lround(s.startDeg * 16)),
                          static_cast<int>(std::lround(span * 16)));
    }

    void draw(const Region &s)
    {
        QPolygonF poly;
        for (Point p : s.outline)
            poly << map(p);
        if (poly.size() < 3)
            return;
        QPainterPath path;
        path.addPolygon(poly);
        path.closeSubpath();
        if (s.fill == Fill::Solid) {
            QColor fill = color();
            fill.setAlphaF(std::clamp(s.opacity, 0.0, 1.0));
            m_painter.fillPath(path, fill);
        } else {
            hatch(path, s.hatchAngleDeg, s.hatchSpacing * m_scale);
            if (s.fill == Fill::CrossHatch)
                hatch(path, s.hatchAngleDeg + 90.0, s.hatchSpacing * m_scale);
        }
        if (s.outlined) {
            m_painter.setPen(pen());
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawPath(path);
        }
    }

    void hatch(const QPainterPath &path, double angleDeg, double spacing)
    {
        if (!(spacing >= 1.0))
            spacing = std::max(1.0, points(4));
        const QRectF box = path.boundingRect();
        const QPointF centre = box.center();
        const double reach = std::hypot(box.width(), box.height()) / 2 + spacing;
        // The model's angle measured counter-clockwise, the device's y downwards.
        const double a = -angleDeg * kDegToRad;
        const QPointF along(std::cos(a), std::sin(a));
        const QPointF across(-along.y(), along.x());
        m_painter.save();
        m_painter.setClipPath(path, Qt::IntersectClip);
        QPen hatchPen = pen();
        hatchPen.setWidthF(std::max(1.0, hatchPen.widthF() * 0.6));
        hatchPen.setStyle(Qt::SolidLine);
        m_painter.setPen(hatchPen);
        for (double d = -reach; d <= reach; d += spacing) {
            const QPointF base = centre + across * d;
            m_painter.drawLine(base - along * reach, base + along * reach);
        }
        m_painter.restore();
    }

    /// Draws a text whose anchor is at the device point, rotated counter-clockwise on paper.
    void drawText(QPointF at, const std::string &utf8, double pixelHeight, HAlign h, VAlign v,
                  double rotationDeg, const std::string &style)
    {
        const QFont f = font(style, pixelHeight);
        const QFontMetricsF metrics(f);
        const QStringList lines = QString::fromStdString(utf8).split('\n');
        const double lineStep = metrics.lineSpacing();
        const double total = lineStep * (lines.size() - 1);
        double y0 = 0; // baseline of the first line, relative to the anchor
        switch (v) {
        case VAlign::Baseline:
            y0 = -total;
            break;
        case VAlign::Bottom:
            y0 = -total - metrics.descent();
            break;
        case VAlign::Middle:
            y0 = -total / 2 + metrics.capHeight() / 2;
            break;
        case VAlign::Top:
            y0 = metrics.capHeight();
            break;
        }
        m_painter.save();
        m_painter.translate(at);
        m_painter.rotate(-rotationDeg);
        m_painter.setFont(f);
        m_painter.setPen(color());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const double w = metrics.horizontalAdvance(lines[i]);
            double x = 0;
            if (h == HAlign::Center)
                x = -w / 2;
            else if (h == HAlign::Right)
                x = -w;
            m_painter.drawText(QPointF(x, y0 + lineStep * i), lines[i]);
        }
        m_painter.restore();
    }

    double textPixels(double height, bool fixedSize) const
    {
        // A drawing's text height is the height of its capitals; a window's annotation is a
        // point size as any other label of the window.
        return fixedSize ? points(height) : height * m_scale / 0.72;
    }

    void draw(const Text &s)
    {
        const double px = textPixels(s.height, s.fixedSize);
        if (px < 0.5)
            return;
        drawText(map(s.at), s.text, px, s.hAlign, s.vAlign, s.rotationDeg, s.style);
    }

    void arrowHead(QPointF tip, QPointF direction, double size, bool filled)
    {
        const double len = std::hypot(direction.x(), direction.y());
        if (!(len > 0))
            return;
        const QPointF u = direction / len;
        const QPointF n(-u.y(), u.x());
        QPolygonF head;
        head << tip << tip - u * size + n * size * 0.35 << tip - u * size - n * size * 0.35;
        m_painter.setBrush(filled ? QBrush(color()) : QBrush(Qt::NoBrush));
        m_painter.drawPolygon(head);
        m_painter.setBrush(Qt::NoBrush);
    }

    void draw(const Dimension &s)
    {
        const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
        const double len = std::hypot(dx, dy);
        if (!(len > 0))
            return;
        const Point n{ -dy / len, dx / len };
        const auto along = [&](Point p, double d) { return Point{ p.x + n.x * d, p.y + n.y * d }; };
        const Point a2 = along(s.a, s.offset), b2 = along(s.b, s.offset);
        const double sign = s.offset >= 0 ? 1.0 : -1.0;
        const double tick = s.fixedSize ? points(s.tickSize) : s.tickSize * m_scale;
        const double overshoot = tick / m_scale * 0.6;
        m_painter.setPen(pen());
        if (std::fabs(s.offset) > 0) {
            const double gap = std::min(std::fabs(s.offset) * 0.2, overshoot);
            m_painter.drawLine(map(along(s.a, sign * gap)),
                               map(along(s.a, s.offset + sign * overshoot)));
            m_painter.drawLine(map(along(s.b, sign * gap)),
                               map(along(s.b, s.offset + sign * overshoot)));
        }
        const QPointF pa = map(a2), pb = map(b2);
        m_painter.drawLine(pa, pb);
        const QPointF dir = pb - pa;
        switch (s.tick) {
        case Tick::Arrow:
            arrowHead(pa, -dir, tick, true);
            arrowHead(pb, dir, tick, true);
            break;
        case Tick::Oblique: {
            const double l = std::hypot(dir.x(), dir.y());
            const QPointF u = dir / l;
            const QPointF diag = (u + QPointF(u.y(), -u.x())) * (tick / 2 / std::sqrt(2.0));
            m_painter.drawLine(pa - diag, pa + diag);
            m_painter.drawLine(pb - diag, pb + diag);
            break;
        }
        case Tick::Dot:
            m_painter.setBrush(color());
            m_painter.drawEllipse(pa, tick / 3, tick / 3);
            m_painter.drawEllipse(pb, tick / 3, tick / 3);
            m_painter.setBrush(Qt::NoBrush);
            break;
        }
        // Text above the line (on the side away from the measured points), kept readable.
        double angle = std::atan2(-(pb.y() - pa.y()), pb.x() - pa.x()) / kDegToRad;
        if (angle > 90.0 || angle <= -90.0)
            angle += 180.0;
        const double px = textPixels(s.textHeight, s.fixedSize);
        const Point mid{ (a2.x + b2.x) / 2, (a2.y + b2.y) / 2 };
        const QPointF at = map(mid);
        const QPointF outward = map(along(mid, sign)) - at;
        const double ol = std::hypot(outward.x(), outward.y());
        const QPointF shift = ol > 0 ? outward / ol * (px * 0.25) : QPointF();
        // Texts are anchored at their baseline when above the line and at their top below it.
        const bool above = outward.y() <= 0;
        drawText(at + shift, s.text, px, HAlign::Center, above ? VAlign::Bottom : VAlign::Top,
                 angle, {});
    }

    void draw(const Arrow &s)
    {
        const QPointF from = map(s.from), to = map(s.to);
        const double head = s.fixedSize ? points(s.headSize) : s.headSize * m_scale;
        m_painter.setPen(pen());
        m_painter.drawLine(from, to);
        arrowHead(to, to - from, head, true);
    }

    QPainter &m_painter;
    const Scene &m_scene;
    const ScenePainter::Options &m_options;
    double m_dpi = 96.0;
    QTransform m_toDevice;
    double m_scale = 1.0;
    const Layer *m_layer = nullptr;
    const Stroke *m_stroke = nullptr;
};

} // namespace

QTransform ScenePainter::fitTransform(const Bounds &extent, const QRectF &target, double margin)
{
    const double w = std::max(extent.width(), 1e-9);
    const double h = std::max(extent.height(), 1e-9);
    const QRectF inner = target.adjusted(target.width() * margin, target.height() * margin,
                                         -target.width() * margin, -target.height() * margin);
    const double s = std::min(inner.width() / w, inner.height() / h);
    const double cx = extent.empty ? 0.0 : (extent.min.x + extent.max.x) / 2;
    const double cy = extent.empty ? 0.0 : (extent.min.y + extent.max.y) / 2;
    return scaleTransform({ cx, cy }, inner.center(), s);
}

QTransform ScenePainter::scaleTransform(Point origin, QPointF at, double devicePerModel)
{
    QTransform t;
    t.translate(at.x(), at.y());
    t.scale(devicePerModel, -devicePerModel);
    t.translate(-origin.x, -origin.y);
    return t;
}

void ScenePainter::paintFitted(QPainter &painter, const Scene &scene, const QRectF &target,
                               const Options &options)
{
    paint(painter, scene, fitTransform(scene.bounds(), target, options.margin), options);
    if (options.drawNote && !scene.note.empty()) {
        painter.save();
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setItalic(true);
        f.setPointSizeF(8);
        painter.setFont(f);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(target.adjusted(4, 2, -4, -2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QString::fromStdString(scene.note));
        painter.restore();
    }
}

void ScenePainter::paint(QPainter &painter, const Scene &scene, const QTransform &modelToDevice,
                         const Options &options)
{
    Renderer(painter, scene, options).paint(modelToDevice);
}

} // namespace draw
