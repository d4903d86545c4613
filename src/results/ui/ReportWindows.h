#pragma once

class MDI;

/// Makes the report's print and preview commands known to the main window and gives their menu
/// commands their actions: PRINTPRJ ("&Imprimir"), which the toolbar's buttrp and the results
/// window's butrpt run too.
void RegisterReportWindows(MDI &mdi);

/// The print commands' common body: rebuilds "rsv.mdb", makes the layout's report from it and
/// opens the print preview ("Visualizar Impressão"), from which the report is printed on the
/// printer of the printer set-up (MDI::printer) or saved as PDF. A failure is shown as "Erro "
/// and its number with the critical icon, and nothing is printed. Without a calculation standing
/// there is no report, and nothing happens.
void PrintProjectReport(MDI &mdi);
