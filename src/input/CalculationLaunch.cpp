#include "input/CalculationLaunch.h"

#include "analysis/ModuleCalcEsforcos_AsC.h"
#include "analysis/ModuleCalcEsforcos_AsH.h"
#include "analysis/ModuleCalcEsforcos_AsV.h"
#include "core/AppContext.h"
#include "core/CalcError.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/UiHost.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/ModuleCalcConsumo.h"

#include <cmath>
#include <exception>
#include <optional>

namespace CalculationLaunch {

namespace {

const char *const kLayoutForm = "FormPosicaoAs";
const char *const kResultsForm = "FormResultados";
const char *const kReviewForm = "FormAltera_e";

/// Where the user is put back when a calculation fails.
enum class Recovery {
    LayoutWindow, ///< started by the calculate button: its window again
    ResultsWindow, ///< started by the thickness review: the results it was opened from
};

LayoutDriver driverOf(const LayoutDrivers &drivers, std::int16_t layout)
{
    switch (layout) {
    case kHorizontalLayout:
        return drivers.horizontal;
    case kVerticalLayout:
        return drivers.vertical;
    default:
        return drivers.twoWay;
    }
}

/// The engine's part of a calculation; raises what the engine raises.
void calculate(AppContext &ctx, const LayoutDrivers &drivers, const InputChain::LayoutOption &opt)
{
    ctx.state.calcState = ToInt16(static_cast<double>(ctx.state.calcState) + opt.code);
    const LayoutDriver driver = driverOf(drivers, opt.code);
    if (!driver)
        throw CalcError("Cálculo deste arranjo de armaduras não disponível.");
    driver(ctx);
    ModuleCalcConsumo::ComputeQuantities(ctx);
}

void showAgain(AppContext &ctx, Recovery recovery)
{
    UiHost *ui = ctx.ui();
    if (recovery == Recovery::LayoutWindow) {
        if (ui)
            ui->ShowForm(kLayoutForm);
        InputFlows::ActivateWindow(ctx, InputChain::InputWindow::FormPosicaoAs);
        return;
    }
    const InputChain::LayoutOption *opt = InputChain::LayoutOptionOf(LayoutOf(ctx.state.calcState));
    if (ui && opt) {
        ui->RefreshBarGrid();
        ui->ShowResultsWindow(opt->resultsCaption);
    }
}

LaunchResult launch(AppContext &ctx, const LayoutDrivers &drivers, const CalcSnapshot &before,
                    Recovery recovery)
{
    if (ModuleRSVErr::GetInputError(ctx).code != 0)
        return { LaunchStatus::Refused, {} };
    UiHost *ui = ctx.ui();
    if (ui) {
        ui->HideForm(kLayoutForm);
        ui->ShowProgress(kProgressLabel);
        ui->CloseForm(kResultsForm);
    }
    // A results window built afresh has every field empty.
    ctx.results.clear();
    const InputChain::LayoutOption &opt = InputChain::ChosenLayout(ctx.forms.FormPosicaoAs);

    std::string error;
    try {
        calculate(ctx, drivers, opt);
    } catch (const CalcError &e) {
        error = e.what();
    } catch (const std::exception &e) {
        // A fault of the program rather than of the data; reported the same way so that no
        // half-computed result survives it.
        error = std::string("O cálculo foi interrompido por um erro interno (") + e.what()
                + "). Nenhum resultado foi alterado.";
    }
    if (!error.empty()) {
        before.restore(ctx);
        if (ui) {
            ui->CloseProgress();
            ui->MessageBox(error, UiHost::Buttons::Ok, UiHost::Icon::Critical, kCalcErrorTitle);
        }
        showAgain(ctx, recovery);
        return { LaunchStatus::Failed, error };
    }

    // The grid and the window only show what the engine has completed.
    if (ui) {
        ui->RefreshBarGrid();
        ui->ShowResultsWindow(opt.resultsCaption);
    }
    return { LaunchStatus::Calculated, {} };
}

/// The thickness chosen by the review window's Label4, with its results field.
struct ReviewedThickness
{
    float DesignState::*member;
    std::size_t resultsField;
};

ReviewedThickness reviewedThickness(const std::string &label4)
{
    if (label4 == "e(t):")
        return { &DesignState::thicknessEt, 4 };
    if (label4 == "e(p):")
        return { &DesignState::thicknessEp, 5 };
    return { &DesignState::thicknessEf, 6 };
}

std::string smallerValueMessage(const std::string &label4)
{
    return "O Valor informado para " + label4
            + " é menor do que o calculado pelo programa.\n"
              "O Reservium não recalculará a estrutura com estes novos valores.\n\n"
              "Deseja continuar mesmo assim ?\n";
}

} // namespace

LayoutDrivers DefaultLayoutDrivers()
{
    return { &ModuleCalcEsforcos_AsH::CalculateHorizontalTank,
             &ModuleCalcEsforcos_AsV::CalculateVerticalTank,
             &ModuleCalcEsforcos_AsC::CalculateTwoWayTank };
}

LaunchResult LaunchCalculation(AppContext &ctx, const LayoutDrivers &drivers)
{
    const CalcSnapshot before(ctx);
    return launch(ctx, drivers, before, Recovery::LayoutWindow);
}

float OneStepBelow(float t)
{
    // t − 0.01 in single precision is undone by the review's + 0.01 for nearly every value.
    // Where no single lands exactly on t (0.05 and 0.06: the sums there fall on every other
    // single only), take the one that lands just above it, so the review does not find the
    // user's thickness a hair short and raise it a whole centimetre.
    const float start = t - 0.01f;
    float best = start;
    float bestSum = INFINITY;
    float x = start;
    for (int i = 0; i < 8; ++i)
        x = std::nextafter(x, -INFINITY);
    for (int i = 0; i <= 16; ++i, x = std::nextafter(x, INFINITY)) {
        const float sum = x + 0.01f;
        if (sum == t)
            return x;
        if (sum > t && sum < bestSum) {
            best = x;
            bestSum = sum;
        }
    }
    return best;
}

void Inicia_Altera_e(AppContext &ctx, const std::string &txtlb1, float txtText1,
                     const std::string &txtlbl4, const std::string &txtCaption)
{
    FormModel &f = ctx.forms.FormAltera_e;
    f.reset();
    f.setText("Caption", txtCaption);
    f.setText("Label1", txtlb1);
    f.setText("Label2", ctx.text(txtText1));
    f.setText("Label4", txtlbl4);
    // The modal window holds the thread while it is open; its status is set before it shows.
    Altera_eActivate(ctx);
    if (UiHost *ui = ctx.ui())
        ui->ShowForm(kReviewForm);
}

void Altera_eActivate(AppContext &ctx)
{
    Text_e_Change(ctx);
    ctx.forms.FormAltera_e.setState("butarw_3", 1);
}

void Text_e_Change(AppContext &ctx)
{
    FormModel &f = ctx.forms.FormAltera_e;
    const InputError result = ModuleRSVErr::CheckField(ctx, f, "Text_e");
    ModuleRSVErr::SetInputError(ctx, result);
    f.setState("butres_2", result.code != 0 ? 0 : 1);
}

ReviewOutcome butnext(AppContext &ctx, const LayoutDrivers &drivers)
{
    if (ModuleRSVErr::GetInputError(ctx).code != 0)
        return ReviewOutcome::Ignored;
    FormModel &f = ctx.forms.FormAltera_e;
    const std::optional<double> typed = TryTextToNumber(f.text("Text_e"), "0.00");
    if (!typed || *typed == 0)
        return ReviewOutcome::Ignored;
    const double v = *typed;
    const double c = TryTextToNumber(f.text("Label2"), "0.00").value_or(0);
    const std::string label4 = f.text("Label4");
    const ReviewedThickness chosen = reviewedThickness(label4);
    UiHost *ui = ctx.ui();

    if (c > v) {
        // Without a screen nobody can confirm the warning, so the smaller value is not taken.
        const int answer = ui ? ui->MessageBox(smallerValueMessage(label4), UiHost::Buttons::YesNo,
                                               UiHost::Icon::Exclamation, "Atencão !!!")
                              : UiHost::No;
        if (answer != UiHost::Yes) {
            f.setText("Text_e", "");
            Text_e_Change(ctx);
            if (ui)
                ui->FocusField(kReviewForm, "Text_e");
            ModuleRSVErr::SetInputError(ctx, noError);
            return ReviewOutcome::Declined;
        }
        ctx.results.Text_a[chosen.resultsField] = ctx.text(v);
        ctx.state.*chosen.member = ToSingle(v);
        if (ui)
            ui->CloseForm(kReviewForm);
        ModuleRSVErr::SetInputError(ctx, noError);
        return ReviewOutcome::Accepted;
    }

    // The review of every calculation raises the walls and the bottom at least once before it
    // stops, and never the lid; one step less here makes the new run start exactly at v for the
    // chosen thickness and at the minimum for the other two.
    const CalcSnapshot before(ctx);
    DesignState &s = ctx.state;
    ResetThicknesses(s);
    const float value = ToSingle(v);
    if (chosen.member == &DesignState::thicknessEt) {
        s.thicknessEt = value;
        s.thicknessEp = OneStepBelow(s.thicknessEp);
        s.thicknessEf = OneStepBelow(s.thicknessEf);
    } else if (chosen.member == &DesignState::thicknessEp) {
        s.thicknessEp = OneStepBelow(value);
        s.thicknessEf = OneStepBelow(s.thicknessEf);
    } else {
        s.thicknessEp = OneStepBelow(s.thicknessEp);
        s.thicknessEf = OneStepBelow(value);
    }
    s.calcState = RemoveLayout(s.calcState);
    if (ui)
        ui->CloseForm(kReviewForm);
    // Closing the review clears the input-limit status, which the launch then finds clear.
    ModuleRSVErr::SetInputError(ctx, noError);
    const LaunchResult result = launch(ctx, drivers, before, Recovery::ResultsWindow);
    ModuleRSVErr::SetInputError(ctx, noError);
    return result.status == LaunchStatus::Calculated ? ReviewOutcome::Recalculated
                                                     : ReviewOutcome::RecalculationFailed;
}

void Altera_eClose(AppContext &ctx)
{
    if (UiHost *ui = ctx.ui())
        ui->CloseForm(kReviewForm);
    ModuleRSVErr::SetInputError(ctx, noError);
}

} // namespace CalculationLaunch
