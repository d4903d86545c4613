#pragma once

#include "core/DesignState.h"

#include <string>

class CalcContext;
class FormModel;

/// The input limits of every numeric field of the input windows, the settings window, the
/// thickness review and the CAD drawing settings, and the program-wide input-limit status.
///
/// A broken limit is never a dialog: the field is marked (`error`, painted red), the status bar
/// shows the message, and the forward buttons show their disabled picture and refuse while
/// `inputError` holds a code.
namespace ModuleRSVErr {

/// A copy of the pending input-limit result.
InputError GetInputError(const CalcContext &ctx);

/// Stores the result as the pending one and shows it in the status bar.
void SetInputError(CalcContext &ctx, const InputError &result);

/// Checks one control of `form` against its limits, found by the control's name alone (the
/// first row of the limit table with that name, whatever the window). A name without limits is
/// always valid. Marks the field's `error` flag and, except for the CAD drawing settings
/// window, shows the result in the status bar. Does not touch `inputError`.
InputError CheckField(CalcContext &ctx, FormModel &form, const std::string &controlName);

/// The window checks: the window's fields in order, stopping at the first broken limit, the
/// result left in `inputError`; then the forward button's picture (0 disabled, 1 normal), the
/// back button's normal picture for the input windows, and the status bar. Each returns the
/// result it left in `inputError`.
InputError CheckGeometryWindow(CalcContext &ctx);
InputError CheckLidWindow(CalcContext &ctx);
InputError CheckBuriedWindow(CalcContext &ctx);
/// The settings window's two button sets are `butarw` (apply) and `butsav` (save).
InputError CheckSettingsWindow(CalcContext &ctx);

} // namespace ModuleRSVErr
