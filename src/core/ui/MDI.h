#pragma once

#include "core/UiHost.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class AppContext;
class FormCalculadora;
class ImageButton;
class QAction;
class QPrinter;
class QToolBar;
class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;

/// The main window: a multiple-document area with the program's menus and the status bar whose
/// first panel carries the input-limit message. It implements UiHost for the flows.
class MDI : public QMainWindow, public UiHost
{
    Q_OBJECT

public:
    explicit MDI(AppContext &context, QWidget *parent = nullptr);
    ~MDI() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    AppContext &context() const { return m_context; }
    /// The menu item with the given control name (NEWPRJ, OPENPRJ, ...), or null.
    QAction *menuItem(const QString &name) const;

    /// How a window is made the first time the flows ask for it. A child window is placed in
    /// the document area and kept hidden between uses; a modal one (a QDialog) is run with
    /// exec() each time it is shown.
    using FormFactory = std::function<QWidget *(MDI &)>;
    void registerForm(const std::string &formName, FormFactory create, bool modal = false);
    /// The window of this name if it has been made and not closed since, otherwise null.
    QWidget *form(const std::string &formName) const;
    /// The window of this name, made now when it does not exist yet; null for an unknown name.
    QWidget *ensureForm(const std::string &formName);
    /// Whether the window of this name exists and is shown.
    bool isFormVisible(const std::string &formName) const;

    /// Gives a menu command (NEWPRJ, CALC...) its action and enables its menu item. A command
    /// without one stays disabled, so that nothing is offered that does nothing.
    void registerCommand(const QString &name, std::function<void()> handler);
    /// Runs a registered command (menus and toolbar buttons share them); false when unknown.
    bool runCommand(const QString &name);

    /// The screen services that belong to windows of other subsystems: the progress window,
    /// the results window and its grid. Each subsystem's window registration sets its own.
    struct WindowHooks
    {
        std::function<void(const std::string &label)> showProgress;
        std::function<void()> closeProgress;
        std::function<void()> refreshBarGrid;
        std::function<void(const std::string &caption)> showResults;
    };
    WindowHooks &hooks() { return m_hooks; }

    /// The toolbar strip and its nine image buttons, in their order.
    QToolBar *toolbar() const { return m_toolbar; }
    ImageButton *toolbarButton(const QString &controlName) const;
    /// The toolbar's pictures back to rest: normal, except the results-dependent buttons
    /// (buttsv, buttrp, buttcd), which show their disabled picture while the results window is
    /// hidden. The input windows call it when the pointer moves over their background, so that
    /// the toolbar never keeps a hover picture.
    void ResetToolbarPictures();
    /// Whether a toolbar button acts now: the results-dependent ones only while the results
    /// window is visible.
    bool toolbarButtonActive(const QString &controlName) const;

    /// The printer and page chosen in "&Configurar Impressora", kept while the program runs;
    /// the report prints to it.
    QPrinter &printer();

    /// The calculator window, made on the first "&Calculadora"; null before.
    FormCalculadora *calculator() const { return m_calculator; }

    /// Opens a project file as "&Abrir" does after its dialog (the desktop's "open with" and
    /// the command line); a failure is shown.
    void OpenProjectFile(const QString &path);

    int MessageBox(const std::string &text, Buttons buttons, Icon icon,
                   const std::string &title) override;
    void ShowInputStatus(const InputError &status) override;

    // The input windows, the progress and the results window are not built yet: these do
    // nothing until they are.
    void ShowForm(const std::string &formName) override;
    void HideForm(const std::string &formName) override;
    void CloseForm(const std::string &formName) override;
    void ShowProgress(const std::string &label) override;
    void CloseProgress() override;
    void RefreshBarGrid() override;
    void ShowResultsWindow(const std::string &caption) override;
    void FocusField(const std::string &formName, const std::string &controlName) override;

    FileDialogResult ShowOpen(const FileDialogOptions &options) override;
    FileDialogResult ShowSave(const FileDialogOptions &options) override;
    bool HasActiveChildWindow() const override;
    void CloseChildWindows() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void registerOwnCommands();
    void Arquivo_Click();
    void TOOLS_Click();
    void toolbarButton_Click(ImageButton *button);
    void toolbarButton_MouseMove(ImageButton *button);
    void PRINTCFG_Click();
    void CALC_Click();
    void HELPINDEX_Click();
    bool resultsVisible() const;
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    void HELPABOUT_Click();
    QMdiSubWindow *subWindowOf(const std::string &formName) const;

    struct FormEntry
    {
        FormFactory create;
        bool modal = false;
        QWidget *widget = nullptr; ///< the window while it exists
    };

    AppContext &m_context;
    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_toolbar = nullptr;
    std::map<QString, ImageButton *> m_toolbarButtons;
    std::unique_ptr<QPrinter> m_printer;
    FormCalculadora *m_calculator = nullptr;
    QLabel *m_statusPicture = nullptr;
    QLabel *m_statusText = nullptr;
    std::map<std::string, FormEntry> m_forms;
    std::map<QString, std::function<void()>> m_commands;
    WindowHooks m_hooks;
};
