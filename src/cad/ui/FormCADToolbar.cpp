#include "cad/ui/FormCADToolbar.h"

#include "cad/ui/CadSession.h"
#include "cad/ui/FormCADEdAs.h"
#include "cad/ui/FormCADEscala.h"
#include "cad/ui/FormCADFormato.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

/// Pictures of the toolbox, drawn: what each command puts in the drawing.
enum class Picture {
    Settings,
    Tank,
    TankDims,
    TankBars,
    Editor,
    Sheet,
    Insert,
    Scale,
    Fold,
    Unfold
};

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

QToolButton *button(QWidget *parent, const char *name, const QString &tip, Picture which)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setIcon(picture(which));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

FormCADToolbar::FormCADToolbar(CadSession &session, QWidget *parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FormCADToolbar"));
    MakeFloating(this, false);

    Image2 = button(this, "Image2", QStringLiteral("Recolhe ou expande a caixa de ferramentas"),
                    Picture::Fold);
    m_buttons = new QWidget(this);
    Command1 = button(m_buttons, "Command1", QStringLiteral("Configura Detalhamento no CAD"),
                      Picture::Settings);
    Command2 = button(m_buttons, "Command2", QStringLiteral("Desenha Reservatório"), Picture::Tank);
    Command3 = button(m_buttons, "Command3", QStringLiteral("Desenha Reservatório com Cotas"),
                      Picture::TankDims);
    Command4 = button(m_buttons, "Command4", QStringLiteral("Desenha Reservatório com Armaduras"),
                      Picture::TankBars);
    Command5 =
            button(m_buttons, "Command5", QStringLiteral("Editor de Armaduras"), Picture::Editor);
    Command8 = button(m_buttons, "Command8", QStringLiteral("Insere Formato"), Picture::Sheet);
    Command9 = button(m_buttons, "Command9", QStringLiteral("Insere Elemento no Formato"),
                      Picture::Insert);
    Command10 = button(m_buttons, "Command10",
                       QStringLiteral("Altera Escala do Elemento no Formato"), Picture::Scale);

    auto *strip = new QHBoxLayout(m_buttons);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(1);
    for (QToolButton *b :
         { Command1, Command2, Command3, Command4, Command5, Command8, Command9, Command10 })
        strip->addWidget(b);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addWidget(Image2);
    layout->addWidget(m_buttons);
    layout->addStretch();

    connect(Image2, &QToolButton::clicked, this, &FormCADToolbar::Image2_Click);
    connect(Command1, &QToolButton::clicked, this, &FormCADToolbar::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, [this] { m_session.send(2); });
    connect(Command3, &QToolButton::clicked, this, [this] { m_session.send(3); });
    connect(Command4, &QToolButton::clicked, this, [this] { m_session.send(4); });
    connect(Command5, &QToolButton::clicked, this, &FormCADToolbar::Command5_Click);
    connect(Command8, &QToolButton::clicked, this, &FormCADToolbar::Command8_Click);
    connect(Command9, &QToolButton::clicked, this, &FormCADToolbar::Command9_Click);
    connect(Command10, &QToolButton::clicked, this, &FormCADToolbar::Command10_Click);
    fold(false);
    move(0, 0);
}

void FormCADToolbar::fold(bool folded)
{
    m_folded = folded;
    m_buttons->setVisible(!folded);
    Image2->setIcon(picture(folded ? Picture::Unfold : Picture::Fold));
    setWindowTitle(folded ? QStringLiteral("... Reservium® ToolBox")
                          : QStringLiteral("Reservium® ToolBox"));
    // 4180 twips unfolded, 465 folded; the height fits the pictures.
    const int width = TwipsToPixels(folded ? 465 : 4180);
    setFixedSize(std::max(width, minimumSizeHint().width()), sizeHint().height());
}

void FormCADToolbar::Image2_Click()
{
    fold(!m_folded);
}

void FormCADToolbar::Command1_Click()
{
    m_session.minimizeMainWindow();
    m_session.showSettings();
}

void FormCADToolbar::Command5_Click()
{
    m_session.minimizeMainWindow();
    FormCADEdAs *editor = m_session.editor();
    if (editor->isFolded())
        editor->Image2_Click();
    editor->show();
    editor->raise();
}

void FormCADToolbar::Command8_Click()
{
    m_session.minimizeMainWindow();
    FormCADFormato *w = m_session.formato();
    w->show();
    w->raise();
    w->activateWindow();
}

void FormCADToolbar::Command9_Click()
{
    m_session.minimizeMainWindow();
    FormCADEscala *w = m_session.escala();
    w->insertMode = 1;
    w->setModal(false);
    w->show();
    w->raise();
    w->activateWindow();
}

void FormCADToolbar::Command10_Click()
{
    m_session.minimizeMainWindow();
    FormCADEscala *w = m_session.escala();
    w->insertMode = 0;
    w->hide();
    w->exec();
}
