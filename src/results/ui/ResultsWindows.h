#pragma once

class MDI;

/// Makes the results window and its bar-gauge alternatives known to the main window and gives their menu commands their actions.
void RegisterResultsWindows(MDI &mdi);
