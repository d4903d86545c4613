// A saved project opens as it was saved: the thicknesses, every results text, the positions and
// the quantities the user saw, and saving and opening it again changes nothing.
#include "ProjectTestSupport.h"

#include "design/ModulersvARM.h"
#include "results/ModuleCalcConsumo.h"
#include "storage/ProjectFlow.h"

#include <QDir>

#include <functional>

using project_test::designTexts;
using project_test::Program;
using project_test::readTable;
using storage_test::StorageTest;

namespace {

/// What the results window, its grid and the "Consumo" grid show of a project, and the
/// thicknesses to the very single.
struct Shown
{
    std::array<float, 3> thicknesses{};
    std::vector<std::string> texts;

    bool operator==(const Shown &) const = default;
};

Shown shownOf(const CalcContext &ctx)
{
    Shown s;
    s.thicknesses = { ctx.state.thicknessEt, ctx.state.thicknessEp, ctx.state.thicknessEf };
    s.texts.push_back(std::to_string(ctx.state.calcState));
    for (const std::string &t : ctx.results.Text_a)
        s.texts.push_back(t);
    for (const std::string &t : ctx.results.Text_hn)
        s.texts.push_back(t);
    const std::vector<std::string> design = designTexts(ctx);
    s.texts.insert(s.texts.end(), design.begin(), design.begin() + 20);
    for (const auto &row : ctx.materialQuantities)
        for (const float q : row)
            s.texts.push_back(ctx.text(TextToNumber(q, "0.00")));
    return s;
}

void PrintTo(const Shown &s, std::ostream *os)
{
    *os << std::setprecision(9) << s.thicknesses[0] << " " << s.thicknesses[1] << " "
        << s.thicknesses[2];
    for (const std::string &t : s.texts)
        *os << " | " << t;
}

std::string crackTexts(const CalcContext &ctx)
{
    std::ostringstream out;
    out << std::setprecision(9);
    for (const CrackCheck &c : ctx.state.crackResults)
        out << c.w << " " << c.sigma << " " << c.k << " " << c.ok << "; ";
    return out.str();
}

std::vector<std::string> thicknessTexts(const QString &path)
{
    const project_test::Table t = readTable(path, "RSVDAT");
    return { t.at(0, "rsvdatET"), t.at(0, "rsvdatEP"), t.at(0, "rsvdatEF") };
}

/// Opens `path` in a program just started, through the Open command's dialog.
void openIn(Program &p, const QString &path)
{
    p.ui.fileAnswers.push_back({ 0, path.toStdString() });
    ASSERT_EQ(ProjectFlow::OpenProject(p.ctx), ErrorPair());
    EXPECT_EQ(p.ctx.thicknessReviewMode, ThicknessReviewMode::Search)
            << "a calculation the user starts searches again";
}

void saveTo(Program &p, const QString &path)
{
    p.ctx.state.projectPath = path.toStdString();
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, false), ErrorPair());
}

void setText(FormModel &f, const char *control, const char *text)
{
    f.setText(control, text);
}

void geometry(Program &p, const char *a, const char *b, const char *h, const char *hn)
{
    FormModel &g = p.ctx.forms.FormDadosGeometricos;
    setText(g, "Text_a", a);
    setText(g, "Text_b", b);
    setText(g, "Text_h", h);
    setText(g, "Text_hn", hn);
}

void crackCheckOff(Program &p)
{
    p.ctx.forms.FormCFG.setState("RSVFissOK", 0);
    p.ctx.forms.FormCFG.setState("RSVFissNOK", -1);
    ApplySettings(p.ctx);
}

/// The thickness review window answered "Sim" for a thinner member than calculated.
void keepThinner(Program &p, const char *label4, const char *value)
{
    const DesignState &s = p.ctx.state;
    const float calculated = std::string(label4) == "e(t):"
            ? s.thicknessEt
            : (std::string(label4) == "e(p):" ? s.thicknessEp : s.thicknessEf);
    CalculationLaunch::Inicia_Altera_e(p.ctx, "Espessura calculada", calculated, label4,
                                       "Altera Espessura");
    p.ctx.forms.FormAltera_e.setText("Text_e", value);
    CalculationLaunch::Text_e_Change(p.ctx);
    p.ui.answers.push_back(UiHost::Yes);
    ASSERT_EQ(CalculationLaunch::butnext(p.ctx), CalculationLaunch::ReviewOutcome::Accepted);
}

struct Case
{
    const char *what;
    bool buried;
    std::int16_t layout;
    std::function<void(Program &)> windows;
    std::function<void(Program &)> results = {};
    /// A thinner member kept from the review window: the opened project has the loads and
    /// moments of that member, which the saving session never computed.
    bool keptThinner = false;
};

TEST_F(StorageTest, ASavedProjectOpensAsItWasSavedAndStaysSo)
{
    const Case cases[] = {
        { "default elevated tank, horizontal", false, kHorizontalLayout, {} },
        { "default buried tank, two-way", true, kTwoWayLayout, {} },
        { "wide elevated tank, horizontal: the lid is raised, the bottom loop runs long", false,
          kHorizontalLayout, [](Program &p) { geometry(p, "7.01", "4.7", "3.31", "2.12"); } },
        { "buried tank, vertical: walls raised with the crack check on", true, kVerticalLayout,
          [](Program &p) { geometry(p, "6.13", "3.33", "2.29", "1.21"); } },
        { "tall buried tank, two-way: the bottom raised", true, kTwoWayLayout,
          [](Program &p) { geometry(p, "3.61", "3.27", "4.6", "0.57"); } },
        { "buried tank, horizontal, crack check off, heavy lid", true, kHorizontalLayout,
          [](Program &p) {
              geometry(p, "7.08", "2.89", "4.76", "3.45");
              p.ctx.forms.FormPosTampa.setText("TextqA", "800");
              crackCheckOff(p);
          } },
        { "flat buried tank, vertical, crack check off", true, kVerticalLayout,
          [](Program &p) {
              geometry(p, "6.82", "4.65", "1.84", "0.89");
              p.ctx.forms.FormPosTampa.setText("TextqA", "300");
              crackCheckOff(p);
          } },
        { "elevated tank, vertical, heavy lid", false, kVerticalLayout,
          [](Program &p) {
              geometry(p, "6.16", "2.8", "3.06", "0.87");
              p.ctx.forms.FormPosTampa.setText("TextqA", "950");
          } },
        { "elevated tank, two-way, heavy lid", false, kTwoWayLayout,
          [](Program &p) {
              geometry(p, "5.12", "3.65", "1.74", "1.43");
              p.ctx.forms.FormPosTampa.setText("TextqA", "950");
          } },
        { "elevated tank, two-way, walls kept thinner than calculated", false, kTwoWayLayout,
          [](Program &p) { geometry(p, "6.65", "6.27", "4.91", "4.58"); },
          [](Program &p) { keepThinner(p, "e(p):", "0.12"); }, true },
        { "buried tank, horizontal, lid and bottom kept thinner, an arrangement changed", true,
          kHorizontalLayout,
          [](Program &p) {
              geometry(p, "6.72", "4.77", "2.71", "1.91");
              p.ctx.forms.FormPosTampa.setText("TextqA", "950");
          },
          [](Program &p) {
              keepThinner(p, "e(t):", "0.1");
              keepThinner(p, "e(f):", "0.15");
              ASSERT_FALSE(ModulersvARM::NextGauge(p.ctx, 5).empty());
              (void)ModulersvARM::ToggleExclusion(p.ctx, 3, 3);
              ModuleCalcConsumo::ComputeQuantities(p.ctx);
          },
          true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath("caixa.rsv");

        Program saved(folder.path());
        saved.setElevated(!c.buried);
        if (c.windows)
            c.windows(saved);
        saved.calculate(c.layout);
        if (c.results)
            c.results(saved);
        saveTo(saved, path);
        if (HasFatalFailure())
            return;
        const Shown before = shownOf(saved.ctx);
        const auto thicknesses = thicknessTexts(path);
        const auto positions = readTable(path, "RSVARM").rows;

        Program first(folder.path());
        openIn(first, path);
        const Shown opened = shownOf(first.ctx);
        if (c.keptThinner)
            EXPECT_EQ(opened.thicknesses, before.thicknesses);
        else
            EXPECT_EQ(opened, before);
        // Saved again by the Save command, to the file it came from: the same thicknesses and
        // positions. (The windows' texts come back as the numbers' texts, "1" for a typed
        // "1.00", as designed.)
        ASSERT_EQ(ProjectFlow::SaveProject(first.ctx, false, false), ErrorPair());
        EXPECT_EQ(thicknessTexts(path), thicknesses);
        EXPECT_EQ(readTable(path, "RSVARM").rows, positions);
        const auto data = readTable(path, "RSVDAT").rows;

        Program second(folder.path());
        openIn(second, path);
        EXPECT_EQ(shownOf(second.ctx), opened);
        EXPECT_EQ(crackTexts(second.ctx), crackTexts(first.ctx));
        ASSERT_EQ(ProjectFlow::SaveProject(second.ctx, false, false), ErrorPair());
        EXPECT_EQ(readTable(path, "RSVDAT").rows, data);
        EXPECT_EQ(readTable(path, "RSVARM").rows, positions);
    }
}

TEST_F(StorageTest, AThinnerMemberKeptWithoutRecalculationOpensWithItsOwnLoadsAndMoments)
{
    Program saved(dir.path());
    saved.setElevated(true);
    geometry(saved, "6.65", "6.27", "4.91", "4.58");
    saved.calculate(kTwoWayLayout);
    const ResultsFields calculated = saved.ctx.results;
    keepThinner(saved, "e(p):", "0.12");
    saveTo(saved, file("caixa.rsv"));

    Program reopened(dir.path());
    openIn(reopened, file("caixa.rsv"));
    EXPECT_EQ(reopened.ctx.state.thicknessEp, 0.12f);
    EXPECT_EQ(reopened.ctx.results.Text_a[5], "0.12");
    EXPECT_EQ(reopened.ctx.state.thicknessEt, saved.ctx.state.thicknessEt);
    EXPECT_EQ(reopened.ctx.state.thicknessEf, saved.ctx.state.thicknessEf);

    // The same tank calculated from the start at those thicknesses, as the review window does
    // for a value it recalculates with: the header, loads and moments are the ones for them.
    Program direct(dir.path());
    direct.setElevated(true);
    geometry(direct, "6.65", "6.27", "4.91", "4.58");
    direct.calculate(kTwoWayLayout);
    direct.ctx.state.thicknessEt = saved.ctx.state.thicknessEt;
    direct.ctx.state.thicknessEp = CalculationLaunch::OneStepBelow(0.12f);
    direct.ctx.state.thicknessEf = CalculationLaunch::OneStepBelow(saved.ctx.state.thicknessEf);
    direct.ctx.state.calcState = RemoveLayout(direct.ctx.state.calcState);
    direct.ctx.thicknessReviewMode = ThicknessReviewMode::KeepSaved;
    ASSERT_EQ(CalculationLaunch::LaunchCalculation(direct.ctx).status,
              CalculationLaunch::LaunchStatus::Calculated);
    direct.ctx.thicknessReviewMode = ThicknessReviewMode::Search;
    EXPECT_EQ(reopened.ctx.results.Text_a, direct.ctx.results.Text_a);
    EXPECT_NE(reopened.ctx.results.Text_a, calculated.Text_a)
            << "the walls' own weight changed with them";
}

TEST_F(StorageTest, AProjectSavedBeforeAnyCalculationIsCalculatedInFull)
{
    // Saved from the input windows: no positions, the minimum thicknesses.
    Program saved(dir.path());
    saved.setElevated(false);
    geometry(saved, "6.13", "3.33", "2.29", "1.21");
    InputChain::ChooseLayout(saved.ctx.forms.FormPosicaoAs, kVerticalLayout);
    saveTo(saved, file("caixa.rsv"));
    ASSERT_TRUE(readTable(file("caixa.rsv"), "RSVARM").rows.empty());

    Program fresh(dir.path());
    fresh.setElevated(false);
    geometry(fresh, "6.13", "3.33", "2.29", "1.21");
    fresh.calculate(kVerticalLayout);

    Program reopened(dir.path());
    openIn(reopened, file("caixa.rsv"));
    EXPECT_EQ(shownOf(reopened.ctx), shownOf(fresh.ctx));
    EXPECT_EQ(crackTexts(reopened.ctx), crackTexts(fresh.ctx));
}

} // namespace
