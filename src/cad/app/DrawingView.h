#pragma once

#include "draw/Scene.h"

#include <QPointF>
#include <QTransform>
#include <QWidget>

/// The drawing as a CAD shows it: the wheel zooms about the pointer, the middle button (or the
/// left one with Ctrl) pans, a double click of the middle button fits the drawing; the selected
/// element is framed.
class DrawingView : public QWidget
{
    Q_OBJECT
public:
    explicit DrawingView(QWidget *parent = nullptr);

    /// The scene shown; it must outlive the view or be replaced.
    void setScene(const draw::Scene *scene);
    void setSelected(const std::string &group);
    /// Fits the whole drawing into the view.
    void fit();
    /// Zooms by a factor about the view's centre.
    void zoom(double factor);
    /// Device pixels per drawing millimetre.
    double zoomLevel() const { return m_scale; }

signals:
    /// The element under a left click, or empty.
    void elementClicked(const QString &group);

protected:
    void paintEvent(QPaintEvent *) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

private:
    QTransform transform() const;
    void zoomAt(QPointF at, double factor);

    const draw::Scene *m_scene = nullptr;
    std::string m_selected;
    draw::Point m_centre; ///< drawing point at the view's centre
    double m_scale = 1.0;
    bool m_fitted = false;
    bool m_panning = false;
    QPointF m_last;
};
