#pragma once

class MDI;

/// Makes the input chain's windows (tank kind, geometry, lid, buried tank, soil catalogue, layout, progress, thickness review) known to the main window and gives their menu commands their actions.
void RegisterInputWindows(MDI &mdi);
