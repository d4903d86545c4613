#include "input/ui/InputWindows.h"

#include "core/ui/MDI.h"

void RegisterInputWindows(MDI &mdi)
{
    (void)mdi;
}
