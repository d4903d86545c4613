#include "results/ui/ReportWindows.h"

#include "core/ui/MDI.h"

void RegisterReportWindows(MDI &mdi)
{
    (void)mdi;
}
