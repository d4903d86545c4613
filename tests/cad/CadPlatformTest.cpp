// The drawing platform "Reservium CAD" driven end to end by the application: the Detail command
// and the toolbox send their commands over the channel to a platform window running in the test,
// which reads the exchange files and draws what they ask for.
#include "cad/Detailing.h"
#include "cad/ModuleCAD.h"
#include "cad/app/CadMainWindow.h"
#include "cad/ui/CadSession.h"
#include "cad/ui/FormCADEscala.h"
#include "cad/ui/FormCADFormato.h"
#include "cad/ui/FormCADToolbar.h"
#include "core/ui/MDI.h"
#include "input/InputForms.h"
#include "settings/ParameterFile.h"
#include "storage/ProjectTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using project_test::Program;
using storage_test::writeBytes;

/// Saves a picture of the platform's window when RESERVIUM_SHOTS names a folder.
void shot(QWidget *w, const QString &name)
{
    const QString folder = qEnvironmentVariable("RESERVIUM_SHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    w->grab().save(folder + "/" + name + ".png");
}

int countGroupTexts(const draw::Scene &scene, const std::string &layer, const std::string &prefix)
{
    int n = 0;
    for (const draw::Group &g : scene.groups)
        for (const draw::Item &item : g.items)
            if (const auto *t = std::get_if<draw::Text>(&item.shape))
                n += item.stroke.layer == layer && t->text.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

int countBars(const draw::Group &g)
{
    int n = 0;
    for (const draw::Item &item : g.items)
        n += item.stroke.layer == "Armaduras" ? 1 : 0;
    return n;
}

int countDimensions(const draw::Group &g)
{
    int n = 0;
    for (const draw::Item &item : g.items)
        n += std::holds_alternative<draw::Dimension>(item.shape) ? 1 : 0;
    return n;
}

class CadPlatformTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && runtime.isValid());
        previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        previousCadHome = qgetenv("RESERVIUM_CAD_HOME");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("RESERVIUM_CAD_HOME", QFile::encodeName(home.filePath("cad")));
        program = std::make_unique<Program>(home.path());
        program->setElevated(true);
        program->calculate();
        SetLegendText(program->ctx.forms.FormLegenda, "aeESTPROJ", "Caixa da praça");
        window = std::make_unique<MDI>(program->ctx);
        program->ctx.setUi(&program->ui);
        window->registerForm("FormResultados", [](MDI &) { return new QWidget; });
        window->show();
        window->ShowForm("FormResultados");
        session = window->findChild<CadSession *>(QStringLiteral("CadSession"));
        ASSERT_NE(session, nullptr);
        // The platform chosen in "Localizar Plataforma CAD": its start-up block and settings.
        ASSERT_EQ(ModuleCAD::StoreCadPlatform(program->ctx, 4, QStringLiteral("/usr/bin/true")),
                  ErrorPair());
        QFile::copy(QStringLiteral(RESERVIUM_TEST_DATA_DIR "/RSV_ACAD.CFG"),
                    QDir(home.path()).filePath("RSV_ACAD.CFG"));
    }
    void TearDown() override
    {
        platform.reset();
        program->ctx.setUi(nullptr);
        window.reset();
        program.reset();
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
        qputenv("RESERVIUM_CAD_HOME", previousCadHome);
    }

    /// The platform started as its program starts: listening, then its start-up file.
    void startPlatform()
    {
        platform = std::make_unique<CadMainWindow>();
        ASSERT_TRUE(platform->listen());
        platform->show();
        platform->start(ModuleCAD::ReserviumCadFolder());
    }

    QString history() const
    {
        return platform->findChild<QPlainTextEdit *>("commandHistory")->toPlainText();
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    QByteArray previousRuntime;
    QByteArray previousCadHome;
    std::unique_ptr<Program> program;
    std::unique_ptr<MDI> window;
    CadSession *session = nullptr;
    std::unique_ptr<CadMainWindow> platform;
};

} // namespace

TEST_F(CadPlatformTest, DetailAndTheToolboxDrawInTheRunningPlatform)
{
    startPlatform();
    // Started before any detailing, its start-up block's RSV_INI finds no tank yet.
    EXPECT_TRUE(history().contains("RSV_DET.ENT: o arquivo não foi encontrado"))
            << history().toStdString();

    ASSERT_TRUE(window->runCommand("DETAIL"));
    EXPECT_EQ(platform->windowTitle(), QStringLiteral("Reservium CAD - [Caixa da praça]"));
    shot(platform.get(), "platform-ini");
    const draw::Scene &scene = platform->session().scene();
    EXPECT_EQ(scene.layers.size(), 10u);

    FormCADToolbar *box = session->toolbar();
    box->Command2->click();
    ASSERT_NE(scene.findGroup(Detailing::kSectionA), nullptr) << history().toStdString();
    EXPECT_EQ(countBars(*scene.findGroup(Detailing::kSectionA)), 0);
    EXPECT_EQ(countDimensions(*scene.findGroup(Detailing::kSectionA)), 0);
    shot(platform.get(), "platform-dfr");
    box->Command3->click();
    EXPECT_GT(countDimensions(*scene.findGroup(Detailing::kSectionA)), 5);
    shot(platform.get(), "platform-dct");
    box->Command4->click();
    EXPECT_GT(countBars(*scene.findGroup(Detailing::kSectionA)), 10);
    ASSERT_NE(scene.findGroup(Detailing::kSchedule), nullptr);
    int included = 0;
    for (int i = 1; i <= 20; ++i)
        included += program->ctx.rebarPosition(i).OUTAS ? 0 : 1;
    int labels = 0;
    for (int i = 1; i <= 20; ++i)
        labels += countGroupTexts(scene, "Texto das Armaduras", "N" + std::to_string(i) + " ");
    EXPECT_EQ(labels, included);
    shot(platform.get(), "platform-das");

    // The sheet of the format window, A1, with the legend in its title block.
    box->Command8->click();
    FormCADFormato *format = session->formato();
    format->Option[3]->setChecked(true);
    format->Command1->click();
    ASSERT_NE(scene.findGroup(Detailing::kSheet), nullptr) << history().toStdString();
    EXPECT_EQ(countGroupTexts(scene, "Texto Geral", "FORMATO: A1"), 1);
    EXPECT_EQ(countGroupTexts(scene, "Texto Geral", "Caixa da praça"), 1);
    shot(platform.get(), "platform-dfm");

    // The section selected in the platform, inserted at 1 : 25 and then changed to 1 : 20.
    auto *elements = platform->findChild<QListWidget *>("elementList");
    const auto items = elements->findItems(Detailing::kSectionA, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    elements->setCurrentItem(items.first());
    ASSERT_EQ(platform->session().selected(), Detailing::kSectionA);
    box->Command9->click();
    FormCADEscala *scale = session->escala();
    scale->Option[3]->setChecked(true); // 1 : 25
    scale->Command1->click();
    EXPECT_EQ(platform->session().scaleOf(Detailing::kSectionA), 25) << history().toStdString();
    EXPECT_DOUBLE_EQ(scene.findGroup(Detailing::kSectionA)->scale, 10.0 / 25);
    QTimer::singleShot(0, [scale] {
        scale->Option[7]->setChecked(true); // 1 : 20
        scale->Command1->click();
    });
    box->Command10->click();
    EXPECT_EQ(platform->session().scaleOf(Detailing::kSectionA), 20) << history().toStdString();
    shot(platform.get(), "platform-aes");

    // The reinforcement editor's request, drawn in the selected view.
    writeBytes(QDir(home.path()).filePath("RSV_EAS.ENT"),
               "21\r\n4\r\n10\r\n0\r\n120\r\n1\r\n1\r\n1\r\n1\r\n");
    EXPECT_TRUE(ModuleCAD::SendCadCommand(program->ctx, 11));
    EXPECT_EQ(countGroupTexts(scene, "Texto das Armaduras", "N21 4 ø10 C=120"), 1)
            << history().toStdString();

    // The drawing saved as DXF from the platform.
    const QString dxf = home.filePath("desenho.dxf");
    EXPECT_EQ(platform->session().save(dxf.toStdString()), ErrorPair());
    EXPECT_TRUE(QFile::exists(dxf));
}

TEST_F(CadPlatformTest, AMalformedFileRefusesTheCommandAndKeepsTheDrawing)
{
    startPlatform();
    ASSERT_TRUE(window->runCommand("DETAIL"));
    session->toolbar()->Command2->click();
    const std::size_t groups = platform->session().scene().groups.size();
    ASSERT_EQ(groups, 4u);
    // A detailing file cut short: the command is refused with the file and the line.
    writeBytes(QDir(home.path()).filePath("RSV_DET.ENT"), "279\r\n256\r\n");
    EXPECT_EQ(platform->runCommand("RSV_DCT").toStdString(),
              "RSV_DCT: RSV_DET.ENT: o arquivo tem 2 linhas; são esperadas 116.");
    EXPECT_EQ(platform->session().scene().groups.size(), groups);
    EXPECT_EQ(countDimensions(*platform->session().scene().findGroup(Detailing::kSectionA)), 0);
    EXPECT_TRUE(history().contains("RSV_DET.ENT: o arquivo tem 2 linhas"));
    EXPECT_EQ(platform->runCommand("RSV_XYZ").toStdString(), "Comando desconhecido: RSV_XYZ.");
}

TEST_F(CadPlatformTest, WithoutTheStartupBlockThePlatformStaysIdle)
{
    writeBytes(QDir(ModuleCAD::ReserviumCadFolder()).filePath("acad.lsp"), "(princ)\r\n");
    startPlatform();
    EXPECT_TRUE(history().contains("acad.lsp: não tem o bloco do Reservium"))
            << history().toStdString();
    EXPECT_EQ(platform->runCommand("RSV_DFR").left(8), QStringLiteral("RSV_DFR:"));
    EXPECT_TRUE(platform->session().scene().groups.empty());
}

TEST(StartupBlock, TakesOnlyTheReserviumBlock)
{
    const std::string file = "(setq x 1)\r\n"
                             ";### Reservium ##############\r\n"
                             "(setq RSV_PathCAD \"/old/\")\r\n"
                             "(setq RSV_AppPath \"/old/app/\")\r\n"
                             "(defun c:RSV_INI ( / ) (load\"/old/app/RSD.lsp\"))\r\n"
                             "(C:RSV_INI)\r\n"
                             ";#############################\r\n"
                             ";### Reservium ##############\r\n"
                             "(setq RSV_PathCAD \"/home/ana/cad/\")\r\n"
                             "(setq RSV_AppPath \"/home/ana/reservium/\")\r\n"
                             "(defun c:RSV_INI ( / ) (load\"/home/ana/reservium/RSD.lsp\"))\r\n"
                             "(C:RSV_INI)\r\n"
                             ";#############################\r\n"
                             "(command \"_erase\" \"all\")\r\n";
    const auto block = ExchangeFiles::ParseStartupBlock(file);
    ASSERT_TRUE(block.ok()) << block.error.message();
    EXPECT_EQ(block.value->appFolder, "/home/ana/reservium/");
    EXPECT_EQ(block.value->platformFolder, "/home/ana/cad/");
    EXPECT_TRUE(block.value->callsIni);

    std::string noCall = file;
    noCall.replace(noCall.rfind("(C:RSV_INI)"), 11, "(princ)");
    EXPECT_FALSE(ExchangeFiles::ParseStartupBlock(noCall).value->callsIni);
    std::string broken = file;
    broken.replace(broken.rfind("(setq RSV_AppPath"), 17, "(setq RSV_Other");
    EXPECT_EQ(ExchangeFiles::ParseStartupBlock(broken).error.message(),
              "acad.lsp, linha 10: esperado (setq RSV_AppPath \"...\").");
}
