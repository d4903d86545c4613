#include "input/ui/FormWaitCalc.h"

#include "core/ui/SceneView.h"
#include "input/TankSketches.h"

#include <QLabel>
#include <QMdiSubWindow>

namespace {
constexpr int kPicture = 56; // the picture's side, pixels
}

FormWaitCalc::FormWaitCalc(QWidget *parent) : QWidget(parent)
{
    setObjectName("FormWaitCalc");
    setWindowTitle(QStringLiteral("Aguarde"));
    m_curImage = new SceneView(this);
    m_curImage->setObjectName("curImage");
    m_curImage->setScene(TankSketches::BuriedTankSketch(true));
    m_curImage->setFixedSize(kPicture, kPicture);
    m_label = new QLabel(this);
    m_label->setObjectName("Label");
    QFont f = m_label->font();
    f.setBold(true);
    m_label->setFont(f);
}

void FormWaitCalc::setLabel(const QString &text)
{
    m_label->setText(text);
    m_label->adjustSize();
    const int margin = 12;
    const int width = static_cast<int>(m_label->width() * 1.3 + 0.5);
    const int height = margin + kPicture + margin / 2 + m_label->height() + margin;
    setFixedSize(width, height);
    m_curImage->move((width - kPicture) / 2, margin);
    m_label->move((width - m_label->width()) / 2, margin + kPicture + margin / 2);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->adjustSize();
    repaint();
}
