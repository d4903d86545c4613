#pragma once

#include "core/ErrorPair.h"
#include "core/InputStatusView.h"

#include <cstdint>
#include <string>

/// Everything the flows need from the screen: message boxes and their answers, the status bar,
/// the windows of the input chain, the progress window and the results window. The main window
/// implements it; flow tests use a scripted implementation that records what was shown and
/// answers as told. Windows are named by their form name ("FormDadosGeometricos").
class UiHost : public InputStatusView
{
public:
    enum class Icon { Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    /// Answers of a message box, numbered as the flows compare them.
    enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~UiHost() = default;

    /// Shows a message box and returns the answer.
    virtual int MessageBox(const std::string &text, Buttons buttons, Icon icon,
                           const std::string &title) = 0;

    /// Shows a window: an input window not modal, created on first use and otherwise with its
    /// fields as it was left; the thickness review ("FormAltera_e") modal.
    virtual void ShowForm(const std::string &formName) = 0;
    /// Hides a window and keeps it, fields and all, for the next ShowForm.
    virtual void HideForm(const std::string &formName) = 0;
    /// Closes a window if it is open: the thickness review after a confirmation, the results
    /// window ("FormResultados") before a calculation, so that the next ShowResultsWindow
    /// builds it afresh from the results.
    virtual void CloseForm(const std::string &formName) = 0;

    /// Shows the progress window ("FormWaitCalc") not modal with this label, sized to it and
    /// painted at once, before the calculation takes the thread.
    virtual void ShowProgress(const std::string &label) = 0;
    /// Closes the progress window if it is open.
    virtual void CloseProgress() = 0;

    /// Refills the results window's reinforcement grid (grdascal) from the positions, in the
    /// gauge unit of gaugeUnitIsMm, and selects its row 1 from column 1 to the last.
    virtual void RefreshBarGrid() = 0;
    /// Shows the results window with this caption, built from the results fields and the
    /// quantities, on its first tab. Its activation closes the progress window.
    virtual void ShowResultsWindow(const std::string &caption) = 0;

    /// Gives the focus to a field of a window.
    virtual void FocusField(const std::string &formName, const std::string &controlName) = 0;

    /// What a file dialog is opened with, as the flows set the common dialog.
    struct FileDialogOptions
    {
        std::string DialogTitle; ///< empty: the platform's own title
        /// Pairs of description and patterns, separated by "|": "Projeto do Reservium| *.rsv".
        std::string Filter;
        std::string InitDir; ///< the folder the dialog starts in
        std::string FileName; ///< the name proposed: a bare name or a whole path
    };
    /// The file chosen, or the cancel code.
    struct FileDialogResult
    {
        std::int32_t code = 0; ///< 0 chosen; kDialogCancelled when the user cancelled
        std::string path; ///< the whole path of the file chosen
    };
    /// The open dialog: the file must exist.
    virtual FileDialogResult ShowOpen(const FileDialogOptions &options) = 0;
    /// The save dialog: any name in a folder that exists.
    virtual FileDialogResult ShowSave(const FileDialogOptions &options) = 0;

    /// Whether the main window has an active child window (an input window, the results…).
    virtual bool HasActiveChildWindow() const = 0;
    /// Closes every child window of the main window; each is built afresh, with its
    /// load-time values, the next time it is shown.
    virtual void CloseChildWindows() = 0;
};
