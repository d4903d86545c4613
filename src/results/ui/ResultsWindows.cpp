#include "results/ui/ResultsWindows.h"

#include "core/ui/MDI.h"

void RegisterResultsWindows(MDI &mdi)
{
    (void)mdi;
}
