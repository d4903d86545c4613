#pragma once

#include "core/FormModel.h"

#include <string>
#include <vector>

/// The working copy of the calculation parameters: the settings window's controls, one per
/// parameter (a text for the text fields, the selected position for the three lists, the
/// option state for the crack check: `RSVFissOK` set is state 1). Its load-time values are the
/// factory values, until the parameter file is loaded into it.
FormModel MakeFormCFG();

/// The items of one of the settings window's lists (`RSVCFGTIPOACO`, `RSVCFGBITOUNID`,
/// `RSVBITADOTFISS`); empty for any other control. The reference gauge list always holds the
/// millimetre labels, row 1 first, so its position is the gauge row − 1.
std::vector<std::string> FormCFGListItems(const std::string &control);
