#pragma once

class MDI;

/// Makes the CAD platform selection, the detailing command and the windows that float over the drawing platform known to the main window and gives their menu commands their actions.
void RegisterCadWindows(MDI &mdi);
