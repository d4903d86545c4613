#pragma once

#include <QIcon>

/// The pictures of the windows over the drawing platform, drawn: what each toolbox command puts
/// in the drawing, and the program's mark that folds and unfolds a window.
namespace CadPictures {

enum class Picture {
    Settings,
    Tank,
    TankDims,
    TankBars,
    Editor,
    Sheet,
    Insert,
    Scale,
    Fold,
    Unfold
};

QIcon picture(Picture which);

} // namespace CadPictures
