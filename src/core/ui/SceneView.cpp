#include "core/ui/SceneView.h"

#include "draw/ScenePainter.h"

#include <QMouseEvent>
#include <QPainter>

SceneView::SceneView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SceneView::setScene(draw::Scene scene)
{
    m_scene = std::move(scene);
    update();
}

void SceneView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    draw::ScenePainter::paintFitted(painter, m_scene, QRectF(rect()));
}

void SceneView::mouseReleaseEvent(QMouseEvent *event)
{
    const QTransform toDevice = draw::ScenePainter::fitTransform(
            m_scene.bounds(), QRectF(rect()), draw::ScenePainter::Options{}.margin);
    bool invertible = false;
    const QTransform toModel = toDevice.inverted(&invertible);
    if (invertible) {
        const QPointF p = toModel.map(event->position());
        emit clicked({ p.x(), p.y() });
    }
    QWidget::mouseReleaseEvent(event);
}

void SceneView::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved();
    QWidget::mouseMoveEvent(event);
}
