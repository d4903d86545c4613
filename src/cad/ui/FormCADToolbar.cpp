#include "cad/ui/FormCADToolbar.h"

#include "cad/ui/CadPictures.h"
#include "cad/ui/CadSession.h"
#include "cad/ui/FormCADEdAs.h"
#include "cad/ui/FormCADEscala.h"
#include "cad/ui/FormCADFormato.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

using CadPictures::Picture;
using CadPictures::picture;

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
