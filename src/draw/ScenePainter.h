#pragma once

#include "draw/Scene.h"

#include <QRectF>
#include <QTransform>

class QPainter;

namespace draw {

/// Draws a scene with QPainter on any device: a window's picture, a printer page, a PDF, an SVG,
/// an image. Model y points up; the device's down. Line weights, fixed-size texts and ticks are
/// converted with the device's density, so a figure prints as sharp as it shows.
class ScenePainter
{
public:
    struct Options
    {
        bool monochrome = false; ///< every colour drawn black (for printers without colour)
        double margin = 0.04; ///< fraction of the target kept free around a fitted scene
        bool drawNote = true; ///< show the scene's note in the target's top-left corner
        /// Drawn on a dark ground, as a CAD program shows a drawing: colour 7 is white there.
        bool darkGround = false;
    };

    /// Model to device for the scene's extent fitted into target, proportions kept, centred.
    static QTransform fitTransform(const Bounds &extent, const QRectF &target, double margin);
    /// Model to device at a fixed scale: devicePerModel device units per model unit, the model
    /// point origin placed at the device point at.
    static QTransform scaleTransform(Point origin, QPointF at, double devicePerModel);

    /// Draws the whole scene fitted into target.
    static void paintFitted(QPainter &painter, const Scene &scene, const QRectF &target,
                            const Options &options);
    static void paintFitted(QPainter &painter, const Scene &scene, const QRectF &target)
    {
        paintFitted(painter, scene, target, Options{});
    }
    /// Draws the scene through a model-to-device transform that keeps proportions.
    static void paint(QPainter &painter, const Scene &scene, const QTransform &modelToDevice,
                      const Options &options);
};

} // namespace draw
