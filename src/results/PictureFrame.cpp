#include "results/PictureFrame.h"

namespace PictureFrame {

void AddMargin(draw::Scene &scene, double fraction)
{
    const draw::Bounds b = scene.bounds();
    if (b.empty)
        return;
    const double dx = b.width() * fraction, dy = b.height() * fraction;
    scene.layer(kFrameLayer, 7).visible = false;
    draw::Polyline frame;
    frame.closed = true;
    frame.points = { { b.min.x - dx, b.min.y - dy },
                     { b.max.x + dx, b.min.y - dy },
                     { b.max.x + dx, b.max.y + dy },
                     { b.min.x - dx, b.max.y + dy } };
    scene.group(kFrameLayer).add(frame, { kFrameLayer });
}

} // namespace PictureFrame
