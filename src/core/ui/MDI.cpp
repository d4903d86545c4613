#include "core/ui/MDI.h"

#include "cad/ui/CadWindows.h"
#include "core/AppContext.h"
#include "core/ui/FormSobre.h"
#include "input/ui/InputWindows.h"
#include "results/ui/ReportWindows.h"
#include "results/ui/ResultsWindows.h"

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>

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

    // Each subsystem makes its own windows known and gives its menu commands their actions.
    RegisterInputWindows(*this);
    RegisterResultsWindows(*this);
    RegisterReportWindows(*this);
    RegisterCadWindows(*this);
}

MDI::~MDI()
{
    // Modal windows and child windows alike go with the main window. The child windows are
    // destroyed by the base class, after the registry is gone: their destroyed signals must no
    // longer reach it.
    for (auto &entry : m_forms) {
        if (entry.second.widget)
            disconnect(entry.second.widget, &QObject::destroyed, this, nullptr);
        if (entry.second.modal)
            delete entry.second.widget;
        entry.second.widget = nullptr;
    }
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

    // A command is enabled when its subsystem registers its action (registerCommand).
    for (const char *name : { "NEWPRJ", "OPENPRJ", "SAVEPRJ", "SAVEASPRJ", "PRINTPRJ", "PRINTCFG",
                              "FINDCAD", "CALCCFG", "PROJLEGEND", "CALC", "DETAIL", "HELPINDEX" }) {
        if (QAction *a = menuItem(name)) {
            a->setEnabled(false);
            connect(a, &QAction::triggered, this,
                    [this, n = QString::fromLatin1(name)] { runCommand(n); });
        }
    }
}

void MDI::registerCommand(const QString &name, std::function<void()> handler)
{
    m_commands[name] = std::move(handler);
    if (QAction *a = menuItem(name))
        a->setEnabled(true);
}

bool MDI::runCommand(const QString &name)
{
    const auto found = m_commands.find(name);
    if (found == m_commands.end() || !found->second)
        return false;
    // Copied: a command may register commands again (a window built on first use).
    const std::function<void()> handler = found->second;
    handler();
    return true;
}

void MDI::registerForm(const std::string &formName, FormFactory create, bool modal)
{
    FormEntry &entry = m_forms[formName];
    entry.create = std::move(create);
    entry.modal = modal;
}

QWidget *MDI::form(const std::string &formName) const
{
    const auto found = m_forms.find(formName);
    return found == m_forms.end() ? nullptr : found->second.widget;
}

QWidget *MDI::ensureForm(const std::string &formName)
{
    const auto found = m_forms.find(formName);
    if (found == m_forms.end() || !found->second.create)
        return nullptr;
    FormEntry &entry = found->second;
    if (entry.widget)
        return entry.widget;
    QWidget *widget = entry.create(*this);
    if (!widget)
        return nullptr;
    if (widget->objectName().isEmpty())
        widget->setObjectName(QString::fromStdString(formName));
    entry.widget = widget;
    // The entry forgets the window when it is destroyed (closed, or the main window goes).
    connect(widget, &QObject::destroyed, this, [this, formName] {
        const auto it = m_forms.find(formName);
        if (it != m_forms.end())
            it->second.widget = nullptr;
    });
    if (!entry.modal) {
        QMdiSubWindow *sub = m_mdiArea->addSubWindow(widget);
        sub->setObjectName(QString::fromStdString(formName) + "_subwindow");
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
        widget->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    return widget;
}

QMdiSubWindow *MDI::subWindowOf(const std::string &formName) const
{
    QWidget *widget = form(formName);
    return widget ? qobject_cast<QMdiSubWindow *>(widget->parentWidget()) : nullptr;
}

bool MDI::isFormVisible(const std::string &formName) const
{
    QWidget *widget = form(formName);
    if (!widget)
        return false;
    if (QMdiSubWindow *sub = subWindowOf(formName))
        return sub->isVisible();
    return widget->isVisible();
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

void MDI::ShowForm(const std::string &formName)
{
    QWidget *widget = ensureForm(formName);
    if (!widget)
        return;
    const auto &entry = m_forms.at(formName);
    if (entry.modal) {
        if (auto *dialog = qobject_cast<QDialog *>(widget)) {
            dialog->exec();
            return;
        }
        widget->show();
        return;
    }
    if (QMdiSubWindow *sub = subWindowOf(formName)) {
        sub->show();
        widget->show();
        m_mdiArea->setActiveSubWindow(sub);
    }
}

void MDI::HideForm(const std::string &formName)
{
    QWidget *widget = form(formName);
    if (!widget)
        return;
    if (QMdiSubWindow *sub = subWindowOf(formName))
        sub->hide();
    else
        widget->hide();
}

void MDI::CloseForm(const std::string &formName)
{
    QWidget *widget = form(formName);
    if (!widget)
        return;
    if (QMdiSubWindow *sub = subWindowOf(formName)) {
        sub->close();
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(widget))
        dialog->reject();
    else
        widget->close();
}

void MDI::ShowProgress(const std::string &label)
{
    if (m_hooks.showProgress)
        m_hooks.showProgress(label);
}

void MDI::CloseProgress()
{
    if (m_hooks.closeProgress)
        m_hooks.closeProgress();
}

void MDI::RefreshBarGrid()
{
    if (m_hooks.refreshBarGrid)
        m_hooks.refreshBarGrid();
}

void MDI::ShowResultsWindow(const std::string &caption)
{
    if (m_hooks.showResults)
        m_hooks.showResults(caption);
}

void MDI::FocusField(const std::string &formName, const std::string &controlName)
{
    QWidget *widget = form(formName);
    if (!widget)
        return;
    if (QWidget *field = widget->findChild<QWidget *>(QString::fromStdString(controlName)))
        field->setFocus(Qt::OtherFocusReason);
}

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
    // Closed sub-windows delete their windows, so each is built afresh with its load-time
    // values the next time it is shown.
    m_mdiArea->closeAllSubWindows();
}
