#pragma once

#include "core/ErrorPair.h"

#include <string>

class AppContext;

/// The main window's file commands without the window: New, Open, Save, Save As, and the
/// question "Salvar alterações" that New and Open ask first. Everything on the screen (the
/// question, the file dialogs, the windows of the input chain, the results) goes through the
/// context's UiHost; without one nothing is asked, no dialog can be shown, and a flow that
/// needs one ends as cancelled.
///
/// Opening a project does not read results back: it refills the input windows from the file,
/// presses their forward buttons and the calculate button as the user would, and then puts
/// back the bar arrangements and exclusions saved with the project.
namespace ProjectFlow {

/// The file filter of the project dialogs.
inline constexpr const char *kFilter = "Projeto do Reservium| *.rsv";
/// Title of the question of AskSaveChanges.
inline constexpr const char *kQuestionTitle = "ATENÇÃO!";

/// The file's name in a path: the text after the last "\" or "/" ("C:\obras\caixa.rsv" gives
/// "caixa.rsv").
std::string FileNameOf(const std::string &path);

/// Before New and Open: with a child window active, asks whether to save the project
/// ("Salvar alterações em caixa.rsv?"), and saves it on Yes. Returns the answer: 6 yes,
/// 7 no (also when nothing is open, without asking), 2 cancel. A save answered Yes that fails
/// is shown and counts as Cancel, so that the project it could not keep is not dropped.
int AskSaveChanges(AppContext &ctx);

/// Saves the project to its file, asking for the name when it has none or `askName` is set
/// (cancelled: 32755, nothing written); with `isReport`, rebuilds the report database
/// "rsv.mdb" in the program's folder instead, without asking anything. The whole file is
/// written in one transaction: any failure is returned and leaves an existing file as it was,
/// and the project keeps the file name it had. An existing file is updated only when it is a
/// project file.
ErrorPair SaveProject(AppContext &ctx, bool askName, bool isReport);

/// Asks whether to save changes, then for the file, and opens it (OpenProjectFile).
/// Cancelled: (0, "") at the question, 32755 at the dialog.
ErrorPair OpenProject(AppContext &ctx);

/// Asks whether to save changes, then closes every child window, forgets the file name and
/// shows the tank-kind window with the load-time values of the input windows. The legend and
/// the calculation parameters are kept.
ErrorPair NewProject(AppContext &ctx);

/// How an opening ended.
enum class OpenStatus {
    Opened, ///< refilled, calculated, arrangements put back
    Cancelled, ///< at the question or at the dialog: nothing changed
    FileError, ///< the file cannot be read or is not a sound project: nothing changed
    InputLimit, ///< a refilled window broke an input limit: the windows as far as they got
    CalcFailed, ///< the calculation raised its error (already shown by the calculation)
};

struct OpenResult
{
    OpenStatus status = OpenStatus::Opened;
    /// The pair OpenProject returns: the file error, the input-limit code and message, or the
    /// calculation error's number and message.
    ErrorPair error;
};

/// Opens the project file at `path`, the steps after the dialog. The whole file is read and
/// checked first; a file that is not a sound project is an error and nothing of the current
/// project changes (file name, windows, parameters, design state, results, positions). Then
/// the file name is taken, the parameters are loaded and applied, the windows are refilled
/// and their buttons pressed in chain order, the calculation runs, the saved positions are
/// put back and the quantities recomputed.
OpenResult OpenProjectFile(AppContext &ctx, const std::string &path);

// ---- Commands of the main window -------------------------------------------------------------

/// "&Novo": NewProject; a failure is shown.
void NEWPRJ_Click(AppContext &ctx);
/// "&Abrir": OpenProject; a failure is shown, except a cancelled dialog and a calculation error,
/// which the calculation has shown itself.
void OPENPRJ_Click(AppContext &ctx);
/// "&Salvar": SaveProject without asking for a name when the project has one.
void SAVEPRJ_Click(AppContext &ctx);
/// "Sal&var Como...": SaveProject asking for the name.
void SAVEASPRJ_Click(AppContext &ctx);

/// Shows a failure of a file command: its description, the critical icon and "Erro " and the
/// number as title. Nothing is shown for success, for a cancelled dialog, or without a screen.
void ShowError(AppContext &ctx, const ErrorPair &error);

} // namespace ProjectFlow
