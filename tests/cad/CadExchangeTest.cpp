// The exchange files the drawing platform reads, the start-up block, and the drawing commands
// sent to a scripted platform.
#include "cad/CadExchange.h"
#include "cad/CadForms.h"
#include "cad/CadPlatform.h"
#include "cad/CommandChannel.h"
#include "cad/ModuleCAD.h"
#include "input/InputForms.h"
#include "settings/ParameterFile.h"
#include "storage/ProjectTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using project_test::Program;
using storage_test::readBytes;
using storage_test::writeBytes;

QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.last(), QString()) << "the last line ends with CR LF";
    lines.removeLast();
    return lines;
}

/// A fresh program folder and runtime folder per test, so that no real platform is reached.
class CadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && runtime.isValid());
        previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        previousCadHome = qgetenv("RESERVIUM_CAD_HOME");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("RESERVIUM_CAD_HOME", QFile::encodeName(home.filePath("cad")));
    }
    void TearDown() override
    {
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
        qputenv("RESERVIUM_CAD_HOME", previousCadHome);
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    QByteArray previousRuntime;
    QByteArray previousCadHome;
};

TEST_F(CadTest, DetailingFileOfEachDefaultProject)
{
    // Each default project: 116 lines in the program's folder, the dimensions in centimetres,
    // the settings as typed, and each position's group from its record.
    for (const bool elevated : { true, false }) {
        for (const std::int16_t layout : { 1000, 2000, 3000 }) {
            QTemporaryDir folder;
            Program p(folder.path());
            p.setElevated(elevated);
            p.calculate(layout);
            ASSERT_EQ(ModuleCAD::WriteDetailingFile(p.ctx), ErrorPair());
            const QStringList lines = linesOf(readBytes(folder.filePath("RSV_DET.ENT")));
            ASSERT_EQ(lines.size(), 116);
            const QString what = QStringLiteral("%1 %2").arg(elevated).arg(layout);
            // The default tank is 2.79 × 2.56 × 2.61 m.
            EXPECT_EQ(lines.mid(0, 3).join(' '), QStringLiteral("279 256 261"))
                    << what.toStdString();
            for (int i = 3; i < 6; ++i) {
                const std::size_t field = i == 3 ? 4 : static_cast<std::size_t>(i + 1);
                EXPECT_EQ(lines[i].toStdString(),
                          CadExchange::DimensionText(p.ctx.results.Text_a[field]));
            }
            EXPECT_EQ(lines.mid(6, 5).join(' '), QStringLiteral("1.5 CA-50 15 25 150"));
            for (int n = 1; n <= 20; ++n) {
                const RebarPosition &pos = p.ctx.rebarPosition(n);
                const int at = 11 + 5 * (n - 1);
                if (pos.OUTAS != 0)
                    continue;
                EXPECT_EQ(lines[at].toStdString(), pos.N);
                EXPECT_EQ(lines[at + 1].toStdString(), Int16Text(pos.NBR));
                EXPECT_EQ(lines[at + 2].toStdString(), pos.gauge.labelMm);
                EXPECT_EQ(lines[at + 3].toStdString(), SingleTextC(pos.C));
                EXPECT_EQ(lines[at + 4].toStdString(), SingleTextC(pos.CMP));
            }
            // The default hatch: 1.00 × 1.00 m at 1.00, 1.00 (as the lid window starts).
            EXPECT_EQ(lines.mid(111).join(' '), QStringLiteral("100 100 100 100 15"));
            for (const QString &line : lines) {
                EXPECT_FALSE(line.contains(',')) << line.toStdString();
                EXPECT_FALSE(line.endsWith(' ')) << line.toStdString();
            }
        }
    }
}

TEST_F(CadTest, DetailingFileEdgeCases)
{
    Program p(home.path(), true);
    p.setElevated(true);
    p.calculate();
    auto &a = p.ctx.results.Text_a;
    a[0] = "2,79";
    a[1] = "2,56";
    a[2] = "2,61";
    a[3] = "2,00"; // the water level is not written
    a[4] = a[5] = a[6] = "0,15";
    // A typed value with a decimal comma: only the first comma becomes a point.
    p.ctx.forms.FormCFG.setText("RSVCFGCOBMIN", "1,5 ");
    p.ctx.forms.FormCFG.setText("RSVCHAMFPAR", "1,2,3");
    p.ctx.forms.FormCFG.setState("RSVCFGTIPOACO", 1);
    // An excluded position and an empty lid field.
    p.ctx.rebarPosition(2).OUTAS = -1;
    p.ctx.forms.FormPosTampa.setText("Text_Ly", "");
    // Gauges labelled in inches.
    p.ctx.state.gaugeUnitIsMm = 0;

    const std::vector<std::string> lines = CadExchange::DetailingLines(p.ctx);
    ASSERT_EQ(lines.size(), 116u);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 11);
    EXPECT_EQ(head,
              (std::vector<std::string>{ "279", "256", "261", "15", "15", "15", "1.5", "CA-60",
                                         "1.2,3", "25", "150" }));
    EXPECT_EQ(lines[13], p.ctx.rebarPosition(1).gauge.labelInches);
    EXPECT_NE(lines[13], p.ctx.rebarPosition(1).gauge.labelMm);
    const std::vector<std::string> excluded(lines.begin() + 16, lines.begin() + 21);
    EXPECT_EQ(excluded,
              (std::vector<std::string>{ "0", "0", p.ctx.rebarPosition(2).gauge.labelInches, "0",
                                         "0" }));
    EXPECT_EQ(lines[114], "0");

    EXPECT_EQ(CadExchange::ExchangeLine("12,5  "), "12.5");
    EXPECT_EQ(CadExchange::ExchangeLine("Rua A,\r\nNúmero 5"), "Rua A.  Número 5");
}

TEST_F(CadTest, LegendFileHoldsTheFiveTexts)
{
    Program p(home.path());
    SetLegendText(p.ctx.forms.FormLegenda, "aeESTPROJ", "Caixa d'água, bloco B");
    SetLegendText(p.ctx.forms.FormLegenda, "aeESTRESP", "Eng. Ana ");
    ASSERT_EQ(ModuleCAD::WriteDetailingFile(p.ctx), ErrorPair());
    EXPECT_EQ(readBytes(home.filePath("RSV_LGD.ENT")),
              QByteArray("Caixa d'\xc3\xa1gua. bloco B\r\n\r\n\r\nEng. Ana\r\n\r\n"));
}

TEST_F(CadTest, AFailedWriteKeepsTheOldFileAndSendsNothing)
{
    Program p(home.path());
    p.calculate();
    CommandServer platform;
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    QSignalSpy received(&platform, &CommandServer::commandReceived);
    ASSERT_EQ(ParameterFile::inFolder(home.path().toStdString())
                      .SaveFileSettings({ { "NameCAD", "Reservium CAD" } }),
              ErrorPair());

    // The file's place is taken by a folder: the write fails, is reported, nothing is sent.
    ASSERT_TRUE(QDir(home.path()).mkdir("RSV_DET.ENT"));
    EXPECT_FALSE(ModuleCAD::Detail(p.ctx));
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title.substr(0, 5), "Erro ");
    EXPECT_NE(p.ui.messages[0].text.find("RSV_DET.ENT"), std::string::npos);
    EXPECT_EQ(received.count(), 0);

    // A written file is replaced whole, never truncated in place.
    const QString format = home.filePath("RSV_DFM.ENT");
    ASSERT_EQ(ModuleCAD::WriteExchangeFile(format, CadExchange::FormatLines("21", "29,7")),
              ErrorPair());
    EXPECT_EQ(readBytes(format), QByteArray("21\r\n29.7\r\n"));
    EXPECT_NE(ModuleCAD::WriteExchangeFile(home.filePath("missing/RSV_DFM.ENT"), { "1" }).number,
              0);
}

TEST_F(CadTest, DetailSendsTheStartCommandToTheRunningPlatform)
{
    Program p(home.path());
    p.calculate();
    CommandServer platform;
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    QStringList received;
    // The platform reads the file when the command arrives: it must be complete by then.
    int linesSeen = 0;
    platform.setHandler([&](const QString &command) {
        received << command;
        linesSeen = static_cast<int>(linesOf(readBytes(home.filePath("RSV_DET.ENT"))).size());
        return QString();
    });
    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 4, QStringLiteral("/usr/bin/true")), ErrorPair());

    EXPECT_TRUE(ModuleCAD::Detail(p.ctx));
    EXPECT_EQ(received, QStringList{ QStringLiteral("RSV_INI") });
    EXPECT_EQ(linesSeen, 116);

    // Every drawing command by its code.
    received.clear();
    for (const int code : { 2, 3, 4, 8, 9, 10, 11 })
        EXPECT_TRUE(ModuleCAD::SendCadCommand(p.ctx, code)) << code;
    EXPECT_EQ(received.join(' '),
              QStringLiteral("RSV_DFR RSV_DCT RSV_DAs RSV_DFM RSV_IEL RSV_AES RSV_EAS"));
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST_F(CadTest, WithNoPlatformRunningPathCadIsStartedAndNothingIsSent)
{
    Program p(home.path());
    // A stand-in platform: it leaves a mark and exits.
    const QString mark = home.filePath("started");
    const QString program = home.filePath("fake-cad.sh");
    writeBytes(program, "#!/bin/sh\ntouch '" + mark.toUtf8() + "'\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 4, program), ErrorPair());

    bool formShown = false;
    EXPECT_FALSE(ModuleCAD::SendCadCommand(p.ctx, 2, [&] { formShown = true; }));
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(mark) && clock.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(mark));
    EXPECT_FALSE(formShown);
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST_F(CadTest, AMissingPlatformProgramIsReportedAndThePlatformWindowShown)
{
    Program p(home.path());
    ASSERT_EQ(
            ParameterFile::inFolder(home.path().toStdString())
                    .SaveFileSettings({ { "NameCAD", " AutoCAD " },
                                        { "PathCAD", home.filePath("nada/acad.exe").toStdString() },
                                        { "CADver", "1" } }),
            ErrorPair());
    EXPECT_EQ(ModuleCAD::ReadCadSettings(p.ctx).name, QStringLiteral("AutoCAD"));
    bool formShown = false;
    EXPECT_FALSE(ModuleCAD::SendCadCommand(p.ctx, 0, [&] { formShown = true; }));
    EXPECT_TRUE(formShown);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title, "ATENÇÃO!");
    EXPECT_EQ(p.ui.messages[0].icon, UiHost::Icon::Critical);
    EXPECT_EQ(p.ui.messages[0].text,
              "O Reservium não inicializou o AutoCAD.\n"
              "O Caminho especificado para o AutoCAD está incorreto.");
}

TEST_F(CadTest, StartupBlockIsReplacedAndTheOldFileBackedUp)
{
    Program p(home.path());
    const QString acadFolder = home.filePath("acad");
    ASSERT_TRUE(QDir().mkpath(acadFolder));
    const QString exe = acadFolder + "/acad.exe";
    writeBytes(exe, "");
    const QString startup = acadFolder + "/acad.lsp";
    // A start-up file of the user's own, without a block and without a last line end.
    const QByteArray own = "(princ \"ola\")\r\n(setq x 1)";
    writeBytes(startup, own);

    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 0, exe), ErrorPair());
    const QString program = home.path();
    const QByteArray block = ";### Reservium ##############\r\n"
                             "(setq RSV_PathCAD \""
            + acadFolder.toUtf8()
            + "/\")\r\n"
              "(setq RSV_AppPath \""
            + program.toUtf8()
            + "/\")\r\n"
              "(defun c:RSV_INI ( / ) (load\""
            + program.toUtf8()
            + "/RSD.lsp\"))\r\n"
              "(C:RSV_INI)\r\n"
              ";#############################\r\n";
    EXPECT_EQ(readBytes(startup), own + "\r\n" + block);
    EXPECT_EQ(readBytes(acadFolder + "/acad.old"), own);

    // Chosen again: still one block, and the previous file is the backup.
    const QByteArray first = readBytes(startup);
    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 1, exe), ErrorPair());
    EXPECT_EQ(readBytes(startup), own + "\r\n" + block);
    EXPECT_EQ(readBytes(acadFolder + "/acad.old"), first);

    const ModuleCAD::CadSettings stored = ModuleCAD::ReadCadSettings(p.ctx);
    EXPECT_EQ(stored.name, QStringLiteral("AutoCAD 2000"));
    EXPECT_EQ(stored.path, exe);
    EXPECT_EQ(stored.version, QStringLiteral("2"));

    // IntelliCAD takes "icad.lsp"; our own platform its per-user folder.
    EXPECT_EQ(CadPlatform::StartupFileName("INTELLICAD 98"), "icad.lsp");
    EXPECT_EQ(CadPlatform::StartupFileName("Reservium CAD"), "acad.lsp");
    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 2, exe), ErrorPair());
    EXPECT_TRUE(QFile::exists(acadFolder + "/icad.lsp"));
    ASSERT_EQ(ModuleCAD::StoreCadPlatform(p.ctx, 4, exe), ErrorPair());
    EXPECT_TRUE(QFile::exists(home.filePath("cad/acad.lsp")));
}

TEST_F(CadTest, AnUnwritableStartupFileStoresNothing)
{
    Program p(home.path());
    const QString acadFolder = home.filePath("acad");
    ASSERT_TRUE(QDir().mkpath(acadFolder + "/acad.lsp")); // a folder where the file should be
    const QString exe = acadFolder + "/acad.exe";
    writeBytes(exe, "");
    const ErrorPair e = ModuleCAD::StoreCadPlatform(p.ctx, 0, exe);
    EXPECT_NE(e.number, 0);
    EXPECT_FALSE(e.description.empty());
    EXPECT_TRUE(ModuleCAD::ReadCadSettings(p.ctx).name.isEmpty());
}

TEST_F(CadTest, SheetSizesAndScales)
{
    using Sheet = std::pair<std::string, std::string>;
    EXPECT_EQ(CadForms::SheetSize(1, "", ""), (Sheet{ "21", "29.7" }));
    EXPECT_EQ(CadForms::SheetSize(5, "", ""), (Sheet{ "118.9", "84.1" }));
    // A custom sheet of 500 × 350 mm is 50 × 35 cm; one of 297 mm is 29.7 cm.
    EXPECT_EQ(CadForms::SheetSize(6, "500", "350"), (Sheet{ "50", "35" }));
    EXPECT_EQ(CadForms::SheetSize(6, "297", "0420"), (Sheet{ "29.7", "42" }));
    EXPECT_EQ(CadForms::SheetSize(6, "0", "350"), std::nullopt);
    EXPECT_EQ(CadForms::SheetSize(6, "500", ""), std::nullopt);

    EXPECT_EQ(CadForms::ScaleValue(1, ""), "100");
    EXPECT_EQ(CadForms::ScaleValue(8, ""), "20");
    EXPECT_EQ(CadForms::ScaleValue(7, "40"), "40");
    EXPECT_EQ(CadForms::ScaleValue(7, "0"), std::nullopt);
    EXPECT_EQ(CadForms::ScaleValue(7, ""), std::nullopt);
}

TEST_F(CadTest, DrawingSettingsReadAndWrittenBackUnchangedUnderBothDecimalSymbols)
{
    const std::vector<std::string> file{
        "3",     "2.5",
        "6.3",   "20",
        "0.35",  "42000",
        "29700", "8",
        "7",     "1",
        "3",     "256",
        "4",     "2",
        "6",     "7",
        "250",   "romans.shx",
        "5",     "simplex.shx",
        "3",     "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "3",     "romans.shx",
        "2",     "romans.shx",
        "2",     "0",
        "0",     "1",
        "0",     "0",
    };
    ASSERT_EQ(file.size(), 32u);
    for (const bool comma : { false, true }) {
        FormModel form = CadForms::MakeFormCADCfg();
        EXPECT_EQ(CadForms::ReadCadConfig(form, file, comma), 0);
        EXPECT_EQ(form.state("Option3"), 1);
        EXPECT_EQ(form.state("Option1"), 0);
        EXPECT_EQ(form.text("NumberBox3"), comma ? "2,5" : "2.5");
        EXPECT_EQ(form.text("Text8"), "35"); // stored as a fraction
        EXPECT_EQ(form.state("AcadColor12"), 256);
        EXPECT_EQ(form.text("Text2"), "simplex.shx"); // keeps its dot under a comma
        EXPECT_EQ(form.state("Check3"), 1);
        EXPECT_EQ(CadForms::CadConfigLines(form), file) << "comma " << comma;
    }

    // A short file: the missing lines are counted and their controls keep their values.
    FormModel form = CadForms::MakeFormCADCfg();
    const std::vector<std::string> shortFile(file.begin(), file.begin() + 10);
    EXPECT_EQ(CadForms::ReadCadConfig(form, shortFile, false), 22);
    EXPECT_EQ(form.state("AcadColor17"), 7);

    // The spinner steps the height by whole units.
    CadForms::SpinHeight(form, 1, 1);
    EXPECT_EQ(form.text("Text9"), "1");
}

TEST_F(CadTest, DrawingSettingsFileIsSeededAndSavedInTheProgramFolder)
{
    Program p(home.path());
    FormModel form = CadForms::MakeFormCADCfg();
    int missing = -1;
    ASSERT_EQ(ModuleCAD::ReadCadConfig(p.ctx, form, missing), ErrorPair());
    EXPECT_EQ(missing, 0);
    const QByteArray shipped = readBytes(storage_test::shippedData() + "/RSV_ACAD.CFG");
    EXPECT_EQ(readBytes(home.filePath("RSV_ACAD.CFG")), shipped);
    form.setText("NumberBox3", "60");
    ASSERT_EQ(ModuleCAD::SaveCadConfig(p.ctx, form), ErrorPair());
    QByteArray expected = shipped;
    expected.replace("\r\n50\r\n", "\r\n60\r\n");
    EXPECT_EQ(readBytes(home.filePath("RSV_ACAD.CFG")), expected);
}

TEST_F(CadTest, EditorRequests)
{
    CadForms::EditorEntry longitudinal;
    longitudinal.position = "3";
    longitudinal.bars = "12";
    longitudinal.gauge = "10";
    longitudinal.spacing = "12.5";
    longitudinal.length = "a definir";
    longitudinal.checks = { true, false, true, false };
    EXPECT_EQ(CadForms::EditorDescription(longitudinal), "(N3) = 12 10c12.5 - a definir");
    EXPECT_EQ(CadForms::EditorRequest(longitudinal),
              (std::vector<std::string>{ "3", "12", "10", "12.5", "0", "1", "0", "1", "0" }));

    CadForms::EditorEntry transverse;
    transverse.longitudinal = false;
    transverse.byBarCount = false;
    transverse.position = "4";
    transverse.bars = " ? ";
    transverse.gauge = "5/16";
    transverse.spacing = "15";
    transverse.length = "100";
    EXPECT_EQ(CadForms::CheckEditor(transverse), std::nullopt);
    EXPECT_EQ(CadForms::EditorRequest(transverse),
              (std::vector<std::string>{ "4", "0", "5/16", "15", "100", "1", "1", "1", "1" }));

    struct Case
    {
        std::string position, bars, spacing, length;
        bool longitudinal;
        const char *field;
    };
    for (const Case &c : {
                 Case{ "0", "1", "5", "", true, "position" },
                 Case{ "2", "", "5", "", true, "bars" },
                 Case{ "2", "1", "0", "", true, "spacing" },
                 Case{ "2", "1", "5", "", false, "length" },
         }) {
        CadForms::EditorEntry e;
        e.longitudinal = c.longitudinal;
        e.position = c.position;
        e.bars = c.bars;
        e.spacing = c.spacing;
        e.length = c.length;
        const auto problem = CadForms::CheckEditor(e);
        ASSERT_TRUE(problem.has_value()) << c.field;
        EXPECT_EQ(problem->field, c.field);
    }
    EXPECT_EQ(CadForms::StepPosition("1", -1), "1");
    EXPECT_EQ(CadForms::StepPosition("1", 1), "2");
    EXPECT_EQ(CadForms::StepPosition("5", -1), "4");
}

TEST_F(CadTest, ADocumentThatCannotBeOpenedIsReported)
{
    Program p(home.path());
    const QString path = home.filePath("reservium.chm");
    EXPECT_FALSE(ModuleCAD::OpenDocument(p.ctx, path));
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title, "ATENÇÃO!");
    EXPECT_EQ(p.ui.messages[0].icon, UiHost::Icon::Critical);
    EXPECT_EQ(p.ui.messages[0].text,
              "O arquivo " + path.toStdString()
                      + " não pode ser aberto.\nVerifique se existe algum "
                        "aplicativo associado à extensão: .chm");
}

} // namespace
