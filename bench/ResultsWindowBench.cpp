// The results window as the user meets it: from the calculate button to the window built,
// filled and shown (offscreen), for each layout; and one moment diagram built and drawn again,
// as a picture is on every resize. The window should be there within 50 ms and a diagram
// redrawn within 5 ms.
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "draw/ScenePainter.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/MomentDiagrams.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using InputChain::InputWindow;

struct Program
{
    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MDI> mdi;

    Program(bool buried, std::int16_t layout)
    {
        ctx = std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                ProgramPaths(dir.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)));
        ApplySettings(*ctx);
        InitWindowSizes(ctx->state, 15, 15);
        mdi = std::make_unique<MDI>(*ctx);
        mdi->resize(1000, 720);
        mdi->show();
        ctx->forms.FormTipoElev.setState("OptionElevada", buried ? 0 : 1);
        ctx->forms.FormTipoElev.setState("OptionEnterrada", buried ? 1 : 0);
        InputWindow w = InputWindow::FormTipoElev;
        while (w != InputWindow::FormPosicaoAs)
            w = InputFlows::Forward(*ctx, w);
        InputChain::ChooseLayout(ctx->forms.FormPosicaoAs, layout);
    }

    /// What the back button leaves: the layout out of calcState, the minimum thicknesses.
    void back()
    {
        if (LayoutOf(ctx->state.calcState) != 0)
            ctx->state.calcState = RemoveLayout(ctx->state.calcState);
        ResetThicknesses(ctx->state);
    }
};

void BM_CalculateToResultsWindow(benchmark::State &state)
{
    Program p(state.range(1) != 0, static_cast<std::int16_t>(state.range(0)));
    for (auto _ : state) {
        p.back();
        const auto r = CalculationLaunch::LaunchCalculation(*p.ctx);
        if (r.status != CalculationLaunch::LaunchStatus::Calculated) {
            state.SkipWithError("the calculation did not complete");
            break;
        }
        // Painted, and the window of the previous calculation gone.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!p.mdi->isFormVisible("FormResultados")) {
            state.SkipWithError("the results window is not shown");
            break;
        }
    }
}
BENCHMARK(BM_CalculateToResultsWindow)
        ->ArgNames({ "layout", "buried" })
        ->ArgsProduct({ { 1000, 2000, 3000 }, { 0, 1 } })
        ->Unit(benchmark::kMillisecond);

void BM_RedrawMomentDiagram(benchmark::State &state)
{
    Program p(true, 2000);
    CalculationLaunch::LaunchCalculation(*p.ctx);
    QImage image(480, 360, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const draw::Scene scene =
                MomentDiagrams::Build(*p.ctx, MomentDiagrams::Picture::VerticalSuperposition);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw::ScenePainter::paintFitted(painter, scene, QRectF(image.rect()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RedrawMomentDiagram)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
