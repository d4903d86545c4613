#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "core/ui/MDI.h"
#include "core/ui/SceneView.h"
#include "design/ModulersvARM.h"
#include "design/ui/BarGridView.h"
#include "design/ui/Formasgrd.h"
#include "input/CalculationLaunch.h"
#include "input/InputChain.h"
#include "input/InputFlows.h"
#include "results/ModuleCalcConsumo.h"
#include "results/ui/FormResultados.h"
#include "settings/ApplySettings.h"
#include "storage/ProjectFlow.h"
#include "support/ScriptedUiHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using InputChain::InputWindow;

/// The program with its main window in a temporary program folder, the factory settings
/// applied.
struct Program
{
    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MDI> mdi;

    Program()
    {
        ctx = std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                ProgramPaths(dir.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)));
        ApplySettings(*ctx);
        mdi = std::make_unique<MDI>(*ctx);
        mdi->resize(1100, 800);
        mdi->show();
    }

    /// The default project of this kind through the chain and the calculate button.
    void calculate(bool elevated, std::int16_t layout)
    {
        FormModel &kind = ctx->forms.FormTipoElev;
        kind.setState("OptionElevada", elevated ? 1 : 0);
        kind.setState("OptionEnterrada", elevated ? 0 : 1);
        InputWindow w = InputWindow::FormTipoElev;
        while (w != InputWindow::FormPosicaoAs) {
            const InputWindow next = InputFlows::Forward(*ctx, w);
            ASSERT_NE(next, w) << ctx->state.inputError.message;
            w = next;
        }
        InputChain::ChooseLayout(ctx->forms.FormPosicaoAs, layout);
        ASSERT_EQ(CalculationLaunch::LaunchCalculation(*ctx).status,
                  CalculationLaunch::LaunchStatus::Calculated);
    }

    FormResultados *results() const
    {
        return qobject_cast<FormResultados *>(mdi->form("FormResultados"));
    }
};

QString cell(const FormResultados &w, int row, int col)
{
    return w.grdascal()->model()->index(row - 1, col).data().toString();
}

QColor cellColour(const FormResultados &w, int row, int col, int role)
{
    return w.grdascal()->model()->index(row - 1, col).data(role).value<QBrush>().color();
}

/// Every cell of the grid: texts and colours, to compare two windows.
std::vector<std::tuple<QString, QColor, QColor>> gridCells(const FormResultados &w)
{
    std::vector<std::tuple<QString, QColor, QColor>> cells;
    for (int r = 1; r <= 20; ++r)
        for (int c = 0; c < 4; ++c)
            cells.emplace_back(cell(w, r, c), cellColour(w, r, c, Qt::ForegroundRole),
                               cellColour(w, r, c, Qt::BackgroundRole));
    return cells;
}

void keyUp(FormResultados &w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyRelease(w.grdascal(), key, modifiers);
}

void selectRow(FormResultados &w, int row)
{
    BarGridView::Select(*w.grdascal(), { row, 1, row, 3 });
}

// ---- Every field of every tab --------------------------------------------------------------

TEST(FormResultados, EveryFieldShowsItsResultsFieldForEachLayoutAndKind)
{
    for (bool elevated : { true, false }) {
        for (std::int16_t layout : { kHorizontalLayout, kVerticalLayout, kTwoWayLayout }) {
            SCOPED_TRACE(std::to_string(layout) + (elevated ? " elevated" : " buried"));
            Program p;
            p.calculate(elevated, layout);
            FormResultados *w = p.results();
            ASSERT_NE(w, nullptr);
            EXPECT_TRUE(p.mdi->isFormVisible("FormResultados"));
            const InputChain::LayoutOption *opt = InputChain::LayoutOptionOf(layout);
            EXPECT_EQ(w->windowTitle(), QString::fromUtf8(opt->resultsCaption));
            QStringList tabs;
            for (int i = 0; i < w->SSTab1()->count(); ++i)
                tabs << w->SSTab1()->tabText(i);
            EXPECT_EQ(tabs,
                      QStringList({ "Geometria", "Cargas", "Momentos", "Armaduras", "Consumo" }));
            EXPECT_EQ(w->SSTab1()->currentIndex(), 0);

            // Every field the calculation wrote is on the window, with its text.
            int shown = 0;
            for (int i = 0; i < 66; ++i) {
                const std::string &text = p.ctx->results.Text_a[static_cast<std::size_t>(i)];
                QLineEdit *field = w->Text_a(i);
                if (!text.empty()) {
                    ASSERT_NE(field, nullptr) << "Text_a(" << i << ") = " << text;
                }
                if (field) {
                    EXPECT_EQ(field->text().toStdString(), text) << i;
                    ++shown;
                }
            }
            EXPECT_EQ(shown, 16 + 8 + 15 + 14) << "the header, loads and the three layouts";
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(w->Text_hn(i)->text().toStdString(), p.ctx->results.Text_hn[i]);
            EXPECT_EQ(w->findChild<QGroupBox *>("Frame1_0")->isVisibleTo(w), !elevated);

            // Only the layout's moment frame.
            for (int f = 1; f <= 3; ++f) {
                auto *frame = w->findChild<QGroupBox *>(QStringLiteral("FrameMom_%1").arg(f));
                ASSERT_NE(frame, nullptr);
                EXPECT_EQ(!frame->isHidden(), f * 1000 == layout) << f;
            }
            // The pictures are drawn from the results.
            for (const char *name : { "Image1_0", "Image1_1", "imgcgachever", "imgcgavazver",
                                      "imgcgachehor", "imgcgavazhor", "imgfix_1" }) {
                SceneView *v = w->picture(name);
                ASSERT_NE(v, nullptr) << name;
                EXPECT_FALSE(v->scene().groups.empty()) << name;
            }
            // The grid, position 1 selected.
            EXPECT_EQ(w->grdascal()->model()->rowCount(), 20);
            EXPECT_EQ(w->gridSelection().row, 1);
            EXPECT_EQ(cell(*w, 1, 0), "1");
            EXPECT_EQ(cell(*w, 20, 0), "20");
            // The quantities, as the engine computed them.
            const auto q = ModuleCalcConsumo::ShowQuantities(*p.ctx);
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 5; ++c)
                    EXPECT_EQ(
                            w->MSFlexGrid2()->model()->index(r, c).data().toString().toStdString(),
                            q[r][c]);
        }
    }
}

// ---- Grid commands -------------------------------------------------------------------------

TEST(FormResultados, KeysChangeThePositionsAndTheirRows)
{
    Program p;
    p.calculate(false, kTwoWayLayout);
    FormResultados &w = *p.results();
    CalcContext &ctx = *p.ctx;
    const QColor red(255, 0, 0);
    const QColor grey = w.grdascal()->palette().color(QPalette::Mid);

    // Delete excludes, Delete again does nothing, Insert includes.
    selectRow(w, 3);
    keyUp(w, Qt::Key_Delete);
    EXPECT_NE(ctx.rebarPosition(3).OUTAS, 0);
    EXPECT_EQ(cellColour(w, 3, 1, Qt::BackgroundRole), grey);
    keyUp(w, Qt::Key_Delete);
    EXPECT_NE(ctx.rebarPosition(3).OUTAS, 0);
    keyUp(w, Qt::Key_Insert);
    EXPECT_EQ(ctx.rebarPosition(3).OUTAS, 0);
    EXPECT_NE(cellColour(w, 3, 1, Qt::BackgroundRole), grey);

    // "+" of the keypad and of the main keyboard step the gauge up; "-" of the keypad down.
    selectRow(w, 5);
    const int k = GaugeIndexOf(ctx.rebarPosition(5).gauge.diameterMm);
    ASSERT_GT(k, 1);
    ASSERT_LT(k, 11);
    keyUp(w, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(GaugeIndexOf(ctx.rebarPosition(5).gauge.diameterMm), k + 1);
    keyUp(w, Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(GaugeIndexOf(ctx.rebarPosition(5).gauge.diameterMm), k + 2);
    keyUp(w, Qt::Key_Minus, Qt::KeypadModifier);
    keyUp(w, Qt::Key_Underscore, Qt::ShiftModifier);
    EXPECT_EQ(GaugeIndexOf(ctx.rebarPosition(5).gauge.diameterMm), k);
    const RebarPosition &five = ctx.rebarPosition(5);
    EXPECT_EQ(cell(w, 5, 3).toStdString(),
              ModulersvARM::ArrangementText(five, true, ctx.regional()));
    EXPECT_EQ(cellColour(w, 5, 3, Qt::ForegroundRole) == red, five.BADAS != 0);
    EXPECT_EQ(w.gridSelection().row, 5);

    // Home renumbers up, End down again (only while position 20 is above 20).
    keyUp(w, Qt::Key_Home);
    EXPECT_EQ(cell(w, 1, 0), "21");
    EXPECT_EQ(cell(w, 20, 0), "40");
    keyUp(w, Qt::Key_End);
    EXPECT_EQ(cell(w, 20, 0), "20");
    keyUp(w, Qt::Key_End);
    EXPECT_EQ(cell(w, 1, 0), "1");

    // The smallest gauge steps no further down.
    for (int i = 0; i < 12; ++i)
        keyUp(w, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(GaugeIndexOf(ctx.rebarPosition(5).gauge.diameterMm), 1);
    // A thin gauge over a large area needs more bars than a strip takes: red.
    EXPECT_EQ(cellColour(w, 5, 3, Qt::ForegroundRole) == red, ctx.rebarPosition(5).BADAS != 0);
}

/// Runs `act` on the popup menu once it is open, then closes it.
void onPopup(std::function<void(QMenu &)> act)
{
    QTimer::singleShot(50, [act] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        act(*menu);
    });
}

std::vector<std::tuple<std::string, QString, bool, bool>> menuItems(QMenu &menu)
{
    std::vector<std::tuple<std::string, QString, bool, bool>> items;
    for (QAction *a : menu.actions())
        items.emplace_back(a->isSeparator() ? "-" : a->objectName().toStdString(),
                           a->isSeparator() ? "-" : a->text(), a->isVisible(), a->isEnabled());
    return items;
}

TEST(FormResultados, PopupMenuItemsAndTheirCommands)
{
    Program p;
    p.calculate(true, kVerticalLayout);
    FormResultados &w = *p.results();
    CalcContext &ctx = *p.ctx;
    w.SSTab1()->setCurrentIndex(3);

    std::vector<std::tuple<std::string, QString, bool, bool>> seen;
    onPopup([&](QMenu &menu) {
        seen = menuItems(menu);
        for (QAction *a : menu.actions())
            if (a->objectName() == "pupasout")
                menu.setActiveAction(a);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    w.grdascal_MouseDown(4, w.mapToGlobal(QPoint(10, 10)));
    using Item = std::tuple<std::string, QString, bool, bool>;
    const std::vector<Item> expected{
        { "pupbitnbr", "Mais Bitolas ...", true, true },
        { "-", "-", true, true },
        { "pupinmm", "Bitolas em polegadas", true, true },
        { "-", "-", true, true },
        { "pupndwn", "N-", true, false },
        { "pupnup", "N+", true, true },
        { "-", "-", true, true },
        { "pupasout", "Desabilitar [N4]", true, true },
    };
    EXPECT_EQ(seen, expected);
    EXPECT_NE(ctx.rebarPosition(4).OUTAS, 0) << "Desabilitar excluded the position";

    // An excluded position: no "Mais Bitolas ..." and "Habilitar".
    onPopup([&](QMenu &menu) {
        seen = menuItems(menu);
        menu.close();
    });
    w.grdascal_MouseDown(4, w.mapToGlobal(QPoint(10, 10)));
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_FALSE(std::get<2>(seen[0]));
    EXPECT_FALSE(std::get<2>(seen[1]));
    EXPECT_EQ(std::get<1>(seen[7]), "Habilitar [N4]");

    // The unit switch rewrites every description in inches, and back.
    w.RunPopupItem("pupinmm");
    EXPECT_EQ(ctx.state.gaugeUnitIsMm, 0);
    EXPECT_EQ(cell(w, 1, 3).toStdString(),
              ModulersvARM::ArrangementText(ctx.rebarPosition(1), false, ctx.regional()));
    w.RunPopupItem("pupinmm");
    EXPECT_NE(ctx.state.gaugeUnitIsMm, 0);
    // N+ then N-, now enabled.
    w.RunPopupItem("pupnup");
    EXPECT_EQ(cell(w, 20, 0), "40");
    w.RunPopupItem("pupndwn");
    EXPECT_EQ(cell(w, 20, 0), "20");
}

TEST(FormResultados, AlternativesWindowAppliesTheRowDoubleClicked)
{
    Program p;
    p.calculate(false, kHorizontalLayout);
    FormResultados &w = *p.results();
    CalcContext &ctx = *p.ctx;
    selectRow(w, 2);
    const RebarPosition before = ctx.rebarPosition(2);
    QString caption;
    int currentRow = 0;
    QTimer::singleShot(50, [&] {
        auto *alt = qobject_cast<Formasgrd *>(QApplication::activeModalWidget());
        ASSERT_NE(alt, nullptr);
        caption = alt->windowTitle();
        currentRow = alt->grdasalt()->currentIndex().row() + 1;
        // The window is as wide as its grid and a little taller.
        EXPECT_EQ(alt->height(),
                  static_cast<int>(BarGridView::FullHeight(*alt->grdasalt()) * 1.11));
        alt->grdasalt_DblClick(12);
    });
    w.grdascal_DblClick(2);
    EXPECT_EQ(caption.toStdString(),
              "[N2] - Bitola de " + ModulersvARM::GaugeLabel(before.gauge, true, ctx.regional())
                      + "mm");
    EXPECT_EQ(currentRow, GaugeIndexOf(before.gauge.diameterMm));
    EXPECT_EQ(ctx.rebarPosition(2).gauge.diameterMm, 40.0f);
    EXPECT_EQ(cell(w, 2, 3).toStdString(),
              ModulersvARM::ArrangementText(ctx.rebarPosition(2), true, ctx.regional()));
    EXPECT_EQ(w.gridSelection().row, 2);

    // An excluded position opens nothing.
    keyUp(w, Qt::Key_Delete);
    bool opened = false;
    QTimer::singleShot(50, [&] {
        if (auto *m = QApplication::activeModalWidget()) {
            opened = true;
            m->close();
        }
    });
    w.grdascal_DblClick(2);
    QTest::qWait(80);
    EXPECT_FALSE(opened);
}

TEST(FormResultados, ConsumoFollowsAnExclusion)
{
    Program p;
    p.calculate(true, kTwoWayLayout);
    FormResultados &w = *p.results();
    CalcContext &ctx = *p.ctx;
    auto lidSteel = [&] {
        return w.MSFlexGrid2()->model()->index(2, 1).data().toString().toStdString();
    };
    const std::string before = lidSteel();
    const double weight = ModuleCalcConsumo::PositionSteelWeight(ctx, 1);
    ASSERT_GT(weight, 0);
    selectRow(w, 1);
    keyUp(w, Qt::Key_Delete);
    w.SSTab1_Click(4);
    const float expected = ctx.materialQuantities[0][0];
    EXPECT_NE(lidSteel(), before);
    EXPECT_EQ(lidSteel(), ctx.text(static_cast<float>(TextToNumber(expected, "0.00"))));
    keyUp(w, Qt::Key_Insert);
    w.SSTab1_Click(4);
    EXPECT_EQ(lidSteel(), before);
}

TEST(FormResultados, BackReturnsToTheLayoutWindow)
{
    const struct
    {
        bool elevated;
        std::int16_t layout;
        std::int16_t after;
    } cases[] = { { false, kTwoWayLayout, 20 },
                  { true, kHorizontalLayout, 10 },
                  { false, kVerticalLayout, 20 } };
    for (const auto &c : cases) {
        Program p;
        p.calculate(c.elevated, c.layout);
        ASSERT_GT(p.ctx->state.thicknessEp, p.ctx->state.minWallThickness);
        FormResultados &w = *p.results();
        QTest::mouseClick(w.findChild<QAbstractButton *>("butarw_3"), Qt::LeftButton);
        EXPECT_EQ(p.ctx->state.calcState, c.after);
        EXPECT_EQ(p.ctx->state.thicknessEt, p.ctx->state.minWallThickness);
        EXPECT_EQ(p.ctx->state.thicknessEp, p.ctx->state.minWallThickness);
        EXPECT_EQ(p.ctx->state.thicknessEf, p.ctx->state.minWallThickness);
        EXPECT_FALSE(p.mdi->isFormVisible("FormResultados"));
    }
}

TEST(FormResultados, ProjectSavedAndOpenedShowsTheSameWindow)
{
    Program first;
    first.calculate(false, kVerticalLayout);
    FormResultados &w = *first.results();
    // An exclusion, a gauge picked by hand, the labels renumbered.
    selectRow(w, 6);
    keyUp(w, Qt::Key_Delete);
    selectRow(w, 8);
    for (int i = 0; i < 12; ++i)
        keyUp(w, Qt::Key_Minus, Qt::KeypadModifier);
    const QString path = first.dir.filePath("caixa.rsv");
    first.ctx->state.projectPath = path.toStdString();
    ASSERT_EQ(ProjectFlow::SaveProject(*first.ctx, false, false), ErrorPair());
    const auto cells = gridCells(w);

    Program second;
    const ProjectFlow::OpenResult opened =
            ProjectFlow::OpenProjectFile(*second.ctx, path.toStdString());
    ASSERT_EQ(opened.status, ProjectFlow::OpenStatus::Opened) << opened.error.description;
    FormResultados *again = second.results();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(second.mdi->isFormVisible("FormResultados"));
    EXPECT_EQ(again->windowTitle(), w.windowTitle());
    EXPECT_EQ(again->SSTab1()->currentIndex(), 0);
    // The geometry as saved; every field as the new calculation wrote it. (The thicknesses
    // are the new calculation's: opening recalculates from the saved ones.)
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(again->Text_a(i)->text(), w.Text_a(i)->text()) << i;
    for (int i = 0; i < 66; ++i) {
        if (again->Text_a(i)) {
            EXPECT_EQ(again->Text_a(i)->text().toStdString(), second.ctx->results.Text_a[i]) << i;
        }
    }
    EXPECT_EQ(gridCells(*again), cells);

    EXPECT_NE(second.ctx->rebarPosition(6).OUTAS, 0);
    EXPECT_EQ(again->gridSelection().row, 1);
}

TEST(FormResultados, ARecalculationReplacesTheWindowAndKeepsItShown)
{
    // The thickness review closes the results window and shows new results at once, before
    // the closed window is gone: the new one must not be the closing one.
    Program p;
    p.calculate(true, kVerticalLayout);
    QPointer<FormResultados> old = p.results();
    p.ctx->state.calcState = RemoveLayout(p.ctx->state.calcState);
    ASSERT_EQ(CalculationLaunch::LaunchCalculation(*p.ctx).status,
              CalculationLaunch::LaunchStatus::Calculated);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(old.isNull()) << "the old window is gone";
    ASSERT_NE(p.results(), nullptr);
    EXPECT_TRUE(p.mdi->isFormVisible("FormResultados"));
    EXPECT_EQ(p.results()->Text_a(40)->text().toStdString(), p.ctx->results.Text_a[40]);
}

// ---- Buttons with a scripted screen --------------------------------------------------------

struct Scripted
{
    QTemporaryDir dir;
    AppContext ctx{ std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::enUS()),
                    ProgramPaths(dir.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)) };
    ScriptedUiHost host;

    Scripted()
    {
        ApplySettings(ctx);
        ctx.setUi(&host);
        ctx.state.calcState = 3020;
        ctx.state.thicknessEt = 0.1f;
        ctx.state.thicknessEp = 0.16f;
        ctx.state.thicknessEf = 0.18f;
    }
    ~Scripted() { ctx.setUi(nullptr); }
};

TEST(FormResultados, ThicknessButtonsOpenTheReviewWithTheCalculatedValue)
{
    const struct
    {
        int index;
        const char *label1;
        const char *label2;
        const char *label4;
    } cases[] = {
        { 0, "Espessura calculada da tampa:", "0.1", "e(t):" },
        { 1, "Espessura calculada das paredes:", "0.16", "e(p):" },
        { 2, "Espessura calculada do fundo:", "0.18", "e(f):" },
    };
    for (const auto &c : cases) {
        Scripted s;
        FormResultados w(s.ctx);
        w.findChild<QAbstractButton *>(QStringLiteral("Command5_%1").arg(c.index))->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(s.host.eventsStartingWith("ShowForm "),
                  std::vector<std::string>{ "FormAltera_e" });
        const FormModel &f = s.ctx.forms.FormAltera_e;
        EXPECT_EQ(f.text("Caption"), "Altera Espessura");
        EXPECT_EQ(f.text("Label1"), c.label1);
        EXPECT_EQ(f.text("Label2"), c.label2);
        EXPECT_EQ(f.text("Label4"), c.label4);
    }
}

TEST(FormResultados, ReportAndDetailSayTheyAreNotAvailableYet)
{
    Scripted s;
    FormResultados w(s.ctx);
    s.host.answers = { UiHost::Ok, UiHost::Ok };
    w.findChild<QAbstractButton *>("butrpt_2")->click();
    w.findChild<QAbstractButton *>("butdet_2")->click();
    ASSERT_EQ(s.host.messages.size(), 2u);
    EXPECT_NE(s.host.messages[0].text.find("relatório"), std::string::npos);
    EXPECT_NE(s.host.messages[1].text.find("detalhamento"), std::string::npos);
    // With an input error pending, the detailing button does nothing.
    ModuleRSVErr::SetInputError(s.ctx, { 3, "Altura da caixa abaixo do limite permitido" });
    w.findChild<QAbstractButton *>("butdet_2")->click();
    EXPECT_EQ(s.host.messages.size(), 2u);
}

TEST(FormResultados, ReportAndDetailRunTheirCommandsWhenRegistered)
{
    Program p;
    p.calculate(true, kTwoWayLayout);
    int report = 0, detail = 0;
    p.mdi->registerCommand("PRINTPRJ", [&] { ++report; });
    p.mdi->registerCommand("DETAIL", [&] { ++detail; });
    FormResultados &w = *p.results();
    w.findChild<QAbstractButton *>("butrpt_2")->click();
    w.findChild<QAbstractButton *>("butdet_2")->click();
    EXPECT_EQ(report, 1);
    EXPECT_EQ(detail, 1);
}

} // namespace
