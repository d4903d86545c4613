#include "core/ui/MDI.h"

#include "core/AppContext.h"
#include "core/ui/FormSobre.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

namespace {

const char *const kCaption =
        "Reservium - Software para Projeto de Reservatórios em Concreto Armado";

/// "Projeto do Reservium| *.rsv" (description and patterns in turn, "|" between) as Qt's
/// name filters: "Projeto do Reservium (*.rsv)".
QString nameFilters(const std::string &filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i].trimmed() + " (" + parts[i + 1].trimmed() + ")";
    return filters.join(";;");
}

/// The folder and the proposed name together, as the common dialog combines InitDir and
/// FileName.
QString startPath(const UiHost::FileDialogOptions &options)
{
    const QString name = QString::fromStdString(options.FileName);
    if (name.isEmpty() || QFileInfo(name).isAbsolute())
        return name.isEmpty() ? QString::fromStdString(options.InitDir) : name;
    return QDir(QString::fromStdString(options.InitDir)).filePath(name);
}

} // namespace

MDI::MDI(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setObjectName("MDI");
    setWindowTitle(QString::fromUtf8(kCaption));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("mdiArea");
    setCentralWidget(m_mdiArea);

    buildMenus();

    auto *bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    m_statusPicture = new QLabel(bar);
    m_statusPicture->setObjectName("StatusBar1_picture");
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName("StatusBar1_text");
    bar->addWidget(m_statusPicture);
    bar->addWidget(m_statusText, 1);
    setStatusBar(bar);
    ShowInputStatus(noError);

    m_context.setUi(this);
}

MDI::~MDI()
{
    if (m_context.ui() == this)
        m_context.setUi(nullptr);
}

QAction *MDI::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MDI::buildMenus()
{
    QMenu *arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    arquivo->setObjectName("Arquivo");
    addItem(arquivo, "NEWPRJ", "&Novo");
    addItem(arquivo, "OPENPRJ", "&Abrir");
    addItem(arquivo, "SAVEPRJ", "&Salvar");
    addItem(arquivo, "SAVEASPRJ", "Sal&var Como...");
    arquivo->addSeparator()->setObjectName("L1");
    addItem(arquivo, "PRINTPRJ", "&Imprimir");
    addItem(arquivo, "PRINTCFG", "&Configurar Impressora");

    QMenu *config = menuBar()->addMenu(QStringLiteral("&Configurações"));
    config->setObjectName("CONFIG");
    addItem(config, "FINDCAD", "&Localizar Plataforma CAD");
    addItem(config, "CALCCFG", "&Configurações de Cálculo");
    addItem(config, "PROJLEGEND", "&Legenda do Projeto");

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Ferramentas"));
    tools->setObjectName("TOOLS");
    addItem(tools, "CALC", "&Calculadora");
    addItem(tools, "DETAIL", "&Detalhamento");

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName("HELPMAIN");
    addItem(help, "HELPINDEX", "Tópicos da Ajuda");
    help->addSeparator()->setObjectName("L2");
    QAction *about = addItem(help, "HELPABOUT", "&Sobre o Reservium");
    connect(about, &QAction::triggered, this, &MDI::HELPABOUT_Click);

    // Commands whose subsystems are not part of this build yet stay visible but disabled.
    for (const char *name : { "NEWPRJ", "OPENPRJ", "SAVEPRJ", "SAVEASPRJ", "PRINTPRJ", "PRINTCFG",
                              "FINDCAD", "CALCCFG", "PROJLEGEND", "CALC", "DETAIL", "HELPINDEX" }) {
        if (QAction *a = menuItem(name))
            a->setEnabled(false);
    }
}

QAction *MDI::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

void MDI::HELPABOUT_Click()
{
    FormSobre about(this);
    about.exec();
}

int MDI::MessageBox(const std::string &text, Buttons buttons, Icon icon, const std::string &title)
{
    QMessageBox box(this);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(title));
    switch (icon) {
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Cancel:
        return Cancel;
    default:
        return Ok;
    }
}

void MDI::ShowInputStatus(const InputError &status)
{
    const QStyle::StandardPixmap picture =
            status.code != 0 ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxInformation;
    m_statusPicture->setPixmap(style()->standardIcon(picture).pixmap(16, 16));
    m_statusText->setText(QString::fromStdString(status.message));
}

void MDI::ShowForm(const std::string &) { }

void MDI::HideForm(const std::string &) { }

void MDI::CloseForm(const std::string &) { }

void MDI::ShowProgress(const std::string &) { }

void MDI::CloseProgress() { }

void MDI::RefreshBarGrid() { }

void MDI::ShowResultsWindow(const std::string &) { }

void MDI::FocusField(const std::string &, const std::string &) { }

UiHost::FileDialogResult MDI::ShowOpen(const FileDialogOptions &options)
{
    const QString file =
            QFileDialog::getOpenFileName(this, QString::fromStdString(options.DialogTitle),
                                         startPath(options), nameFilters(options.Filter));
    if (file.isEmpty())
        return { kDialogCancelled, {} };
    return { 0, QDir::toNativeSeparators(file).toStdString() };
}

UiHost::FileDialogResult MDI::ShowSave(const FileDialogOptions &options)
{
    const QString file =
            QFileDialog::getSaveFileName(this, QString::fromStdString(options.DialogTitle),
                                         startPath(options), nameFilters(options.Filter));
    if (file.isEmpty())
        return { kDialogCancelled, {} };
    return { 0, QDir::toNativeSeparators(file).toStdString() };
}

bool MDI::HasActiveChildWindow() const
{
    return m_mdiArea->activeSubWindow() != nullptr;
}

void MDI::CloseChildWindows()
{
    m_mdiArea->closeAllSubWindows();
}
