#pragma once

class MDI;

/// Makes the report's print and preview commands known to the main window and gives their menu commands their actions.
void RegisterReportWindows(MDI &mdi);
