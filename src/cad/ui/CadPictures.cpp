#include "cad/ui/CadPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace CadPictures {

QIcon picture(Picture which)
{
    constexpr int s = 24;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(40, 40, 40), 1.6);
    const QPen red(QColor(200, 0, 0), 1.6);
    const QPen blue(QColor(0, 70, 200), 1.2);
    p.setPen(outline);
    const auto tank = [&] {
        // A section of the box: walls, bottom, lid with its opening.
        p.drawLine(4, 5, 4, 20);
        p.drawLine(20, 5, 20, 20);
        p.drawLine(4, 20, 20, 20);
        p.drawLine(4, 5, 10, 5);
        p.drawLine(14, 5, 20, 5);
    };
    switch (which) {
    case Picture::Settings: {
        p.setBrush(QColor(120, 120, 120));
        p.drawEllipse(QPointF(12, 12), 7, 7);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 12), 3, 3);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(45 * i);
            p.fillRect(QRectF(-1.5, -10, 3, 3), QColor(120, 120, 120));
            p.restore();
        }
        break;
    }
    case Picture::Tank:
        tank();
        break;
    case Picture::TankDims:
        tank();
        p.setPen(blue);
        p.drawLine(4, 23, 20, 23);
        p.drawLine(4, 21.5, 4, 24);
        p.drawLine(20, 21.5, 20, 24);
        p.drawLine(1, 5, 1, 20);
        break;
    case Picture::TankBars:
        tank();
        p.setPen(red);
        p.drawLine(6, 7, 6, 18);
        p.drawLine(18, 7, 18, 18);
        p.drawLine(6, 18, 18, 18);
        break;
    case Picture::Editor:
        p.setPen(red);
        p.drawLine(3, 17, 21, 17);
        p.setPen(outline);
        p.drawEllipse(QPointF(12, 8), 5, 5);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 5));
        p.drawText(QRectF(7, 3, 10, 10), Qt::AlignCenter, QStringLiteral("N"));
        p.drawLine(12, 13, 12, 17);
        break;
    case Picture::Sheet:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 5, 18, 14));
        p.drawRect(QRectF(14, 15, 7, 4));
        break;
    case Picture::Insert:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 5, 18, 14));
        p.setPen(red);
        p.drawRect(QRectF(7, 8, 7, 7));
        p.drawLine(16, 16, 20, 20);
        break;
    case Picture::Scale:
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7, QFont::Bold));
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("1:n"));
        break;
    case Picture::Fold:
    case Picture::Unfold: {
        // The program's mark with an arrow towards where the strip goes.
        p.setBrush(QColor(0, 90, 160));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(2, 2, 20, 20), 4, 4);
        p.setPen(QPen(Qt::white, 2));
        QPainterPath arrow;
        if (which == Picture::Fold) {
            arrow.moveTo(14, 7);
            arrow.lineTo(9, 12);
            arrow.lineTo(14, 17);
        } else {
            arrow.moveTo(10, 7);
            arrow.lineTo(15, 12);
            arrow.lineTo(10, 17);
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace CadPictures
