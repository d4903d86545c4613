// A keystroke in a geometry field runs the key filter, the window's limit check, a new sketch
// of the box and its repaint: it must stay well under what a typist can notice (2 ms).
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "core/ui/SceneView.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void BM_GeometryKeystroke(benchmark::State &state)
{
    QTemporaryDir home;
    AppContext ctx(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                   ProgramPaths(home.path(), home.path()));
    ApplySettings(ctx);
    MDI mdi(ctx);
    mdi.resize(1000, 760);
    mdi.show();
    mdi.ShowForm("FormDadosGeometricos");
    QWidget *window = mdi.form("FormDadosGeometricos");
    auto *field = window->findChild<QLineEdit *>("Text_a");
    auto *picture = window->findChild<SceneView *>("Image1");
    field->setCursorPosition(field->text().size());
    QApplication::processEvents();

    // Types a digit at the end of "2.79"'s decimals and takes it back, in turn: every key is
    // filtered, checked and drawn.
    bool append = false;
    for (auto _ : state) {
        append = !append;
        const int key = append ? Qt::Key_1 : Qt::Key_Backspace;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, append ? "1" : "\b");
        QApplication::sendEvent(field, &press);
        picture->repaint();
    }
    // What the field holds at the end shows the keys went through the filter.
    state.SetLabel(field->text().toStdString());
}
BENCHMARK(BM_GeometryKeystroke)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
