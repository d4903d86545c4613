#pragma once

#include "core/DesignState.h"

#include <string>

/// The picture switch of the program's image buttons. A button is element `index` of a control
/// array (2 for forward, calculate and confirm buttons and the toolbar's, 3 for back buttons);
/// its pictures are the set named "img" + the last three letters of its control name, in four
/// states: 0 disabled, 1 normal, 2 and 3 the hover pictures of the forward and back buttons.
namespace ModuleRSVBut {

inline constexpr int kDisabled = 0;
inline constexpr int kNormal = 1;
inline constexpr int kForwardIndex = 2;
inline constexpr int kBackIndex = 3;

struct ButtonPicture
{
    int state = kNormal;
    std::string tooltip;
};

/// The picture and tooltip a button takes when asked for `state`: outside the main window, a
/// button that is not a back button shows its disabled picture while an input limit is broken;
/// its tooltip is the limit message (empty when none), and a back button's is empty.
ButtonPicture SetButtonPicture(bool onMainWindow, int index, int state, const InputError &status);

/// "img" + the last three letters of a button's control name: butarw → imgarw, buttnw → imgtnw.
std::string PictureSetOf(const std::string &controlName);

} // namespace ModuleRSVBut
