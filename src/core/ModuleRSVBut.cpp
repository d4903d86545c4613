#include "core/ModuleRSVBut.h"

namespace ModuleRSVBut {

ButtonPicture SetButtonPicture(bool onMainWindow, int index, int state, const InputError &status)
{
    ButtonPicture picture;
    picture.state = state;
    if (!onMainWindow && index != kBackIndex && status.code != 0)
        picture.state = kDisabled;
    if (index != kBackIndex)
        picture.tooltip = status.message;
    return picture;
}

std::string PictureSetOf(const std::string &controlName)
{
    const std::size_t n = controlName.size();
    return "img" + (n >= 3 ? controlName.substr(n - 3) : controlName);
}

} // namespace ModuleRSVBut
