#pragma once

#include "core/UiHost.h"

#include <QMainWindow>

class AppContext;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;

/// The main window: a multiple-document area with the program's menus and the status bar whose
/// first panel carries the input-limit message. It implements UiHost for the flows.
class MDI : public QMainWindow, public UiHost
{
    Q_OBJECT

public:
    explicit MDI(AppContext &context, QWidget *parent = nullptr);
    ~MDI() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    /// The menu item with the given control name (NEWPRJ, OPENPRJ, ...), or null.
    QAction *menuItem(const QString &name) const;

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

private:
    void buildMenus();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    void HELPABOUT_Click();

    AppContext &m_context;
    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_statusPicture = nullptr;
    QLabel *m_statusText = nullptr;
};
