// Pictures of the print preview for looking at it as its user does: the preview of the default
// buried tank of each layout. Not a test: run it on a display (Xvfb) with the output folder as
// its argument, at QT_SCALE_FACTOR=1 and 2.
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: report_screenshots PASTA\n");
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir home;
    const struct
    {
        std::int16_t layout;
        const char *name;
    } layouts[] = { { 1000, "horizontal" }, { 2000, "vertical" }, { 3000, "two-way" } };
    for (const auto &l : layouts) {
        AppContext ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                       ProgramPaths(home.path(), QStringLiteral(RESERVIUM_DATA_DIR)));
        ApplySettings(ctx);
        ctx.forms.FormTipoElev.setState("OptionElevada", 0);
        ctx.forms.FormTipoElev.setState("OptionEnterrada", 1);
        ctx.forms.FormLegenda.setText("aeESTPROJ", "Caixa d'água Vila Nova");
        InputChain::InputWindow w = InputChain::InputWindow::FormTipoElev;
        while (w != InputChain::InputWindow::FormPosicaoAs)
            w = InputFlows::Forward(ctx, w);
        InputChain::ChooseLayout(ctx.forms.FormPosicaoAs, l.layout);
        (void)CalculationLaunch::LaunchCalculation(ctx);
        MDI window(ctx);
        window.resize(1000, 740);
        window.show();
        QTimer::singleShot(800, [&]() {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            QApplication::primaryScreen()->grabWindow(0).save(
                    out + QStringLiteral("/preview-%1.png").arg(QString::fromLatin1(l.name)));
            modal->close();
        });
        window.runCommand(QStringLiteral("PRINTPRJ"));
    }
    return 0;
}
