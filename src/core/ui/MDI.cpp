#include "core/ui/MDI.h"

#include "cad/ui/CadWindows.h"
#include "core/AppContext.h"
#include "core/ModuleRSVBut.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/FormCalculadora.h"
#include "core/ui/FormSobre.h"
#include "core/ui/ImageButton.h"
#include "input/ui/FormLegenda.h"
#include "input/ui/InputWindows.h"
#include "results/ui/ReportWindows.h"
#include "results/ui/ResultsWindows.h"
#include "storage/ProjectFlow.h"

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

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

/// The toolbar's buttons in their order: control name, the menu command it shares, its
/// description, whether it acts only while the results window is visible, and the caption
/// label that follows it on the strip.
struct ToolbarButton
{
    const char *control;
    const char *command;
    const char *description;
    bool needsResults;
    const char *caption;
};

const ToolbarButton kToolbar[] = {
    { "buttnw", "NEWPRJ", "Novo projeto", false, nullptr },
    { "buttop", "OPENPRJ", "Abrir projeto", false, nullptr },
    { "buttlg", "PROJLEGEND", "Legenda do projeto", false, nullptr },
    { "butthp", "HELPINDEX", "Ajuda", false, "Ajuda" },
    { "buttsv", "SAVEPRJ", "Salvar projeto", true, nullptr },
    { "buttcl", "CALC", "Calculadora", false, "Calculadora" },
    { "buttcf", "CALCCFG", "Configurações de cálculo", false, nullptr },
    { "buttrp", "PRINTPRJ", "Imprimir relatório", true, nullptr },
    { "buttcd", "DETAIL", "Detalhamento", true, "Detalhamento" },
};

const ToolbarButton *toolbarEntry(const QString &control)
{
    for (const ToolbarButton &b : kToolbar) {
        if (control == QLatin1String(b.control))
            return &b;
    }
    return nullptr;
}

/// What the user is told when a toolbar button's command belongs to a part of the program
/// this build does not have yet.
QString notAvailableText(const ToolbarButton &b)
{
    return QStringLiteral("O comando \"%1\" ainda não está disponível nesta versão do Reservium.")
            .arg(QString::fromUtf8(b.description));
}

} // namespace

MDI::MDI(AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    ImageButton::ensurePictures();
    setObjectName("MDI");
    setWindowTitle(QString::fromUtf8(kCaption));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("mdiArea");
    setCentralWidget(m_mdiArea);

    buildMenus();
    buildToolbar();

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
    registerOwnCommands();

    // The pointer over the document area's background puts the toolbar's pictures back.
    m_mdiArea->viewport()->setMouseTracking(true);
    m_mdiArea->viewport()->installEventFilter(this);
    // The results-dependent buttons follow the results window as it comes and goes.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { ResetToolbarPictures(); });

    // Each subsystem makes its own windows known and gives its menu commands their actions.
    RegisterInputWindows(*this);
    RegisterResultsWindows(*this);
    RegisterReportWindows(*this);
    RegisterCadWindows(*this);
    ResetToolbarPictures();
}

MDI::~MDI()
{
    // The document area outlives the toolbar while the window is taken down.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    m_toolbarButtons.clear();
    // Modal windows and child windows alike go with the main window. The child windows are
    // destroyed after this body, with the registry already gone: they must not report it.
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
    connect(arquivo, &QMenu::aboutToShow, this, &MDI::Arquivo_Click);
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
    connect(tools, &QMenu::aboutToShow, this, &MDI::TOOLS_Click);
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

void MDI::buildToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName("pictoolbarmdi");
    m_toolbar->setWindowTitle(QStringLiteral("Barra de ferramentas"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setEnabled(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->setMouseTracking(true);
    m_toolbar->installEventFilter(this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    for (const ToolbarButton &entry : kToolbar) {
        auto *button =
                new ImageButton(QString::fromLatin1(entry.control), ModuleRSVBut::kForwardIndex,
                                QString::fromUtf8(entry.description), m_toolbar);
        button->setPictureSize(QSize(32, 32));
        const QString control = button->objectName();
        if (entry.needsResults)
            button->setPressAllowed([this, control] { return toolbarButtonActive(control); });
        connect(button, &ImageButton::clicked, this,
                [this, button] { toolbarButton_Click(button); });
        connect(button, &ImageButton::hovered, this,
                [this, button] { toolbarButton_MouseMove(button); });
        m_toolbar->addWidget(button);
        m_toolbarButtons[control] = button;
        if (entry.caption) {
            auto *label = new QLabel(QString::fromUtf8(entry.caption), m_toolbar);
            label->setObjectName(control + "_caption");
            label->setMouseTracking(true);
            label->installEventFilter(this);
            label->setContentsMargins(0, 0, 8, 0);
            m_toolbar->addWidget(label);
        }
    }
}

ImageButton *MDI::toolbarButton(const QString &controlName) const
{
    const auto found = m_toolbarButtons.find(controlName);
    return found == m_toolbarButtons.end() ? nullptr : found->second;
}

bool MDI::resultsVisible() const
{
    return isFormVisible("FormResultados");
}

bool MDI::toolbarButtonActive(const QString &controlName) const
{
    const ToolbarButton *entry = toolbarEntry(controlName);
    return entry && (!entry->needsResults || resultsVisible());
}

void MDI::ResetToolbarPictures()
{
    const InputError status = ModuleRSVErr::GetInputError(m_context);
    for (const auto &[control, button] : m_toolbarButtons) {
        const int state =
                toolbarButtonActive(control) ? ModuleRSVBut::kNormal : ModuleRSVBut::kDisabled;
        button->SetButtonPicture(state, status, true);
    }
}

void MDI::toolbarButton_MouseMove(ImageButton *button)
{
    // The hover picture, but a results-dependent button keeps its disabled one while there are
    // no results to act on.
    const int state =
            toolbarButtonActive(button->objectName()) ? button->index() : ModuleRSVBut::kDisabled;
    button->SetButtonPicture(state, ModuleRSVErr::GetInputError(m_context), true);
}

void MDI::toolbarButton_Click(ImageButton *button)
{
    const QString control = button->objectName();
    const ToolbarButton *entry = toolbarEntry(control);
    if (!entry || !toolbarButtonActive(control))
        return;
    if (!runCommand(QString::fromLatin1(entry->command))) {
        MessageBox(notAvailableText(*entry).toStdString(), Buttons::Ok, Icon::Information,
                   "Reservium");
    }
}

bool MDI::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == m_toolbar || watched == m_mdiArea->viewport()
            || (watched->parent() == m_toolbar && qobject_cast<QLabel *>(watched)))
            ResetToolbarPictures();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDI::Arquivo_Click()
{
    const bool results = resultsVisible();
    for (const char *name : { "SAVEASPRJ", "SAVEPRJ", "PRINTPRJ" }) {
        if (QAction *a = menuItem(name))
            a->setEnabled(results && m_commands.count(name) != 0);
    }
}

void MDI::TOOLS_Click()
{
    if (QAction *a = menuItem("DETAIL"))
        a->setEnabled(resultsVisible() && m_commands.count("DETAIL") != 0);
}

void MDI::registerOwnCommands()
{
    registerCommand("NEWPRJ", [this] { ProjectFlow::NEWPRJ_Click(m_context); });
    registerCommand("OPENPRJ", [this] { ProjectFlow::OPENPRJ_Click(m_context); });
    registerCommand("SAVEPRJ", [this] { ProjectFlow::SAVEPRJ_Click(m_context); });
    registerCommand("SAVEASPRJ", [this] { ProjectFlow::SAVEASPRJ_Click(m_context); });
    registerCommand("PRINTCFG", [this] { PRINTCFG_Click(); });
    registerCommand("HELPINDEX", [this] { HELPINDEX_Click(); });
    registerCommand("CALC", [this] { CALC_Click(); });
    // The legend is modal and no child window, so New, which closes the child windows, leaves
    // it and its texts alone.
    registerForm(
            "FormLegenda",
            [](MDI &mdi) -> QWidget * {
                return new FormLegenda(mdi, mdi.context().forms.FormLegenda, &mdi);
            },
            true);
    registerCommand("PROJLEGEND", [this] { ShowForm("FormLegenda"); });
}

void MDI::CALC_Click()
{
    if (!m_calculator)
        m_calculator = new FormCalculadora(m_context.regional(), this);
    m_calculator->show();
    m_calculator->raise();
    m_calculator->activateWindow();
}

QPrinter &MDI::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void MDI::PRINTCFG_Click()
{
    QPrintDialog dialog(&printer(), this);
    dialog.setWindowTitle(QStringLiteral("Configurar Impressora"));
    if (dialog.exec() != QDialog::Accepted)
        return; // cancelled: nothing to say
    if (!printer().isValid()) {
        MessageBox("A impressora escolhida não está disponível. Verifique se ela está instalada "
                   "e ligada, ou escolha outra impressora.",
                   Buttons::Ok, Icon::Critical, "Erro 482");
    }
}

void MDI::HELPINDEX_Click()
{
    const QString path = m_context.paths().dataFile(QStringLiteral("reservium.html"));
    const bool opened = QFileInfo::exists(path)
            && QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (!opened) {
        MessageBox("O arquivo " + QDir::toNativeSeparators(path).toStdString()
                           + " não pode ser aberto.\rVerifique se existe algum aplicativo "
                             "associado à extensão: "
                           + path.right(4).toStdString(),
                   Buttons::Ok, Icon::Critical, "ATENÇÃO!");
    }
}

void MDI::OpenProjectFile(const QString &path)
{
    const ProjectFlow::OpenResult result =
            ProjectFlow::OpenProjectFile(m_context, QDir::toNativeSeparators(path).toStdString());
    if (result.status != ProjectFlow::OpenStatus::CalcFailed)
        ProjectFlow::ShowError(m_context, result.error);
    ResetToolbarPictures();
}

void MDI::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program: every window goes with it, the floating ones
    // that belong to no parent too.
    m_mdiArea->closeAllSubWindows();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top != this && top->isVisible() && !top->isAncestorOf(this))
            top->close();
    }
    event->accept();
}

void MDI::registerCommand(const QString &name, std::function<void()> handler)
{
    m_commands[name] = std::move(handler);
    // The commands that act on a calculated project wait for the results window; the menus
    // enable them when they are opened.
    const bool needsResults =
            name == "SAVEPRJ" || name == "SAVEASPRJ" || name == "PRINTPRJ" || name == "DETAIL";
    if (QAction *a = menuItem(name))
        a->setEnabled(!needsResults || resultsVisible());
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
    // imgmsg: 0 a broken limit, 2 nothing to report.
    const QIcon picture(status.code != 0 ? QStringLiteral(":/pictures/imgmsg_0.svg")
                                         : QStringLiteral(":/pictures/imgmsg_2.svg"));
    m_statusPicture->setPixmap(picture.pixmap(QSize(16, 16), devicePixelRatioF()));
    m_statusPicture->setProperty("pictureIndex", status.code != 0 ? 0 : 2);
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
    ResetToolbarPictures();
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
    ResetToolbarPictures();
}

void MDI::CloseForm(const std::string &formName)
{
    QWidget *widget = form(formName);
    if (!widget)
        return;
    if (QMdiSubWindow *sub = subWindowOf(formName)) {
        // The closed sub-window is deleted later; the registry forgets it now, so that the next
        // ShowForm builds the window afresh (a recalculation closes the results and shows new
        // ones straight away) instead of showing the one about to go.
        if (sub->close()) {
            disconnect(widget, &QObject::destroyed, this, nullptr);
            m_forms.at(formName).widget = nullptr;
        }
    } else if (auto *dialog = qobject_cast<QDialog *>(widget)) {
        dialog->reject();
    } else {
        widget->close();
    }
    ResetToolbarPictures();
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
    ResetToolbarPictures();
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
    // The closed sub-windows are deleted on the next turn of the event loop; the registry
    // forgets them now, so that a window shown right after (New shows the tank kind) is built
    // afresh instead of being the one about to go. A window that refused to close stays.
    for (auto &entry : m_forms) {
        FormEntry &e = entry.second;
        if (e.modal || !e.widget)
            continue;
        QMdiSubWindow *sub = subWindowOf(entry.first);
        if (sub && sub->isVisible())
            continue;
        disconnect(e.widget, &QObject::destroyed, this, nullptr);
        e.widget = nullptr;
    }
    ResetToolbarPictures();
}
