#include "results/ui/ResultsWindows.h"

#include "core/AppContext.h"
#include "core/ui/MDI.h"
#include "design/ui/Formasgrd.h"
#include "results/ui/FormResultados.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

FormResultados *resultsWindow(MDI &mdi)
{
    return qobject_cast<FormResultados *>(mdi.ensureForm("FormResultados"));
}

} // namespace

void RegisterResultsWindows(MDI &mdi)
{
    mdi.registerForm("FormResultados",
                     [](MDI &m) -> QWidget * { return new FormResultados(m.context(), &m); });
    mdi.registerForm(
            "Formasgrd", [](MDI &m) -> QWidget * { return new Formasgrd(m.context(), &m); }, true);

    mdi.hooks().refreshBarGrid = [&mdi] {
        if (FormResultados *w = resultsWindow(mdi))
            w->FillBarGrid();
    };
    mdi.hooks().showResults = [&mdi](const std::string &caption) {
        FormResultados *w = resultsWindow(mdi);
        if (!w)
            return;
        w->setWindowTitle(QString::fromStdString(caption));
        w->SSTab1()->setCurrentIndex(0);
        w->ShowResults();
        mdi.ShowForm("FormResultados");
        // At least its design size, and as large as the document area lets it be: five tabs of
        // fields and pictures are read best at full size.
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget()))
            sub->resize(sub->sizeHint().expandedTo(mdi.mdiArea()->viewport()->size()));
        // Its activation closes the progress window and shows the quantities.
        w->Form_Activate();
    };
}
