#include "cad/ui/FormSetCad.h"

#include "cad/CadPlatform.h"
#include "cad/ModuleCAD.h"
#include "core/AppContext.h"
#include "core/UiHost.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FormSetCad::FormSetCad(AppContext &context, QWidget *parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("FormSetCad"));
    setWindowTitle(QStringLiteral("Localizar Plataforma CAD"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (const CadPlatform::Platform &p : CadPlatform::PlatformTable())
        Combo1->addItem(
                QString::fromUtf8(p.listText.data(), static_cast<qsizetype>(p.listText.size())));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setMinimumWidth(320);
    Command1 = new QPushButton(QStringLiteral("..."), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setToolTip(QStringLiteral("Procurar o programa da plataforma"));
    Command2 = new QPushButton(QStringLiteral("&OK"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setDefault(true);
    Command3 = new QPushButton(QStringLiteral("&Cancel"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Nome:"), this), 0, 0);
    grid->addWidget(Combo1, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Caminho:"), this), 1, 0);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(Command1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 2, 0, 1, 3);

    browse = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Localizar Plataforma CAD"),
                                            QFileInfo(Text2->text()).absolutePath(),
                                            QStringLiteral("Aplicativos (*)"));
    };

    // What is stored, else our own platform where it is installed.
    const ModuleCAD::CadSettings stored = ModuleCAD::ReadCadSettings(context);
    const int code = stored.version.toInt();
    if (code >= 1 && code <= Combo1->count()) {
        Combo1->setCurrentIndex(code - 1);
        Text2->setText(stored.path);
    } else {
        Combo1->setCurrentIndex(-1);
        Combo1->setCurrentIndex(Combo1->count() - 1);
    }
    if (Text2->text().isEmpty())
        Combo1_Click();

    connect(Combo1, &QComboBox::activated, this, &FormSetCad::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &FormSetCad::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormSetCad::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FormSetCad::Command3_Click);
}

void FormSetCad::Combo1_Click()
{
    // Our own platform is proposed where it is installed, unless another program is typed.
    if (Combo1->currentIndex() != Combo1->count() - 1)
        return;
    const QString installed = ModuleCAD::InstalledReserviumCad();
    if (!installed.isEmpty() && !ModuleCAD::ProgramFileExists(Text2->text()))
        Text2->setText(installed);
}

void FormSetCad::Command1_Click()
{
    const QString chosen = browse ? browse() : QString();
    if (!chosen.isEmpty())
        Text2->setText(chosen);
}

void FormSetCad::Command2_Click()
{
    const QString path = Text2->text().trimmed();
    if (Combo1->currentIndex() >= 0 && ModuleCAD::ProgramFileExists(path)) {
        const ErrorPair e = ModuleCAD::StoreCadPlatform(m_context, Combo1->currentIndex(), path);
        if (!e.ok() && m_context.ui())
            m_context.ui()->MessageBox(e.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                                       "Erro " + std::to_string(e.number));
    }
    close();
    if (QWidget *main = parentWidget()) {
        main->raise();
        main->activateWindow();
    }
}

void FormSetCad::Command3_Click()
{
    close();
}
