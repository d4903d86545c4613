#include "input/InputFlows.h"

#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/UiHost.h"
#include "input/CalculationLaunch.h"

namespace InputFlows {

using InputChain::Direction;
using InputChain::InputWindow;

namespace {

bool inputErrorPending(const AppContext &ctx)
{
    return ModuleRSVErr::GetInputError(ctx).code != 0;
}

void hide(AppContext &ctx, InputWindow window)
{
    if (UiHost *ui = ctx.ui())
        ui->HideForm(InputChain::FormName(window));
}

/// Shows a window of the chain and runs its activation, which a window shown on the screen
/// would run on its own; without a screen it is the only check the window gets.
void show(AppContext &ctx, InputWindow window)
{
    if (UiHost *ui = ctx.ui())
        ui->ShowForm(InputChain::FormName(window));
    ActivateWindow(ctx, window);
}

/// Hides `from` and shows the window the chain decides on.
InputWindow moveOn(AppContext &ctx, InputWindow from, Direction direction)
{
    const InputWindow next = InputChain::NextWindow(from, direction, ctx.state.calcState);
    hide(ctx, from);
    show(ctx, next);
    return next;
}

void proposeLayout(AppContext &ctx)
{
    const DesignState &s = ctx.state;
    InputChain::ProposeLayout(ctx.forms.FormPosicaoAs, s.widthA, s.lengthB, s.heightH);
}

InputWindow tipoElevForward(AppContext &ctx)
{
    ctx.state.calcState =
            ctx.forms.FormTipoElev.state("OptionElevada") != 0 ? kElevatedTank : kBuriedTank;
    return moveOn(ctx, InputWindow::FormTipoElev, Direction::Forward);
}

InputWindow geometryForward(AppContext &ctx)
{
    const FormModel &f = ctx.forms.FormDadosGeometricos;
    ResetThicknesses(ctx.state);
    CopyGeometry(ctx.state, f.text("Text_a"), f.text("Text_b"), f.text("Text_h"),
                 f.text("Text_hn"));
    return moveOn(ctx, InputWindow::FormDadosGeometricos, Direction::Forward);
}

InputWindow lidForward(AppContext &ctx)
{
    const FormModel &f = ctx.forms.FormPosTampa;
    CopyLidData(ctx.state, f.text("Text_Lx"), f.text("Text_Ly"), f.text("Text_X"), f.text("Text_Y"),
                f.text("TextqA"));
    const InputWindow next = InputChain::NextWindow(InputWindow::FormPosTampa, Direction::Forward,
                                                    ctx.state.calcState);
    // The layout is proposed only on the way in from the data windows, never when the layout
    // window is reached back from the results, so the user's own choice survives a review.
    if (next == InputWindow::FormPosicaoAs)
        proposeLayout(ctx);
    return moveOn(ctx, InputWindow::FormPosTampa, Direction::Forward);
}

float readTwoDecimals(const FormModel &f, const char *control)
{
    return ToSingle(TextToNumber(f.text(control), "0.00"));
}

InputWindow buriedForward(AppContext &ctx)
{
    const FormModel &f = ctx.forms.FormDadosEnterrada;
    const std::string soil = f.text("ComboSolo");
    const float gamma = readTwoDecimals(f, "TextGama");
    const float angSoil = readTwoDecimals(f, "TextAngSolo");
    const float ht = readTwoDecimals(f, "Textht");
    const float qt = readTwoDecimals(f, "Textqt");
    const float hna = readTwoDecimals(f, "Texthna");
    const float angGround = readTwoDecimals(f, "TextAngTerreno");
    CopyBuriedData(ctx.state, soil, gamma, angSoil, ht, qt, hna, angGround);
    proposeLayout(ctx);
    return moveOn(ctx, InputWindow::FormDadosEnterrada, Direction::Forward);
}

InputWindow forwardOf(AppContext &ctx, InputWindow from)
{
    switch (from) {
    case InputWindow::FormTipoElev:
        return tipoElevForward(ctx);
    case InputWindow::FormDadosGeometricos:
        return geometryForward(ctx);
    case InputWindow::FormPosTampa:
        return lidForward(ctx);
    case InputWindow::FormDadosEnterrada:
        return buriedForward(ctx);
    case InputWindow::FormPosicaoAs:
        return CalculationLaunch::LaunchCalculation(ctx).status
                        == CalculationLaunch::LaunchStatus::Calculated
                ? InputWindow::FormResultados
                : from;
    case InputWindow::FormResultados:
        return from;
    }
    return from;
}

} // namespace

void ActivateWindow(AppContext &ctx, InputWindow window)
{
    switch (window) {
    case InputWindow::FormTipoElev:
        ctx.forms.FormTipoElev.setState("butarw_2", 1);
        break;
    case InputWindow::FormDadosGeometricos:
        ModuleRSVErr::CheckGeometryWindow(ctx);
        break;
    case InputWindow::FormPosTampa:
        ModuleRSVErr::CheckLidWindow(ctx);
        break;
    case InputWindow::FormDadosEnterrada:
        ModuleRSVErr::CheckBuriedWindow(ctx);
        break;
    case InputWindow::FormPosicaoAs:
        ctx.forms.FormPosicaoAs.setState("butres_2", 1);
        ctx.forms.FormPosicaoAs.setState("butarw_3", 1);
        break;
    case InputWindow::FormResultados:
        break;
    }
}

InputWindow Forward(AppContext &ctx, InputWindow from)
{
    if (inputErrorPending(ctx))
        return from;
    try {
        return forwardOf(ctx, from);
    } catch (const CalcError &) {
        // A field set without its change check and holding no number: the window's own check
        // marks it and the status bar says what to correct; the chain stays where it is.
        ActivateWindow(ctx, from);
        return from;
    }
}

InputWindow Back(AppContext &ctx, InputWindow from)
{
    switch (from) {
    case InputWindow::FormTipoElev:
        return from;
    case InputWindow::FormDadosGeometricos:
        ResetThicknesses(ctx.state);
        ModuleRSVErr::SetInputError(ctx, noError);
        break;
    case InputWindow::FormResultados:
        // Back to the input: the layout leaves calcState and the next calculation starts from
        // the minimum thicknesses again.
        ctx.state.calcState = RemoveLayout(ctx.state.calcState);
        ResetThicknesses(ctx.state);
        break;
    case InputWindow::FormPosTampa:
    case InputWindow::FormDadosEnterrada:
    case InputWindow::FormPosicaoAs:
        break;
    }
    return moveOn(ctx, from, Direction::Back);
}

void Checkhna_Click(AppContext &ctx)
{
    FormModel &f = ctx.forms.FormDadosEnterrada;
    const bool ticked = f.state("Checkhna") != 0;
    InputChain::SetGroundWaterBox(f, ticked);
    if (ticked) {
        if (UiHost *ui = ctx.ui())
            ui->FocusField(f.formName(), "Texthna");
    }
    ModuleRSVErr::CheckBuriedWindow(ctx);
}

} // namespace InputFlows
