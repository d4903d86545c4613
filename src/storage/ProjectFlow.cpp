#include "storage/ProjectFlow.h"

#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/UiHost.h"
#include "design/ModulersvARM.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/ModuleCalcConsumo.h"
#include "settings/ApplySettings.h"
#include "storage/DatabaseError.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace ProjectFlow {

namespace {

using InputChain::InputWindow;

const ErrorPair kCancelled{ kDialogCancelled, "Operação cancelada." };

QString qpath(const std::string &path)
{
    return QString::fromStdString(path);
}

bool endsWithExtension(const std::string &name)
{
    const std::string ext = ModuleRSVFLS::kProjectExtension;
    if (name.size() < ext.size())
        return false;
    return std::equal(ext.begin(), ext.end(), name.end() - static_cast<std::ptrdiff_t>(ext.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a))
                                  == std::tolower(static_cast<unsigned char>(b));
                      });
}

/// Projects are ".rsv" files: a name chosen without it gets it, so that the open dialog, which
/// lists ".rsv" files only, finds the project again.
std::string withProjectExtension(const std::string &path)
{
    return endsWithExtension(path) ? path : path + ModuleRSVFLS::kProjectExtension;
}

/// The project's name proposed as a file name: the characters that no file name may hold
/// ("Obra 1/2" would name a folder) become "_".
std::string asFileName(const std::string &name)
{
    std::string out(TrimBlanks(name));
    for (char &c : out) {
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    return out;
}

/// Removes the report database before it is rebuilt, with its journal: a journal left behind
/// by a killed print would otherwise be played back into the new file.
ErrorPair removeReportDatabase(const QString &path)
{
    for (const QString &file : { path, path + QStringLiteral("-journal") }) {
        if (!QFileInfo::exists(file))
            continue;
        QFile f(file);
        if (!f.remove())
            return { f.error() == QFileDevice::PermissionsError ? 70 : 75,
                     "O banco de dados do relatório \"" + file.toStdString()
                             + "\" não pôde ser apagado para ser refeito ("
                             + f.errorString().toStdString()
                             + "). Feche o programa que o estiver usando e tente novamente." };
    }
    return {};
}

bool inputErrorPending(const AppContext &ctx)
{
    return ModuleRSVErr::GetInputError(ctx).code != 0;
}

OpenResult inputLimitStop(const AppContext &ctx)
{
    const InputError e = ModuleRSVErr::GetInputError(ctx);
    return { OpenStatus::InputLimit, { e.code, e.message } };
}

/// Presses a window's forward button; false when it refused, which the status explains.
bool press(AppContext &ctx, InputWindow window)
{
    return InputFlows::Forward(ctx, window) != window;
}

/// The input windows and the results window are child windows: closed, they come back with
/// their load-time values.
void resetChildWindows(AppContext &ctx)
{
    FormModels &f = ctx.forms;
    for (FormModel *m : { &f.FormTipoElev, &f.FormDadosGeometricos, &f.FormPosTampa,
                          &f.FormDadosEnterrada, &f.FormPosicaoAs })
        m->reset();
    ctx.results.clear();
}

/// A project saved with the positions of a calculation; one saved from the input windows has
/// none.
bool hasSavedDesign(const ProjectContent &content)
{
    return !content.positions.empty();
}

/// The calculate button, pressed for a file. A project saved with its positions was designed
/// at the thicknesses it holds: its review gives them back instead of searching again from
/// them, since their own weight asks for larger moments than the ones they were designed for
/// and a search would thicken the tank at every opening, under bars designed for the thinner
/// members. A project saved before any calculation has no design to give back and is
/// calculated in full.
CalculationLaunch::LaunchResult calculateAsSaved(AppContext &ctx, const ProjectContent &content)
{
    struct ModeGuard
    {
        CalcContext &ctx;
        ~ModeGuard() { ctx.thicknessReviewMode = ThicknessReviewMode::Search; }
    } guard{ ctx };
    ctx.thicknessReviewMode =
            hasSavedDesign(content) ? ThicknessReviewMode::KeepSaved : ThicknessReviewMode::Search;
    return CalculationLaunch::LaunchCalculation(ctx);
}

OpenResult refill(AppContext &ctx, const ProjectContent &content)
{
    FormModels &f = ctx.forms;

    // Tank kind.
    f.FormTipoElev.setState("OptionEnterrada", content.buried ? 1 : 0);
    f.FormTipoElev.setState("OptionElevada", content.buried ? 0 : 1);
    if (inputErrorPending(ctx) || !press(ctx, InputWindow::FormTipoElev))
        return inputLimitStop(ctx);

    // Geometry; its forward button resets the thicknesses to the minimum.
    const char *geometry[] = { "Text_a", "Text_b", "Text_h", "Text_hn" };
    for (std::size_t i = 0; i < content.geometry.size(); ++i)
        f.FormDadosGeometricos.setText(geometry[i], content.geometry[i]);
    // What the last of the fields' change events leaves in the status.
    ModuleRSVErr::CheckGeometryWindow(ctx);
    if (inputErrorPending(ctx) || !press(ctx, InputWindow::FormDadosGeometricos))
        return inputLimitStop(ctx);

    // Lid.
    const char *lid[] = { "Text_X", "Text_Y", "Text_Lx", "Text_Ly", "TextqA" };
    for (std::size_t i = 0; i < content.lid.size(); ++i)
        f.FormPosTampa.setText(lid[i], content.lid[i]);
    ModuleRSVErr::CheckLidWindow(ctx);
    if (inputErrorPending(ctx) || !press(ctx, InputWindow::FormPosTampa))
        return inputLimitStop(ctx);

    // The thicknesses after the geometry's reset, so that they survive it. A project saved with
    // its design starts from the very singles it was designed at, the walls and the bottom one
    // review step below them (calculateAsSaved).
    DesignState &s = ctx.state;
    if (hasSavedDesign(content)) {
        s.thicknessEt = content.designEt;
        s.thicknessEp = CalculationLaunch::OneStepBelow(content.designEp);
        s.thicknessEf = CalculationLaunch::OneStepBelow(content.designEf);
    }
    // Otherwise the geometry window's reset stands: a project saved before any calculation
    // holds the minimum thickness of its settings (the walls and the bottom one step below it),
    // and is calculated from the minimum as the calculate button would calculate it.

    if (content.buried) {
        const ProjectContent::Buried &b = content.buriedData;
        FormModel &w = f.FormDadosEnterrada;
        // The list's entries are the window's; it selects the entry of this name, if any.
        w.setState("ComboSolo", -1);
        w.setText("ComboSolo", b.soil);
        w.setText("Textht", b.ht);
        w.setText("Textqt", b.qt);
        // The box is set either way: left ticked from the window's defaults or an earlier
        // project, a project without ground water would reopen with it.
        InputChain::SetGroundWaterBox(w, b.groundWater);
        if (b.groundWater)
            w.setText("Texthna", b.hna);
        w.setText("TextGama", b.gama);
        w.setText("TextAngSolo", b.angSoil);
        w.setText("TextAngTerreno", b.angGround);
        ModuleRSVErr::CheckBuriedWindow(ctx);
        if (inputErrorPending(ctx) || !press(ctx, InputWindow::FormDadosEnterrada))
            return inputLimitStop(ctx);
    }

    // Layout and calculation.
    InputChain::ChooseLayout(f.FormPosicaoAs, content.layout);
    if (inputErrorPending(ctx))
        return inputLimitStop(ctx);
    const CalculationLaunch::LaunchResult launched = calculateAsSaved(ctx, content);
    switch (launched.status) {
    case CalculationLaunch::LaunchStatus::Calculated:
        break;
    case CalculationLaunch::LaunchStatus::Refused:
        return inputLimitStop(ctx);
    case CalculationLaunch::LaunchStatus::Failed:
        return { OpenStatus::CalcFailed, { CalculationLaunch::kCalcErrorNumber, launched.error } };
    }

    // The user's bar arrangements over the calculated ones, in stored order.
    for (std::size_t i = 0; i < content.positions.size(); ++i)
        ctx.rebarPositions[i] = content.positions[i];
    // Exclusions go through the grid's own command, which paints the row as excluded.
    for (int i = 1; i <= 20; ++i) {
        RebarPosition &p = ctx.rebarPosition(i);
        if (p.OUTAS != 0) {
            p.OUTAS = 0;
            (void)ModulersvARM::ToggleExclusion(ctx, i, i);
        }
    }
    ModuleCalcConsumo::ComputeQuantities(ctx);
    if (UiHost *ui = ctx.ui()) {
        ui->RefreshBarGrid();
        const InputChain::LayoutOption &opt = InputChain::ChosenLayout(f.FormPosicaoAs);
        ui->ShowResultsWindow(opt.resultsCaption);
    }
    return { OpenStatus::Opened, {} };
}

OpenResult openProject(AppContext &ctx)
{
    if (AskSaveChanges(ctx) == UiHost::Cancel)
        return { OpenStatus::Cancelled, {} };
    const InputError before = ModuleRSVErr::GetInputError(ctx);
    ModuleRSVErr::SetInputError(ctx, noError);
    UiHost *ui = ctx.ui();
    if (!ui)
        return { OpenStatus::Cancelled, kCancelled };
    UiHost::FileDialogOptions options;
    options.Filter = kFilter;
    options.InitDir = ctx.paths().programFolder().toStdString();
    const UiHost::FileDialogResult chosen = ui->ShowOpen(options);
    if (chosen.code != 0)
        return { OpenStatus::Cancelled, kCancelled };
    OpenResult result = OpenProjectFile(ctx, chosen.path);
    // Nothing of the project changed: neither does the status of the window the user is on.
    if (result.status == OpenStatus::FileError)
        ModuleRSVErr::SetInputError(ctx, before);
    return result;
}

} // namespace

std::string FileNameOf(const std::string &path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int AskSaveChanges(AppContext &ctx)
{
    UiHost *ui = ctx.ui();
    if (!ui || !ui->HasActiveChildWindow())
        return UiHost::No;
    std::string question = "Salvar alterações";
    if (!ctx.state.projectPath.empty())
        question += " em " + FileNameOf(ctx.state.projectPath);
    question += "?";
    const int answer = ui->MessageBox(question, UiHost::Buttons::YesNoCancel,
                                      UiHost::Icon::Exclamation, kQuestionTitle);
    if (answer == UiHost::Yes) {
        const ErrorPair saved = SaveProject(ctx, false, false);
        if (!saved.ok()) {
            ShowError(ctx, saved);
            return UiHost::Cancel;
        }
    }
    return answer;
}

ErrorPair SaveProject(AppContext &ctx, bool askName, bool isReport)
{
    if (isReport) {
        if (ErrorPair e = ctx.paths().ensureProgramFolder(); !e.ok())
            return e;
        const QString report = ModuleRSVFLS::ReportDatabaseFile(ctx);
        if (ErrorPair e = removeReportDatabase(report); !e.ok())
            return e;
        return ModuleRSVFLS::WriteProjectFile(ctx, report, true);
    }

    DesignState &s = ctx.state;
    const std::string previous = s.projectPath;
    if (s.projectPath.empty() || askName) {
        UiHost *ui = ctx.ui();
        if (!ui)
            return kCancelled;
        UiHost::FileDialogOptions options;
        options.Filter = kFilter;
        options.InitDir = ctx.paths().programFolder().toStdString();
        const std::string legend = asFileName(ctx.forms.FormLegenda.text("aeESTPROJ"));
        if (!legend.empty() && s.projectPath.empty())
            options.FileName = legend;
        else if (!s.projectPath.empty())
            options.FileName = s.projectPath;
        else
            options.FileName = ModuleRSVFLS::kDefaultProjectName;
        const UiHost::FileDialogResult chosen = ui->ShowSave(options);
        if (chosen.code != 0 || chosen.path.empty())
            return kCancelled;
        s.projectPath = withProjectExtension(chosen.path);
    }
    const ErrorPair e = ModuleRSVFLS::WriteProjectFile(ctx, qpath(s.projectPath), false);
    if (!e.ok()) {
        // Nothing was written: the project is still the one of the file it had.
        s.projectPath = previous;
        return e;
    }
    return {};
}

ErrorPair OpenProject(AppContext &ctx)
{
    return openProject(ctx).error;
}

OpenResult OpenProjectFile(AppContext &ctx, const std::string &path)
{
    ProjectContent content;
    if (ErrorPair e = ProjectReader::ReadProjectFile(ctx, qpath(path), content); !e.ok())
        return { OpenStatus::FileError,
                 { e.number, e.description + " O projeto atual não foi alterado." } };

    ctx.state.projectPath = path;
    // The windows are refilled from here on: the status is theirs to set.
    ModuleRSVErr::SetInputError(ctx, noError);
    ModuleRSVFLS::FillSettingsForm(ctx, content.parameters);
    try {
        ApplySettings(ctx);
    } catch (const CalcError &e) {
        // Checked with the file; reaching here is a fault of the program, reported plainly.
        return { OpenStatus::FileError, { ModuleRSVFLS::kInvalidValue, e.what() } };
    }
    return refill(ctx, content);
}

ErrorPair NewProject(AppContext &ctx)
{
    if (AskSaveChanges(ctx) == UiHost::Cancel)
        return {};
    UiHost *ui = ctx.ui();
    if (ui)
        ui->CloseChildWindows();
    resetChildWindows(ctx);
    DesignState &s = ctx.state;
    s.projectPath.clear();
    // The results are gone with their window: the positions left in memory are no longer a
    // calculation's (a save before the next one keeps none of them).
    if (LayoutOf(s.calcState) != 0)
        s.calcState = RemoveLayout(s.calcState);
    // The status described a window that is closed now; left set, it would block the new
    // project's first forward button.
    ModuleRSVErr::SetInputError(ctx, noError);
    if (ui)
        ui->ShowForm(InputChain::FormName(InputWindow::FormTipoElev));
    InputFlows::ActivateWindow(ctx, InputWindow::FormTipoElev);
    return {};
}

void NEWPRJ_Click(AppContext &ctx)
{
    ShowError(ctx, NewProject(ctx));
}

void OPENPRJ_Click(AppContext &ctx)
{
    const OpenResult result = openProject(ctx);
    if (result.status != OpenStatus::CalcFailed)
        ShowError(ctx, result.error);
}

void SAVEPRJ_Click(AppContext &ctx)
{
    ShowError(ctx, SaveProject(ctx, false, false));
}

void SAVEASPRJ_Click(AppContext &ctx)
{
    ShowError(ctx, SaveProject(ctx, true, false));
}

void ShowError(AppContext &ctx, const ErrorPair &error)
{
    UiHost *ui = ctx.ui();
    if (error.ok() || error.number == kDialogCancelled || !ui)
        return;
    ui->MessageBox(error.description, UiHost::Buttons::Ok, UiHost::Icon::Critical,
                   "Erro " + std::to_string(error.number));
}

} // namespace ProjectFlow
