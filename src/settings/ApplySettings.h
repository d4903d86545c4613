#pragma once

#include "settings/Parameters.h"

class CalcContext;
class ParameterFile;

/// Copies the working copy of the calculation parameters (the FormCFG model) into the design
/// state, converting each to the unit the design routines use. All or nothing: a text that is
/// not a number, or a list position outside its list, is a CalcError and leaves the design
/// state as it was.
void ApplySettings(CalcContext &ctx);

/// Start-up: loads the working copy from the parameter file (writing the factory values when
/// the file holds none) and applies it to the design state. Whatever the file does, the design
/// state ends up with a complete set of parameters; the status tells what the user must know.
ParametersStatus LoadAndApplySettings(CalcContext &ctx, const ParameterFile &file);
