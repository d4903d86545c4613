#include "cad/app/DrawingView.h"

#include "draw/ScenePainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

DrawingView::DrawingView(QWidget *parent) : QWidget(parent)
{
    setObjectName("drawingView");
    setAccessibleName("Desenho");
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
}

void DrawingView::setScene(const draw::Scene *scene)
{
    m_scene = scene;
    update();
}

void DrawingView::setSelected(const std::string &group)
{
    m_selected = group;
    update();
}

void DrawingView::fit()
{
    m_fitted = true;
    const draw::Bounds b = m_scene ? m_scene->bounds() : draw::Bounds{};
    if (b.empty || width() <= 0 || height() <= 0) {
        m_centre = { 0, 0 };
        m_scale = 1.0;
    } else {
        m_centre = { (b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2 };
        const double w = std::max(b.width(), 1.0), h = std::max(b.height(), 1.0);
        m_scale = std::min(width() * 0.94 / w, height() * 0.94 / h);
    }
    update();
}

void DrawingView::zoom(double factor)
{
    zoomAt(QPointF(width() / 2.0, height() / 2.0), factor);
}

QTransform DrawingView::transform() const
{
    return draw::ScenePainter::scaleTransform(m_centre, QPointF(width() / 2.0, height() / 2.0),
                                              m_scale);
}

void DrawingView::zoomAt(QPointF at, double factor)
{
    const QTransform t = transform();
    bool ok = false;
    const QPointF model = t.inverted(&ok).map(at);
    m_scale = std::clamp(m_scale * factor, 1e-4, 1e4);
    // The point under the pointer stays under it.
    m_centre = { model.x() - (at.x() - width() / 2.0) / m_scale,
                 model.y() + (at.y() - height() / 2.0) / m_scale };
    update();
}

void DrawingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A CAD's dark ground, where the layers' yellows and greens read as they should.
    painter.fillRect(rect(), QColor(33, 40, 48));
    if (!m_scene)
        return;
    if (!m_fitted)
        fit();
    const QTransform t = transform();
    draw::ScenePainter::Options options;
    options.darkGround = true;
    draw::ScenePainter::paint(painter, *m_scene, t, options);
    if (const draw::Group *g = m_selected.empty() ? nullptr : m_scene->findGroup(m_selected)) {
        const draw::Bounds own = draw::groupBounds(*g);
        if (!own.empty) {
            const QPointF a = t.map(QPointF(g->insert.x + own.min.x * g->scale,
                                            g->insert.y + own.min.y * g->scale));
            const QPointF b = t.map(QPointF(g->insert.x + own.max.x * g->scale,
                                            g->insert.y + own.max.y * g->scale));
            QPen pen(QColor(90, 170, 255), 1, Qt::DashLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(a, b).normalized().adjusted(-4, -4, 4, 4));
        }
    }
}

void DrawingView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    zoomAt(event->position(), std::pow(1.2, steps));
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton
        || (event->button() == Qt::LeftButton && event->modifiers() & Qt::ControlModifier)) {
        m_panning = true;
        m_last = event->position();
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() == Qt::LeftButton && m_scene) {
        bool ok = false;
        const QPointF p = transform().inverted(&ok).map(event->position());
        QString hit;
        for (const draw::Group &g : m_scene->groups) {
            const draw::Bounds own = draw::groupBounds(g);
            if (own.empty || g.name == "FORMATO")
                continue;
            const double x0 = g.insert.x + own.min.x * g.scale,
                         x1 = g.insert.x + own.max.x * g.scale;
            const double y0 = g.insert.y + own.min.y * g.scale,
                         y1 = g.insert.y + own.max.y * g.scale;
            if (p.x() >= x0 && p.x() <= x1 && p.y() >= y0 && p.y() <= y1)
                hit = QString::fromStdString(g.name);
        }
        emit elementClicked(hit);
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_panning)
        return;
    const QPointF d = event->position() - m_last;
    m_last = event->position();
    m_centre = { m_centre.x - d.x() / m_scale, m_centre.y + d.y() / m_scale };
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent *)
{
    if (m_panning) {
        m_panning = false;
        unsetCursor();
    }
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton)
        fit();
}

void DrawingView::resizeEvent(QResizeEvent *)
{
    if (!m_fitted)
        return;
    update();
}
