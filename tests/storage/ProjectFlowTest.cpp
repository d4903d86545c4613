#include "ProjectTestSupport.h"

#include "design/ModulersvARM.h"
#include "input/InputForms.h"
#include "results/ModuleCalcConsumo.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectFlow.h"

#include <QDir>
#include <QFile>

#include <functional>

using project_test::designTexts;
using project_test::dumpForm;
using project_test::dumpProject;
using project_test::execute;
using project_test::Program;
using project_test::readTable;
using storage_test::StorageTest;
using storage_test::writeBytes;

namespace {

using WindowSetup = std::function<void(Program &)>;

ErrorPair save(Program &p, const QString &path)
{
    p.ctx.state.projectPath = path.toStdString();
    return ProjectFlow::SaveProject(p.ctx, false, false);
}

/// A project file made the way the user makes one: a program of its own in `folder`, the
/// windows set by `setup`, the calculation, the Save command.
QString writeProject(const QString &folder, const QString &name, const WindowSetup &setup = {},
                     std::optional<std::int16_t> layout = std::nullopt)
{
    Program p(folder);
    if (setup)
        setup(p);
    p.calculate(layout);
    const QString path = QDir(folder).filePath(name);
    EXPECT_EQ(save(p, path), ErrorPair());
    return path;
}

/// Opens `path` through the Open command's dialog.
ErrorPair open(Program &p, const QString &path)
{
    p.ui.fileAnswers.push_back({ 0, path.toStdString() });
    return ProjectFlow::OpenProject(p.ctx);
}

void elevated(Program &p)
{
    p.setElevated(true);
}

} // namespace

TEST_F(StorageTest, AProjectReopensWithItsResultsArrangementsAndExclusions)
{
    struct Case
    {
        const char *what;
        bool ptBR;
        WindowSetup setup;
        std::optional<std::int16_t> layout;
    };
    const Case cases[] = {
        { "default buried tank, two-way", true, {}, std::nullopt },
        { "elevated tank, vertical", false, elevated, kVerticalLayout },
        { "buried tank without ground water, horizontal", false,
          [](Program &p) { InputChain::SetGroundWaterBox(p.ctx.forms.FormDadosEnterrada, false); },
          kHorizontalLayout },
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        Program saved(folder.path(), c.ptBR);
        if (c.setup)
            c.setup(saved);
        saved.calculate(c.layout);
        // The engineer's own choices in the results window.
        ASSERT_FALSE(ModulersvARM::NextGauge(saved.ctx, 5).empty()) << c.what;
        (void)ModulersvARM::ToggleExclusion(saved.ctx, 3, 3);
        saved.ctx.forms.FormCFG.setText("RSVCFGCONCFCK", "200");
        ModuleCalcConsumo::ComputeQuantities(saved.ctx);
        const QString path = folder.filePath("caixa.rsv");
        ASSERT_EQ(save(saved, path), ErrorPair());

        // A program started afresh, with other parameters in its settings window.
        Program reopened(folder.path(), c.ptBR);
        reopened.ctx.forms.FormCFG.setText("RSVCFGCOBMIN", "3");
        ApplySettings(reopened.ctx);
        ASSERT_EQ(open(reopened, path), ErrorPair()) << c.what;
        const CalcContext &a = saved.ctx;
        const CalcContext &b = reopened.ctx;
        EXPECT_EQ(b.state.projectPath, path.toStdString());
        EXPECT_EQ(b.state.calcState, a.state.calcState) << c.what;
        EXPECT_EQ(b.results.Text_a, a.results.Text_a) << c.what;
        EXPECT_EQ(b.results.Text_hn, a.results.Text_hn) << c.what;
        // Singles are kept with 7 significant digits: a distribution area of 2.10000014 cm²
        // comes back as the single nearest to 2.1. Everything shown or saved agrees.
        EXPECT_EQ(designTexts(b), designTexts(a)) << c.what;
        EXPECT_EQ(b.rebarPosition(3).OUTAS, -1);
        EXPECT_EQ(b.state.concreteFck, 200.0f);
        EXPECT_EQ(b.state.minCover, 1.5f) << "the project's parameters replace the session's";
        // The results window shows the refilled grid with the positions put back.
        ASSERT_GE(reopened.ui.events.size(), 2u);
        EXPECT_EQ(reopened.ui.events[reopened.ui.events.size() - 2], "RefreshBarGrid");
        EXPECT_EQ(reopened.ui.events.back().rfind("ShowResultsWindow Resultados - ", 0), 0u);
        EXPECT_TRUE(reopened.ui.messages.empty());
    }
}

TEST_F(StorageTest, TheLayoutCodeReopensTheLayoutAndAnyOtherTextIsTwoWay)
{
    const QString path = writeProject(dir.path(), "caixa.rsv", elevated, kVerticalLayout);
    struct Case
    {
        const char *stored;
        const char *option;
        std::int16_t layout;
    };
    const Case cases[] = {
        { "1", "OptionHorizontal", kHorizontalLayout }, { "2", "OptionVertical", kVerticalLayout },
        { "3", "OptionDuasDir", kTwoWayLayout },        { "x", "OptionDuasDir", kTwoWayLayout },
        { "", "OptionDuasDir", kTwoWayLayout },         { " 1", "OptionDuasDir", kTwoWayLayout },
    };
    for (const Case &c : cases) {
        execute(path, { std::string("UPDATE RSVDAT SET rsvdatASPOS = '") + c.stored + "'" });
        Program p(dir.path());
        ASSERT_EQ(open(p, path), ErrorPair()) << c.stored;
        EXPECT_EQ(p.ctx.forms.FormPosicaoAs.state(c.option), 1) << c.stored;
        EXPECT_EQ(LayoutOf(p.ctx.state.calcState), c.layout) << c.stored;
    }
}

TEST_F(StorageTest, AFileThatIsNotASoundProjectIsRefusedAndChangesNothing)
{
    // The current project: calculated, saved, with a gauge changed since.
    Program current(dir.path(), true);
    current.calculate();
    ASSERT_EQ(save(current, file("atual.rsv")), ErrorPair());
    (void)ModulersvARM::NextGauge(current.ctx, 1);

    const QString good = writeProject(dir.path(), "bom.rsv", elevated);
    struct Case
    {
        const char *what;
        std::vector<std::string> statements; ///< run on a copy of a sound project
        QByteArray bytes; ///< or the file's whole content
        std::int32_t number;
        const char *says;
    };
    const Case cases[] = {
        { "a text file", {}, "obra: caixa d'água\n", 3343, "não é um banco de dados" },
        { "an empty file", {}, QByteArray("", 0), 3343, "não é um banco de dados" },
        { "a table missing", { "DROP TABLE RSVCFG" }, {}, 3078, "falta a tabela RSVCFG" },
        { "a column missing",
          { "CREATE TABLE T AS SELECT rsvlgdPRJ FROM RSVLGD", "DROP TABLE RSVLGD",
            "ALTER TABLE T RENAME TO RSVLGD" },
          {},
          3265,
          "não tem a coluna rsvlgdCLI" },
        { "no tank data", { "DELETE FROM RSVDAT" }, {}, 3021, "RSVDAT está vazia" },
        { "21 positions",
          { "INSERT INTO RSVARM SELECT * FROM RSVARM LIMIT 1" },
          {},
          9,
          "RSVARM tem 21 posições" },
        { "a wall above 9.99 m",
          { "UPDATE RSVDAT SET rsvdatEP = '12'" },
          {},
          380,
          "rsvdatEP (12 m)" },
        { "a lid of no thickness",
          { "UPDATE RSVDAT SET rsvdatET = '0'" },
          {},
          380,
          "Espessura abaixo do limite permitido [ 0,01m ]" },
        { "fck below its limit",
          { "UPDATE RSVCFG SET rsvcfgFCK = '40'" },
          {},
          380,
          "rsvcfgFCK tem um valor fora dos limites: FCK do concreto abaixo" },
        { "a gauge list position past its list",
          { "UPDATE RSVCFG SET rsvcfgBITREF = '12'" },
          {},
          380,
          "rsvcfgBITREF" },
        { "a width that is no number",
          { "UPDATE RSVDAT SET rsvdatA = 'dois'" },
          {},
          13,
          "\"dois\" da coluna rsvdatA não é um número" },
        { "a cover with two separators",
          { "UPDATE RSVCFG SET rsvcfgCOBMIN = '1,5,0'" },
          {},
          13,
          "rsvcfgCOBMIN" },
        { "a bar count that is no number",
          { "UPDATE RSVARM SET rsvarmNBR = 'dez'" },
          {},
          13,
          "rsvarmNBR" },
        { "a bar count beyond 16 bits",
          { "UPDATE RSVARM SET rsvarmNBR = '40000'" },
          {},
          380,
          "rsvarmNBR" },
        { "a diameter not in the gauge table",
          { "UPDATE RSVARM SET rsvarmFI = '7'" },
          {},
          380,
          "bitola 7" },
        { "a buried tank whose soil angle is no number",
          { "UPDATE RSVDAT SET rsvdatent = '-1'", "UPDATE RSVENT SET rsventFI = 'vinte'" },
          {},
          13,
          "rsventFI" },
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = file(QString("hostil%1.rsv").arg(++n));
        if (c.statements.empty()) {
            writeBytes(path, c.bytes);
        } else {
            ASSERT_TRUE(QFile::copy(good, path));
            execute(path, c.statements);
        }
        const std::string before = dumpProject(current.ctx);
        current.ui.clear();
        current.ui.fileAnswers.push_back({ 0, path.toStdString() });
        ProjectFlow::OPENPRJ_Click(current.ctx);

        ASSERT_EQ(current.ui.messages.size(), 1u) << c.what;
        const auto &m = current.ui.messages[0];
        EXPECT_EQ(m.title, "Erro " + std::to_string(c.number)) << c.what << ": " << m.text;
        EXPECT_EQ(m.icon, UiHost::Icon::Critical);
        EXPECT_NE(m.text.find(c.says), std::string::npos) << c.what << ": " << m.text;
        EXPECT_NE(m.text.find(path.toStdString()), std::string::npos) << m.text;
        EXPECT_NE(m.text.find("O projeto atual não foi alterado."), std::string::npos);
        EXPECT_EQ(dumpProject(current.ctx), before) << c.what;
        EXPECT_TRUE(current.ui.eventsStartingWith("ShowForm ").empty()) << c.what;
    }
    EXPECT_EQ(current.ctx.state.projectPath, file("atual.rsv").toStdString());
}

TEST_F(StorageTest, AnInputLimitWhileTheWindowsAreRefilledStopsTheOpeningThere)
{
    struct Case
    {
        const char *what;
        WindowSetup setup;
        std::vector<std::string> statements;
        std::int32_t code;
        const char *message;
        const char *shown; ///< the last window shown
    };
    const Case cases[] = {
        { "b larger than a",
          elevated,
          { "UPDATE RSVDAT SET rsvdatB = '3'" },
          4,
          "Comprimento da caixa acima do limite permitido [ 2,79m ]",
          "FormDadosGeometricos" },
        { "ground water above the burial height",
          {},
          { "UPDATE RSVENT SET rsventTXTHNA = '1.6'" },
          24,
          "Altura do NA no lençol acima do limite permitido [ 1,52m ]",
          "FormDadosEnterrada" },
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        const QString path = writeProject(folder.path(), "caixa.rsv", c.setup);
        execute(path, c.statements);
        Program p(folder.path(), true);
        p.ui.fileAnswers.push_back({ 0, path.toStdString() });
        ProjectFlow::OPENPRJ_Click(p.ctx);

        ASSERT_EQ(p.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(p.ui.messages[0].title, "Erro " + std::to_string(c.code));
        EXPECT_EQ(p.ui.messages[0].text, c.message);
        EXPECT_EQ(p.ui.eventsStartingWith("ShowForm ").back(), c.shown) << c.what;
        EXPECT_EQ(p.ctx.state.inputError.code, c.code);
        // As far as it got: the file is the project's, the windows hold its values.
        EXPECT_EQ(p.ctx.state.projectPath, path.toStdString());
        EXPECT_TRUE(p.ui.eventsStartingWith("ShowResultsWindow").empty());
    }
}

TEST_F(StorageTest, OpeningFillsOnlyTheWindowsOfTheTankKind)
{
    // An elevated tank leaves the buried-tank window as the user left it.
    const QString elevatedFile = writeProject(dir.path(), "elevado.rsv", elevated);
    Program p(dir.path());
    FormModel &buried = p.ctx.forms.FormDadosEnterrada;
    buried.setText("Textht", "2.00");
    buried.setText("Texthna", "0.5");
    const std::string before = dumpForm(buried);
    ASSERT_EQ(open(p, elevatedFile), ErrorPair());
    EXPECT_EQ(dumpForm(buried), before);

    // A buried tank saved without ground water reopens without it, whatever the box showed.
    const QString dry = writeProject(dir.path(), "seco.rsv", [](Program &s) {
        InputChain::SetGroundWaterBox(s.ctx.forms.FormDadosEnterrada, false);
    });
    EXPECT_EQ(readTable(dry, "RSVENT").at(0, "rsventCHKHNA"), "0");
    Program q(dir.path());
    ASSERT_EQ(q.ctx.forms.FormDadosEnterrada.state("Checkhna"), 1);
    ASSERT_EQ(open(q, dry), ErrorPair());
    EXPECT_EQ(q.ctx.forms.FormDadosEnterrada.state("Checkhna"), 0);
    EXPECT_EQ(q.ctx.forms.FormDadosEnterrada.text("Texthna"), "");
    EXPECT_FALSE(q.ctx.forms.FormDadosEnterrada.visible("Texthna"));
    EXPECT_EQ(q.ctx.state.waterTableHna, 0.0f);
}

TEST_F(StorageTest, NewAndOpenAskToSaveOnlyWithAWindowOpen)
{
    Program p(dir.path());
    p.calculate();
    // Nothing open: nothing asked.
    EXPECT_EQ(ProjectFlow::AskSaveChanges(p.ctx), UiHost::No);
    EXPECT_TRUE(p.ui.messages.empty());

    p.ui.activeChild = true;
    struct Case
    {
        std::string projectPath;
        const char *question;
    };
    for (const Case &c :
         { Case{ "", "Salvar alterações?" },
           Case{ "C:\\obras\\caixa.rsv", "Salvar alterações em caixa.rsv?" },
           Case{ "/home/obras/caixa.v2.rsv", "Salvar alterações em caixa.v2.rsv?" } }) {
        p.ctx.state.projectPath = c.projectPath;
        p.ui.clear();
        p.ui.answers.push_back(UiHost::No);
        EXPECT_EQ(ProjectFlow::AskSaveChanges(p.ctx), UiHost::No);
        ASSERT_EQ(p.ui.messages.size(), 1u);
        EXPECT_EQ(p.ui.messages[0].text, c.question);
        EXPECT_EQ(p.ui.messages[0].title, "ATENÇÃO!");
        EXPECT_EQ(p.ui.messages[0].buttons, UiHost::Buttons::YesNoCancel);
        EXPECT_EQ(p.ui.messages[0].icon, UiHost::Icon::Exclamation);
    }

    // Yes saves to the project's file.
    p.ctx.state.projectPath = file("caixa.rsv").toStdString();
    p.ui.answers.push_back(UiHost::Yes);
    EXPECT_EQ(ProjectFlow::AskSaveChanges(p.ctx), UiHost::Yes);
    EXPECT_EQ(readTable(file("caixa.rsv"), "RSVARM").rows.size(), 20u);

    // A save that fails is shown and counts as Cancel: New keeps the project it could not save.
    p.ctx.state.projectPath = file("nao-existe/caixa.rsv").toStdString();
    const std::string before = dumpProject(p.ctx);
    p.ui.clear();
    p.ui.answers = { UiHost::Yes, UiHost::Ok };
    ProjectFlow::NEWPRJ_Click(p.ctx);
    ASSERT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[1].title, "Erro 76");
    EXPECT_EQ(p.ui.messages[1].icon, UiHost::Icon::Critical);
    EXPECT_EQ(dumpProject(p.ctx), before);
    EXPECT_TRUE(p.ui.eventsStartingWith("CloseChildWindows").empty());

    // Cancel at the question: New changes nothing either.
    p.ui.clear();
    p.ui.answers.push_back(UiHost::Cancel);
    EXPECT_EQ(ProjectFlow::NewProject(p.ctx), ErrorPair());
    EXPECT_EQ(dumpProject(p.ctx), before);
}

TEST_F(StorageTest, NewStartsAgainFromTheLoadTimeWindowsKeepingLegendAndParameters)
{
    Program p(dir.path());
    p.setElevated(true);
    p.ctx.forms.FormDadosGeometricos.setText("Text_a", "3.10");
    p.calculate(kVerticalLayout);
    p.ctx.forms.FormLegenda.setText("aeESTPROJ", "Caixa Vila Nova");
    p.ctx.forms.FormCFG.setText("RSVCFGCONCFCK", "250");
    p.ctx.state.projectPath = file("caixa.rsv").toStdString();
    p.ctx.state.inputError = { 4, "Comprimento da caixa acima do limite permitido [ 2.79m ]" };
    const std::string legend = dumpForm(p.ctx.forms.FormLegenda);
    const std::string settings = dumpForm(p.ctx.forms.FormCFG);
    p.ui.clear();

    ASSERT_EQ(ProjectFlow::NewProject(p.ctx), ErrorPair());
    EXPECT_EQ(p.ui.events,
              (std::vector<std::string>{ "CloseChildWindows", "ShowForm FormTipoElev" }));
    const FormModels fresh;
    const FormModels &f = p.ctx.forms;
    EXPECT_EQ(dumpForm(f.FormTipoElev), dumpForm(fresh.FormTipoElev));
    EXPECT_EQ(dumpForm(f.FormDadosGeometricos), dumpForm(fresh.FormDadosGeometricos));
    EXPECT_EQ(dumpForm(f.FormPosicaoAs), dumpForm(fresh.FormPosicaoAs));
    EXPECT_EQ(dumpForm(f.FormLegenda), legend);
    EXPECT_EQ(dumpForm(f.FormCFG), settings);
    EXPECT_TRUE(p.ctx.state.projectPath.empty());
    EXPECT_EQ(p.ctx.state.inputError, noError);
    EXPECT_EQ(p.ctx.state.calcState, kElevatedTank);
    EXPECT_EQ(p.ctx.results.Text_a[0], "");

    // The positions of the closed results belong to no project now: a save keeps none.
    ASSERT_EQ(save(p, file("novo.rsv")), ErrorPair());
    EXPECT_TRUE(readTable(file("novo.rsv"), "RSVARM").rows.empty());
}

TEST_F(StorageTest, SaveAsksForANameAsTheProjectNeedsOne)
{
    struct Case
    {
        const char *what;
        const char *legend;
        bool named; ///< the project has a file already
        bool askName;
        const char *proposed; ///< nullptr: no dialog
    };
    const QString existing = file("obra.rsv");
    const Case cases[] = {
        { "new project, no legend", "", false, false, "semnome.rsv" },
        { "new project with its name in the legend", "Caixa Vila Nova", false, false,
          "Caixa Vila Nova" },
        { "a name that would name a folder", "Obra 1/2: bloco A", false, false,
          "Obra 1_2_ bloco A" },
        { "Save on a named project", "Caixa Vila Nova", true, false, nullptr },
        { "Save As on a named project", "Caixa Vila Nova", true, true, "obra.rsv" },
    };
    for (const Case &c : cases) {
        Program p(dir.path());
        p.calculate();
        p.ctx.forms.FormLegenda.setText("aeESTPROJ", c.legend);
        p.ctx.state.projectPath = c.named ? existing.toStdString() : std::string();
        if (!c.proposed) {
            EXPECT_EQ(ProjectFlow::SaveProject(p.ctx, c.askName, false), ErrorPair());
            EXPECT_TRUE(p.ui.fileDialogs.empty()) << c.what;
            EXPECT_EQ(readTable(existing, "RSVLGD").at(0, "rsvlgdPRJ"), c.legend);
            continue;
        }
        // Cancelled: 32755, nothing written, the name as it was.
        p.ui.fileAnswers.push_back({ kDialogCancelled, {} });
        EXPECT_EQ(ProjectFlow::SaveProject(p.ctx, c.askName, false).number, kDialogCancelled);
        ASSERT_EQ(p.ui.fileDialogs.size(), 1u) << c.what;
        const auto &d = p.ui.fileDialogs[0];
        const std::string proposed = c.named ? existing.toStdString() : c.proposed;
        EXPECT_EQ(d.FileName, proposed) << c.what;
        EXPECT_EQ(d.Filter, "Projeto do Reservium| *.rsv");
        EXPECT_EQ(d.InitDir, dir.path().toStdString());
        EXPECT_EQ(d.DialogTitle, "");
        EXPECT_EQ(p.ctx.state.projectPath, c.named ? existing.toStdString() : std::string());
    }
    EXPECT_EQ(QDir(dir.path()).entryList({ "*.rsv" }), QStringList{ "obra.rsv" });

    // A name chosen without the extension gets it.
    Program p(dir.path());
    p.calculate();
    p.ui.fileAnswers.push_back({ 0, file("nova").toStdString() });
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, true, false), ErrorPair());
    EXPECT_EQ(p.ctx.state.projectPath, file("nova.rsv").toStdString());
    EXPECT_TRUE(QFileInfo::exists(file("nova.rsv")));
}

TEST_F(StorageTest, SaveAndSaveAsShowTheirFailures)
{
    Program p(dir.path());
    p.calculate();
    ASSERT_EQ(save(p, file("caixa.rsv")), ErrorPair());

    // Save As into a folder that is not there: shown, and the project keeps its file.
    p.ui.clear();
    p.ui.fileAnswers.push_back({ 0, file("nao-existe/outra.rsv").toStdString() });
    ProjectFlow::SAVEASPRJ_Click(p.ctx);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title, "Erro 76");
    EXPECT_EQ(p.ui.messages[0].icon, UiHost::Icon::Critical);
    EXPECT_EQ(p.ui.messages[0].buttons, UiHost::Buttons::Ok);
    EXPECT_EQ(p.ctx.state.projectPath, file("caixa.rsv").toStdString());

    // A cancelled dialog is not an error to show.
    p.ui.clear();
    p.ui.fileAnswers.push_back({ kDialogCancelled, {} });
    ProjectFlow::SAVEASPRJ_Click(p.ctx);
    p.ui.fileAnswers.push_back({ kDialogCancelled, {} });
    ProjectFlow::OPENPRJ_Click(p.ctx);
    EXPECT_TRUE(p.ui.messages.empty());

    // Save onto a file that is not a project: shown, the file untouched.
    writeBytes(file("notas.rsv"), "obra\n");
    p.ctx.state.projectPath = file("notas.rsv").toStdString();
    ProjectFlow::SAVEPRJ_Click(p.ctx);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title, "Erro 3343");
    EXPECT_EQ(storage_test::readBytes(file("notas.rsv")), QByteArray("obra\n"));
}

TEST_F(StorageTest, ASaveBeforeTheCalculationKeepsNoOtherTanksPositionsOrThicknesses)
{
    Program p(dir.path());
    p.setElevated(true);
    p.calculate();
    // Back to the input windows and on to a different tank, saved before it is calculated.
    (void)InputFlows::Back(p.ctx, InputChain::InputWindow::FormResultados);
    (void)ModulersvARM::NextGauge(p.ctx, 1);
    p.ctx.forms.FormDadosGeometricos.setText("Text_a", "3.00");
    ASSERT_EQ(save(p, file("meio.rsv")), ErrorPair());
    EXPECT_TRUE(readTable(file("meio.rsv"), "RSVARM").rows.empty());

    // Reopened, the calculation's own positions stand.
    Program q(dir.path());
    ASSERT_EQ(open(q, file("meio.rsv")), ErrorPair());
    EXPECT_EQ(q.ctx.state.widthA, 3.0f);
    EXPECT_NE(designTexts(q.ctx), designTexts(p.ctx));
    Program r(dir.path());
    r.setElevated(true);
    r.ctx.forms.FormDadosGeometricos.setText("Text_a", "3.00");
    r.calculate(InputChain::ChosenLayout(q.ctx.forms.FormPosicaoAs).code);
    EXPECT_EQ(designTexts(q.ctx), designTexts(r.ctx));

    // Saved before the first window was passed (no thickness set yet) or after New (the
    // previous tank's thicknesses still in memory), the file starts from the minimum thickness.
    Program fresh(dir.path());
    ASSERT_EQ(fresh.ctx.state.thicknessEt, 0.0f);
    ASSERT_EQ(save(fresh, file("inicio.rsv")), ErrorPair());
    (void)ProjectFlow::NewProject(p.ctx);
    p.ctx.state.thicknessEp = 0.3f;
    ASSERT_EQ(save(p, file("novo.rsv")), ErrorPair());
    for (const QString &name : { file("inicio.rsv"), file("novo.rsv") }) {
        const auto data = readTable(name, "RSVDAT");
        EXPECT_EQ(data.at(0, "rsvdatET"), "0.1");
        EXPECT_EQ(data.at(0, "rsvdatEP"), "0.0900000014901161");
        Program reopened(dir.path());
        EXPECT_EQ(open(reopened, name), ErrorPair()) << name.toStdString();
    }
}

TEST(ProjectLegend, FieldsKeepTheirFirstCharactersUpToTheirLength)
{
    FormModel legend = MakeFormLegenda();
    struct Case
    {
        const char *control;
        std::string typed;
        std::string kept;
    };
    const std::string sixty(60, 'x');
    const std::string accented = std::string(54, 'a') + "çã"; // 56 characters, 58 bytes
    const Case cases[] = {
        { "aeESTCLI", sixty, std::string(55, 'x') },
        { "aeESTPROJ", std::string(55, 'p'), std::string(55, 'p') },
        { "aeESTEND", accented, std::string(54, 'a') + "ç" },
        { "aeESTOBS", std::string(165, 'o'), std::string(165, 'o') },
        { "aeESTOBS", std::string(166, 'o'), std::string(165, 'o') },
        { "aeESTRESP", "Eng. Ana Souza", "Eng. Ana Souza" },
    };
    for (const Case &c : cases) {
        SetLegendText(legend, c.control, c.typed);
        EXPECT_EQ(legend.text(c.control), c.kept) << c.control << " " << c.typed.size();
    }
}

TEST(ProjectFileName, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(ProjectFlow::FileNameOf("C:\\obras\\caixa.rsv"), "caixa.rsv");
    EXPECT_EQ(ProjectFlow::FileNameOf("/home/ana/obras/caixa.rsv"), "caixa.rsv");
    EXPECT_EQ(ProjectFlow::FileNameOf("caixa.rsv"), "caixa.rsv");
    // A name with more than one dot is shown whole.
    EXPECT_EQ(ProjectFlow::FileNameOf("/obras/caixa.v2.rsv"), "caixa.v2.rsv");
}
