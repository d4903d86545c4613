// The print command in the main window: the preview of a calculated project, the error of a
// template that asks the report database for a field it lacks, and nothing without a
// calculation.
#include "results/ui/ReportWindows.h"
#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "settings/ApplySettings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using InputChain::InputWindow;

/// A program whose folder holds copies of the shipped templates, with the default elevated
/// tank of `layout` calculated when asked.
struct PrintFixture
{
    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;

    explicit PrintFixture(bool calculated, std::int16_t layout = 3000)
    {
        for (const char *name : { "rsvh.rpt", "rsvv.rpt", "rsvc.rpt" })
            QFile::copy(QStringLiteral(RESERVIUM_DATA_DIR "/") + name, dir.filePath(name));
        ctx = std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                ProgramPaths(dir.path(), dir.path()));
        ApplySettings(*ctx);
        if (!calculated)
            return;
        InputWindow w = InputWindow::FormTipoElev;
        while (w != InputWindow::FormPosicaoAs)
            w = InputFlows::Forward(*ctx, w);
        InputChain::ChooseLayout(ctx->forms.FormPosicaoAs, layout);
        EXPECT_EQ(CalculationLaunch::LaunchCalculation(*ctx).status,
                  CalculationLaunch::LaunchStatus::Calculated);
    }
};

/// Runs the command and hands the modal window it opens to `inspect`, which must close it.
/// False when no modal window came up.
bool withModal(MDI &window, const std::function<void(QWidget *)> &inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = true;
        inspect(modal);
    });
    window.runCommand(QStringLiteral("PRINTPRJ"));
    QApplication::processEvents();
    return seen;
}

TEST(ReportWindows, PrintOpensThePortuguesePreviewOfTheReport)
{
    for (std::int16_t layout : { 1000, 2000, 3000 }) {
        SCOPED_TRACE(layout);
        PrintFixture f(true, layout);
        MDI window(*f.ctx);
        window.show();
        const bool opened = withModal(window, [](QWidget *modal) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->windowTitle(), QStringLiteral("Reservium - Visualizar Impressão"));
            auto *pages = preview->findChild<QPrintPreviewWidget *>();
            ASSERT_NE(pages, nullptr);
            EXPECT_GE(pages->pageCount(), 2);
            EXPECT_NE(preview->findChild<QAction *>(QStringLiteral("butpdf")), nullptr);
            // Qt's own tool bar in Portuguese.
            QStringList texts;
            for (QAction *a : preview->findChildren<QAction *>())
                texts << a->text();
            EXPECT_TRUE(texts.contains(QStringLiteral("Imprimir")))
                    << texts.join(", ").toStdString();
            preview->reject();
        });
        EXPECT_TRUE(opened);
        EXPECT_TRUE(QFile::exists(f.dir.filePath("rsv.mdb")));
    }
}

TEST(ReportWindows, ATemplateFieldTheDatabaseLacksIsShownAndNothingPrinted)
{
    PrintFixture f(true);
    QFile broken(f.dir.filePath("rsvc.rpt"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("secao: Cargas\ntexto: {RSVCGA.rsvcgax}\n");
    broken.close();
    MDI window(*f.ctx);
    window.show();
    const bool shown = withModal(window, [](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Erro 3265"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_TRUE(box->text().contains(QStringLiteral("rsvc.rpt\", linha 2")));
        EXPECT_TRUE(box->text().contains(QStringLiteral("RSVCGA.rsvcgax")));
        box->reject();
    });
    EXPECT_TRUE(shown);
}

TEST(ReportWindows, WithoutACalculationNothingIsPrinted)
{
    PrintFixture f(false);
    MDI window(*f.ctx);
    window.show();
    EXPECT_FALSE(withModal(window, [](QWidget *modal) { modal->close(); }));
    EXPECT_FALSE(QFile::exists(f.dir.filePath("rsv.mdb")));
}

} // namespace
