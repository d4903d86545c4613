// Pictures of the results window for looking at it as its user does: every tab of every
// layout for both kinds of tank, with an excluded and a red position in the grid, the popup
// menu and the alternatives window open. Not a test: run it on a display (Xvfb) with the
// output folder as its argument, at QT_SCALE_FACTOR=1 and 2.
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "design/ModulersvARM.h"
#include "design/ui/BarGridView.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/ui/FormResultados.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void saveScreen(const QString &file)
{
    QApplication::primaryScreen()->grabWindow(0).save(file);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: results_screenshots <pasta>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    QTemporaryDir home;
    using InputChain::InputWindow;
    for (bool elevated : { true, false }) {
        for (std::int16_t layout : { kHorizontalLayout, kVerticalLayout, kTwoWayLayout }) {
            AppContext ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                           ProgramPaths(home.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)));
            ApplySettings(ctx);
            InitWindowSizes(ctx.state, 15, 15);
            MDI mdi(ctx);
            mdi.resize(1000, 720);
            mdi.move(0, 0);
            mdi.show();
            FormModel &kind = ctx.forms.FormTipoElev;
            kind.setState("OptionElevada", elevated ? 1 : 0);
            kind.setState("OptionEnterrada", elevated ? 0 : 1);
            InputWindow w = InputWindow::FormTipoElev;
            while (w != InputWindow::FormPosicaoAs)
                w = InputFlows::Forward(ctx, w);
            InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, layout);
            CalculationLaunch::LaunchCalculation(ctx);
            auto *results = qobject_cast<FormResultados *>(mdi.form("FormResultados"));
            if (!results)
                return 1;
            // An excluded position and a red one.
            BarGridView::Select(*results->grdascal(), { 3, 1, 3, 3 });
            results->grdascal_KeyUp(46, 0);
            BarGridView::Select(*results->grdascal(), { 5, 1, 5, 3 });
            for (int i = 0; i < 12; ++i)
                results->grdascal_KeyUp(109, 0);
            BarGridView::Select(*results->grdascal(), { 7, 1, 7, 3 });
            settle();
            const QString stem =
                    QStringLiteral("%1_%2").arg(elevated ? "elevado" : "enterrado").arg(layout);
            for (int tab = 0; tab < 5; ++tab) {
                results->SSTab1()->setCurrentIndex(tab);
                results->SSTab1_Click(tab);
                settle();
                mdi.grab().save(out.filePath(QStringLiteral("%1_aba%2.png").arg(stem).arg(tab)));
                if (tab == 2 && layout == kVerticalLayout) {
                    auto *inner = results->findChild<QTabWidget *>("SSTab2");
                    for (int t = 1; t < 3; ++t) {
                        inner->setCurrentIndex(t);
                        settle();
                        mdi.grab().save(
                                out.filePath(QStringLiteral("%1_aba2_%2.png").arg(stem).arg(t)));
                    }
                }
            }
            if (elevated && layout == kVerticalLayout) {
                results->SSTab1()->setCurrentIndex(3);
                settle();
                QTimer::singleShot(300, [&] {
                    saveScreen(out.filePath("popup.png"));
                    if (auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                        m->close();
                });
                const QRect cell =
                        results->grdascal()->visualRect(results->grdascal()->model()->index(3, 2));
                results->grdascal_MouseDown(
                        4, results->grdascal()->viewport()->mapToGlobal(cell.center()));
                QTimer::singleShot(300, [&] {
                    saveScreen(out.filePath("formasgrd.png"));
                    if (QWidget *m = QApplication::activeModalWidget())
                        m->close();
                });
                results->grdascal_DblClick(7);
            }
        }
    }
    return 0;
}
