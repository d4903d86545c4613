#include "core/ui/ImageButton.h"

#include "core/DesignState.h"
#include "core/ModuleRSVBut.h"

#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

// The picture sets are compiled into the windows' static library, whose resources are
// registered when first needed.
static void initPictureResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

void ImageButton::ensurePictures()
{
    initPictureResources();
}

ImageButton::ImageButton(const QString &controlName, int index, const QString &description,
                         QWidget *parent)
    : QAbstractButton((initPictureResources(), parent)),
      m_controlName(controlName),
      m_index(index),
      m_description(description)
{
    setObjectName(controlName);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(description);
    setToolTip(description);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover, true);
}

QString ImageButton::pictureSet() const
{
    return QString::fromStdString(ModuleRSVBut::PictureSetOf(m_controlName.toStdString()));
}

QString ImageButton::pictureFile(int state) const
{
    const QString set = pictureSet();
    const QString own = QStringLiteral(":/pictures/%1_%2_%3.svg").arg(set).arg(m_index).arg(state);
    if (QFile::exists(own))
        return own;
    const QString shared = QStringLiteral(":/pictures/%1_%2.svg").arg(set).arg(state);
    return QFile::exists(shared) ? shared : QString();
}

void ImageButton::setPictureState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

void ImageButton::SetButtonPicture(int state, const InputError &status, bool onMainWindow)
{
    const ModuleRSVBut::ButtonPicture picture =
            ModuleRSVBut::SetButtonPicture(onMainWindow, m_index, state, status);
    setPictureState(picture.state);
    // The limit message tells why a forward button refuses; otherwise the button says what it
    // does.
    setToolTip(picture.tooltip.empty() ? m_description : QString::fromStdString(picture.tooltip));
}

void ImageButton::setPictureSize(const QSize &size)
{
    m_pictureSize = size;
    updateGeometry();
}

QSize ImageButton::sizeHint() const
{
    return m_pictureSize + QSize(8, 8);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const QString file = pictureFile(m_state);
    QSvgRenderer renderer;
    if (!file.isEmpty() && renderer.load(file)) {
        QSizeF size = renderer.defaultSize();
        size.scale(area.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), size);
        target.moveCenter(area.center());
        if (m_sunken)
            target.translate(1, 1);
        renderer.render(&painter, target);
    } else {
        // A set without its pictures still shows what the button does.
        painter.setPen(palette().color(m_state == 0 ? QPalette::Disabled : QPalette::Active,
                                       QPalette::ButtonText));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_description);
    }
    if (m_sunken) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(rect().topLeft(), rect().topRight());
        painter.drawLine(rect().topLeft(), rect().bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(rect().bottomLeft(), rect().bottomRight());
        painter.drawLine(rect().topRight(), rect().bottomRight());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ImageButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    emit hovered();
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    m_sunken = !m_pressAllowed || m_pressAllowed();
    update();
    QAbstractButton::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_sunken = false;
    update();
    QAbstractButton::mouseReleaseEvent(event);
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isEnabled()) {
        animateClick();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
