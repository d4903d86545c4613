#include "core/ui/FormSplash.h"

#include "core/ui/ImageButton.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

FormSplash::FormSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    ImageButton::ensurePictures();
    setObjectName("FormSplash");
    setWindowTitle(QStringLiteral("Reservium"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QSize FormSplash::sizeHint() const
{
    const int em = fontMetrics().height();
    return { em * 30, em * 12 };
}

void FormSplash::paintTitle(QPainter &painter, const QRectF &area, const QPalette &palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(area.height() * 0.7, area.width() * 0.3);
    const QRectF icon(area.left() + area.height() * 0.15, area.center().y() - side / 2, side, side);
    QSvgRenderer renderer(QStringLiteral(":/pictures/reservium.svg"));
    renderer.render(&painter, icon);

    const QRectF text(icon.right() + side * 0.2, area.top(),
                      area.right() - icon.right() - side * 0.3, area.height());
    // The texts in the desktop's font sizes, so that they follow the user's scale.
    QFont title = painter.font();
    title.setPointSizeF(title.pointSizeF() * 2.6);
    title.setBold(true);
    QFont body = painter.font();
    painter.setPen(QColor("#1e2a38"));
    painter.setFont(title);
    const QFontMetricsF tm(title);
    const QFontMetricsF bm(body);
    qreal y = area.center().y() - (tm.height() + 2.6 * bm.lineSpacing()) / 2;
    painter.drawText(QRectF(text.left(), y, text.width(), tm.height()), Qt::AlignLeft,
                     QStringLiteral("Reservium"));
    y += tm.height();
    painter.setFont(body);
    painter.drawText(QRectF(text.left(), y, text.width(), 2 * bm.lineSpacing()),
                     Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Software para Projeto de Reservatórios em Concreto Armado"));
    y += 1.6 * bm.lineSpacing();
    painter.setPen(palette.color(QPalette::PlaceholderText));
    painter.drawText(
            QRectF(text.left(), y + bm.lineSpacing() * 0.4, text.width(), bm.lineSpacing()),
            Qt::AlignLeft, QStringLiteral("Versão ") + QStringLiteral(RESERVIUM_VERSION));
    painter.restore();
}

void FormSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // A band of the program's blue along the foot, the frame around.
    const int band = height() / 14;
    painter.fillRect(QRect(0, height() - band, width(), band), QColor("#2f6fb5"));
    painter.setPen(QColor("#1e2a38"));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    paintTitle(painter, QRectF(0, 0, width(), height() - band), palette());
}
