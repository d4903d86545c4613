#include "input/ui/InputWindows.h"

#include "core/ui/MDI.h"
#include "input/ui/FormAltera_e.h"
#include "input/ui/FormDadosEnterrada.h"
#include "input/ui/FormDadosGeometricos.h"
#include "input/ui/FormPosTampa.h"
#include "input/ui/FormPosicaoAs.h"
#include "input/ui/FormSolos.h"
#include "input/ui/FormTipoElev.h"
#include "input/ui/FormWaitCalc.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {

/// Shows the progress window centred over the main window's client area and paints it at
/// once: the calculation that follows holds the thread until it ends.
void showProgress(MDI &mdi, const std::string &label)
{
    auto *wait = qobject_cast<FormWaitCalc *>(mdi.ensureForm("FormWaitCalc"));
    if (!wait)
        return;
    wait->setLabel(QString::fromStdString(label));
    mdi.ShowForm("FormWaitCalc");
    if (auto *sub = qobject_cast<QMdiSubWindow *>(wait->parentWidget())) {
        // A progress window is neither minimised nor enlarged: a title and nothing else.
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        sub->show();
        const QRect area = mdi.mdiArea()->viewport()->rect();
        sub->move(area.center() - QPoint(sub->width() / 2, sub->height() / 2));
        sub->repaint();
    }
    wait->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // The results window closes the progress when it becomes active; when the calculation
    // ends without one (a failure, or no results window to show), the first turn of the event
    // loop after it does.
    QTimer::singleShot(0, &mdi, [&mdi] { mdi.HideForm("FormWaitCalc"); });
}

} // namespace

void RegisterInputWindows(MDI &mdi)
{
    mdi.registerForm("FormTipoElev", [](MDI &m) { return new FormTipoElev(m); });
    mdi.registerForm("FormDadosGeometricos", [](MDI &m) { return new FormDadosGeometricos(m); });
    mdi.registerForm("FormPosTampa", [](MDI &m) { return new FormPosTampa(m); });
    mdi.registerForm("FormDadosEnterrada", [](MDI &m) { return new FormDadosEnterrada(m); });
    mdi.registerForm(
            "FormSolos", [](MDI &m) { return new FormSolos(m.context(), &m); }, true);
    mdi.registerForm("FormPosicaoAs", [](MDI &m) { return new FormPosicaoAs(m); });
    mdi.registerForm(
            "FormAltera_e", [](MDI &m) { return new FormAltera_e(m.context(), &m); }, true);
    mdi.registerForm("FormWaitCalc", [](MDI &) { return new FormWaitCalc; });

    mdi.hooks().showProgress = [&mdi](const std::string &label) { showProgress(mdi, label); };
    mdi.hooks().closeProgress = [&mdi] { mdi.HideForm("FormWaitCalc"); };
}
