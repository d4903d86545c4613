#include "cad/ui/CadWindows.h"

#include "cad/ui/CadSession.h"
#include "core/ui/MDI.h"

void RegisterCadWindows(MDI &mdi)
{
    auto *session = new CadSession(mdi);
    session->setObjectName(QStringLiteral("CadSession"));
    mdi.registerCommand(QStringLiteral("DETAIL"), [session] { session->DETAIL_Click(); });
    mdi.registerCommand(QStringLiteral("FINDCAD"), [session] { session->showSetCad(true); });
}
