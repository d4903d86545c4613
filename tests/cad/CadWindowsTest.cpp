// The CAD windows driven as the user drives them, against a scripted drawing platform that
// records the commands it receives and the exchange files as they were when each arrived.
#include "cad/CommandChannel.h"
#include "cad/ui/CadColorPicker.h"
#include "cad/ui/CadSession.h"
#include "cad/ui/FormCADCfg.h"
#include "cad/ui/FormCADEdAs.h"
#include "cad/ui/FormCADEscala.h"
#include "cad/ui/FormCADFormato.h"
#include "cad/ui/FormCADToolbar.h"
#include "cad/ui/FormSetCad.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "settings/ParameterFile.h"
#include "storage/ProjectTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using project_test::Program;
using storage_test::readBytes;
using storage_test::writeBytes;

/// Saves a picture of a window when RESERVIUM_SHOTS names a folder (run under a real display to
/// look at the windows).
void shot(QWidget *w, const QString &name)
{
    const QString folder = qEnvironmentVariable("RESERVIUM_SHOTS");
    if (folder.isEmpty())
        return;
    w->show();
    w->raise();
    QApplication::processEvents();
    w->grab().save(folder + "/" + name + ".png");
}

class CadWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && runtime.isValid());
        previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("RESERVIUM_CAD_HOME", QFile::encodeName(home.filePath("cad")));
        program = std::make_unique<Program>(home.path());
        program->setElevated(true);
        program->calculate();
        window = std::make_unique<MDI>(program->ctx);
        // Message boxes are recorded, not shown.
        program->ctx.setUi(&program->ui);
        // A results window standing in for the real one: the Detail command needs it shown.
        window->registerForm("FormResultados", [](MDI &) { return new QWidget; });
        window->show();
        window->ShowForm("FormResultados");
        session = window->findChild<CadSession *>(QStringLiteral("CadSession"));
        ASSERT_NE(session, nullptr);
        platform.setHandler([this](const QString &command) {
            received << command;
            // What the platform would read when the command arrives.
            const char *file = command == "RSV_DFM"                ? "RSV_DFM.ENT"
                    : command == "RSV_IEL" || command == "RSV_AES" ? "RSV_ESC.ENT"
                    : command == "RSV_EAS"                         ? "RSV_EAS.ENT"
                                                                   : "RSV_DET.ENT";
            filesSeen << QString::fromUtf8(readBytes(home.filePath(file)));
            return QString();
        });
    }
    void TearDown() override
    {
        program->ctx.setUi(nullptr);
        window.reset();
        program.reset();
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }

    void choosePlatform(const QString &path)
    {
        ASSERT_EQ(ParameterFile::inFolder(home.path().toStdString())
                          .SaveFileSettings({ { "NameCAD", "Reservium CAD" },
                                              { "PathCAD", path.toStdString() },
                                              { "CADver", "5" } }),
                  ErrorPair());
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    QByteArray previousRuntime;
    std::unique_ptr<Program> program;
    std::unique_ptr<MDI> window;
    CadSession *session = nullptr;
    CommandServer platform;
    QStringList received;
    QStringList filesSeen;
};

TEST_F(CadWindowsTest, DetailNeedsTheResultsWindow)
{
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    choosePlatform("/usr/bin/true");
    window->HideForm("FormResultados");
    ASSERT_TRUE(window->runCommand("DETAIL"));
    EXPECT_TRUE(received.isEmpty());
    EXPECT_FALSE(QFile::exists(home.filePath("RSV_DET.ENT")));
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(CadWindowsTest, DetailAndTheToolboxDriveTheRunningPlatform)
{
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    choosePlatform("/usr/bin/true");
    // The Tools menu enables the detailing when it opens over the results window.
    emit window->findChild<QMenu *>("TOOLS")->aboutToShow();
    ASSERT_TRUE(window->menuItem("DETAIL")->isEnabled());
    ASSERT_TRUE(window->menuItem("FINDCAD")->isEnabled());

    ASSERT_TRUE(window->runCommand("DETAIL"));
    EXPECT_EQ(received, QStringList{ "RSV_INI" });
    EXPECT_EQ(filesSeen.value(0).count("\r\n"), 116);
    EXPECT_TRUE(window->isMinimized());
    FormCADToolbar *box = session->toolbar();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Reservium® ToolBox"));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    shot(box, "toolbox-unfolded");

    received.clear();
    box->Command2->click();
    box->Command3->click();
    box->Command4->click();
    EXPECT_EQ(received, (QStringList{ "RSV_DFR", "RSV_DCT", "RSV_DAs" }));
    EXPECT_EQ(box->Command4->toolTip(), QStringLiteral("Desenha Reservatório com Armaduras"));

    box->Image2->click();
    EXPECT_TRUE(box->isFolded());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("... Reservium® ToolBox"));
    EXPECT_FALSE(box->Command2->isVisible());
    shot(box, "toolbox-folded");
    box->Image2->click();
    EXPECT_FALSE(box->isFolded());
    EXPECT_TRUE(box->Command2->isVisible());
}

TEST_F(CadWindowsTest, FormatAndScaleWriteTheirFilesBeforeTheirCommands)
{
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    choosePlatform("/usr/bin/true");
    FormCADToolbar *box = session->toolbar();

    box->Command8->click();
    FormCADFormato *format = session->formato();
    ASSERT_TRUE(format->isVisible());
    EXPECT_TRUE(format->Option[0]->isChecked());
    shot(format, "format");
    // Typing in a custom field chooses the custom sheet: 500 × 350 mm.
    format->NumberBox1->setFocus();
    QTest::keyClicks(format->NumberBox1, "500");
    EXPECT_TRUE(format->Option[5]->isChecked());
    QTest::keyClicks(format->NumberBox2, "350");
    format->Command1->click();
    EXPECT_EQ(received, QStringList{ "RSV_DFM" });
    EXPECT_EQ(filesSeen.value(0), QStringLiteral("50\r\n35\r\n"));
    EXPECT_FALSE(format->isVisible());

    // Insert an element at 1 : 50.
    box->Command9->click();
    FormCADEscala *scale = session->escala();
    EXPECT_EQ(scale->insertMode, 1);
    shot(scale, "scale");
    scale->Option[2]->setChecked(true);
    scale->Command1->click();
    // Change an element's scale: the window is modal, answered from inside its loop.
    QTimer::singleShot(0, [scale] {
        scale->Option[7]->setChecked(true);
        scale->Command1->click();
    });
    box->Command10->click();
    EXPECT_EQ(scale->insertMode, 0);
    EXPECT_EQ(received, (QStringList{ "RSV_DFM", "RSV_IEL", "RSV_AES" }));
    EXPECT_EQ(filesSeen.mid(1), (QStringList{ "50\r\n", "20\r\n" }));

    // A custom scale of 0 is refused: a message, the focus on the field, nothing written or sent.
    QFile::remove(home.filePath("RSV_ESC.ENT"));
    box->Command9->click();
    scale->Option[6]->setChecked(true);
    scale->NumberBox1->setText("0");
    scale->Command1->click();
    ASSERT_EQ(program->ui.messages.size(), 1u);
    EXPECT_EQ(program->ui.messages[0].title, "Reservium");
    EXPECT_EQ(program->ui.messages[0].text, "Digite um valor numérico válido para a escala:");
    EXPECT_FALSE(QFile::exists(home.filePath("RSV_ESC.ENT")));
    EXPECT_EQ(received.size(), 3);
    EXPECT_TRUE(scale->isVisible());

    // An empty custom sheet is refused the same way.
    box->Command8->click();
    format->Option[5]->setChecked(true);
    format->NumberBox1->clear();
    format->Command1->click();
    EXPECT_EQ(program->ui.messages.back().text,
              "Digite um valor numérico válido para construção do formato:");
    EXPECT_EQ(received.size(), 3);
}

TEST_F(CadWindowsTest, WithNoPlatformRunningPathCadIsStartedOrTheUserAskedWhereItIs)
{
    // A stand-in platform program that leaves a mark.
    const QString mark = home.filePath("started");
    const QString fake = home.filePath("fake-cad.sh");
    writeBytes(fake, "#!/bin/sh\ntouch '" + mark.toUtf8() + "'\n");
    QFile::setPermissions(fake, QFile::permissions(fake) | QFileDevice::ExeOwner);
    choosePlatform(fake);
    session->toolbar()->Command2->click();
    for (int i = 0; i < 250 && !QFile::exists(mark); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(QFile::exists(mark));
    EXPECT_TRUE(program->ui.messages.empty());

    // A program that is not there: the message, then the platform window, modeless.
    choosePlatform(home.filePath("nada/reservium-cad"));
    ASSERT_TRUE(window->runCommand("DETAIL"));
    ASSERT_EQ(program->ui.messages.size(), 1u);
    EXPECT_EQ(program->ui.messages[0].text,
              "O Reservium não inicializou o Reservium CAD.\n"
              "O Caminho especificado para o Reservium CAD está incorreto.");
    auto *setCad = window->findChild<FormSetCad *>();
    ASSERT_NE(setCad, nullptr);
    EXPECT_TRUE(setCad->isVisible());
    EXPECT_FALSE(setCad->isModal());
    // The Detail command still goes on to the toolbox.
    EXPECT_TRUE(session->toolbar()->isVisible());
}

TEST_F(CadWindowsTest, PlatformWindowStoresOnlyAValidChoice)
{
    const QString exe = home.filePath("acad.exe");
    writeBytes(exe, "");
    {
        FormSetCad form(program->ctx);
        EXPECT_EQ(form.Combo1->count(), 5);
        EXPECT_EQ(form.Combo1->itemText(0), QStringLiteral("AutoCAD R14"));
        EXPECT_EQ(form.Combo1->itemText(4), QStringLiteral("Reservium CAD"));
        form.Combo1->setCurrentIndex(0);
        form.Text2->setText(home.filePath("missing.exe"));
        form.Command2->click();
    }
    EXPECT_FALSE(QFile::exists(home.filePath("Reservium.cfg"))
                 && readBytes(home.filePath("Reservium.cfg")).contains("NameCAD"));
    EXPECT_TRUE(program->ui.messages.empty());
    {
        FormSetCad form(program->ctx);
        form.Combo1->setCurrentIndex(0);
        form.browse = [&] { return exe; };
        form.Command1->click();
        EXPECT_EQ(form.Text2->text(), exe);
        form.Command2->click();
    }
    const QByteArray cfg = readBytes(home.filePath("Reservium.cfg"));
    EXPECT_TRUE(cfg.contains("NameCAD\r\nAutoCAD\r\n")) << cfg.toStdString();
    EXPECT_TRUE(cfg.contains("CADver\r\n1\r\n"));
    EXPECT_TRUE(QFile::exists(home.filePath("acad.lsp")));
    {
        // Opened again, it shows what is stored.
        FormSetCad form(program->ctx);
        EXPECT_EQ(form.Combo1->currentIndex(), 0);
        EXPECT_EQ(form.Text2->text(), exe);
        shot(&form, "setcad");
    }
}

TEST_F(CadWindowsTest, DrawingSettingsWindow)
{
    FormCADCfg form(*session);
    ASSERT_EQ(form.SSTab1->count(), 3);
    EXPECT_EQ(form.SSTab1->tabText(0), QStringLiteral("Geral"));
    EXPECT_EQ(form.SSTab1->tabText(1), QStringLiteral("Layers"));
    EXPECT_EQ(form.SSTab1->tabText(2), QStringLiteral("TextStyle"));
    EXPECT_EQ(form.SSTab1->currentIndex(), 0);
    // The shipped file, under the decimal comma of pt-BR: 0.35 shows as 35.
    EXPECT_EQ(form.Text[7]->text(), QStringLiteral("35"));
    EXPECT_EQ(form.AcadColor[2]->color(), 1);
    EXPECT_EQ(form.AcadColor[2]->text(), QStringLiteral("Vermelho"));
    for (int tab = 0; tab < 3; ++tab) {
        form.SSTab1->setCurrentIndex(tab);
        shot(&form, QStringLiteral("settings-tab%1").arg(tab + 1));
    }
    form.SSTab1->setCurrentIndex(0);

    // A limit broken disables OK and says why; mended, OK comes back.
    form.NumberBox3->setText("0");
    EXPECT_FALSE(form.Command1->isEnabled());
    EXPECT_TRUE(form.Command1->toolTip().contains(QStringLiteral("Distância da Cota ao Desenho")));
    form.NumberBox3->setText("60");
    EXPECT_TRUE(form.Command1->isEnabled());

    // The spinner and a colour, then OK writes the file back.
    form.UpDownUp[0]->click();
    form.AcadColor[0]->setColor(30);
    form.Command1->click();
    QStringList lines = QString::fromUtf8(readBytes(home.filePath("RSV_ACAD.CFG"))).split("\r\n");
    ASSERT_EQ(lines.size(), 33);
    EXPECT_EQ(lines[1], QStringLiteral("60"));
    EXPECT_EQ(lines[4], QStringLiteral("0.35"));
    EXPECT_EQ(lines[7], QStringLiteral("30"));
    EXPECT_EQ(lines[18], QStringLiteral("6"));

    // An SHX font is chosen by its file name in the platform's "Fonts" folder.
    QString asked;
    form.chooseShx = [&](const QString &folder) {
        asked = folder;
        return folder + "/simplex.shx";
    };
    form.FontClick(2);
    EXPECT_EQ(form.Text[1]->text(), QStringLiteral("simplex.shx"));
    // A TrueType family that is not installed gets the message and changes nothing.
    form.Check[0]->setChecked(true);
    form.chooseTrueType = [](const QString &, int *) {
        return QStringLiteral("Fonte Inexistente X");
    };
    form.FontClick(1);
    EXPECT_EQ(program->ui.messages.back().title, "Erro ao selecionar fonte True Type");
    EXPECT_EQ(form.Text[0]->text(), QStringLiteral("romans.shx"));
    // An installed family gives its font file, and the size chosen becomes the height.
    form.chooseTrueType = [](const QString &, int *size) {
        *size = 12;
        return QStringLiteral("DejaVu Sans");
    };
    form.FontClick(1);
    EXPECT_TRUE(form.Text[0]->text().endsWith(QStringLiteral(".ttf")))
            << form.Text[0]->text().toStdString();
    EXPECT_TRUE(QFile::exists(form.Text[0]->text()));
    EXPECT_EQ(form.Text[8]->text(), QStringLiteral("12"));
}

TEST_F(CadWindowsTest, DrawingSettingsFileShorterThan32Lines)
{
    writeBytes(home.filePath("RSV_ACAD.CFG"), "2\r\n40\r\n");
    FormCADCfg form(*session);
    ASSERT_EQ(program->ui.messages.size(), 1u);
    EXPECT_NE(program->ui.messages[0].text.find("faltam 30"), std::string::npos);
    EXPECT_TRUE(form.Option[1]->isChecked());
    EXPECT_EQ(form.NumberBox3->text(), QStringLiteral("40"));
}

TEST_F(CadWindowsTest, ReinforcementEditor)
{
    ASSERT_TRUE(platform.listen(QStringLiteral("Reservium CAD")));
    choosePlatform("/usr/bin/true");
    session->toolbar()->Command5->click();
    FormCADEdAs *editor = session->editor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Reservium - Editor de As"));
    EXPECT_TRUE(editor->Option3->isChecked());
    EXPECT_EQ(editor->NumberBox3->text(), QStringLiteral("100"));
    EXPECT_EQ(editor->Combo2->currentText(), QStringLiteral("?"));
    EXPECT_EQ(editor->Label8->text(), QStringLiteral("(N1) = 1 3.2c5 - a definir"));
    shot(editor, "editor-longitudinal");

    // −1 leaves position 1 alone.
    editor->Command24->click();
    EXPECT_EQ(editor->NumberBox4->text(), QStringLiteral("1"));
    editor->Command23->click();
    EXPECT_EQ(editor->NumberBox4->text(), QStringLiteral("2"));
    editor->Command1->click();
    EXPECT_EQ(received, QStringList{ "RSV_EAS" });
    EXPECT_EQ(filesSeen.value(0),
              QStringLiteral("2\r\n1\r\n3.2\r\n5\r\n0\r\n1\r\n1\r\n1\r\n1\r\n"));
    EXPECT_TRUE(editor->isFolded());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("... Reservium - Editor de As"));
    shot(editor, "editor-folded");

    // The toolbox unfolds a folded editor; the transverse mode by spacing.
    session->toolbar()->Command5->click();
    EXPECT_FALSE(editor->isFolded());
    editor->Option4->setChecked(true);
    EXPECT_FALSE(editor->Check[1]->isEnabled());
    editor->Option2->setChecked(true);
    EXPECT_EQ(editor->Combo11[1]->currentText(), QStringLiteral(" ? "));
    shot(editor, "editor-transverse");
    editor->Command1->click();
    EXPECT_EQ(filesSeen.value(1),
              QStringLiteral("1\r\n0\r\n3.2\r\n5\r\n100\r\n1\r\n1\r\n1\r\n1\r\n"));

    // An empty length is refused with its message.
    session->toolbar()->Command5->click();
    editor->NumberBox3->clear();
    editor->Command1->click();
    EXPECT_EQ(program->ui.messages.back().text,
              "Digite um valor válido para o comprimento das barras");
    EXPECT_EQ(received.size(), 2);
}

TEST(CadColorPicker, NamesAndNumbers)
{
    CadColorPicker picker;
    picker.setColor(5);
    EXPECT_EQ(picker.text(), QStringLiteral("Azul"));
    picker.setColor(256);
    EXPECT_EQ(picker.color(), 256);
    EXPECT_EQ(picker.text(), QStringLiteral("Cor 256"));
    EXPECT_EQ(CadColorPicker::colorText(7), QStringLiteral("Preto"));
}

} // namespace
