#include "ProjectTestSupport.h"

#include "core/Numbers.h"
#include "design/ModulersvARM.h"
#include "results/ModuleCalcConsumo.h"
#include "storage/ModuleRSVFLS.h"
#include "storage/ProjectFlow.h"
#include "storage/ProjectReader.h"

#include <QDir>
#include <QSqlQuery>

#include <unistd.h>

using project_test::Program;
using project_test::readTable;
using project_test::tableNames;
using storage_test::readBytes;
using storage_test::StorageTest;
using storage_test::writeBytes;

namespace {

/// Saves the project of `p` to `path` as the Save command does on a project with a name.
ErrorPair save(Program &p, const QString &path)
{
    p.ctx.state.projectPath = path.toStdString();
    return ProjectFlow::SaveProject(p.ctx, false, false);
}

} // namespace

TEST_F(StorageTest, SavingTwiceKeepsOneRowPerOneRowTableAndTwentyPositions)
{
    Program p(dir.path());
    p.calculate();
    const QString path = file("caixa.rsv");
    ASSERT_EQ(save(p, path), ErrorPair());
    // The second save finds the file and updates its tables in place.
    p.ctx.forms.FormLegenda.setText("aeESTCLI", "Prefeitura");
    ASSERT_EQ(save(p, path), ErrorPair());

    EXPECT_EQ(tableNames(path),
              (std::vector<std::string>{ "RSVLGD", "RSVDAT", "RSVENT", "RSVARM", "RSVCFG" }));
    for (const char *table : { "RSVLGD", "RSVDAT", "RSVENT", "RSVCFG" })
        EXPECT_EQ(readTable(path, table).rows.size(), 1u) << table;
    const auto positions = readTable(path, "RSVARM");
    ASSERT_EQ(positions.rows.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(positions.at(i, "rsvarmCOD"), std::to_string(i + 1));
    EXPECT_EQ(readTable(path, "RSVLGD").at(0, "rsvlgdCLI"), "Prefeitura");

    // The columns are the ones a project file is made with, in order.
    for (const std::string &statement : ModuleRSVFLS::CreateStatements(p.ctx, false)) {
        const std::string table = statement.substr(13, 6);
        EXPECT_EQ(readTable(path, table).columns, ModuleRSVFLS::ColumnsOf(statement)) << table;
    }
}

TEST_F(StorageTest, TheRowsHoldTheWindowsTextsAndTheThicknessesAsDesigned)
{
    struct Case
    {
        bool ptBR;
        float ep;
        const char *projectEp; ///< double difference of the single and 0.01
        const char *reportEp; ///< the thickness to the centimetre, as printed
        float readBack; ///< the stored text read with eight decimals, as a single
    };
    const Case cases[] = {
        { false, 0.20f, "0.190000002980232", "0.2", 0.19f },
        // Both files write numbers with the regional decimal symbol.
        { true, 0.20f, "0,190000002980232", "0,2", 0.19f },
        // Read with eight decimals, the single's excess shows: 0.14000001.
        { false, 0.15f, "0.140000005960464", "0.15", 0.14000001f },
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        Program p(folder.path(), c.ptBR);
        p.setElevated(true);
        p.calculate();
        p.ctx.state.thicknessEp = c.ep;
        p.ctx.state.thicknessEf = c.ep;
        const QString path = folder.filePath("caixa.rsv");
        ASSERT_EQ(save(p, path), ErrorPair());
        ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
        const QString report = ModuleRSVFLS::ReportDatabaseFile(p.ctx);

        const auto data = readTable(path, "RSVDAT");
        EXPECT_EQ(data.at(0, "rsvdatEP"), c.projectEp);
        EXPECT_EQ(data.at(0, "rsvdatEF"), c.projectEp);
        EXPECT_EQ(readTable(report, "RSVDAT").at(0, "rsvdatEP"), c.reportEp);
        EXPECT_EQ(data.at(0, "rsvdatent"), "0");
        EXPECT_EQ(data.at(0, "rsvdatA"), "2.79"); // as typed
        EXPECT_EQ(data.at(0, "rsvdatX"), "1.00");

        // Read back, the stored difference is the thickness one step below.
        ProjectContent content;
        ASSERT_EQ(ProjectReader::ReadProjectFile(p.ctx, path, content), ErrorPair());
        EXPECT_EQ(content.thicknessEp, c.readBack);

        // An elevated tank still has its buried-tank row: "0" for ht and hna, nothing else.
        const auto buried = readTable(path, "RSVENT");
        ASSERT_EQ(buried.rows.size(), 1u);
        EXPECT_EQ(buried.rows[0], (std::vector<std::string>{ "", "0", "", "", "0", "", "", "" }));
    }
}

TEST_F(StorageTest, ABuriedTankStoresItsWindowAndTheGroundWaterLevelAsANumber)
{
    Program p(dir.path(), true);
    FormModel &w = p.ctx.forms.FormDadosEnterrada;
    w.setText("ComboSolo", "Argila média");
    w.setText("Texthna", "0,8");
    p.calculate();
    const QString path = file("enterrado.rsv");
    ASSERT_EQ(save(p, path), ErrorPair());
    const auto row = readTable(path, "RSVENT");
    EXPECT_EQ(row.rows[0],
              (std::vector<std::string>{ "Argila média", "1.52", "100", "1", "0,8", "1.6", "28",
                                         "3" }));
    // The report prints the level with the regional symbol too.
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
    EXPECT_EQ(readTable(ModuleRSVFLS::ReportDatabaseFile(p.ctx), "RSVENT").at(0, "rsventTXTHNA"),
              "0,8");
    const auto data = readTable(path, "RSVDAT");
    EXPECT_EQ(data.at(0, "rsvdatent"), "-1");
    EXPECT_EQ(data.at(0, "rsvdatASPOS"), "3");
    const auto cfg = readTable(path, "RSVCFG");
    EXPECT_EQ(cfg.at(0, "rsvcfgVRFFIS"), "-1");
    EXPECT_EQ(cfg.at(0, "rsvcfgBITREF"), "3");
    EXPECT_EQ(cfg.at(0, "rsvcfgFCK"), "150");
}

TEST_F(StorageTest, TheReportDatabaseHoldsTheReportTablesAndTheShortPositionsList)
{
    struct Case
    {
        std::int16_t layout;
        std::vector<std::pair<std::string, std::size_t>> moments; ///< column, results field
    };
    const Case cases[] = {
        { kHorizontalLayout, { { "rsvmommxp", 16 }, { "rsvmomxym", 19 }, { "rsvmomxyp", 23 } } },
        { kVerticalLayout, { { "rsvmommt1m", 27 }, { "rsvmommy1p", 24 }, { "rsvmomxybp", 38 } } },
        { kTwoWayLayout, { { "rsvmommxt", 65 }, { "rsvmomxxp1", 28 }, { "rsvmomxyf", 57 } } },
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        Program p(folder.path());
        p.calculate(c.layout);
        // Position 3 excluded from the grid: left out of the report's list and its steel.
        (void)ModulersvARM::ToggleExclusion(p.ctx, 3, 3);
        ModuleCalcConsumo::ComputeQuantities(p.ctx);
        const QString report = ModuleRSVFLS::ReportDatabaseFile(p.ctx);
        // Printing twice rebuilds the file: one row each.
        ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
        ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
        EXPECT_TRUE(p.ctx.state.projectPath.empty()) << "printing asks for no name";

        EXPECT_EQ(tableNames(report),
                  (std::vector<std::string>{ "RSVLGD", "RSVDAT", "RSVENT", "RSVRPT", "RSVCGA",
                                             "RSVCSM", "RSVARM", "RSVMOM" }));
        for (const char *table :
             { "RSVLGD", "RSVDAT", "RSVENT", "RSVRPT", "RSVCGA", "RSVCSM", "RSVMOM" })
            EXPECT_EQ(readTable(report, table).rows.size(), 1u) << table;

        const auto positions = readTable(report, "RSVARM");
        ASSERT_EQ(positions.rows.size(), 19u);
        EXPECT_EQ(positions.columns,
                  (std::vector<std::string>{ "rsvarmn", "rsvarmas", "rsvarmnvz", "rsvarmdsc" }));
        EXPECT_EQ(positions.at(1, "rsvarmn"), "2");
        EXPECT_EQ(positions.at(2, "rsvarmn"), "4");
        const auto row4 = ModulersvARM::PositionRow(p.ctx, 4);
        EXPECT_EQ(positions.rows[2],
                  (std::vector<std::string>{ row4[0].text, row4[1].text, row4[2].text,
                                             row4[3].text }));

        const auto moments = readTable(report, "RSVMOM");
        for (const auto &[column, field] : c.moments)
            EXPECT_EQ(moments.at(0, column), p.ctx.results.Text_a[field]) << column;

        const auto loads = readTable(report, "RSVCGA");
        EXPECT_EQ(loads.at(0, "rsvcgaa"), "-50"); // the live load of 50 kgf/m², stored negative
        const auto quantities = readTable(report, "RSVCSM");
        EXPECT_EQ(quantities.columns.size(), 16u);
        EXPECT_EQ(quantities.at(0, "rsvcsmfetot"),
                  p.ctx.text(TextToNumber(p.ctx.materialQuantities[3][0], "0.00")));
        EXPECT_EQ(quantities.at(0, "rsvcsmcncpar"),
                  p.ctx.text(TextToNumber(p.ctx.materialQuantities[1][1], "0.00")));
        const auto totals = readTable(report, "RSVRPT");
        EXPECT_EQ(totals.at(0, "rsvrptvt"), p.ctx.results.Text_a[7]);
        EXPECT_EQ(totals.at(0, "rsvrptvu"), p.ctx.results.Text_a[8]);
        EXPECT_EQ(totals.at(0, "rsvrptfisabtpar"),
                  p.ctx.text(TextToNumber(p.ctx.state.crackResults[0].w, "0.0000")));
    }

    // The horizontal form of RSVMOM is created with the statement as it always was, without
    // the blank after "rsvmomxym TEXT,".
    QTemporaryDir folder;
    Program p(folder.path());
    p.calculate(kHorizontalLayout);
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw");
        raw.setDatabaseName(ModuleRSVFLS::ReportDatabaseFile(p.ctx));
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("SELECT sql FROM sqlite_master WHERE name = 'RSVMOM'"));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(q.value(0).toString().contains("rsvmomxym TEXT,rsvmommxm TEXT"));
    }
    QSqlDatabase::removeDatabase("raw");
}

TEST_F(StorageTest, WithTheCrackCheckOffTheReportsCrackColumnsHoldZero)
{
    Program p(dir.path());
    p.ctx.forms.FormCFG.setState("RSVFissOK", 0);
    p.ctx.forms.FormCFG.setState("RSVFissNOK", 1);
    ApplySettings(p.ctx);
    p.calculate();
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
    const auto row = readTable(ModuleRSVFLS::ReportDatabaseFile(p.ctx), "RSVRPT");
    for (const char *column : { "rsvrptfisabtpar", "rsvrpttbupar", "rsvrpttspar", "rsvrptfisabtfnd",
                                "rsvrpttbufnd", "rsvrpttsfnd" })
        EXPECT_EQ(row.at(0, column), "0") << column;
}

TEST_F(StorageTest, ASaveThatCannotBeCompletedLeavesTheFileAsItWas)
{
    Program p(dir.path());
    p.calculate();
    const QString path = file("caixa.rsv");
    ASSERT_EQ(save(p, path), ErrorPair());
    const QByteArray before = readBytes(path);
    p.ctx.forms.FormLegenda.setText("aeESTPROJ", "Outro nome");

    // A folder that refuses the journal: as the superuser writes through permissions, a folder
    // standing where the journal must go refuses it the same way.
    ASSERT_TRUE(QDir(dir.path()).mkdir("caixa.rsv-journal"));
    const ErrorPair e = save(p, path);
    EXPECT_NE(e.number, 0);
    EXPECT_EQ(readBytes(path), before);
    ASSERT_TRUE(QDir(dir.path()).rmdir("caixa.rsv-journal"));
    EXPECT_EQ(readTable(path, "RSVLGD").at(0, "rsvlgdPRJ"), "");

    // A folder write-protected for real, where permissions bind.
    if (geteuid() != 0) {
        ASSERT_TRUE(
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const ErrorPair denied = save(p, path);
        EXPECT_EQ(denied.number, 70) << denied.description;
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                      | QFileDevice::ExeOwner);
        EXPECT_EQ(readBytes(path), before);
    }

    // A folder that is not there, or a "folder" that is a file: nothing is created.
    writeBytes(file("arquivo"), "texto");
    for (const QString &bad : { file("nao-existe/caixa.rsv"), file("arquivo/caixa.rsv") }) {
        const ErrorPair missing = save(p, bad);
        EXPECT_EQ(missing.number, 76) << missing.description;
        EXPECT_FALSE(QFileInfo::exists(bad));
    }
}

TEST_F(StorageTest, AnExistingFileThatIsNotAProjectIsNotWrittenInto)
{
    Program p(dir.path());
    p.calculate();
    // Another program's database, a report database, and a file that is no database at all.
    const QString other = file("outro.rsv");
    {
        Database db;
        ASSERT_EQ(Database::CreateDatabase(other, db), ErrorPair());
        ASSERT_EQ(db.Execute("CREATE TABLE RSVLGD (x TEXT)"), ErrorPair());
    }
    ASSERT_EQ(ProjectFlow::SaveProject(p.ctx, false, true), ErrorPair());
    const QString report = ModuleRSVFLS::ReportDatabaseFile(p.ctx);
    const QString text = file("notas.rsv");
    writeBytes(text, "obra: caixa d'água\n");

    struct Case
    {
        QString path;
        std::int32_t number;
    };
    for (const Case &c : { Case{ other, 3265 }, Case{ report, 3265 }, Case{ text, 3343 } }) {
        const QByteArray before = readBytes(c.path);
        const ErrorPair e = save(p, c.path);
        EXPECT_EQ(e.number, c.number) << e.description;
        EXPECT_EQ(readBytes(c.path), before);
    }
    // The report database refuses a project file the same way, whatever it is asked to write.
    const QString project = file("caixa.rsv");
    ASSERT_EQ(save(p, project), ErrorPair());
    const QByteArray before = readBytes(project);
    EXPECT_EQ(ModuleRSVFLS::ReplaceReportDatabase(p.ctx, project).number, 3078);
    EXPECT_EQ(readBytes(project), before);
}

TEST_F(StorageTest, EachTableWriterWorksOnItsOwnFileToo)
{
    Program p(dir.path());
    p.calculate();
    const QString path = file("caixa.rsv");
    ASSERT_EQ(ModuleRSVFLS::CreateProjectDatabase(p.ctx, path, false), ErrorPair());
    const QByteArray created = readBytes(path);
    // Created again: refused, and the file is left as it was.
    EXPECT_EQ(ModuleRSVFLS::CreateProjectDatabase(p.ctx, path, false).number, 3204);
    EXPECT_EQ(readBytes(path), created);

    p.ctx.forms.FormLegenda.setText("aeESTPROJ", "Caixa");
    EXPECT_EQ(ModuleRSVFLS::SaveLegendTable(p.ctx, path), ErrorPair());
    EXPECT_EQ(ModuleRSVFLS::SaveDataTable(p.ctx, path, false), ErrorPair());
    EXPECT_EQ(ModuleRSVFLS::SaveReinforcementTable(p.ctx, path, false), ErrorPair());
    EXPECT_EQ(ModuleRSVFLS::SaveBuriedDataTable(p.ctx, path), ErrorPair());
    EXPECT_EQ(ModuleRSVFLS::SaveParametersTable(p.ctx, path), ErrorPair());
    EXPECT_EQ(readTable(path, "RSVLGD").at(0, "rsvlgdPRJ"), "Caixa");
    EXPECT_EQ(readTable(path, "RSVARM").rows.size(), 20u);

    // A file without the table: its writer fails with the engine's error.
    project_test::execute(path, { "DROP TABLE RSVCFG" });
    EXPECT_EQ(ModuleRSVFLS::SaveParametersTable(p.ctx, path).number, 3078);
}

TEST_F(StorageTest, TheProjectsParametersGoToTheSettingsWindowAndTheDesignState)
{
    Program p(dir.path());
    p.calculate();
    const QString path = file("caixa.rsv");
    ASSERT_EQ(save(p, path), ErrorPair());
    project_test::execute(path,
                          { "UPDATE RSVCFG SET rsvcfgFCK = '200', rsvcfgVRFFIS = '0', "
                            "rsvcfgBITREF = '5', rsvcfgCOBMIN = '2,5', rsvcfgUNDMTR = '1', "
                            "rsvcfgCONPSP = '2,45'" });

    Program q(dir.path());
    ASSERT_EQ(ModuleRSVFLS::LoadParametersTable(q.ctx, path), ErrorPair());
    const FormModel &cfg = q.ctx.forms.FormCFG;
    EXPECT_EQ(cfg.text("RSVCFGCONCFCK"), "200");
    EXPECT_EQ(cfg.text("RSVCFGCOBMIN"), "2.5"); // written back in the regional settings
    EXPECT_EQ(cfg.state("RSVFissOK"), 0);
    EXPECT_EQ(cfg.state("RSVFissNOK"), 1);
    EXPECT_EQ(cfg.state("RSVBITADOTFISS"), 5);
    EXPECT_EQ(q.ctx.state.concreteFck, 200.0f);
    EXPECT_EQ(q.ctx.state.minCover, 2.5f);
    // The concrete's unit weight keeps its two decimals from the file to the calculation.
    EXPECT_EQ(cfg.text("RSVCFGCONCPESESP"), "2.45");
    EXPECT_EQ(q.ctx.state.concreteUnitWeight, 2450.0f);
    EXPECT_EQ(q.ctx.state.crackCheckOn, 0);
    EXPECT_EQ(q.ctx.state.gaugeUnitIsMm, 0);
    EXPECT_EQ(q.ctx.state.crackRefGauge, GaugeByIndex(6));

    // One value out of its limits: nothing is taken, neither the window nor the design state.
    project_test::execute(path, { "UPDATE RSVCFG SET rsvcfgFCK = '180', rsvcfgCOBMIN = '0.2'" });
    const std::string before = project_test::dumpProject(q.ctx);
    const ErrorPair e = ModuleRSVFLS::LoadParametersTable(q.ctx, path);
    EXPECT_EQ(e.number, 380);
    EXPECT_NE(e.description.find("rsvcfgCOBMIN"), std::string::npos) << e.description;
    EXPECT_NE(e.description.find("Cobertura mínima abaixo do limite permitido [ 0.5cm ]"),
              std::string::npos)
            << e.description;
    EXPECT_EQ(project_test::dumpProject(q.ctx), before);
}
