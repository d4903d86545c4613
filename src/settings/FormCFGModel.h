#pragma once

#include "core/FormModel.h"

/// The working copy of the calculation parameters: the settings window's controls, one per
/// parameter key (a text for the text fields, the selected position for the three lists, the
/// option state for the crack check).
FormModel MakeFormCFG();
