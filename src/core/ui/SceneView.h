#pragma once

#include "draw/Scene.h"

#include <QWidget>

/// A window's picture: shows a scene fitted to the widget on a white ground, redrawn whenever
/// a new scene is set or the widget is resized. The window asks a scene builder for the scene;
/// the drawing itself is the shared painter's, as on paper.
class SceneView : public QWidget
{
    Q_OBJECT

public:
    explicit SceneView(QWidget *parent = nullptr);

    void setScene(draw::Scene scene);
    const draw::Scene &scene() const { return m_scene; }

    QSize sizeHint() const override { return { 240, 180 }; }

signals:
    /// A click on the picture at this model point (tank kind pictures choose their option).
    void clicked(draw::Point modelPoint);
    /// The pointer moved over the picture (the window resets its buttons' pictures).
    void pointerMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    draw::Scene m_scene;
};
