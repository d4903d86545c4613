#pragma once

#include <cstdint>
#include <string>

class AppContext;
class CalcContext;

/// The calculate button of the layout window and the thickness review window (FormAltera_e),
/// without the windows.
///
/// A calculation either completes or leaves nothing behind: when the engine raises its error,
/// the design state, the results fields, the positions and the quantities are put back as they
/// were before the button was pressed, the progress window is closed, the error is shown with
/// the title "Erro no cálculo", and the user is back at the window the calculation was started
/// from.
namespace CalculationLaunch {

/// A layout's driver: header and loads, moments, thickness review, positions.
using LayoutDriver = void (*)(CalcContext &);

/// The drivers of the three layouts.
struct LayoutDrivers
{
    LayoutDriver horizontal = nullptr;
    LayoutDriver vertical = nullptr;
    LayoutDriver twoWay = nullptr;
};

/// CalculateHorizontalTank, CalculateVerticalTank and CalculateTwoWayTank.
LayoutDrivers DefaultLayoutDrivers();

/// Title of the message box of a calculation error.
inline constexpr const char *kCalcErrorTitle = "Erro no cálculo";
/// Error number given to a calculation error where a number is asked for (the command line's
/// "error" object): 5, the classic run-time error for an argument outside a procedure's domain.
inline constexpr std::int32_t kCalcErrorNumber = 5;
/// Label of the progress window during a calculation.
inline constexpr const char *kProgressLabel = "Calculando Estrutura";

enum class LaunchStatus {
    Calculated, ///< the results are complete and shown
    Refused, ///< an input limit is broken: nothing happened
    Failed, ///< the calculation raised its error: everything is as it was before
};

struct LaunchResult
{
    LaunchStatus status = LaunchStatus::Refused;
    std::string error; ///< the calculation error's message when Failed
};

/// The calculate button: refuses while an input limit is broken; hides the layout window,
/// shows the progress, closes the results window and clears its fields, adds the chosen
/// layout's code to calcState and runs its driver, computes the quantities, refills the
/// reinforcement grid and shows the results window with the layout's caption.
LaunchResult LaunchCalculation(AppContext &ctx,
                               const LayoutDrivers &drivers = DefaultLayoutDrivers());

// ---- Thickness review window (FormAltera_e) ------------------------------------------------

/// Opens the review: the window starts afresh with its caption and labels (Label2 the text of
/// the calculated thickness `txtText1`, m; Label4 "e(t):", "e(p):" or another text for the
/// bottom), is activated and shown modally.
void Inicia_Altera_e(AppContext &ctx, const std::string &txtlb1, float txtText1,
                     const std::string &txtlbl4, const std::string &txtCaption);

/// Activation: Text_e is checked at once (normally disabling the confirm button until a value
/// is typed) and the back button shows its normal picture.
void Altera_eActivate(AppContext &ctx);

/// A change of Text_e: its limit check goes to the input-limit status, and the confirm button
/// (butres_2) shows the disabled picture while there is an error.
void Text_e_Change(AppContext &ctx);

/// What the confirmation did.
enum class ReviewOutcome {
    Ignored, ///< an input limit is broken, or the new value is empty or 0
    Declined, ///< smaller than the calculated value and answered No: Text_e emptied
    Accepted, ///< smaller and answered Yes: that thickness and its results field changed only
    Recalculated, ///< equal or larger: calculated again starting at the new value
    RecalculationFailed, ///< the recalculation raised its error: the previous results stand
};

/// The confirm button (and Enter in Text_e). A value smaller than the calculated one is taken
/// only after the warning, and without recalculation; an equal or larger one recalculates the
/// tank with that thickness as the starting point. The input-limit status is cleared after
/// anything but an ignored confirmation.
ReviewOutcome butnext(AppContext &ctx, const LayoutDrivers &drivers = DefaultLayoutDrivers());

/// The back button, Escape, or any other closing of the review: the window closes, the design
/// state is not touched, and the input-limit status is cleared.
void Altera_eClose(AppContext &ctx);

/// The thickness from which the review's first raise of 0.01 m (a single-precision addition)
/// lands exactly on `t`, so that a recalculation starts at `t` itself; where no single does,
/// the one from which it lands on the nearest single above `t`.
float OneStepBelow(float t);

} // namespace CalculationLaunch
