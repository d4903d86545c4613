#include "cad/ui/CadWindows.h"

#include "core/ui/MDI.h"

void RegisterCadWindows(MDI &mdi)
{
    (void)mdi;
}
