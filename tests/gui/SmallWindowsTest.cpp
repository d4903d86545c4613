#include "core/AppContext.h"
#include "core/Calculator.h"
#include "core/ModuleRSVErr.h"
#include "core/RegionalSettings.h"
#include "core/ui/FormCalculadora.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "input/ui/FormLegenda.h"
#include "settings/ApplySettings.h"
#include "settings/ParameterFile.h"
#include "settings/Parameters.h"
#include "settings/ui/FormCFG.h"
#include "support/MessageBoxCatcher.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<AppContext> makeContext(const QTemporaryDir &dir, bool brazil = true)
{
    return std::make_unique<AppContext>(
            std::make_unique<FixedRegionalSettings>(brazil ? FixedRegionalSettings::ptBR()
                                                           : FixedRegionalSettings::enUS()),
            ProgramPaths(dir.path(), dir.path()));
}

// ---- Calculator --------------------------------------------------------------------------------

TEST(FormCalculadora, KeySequencesAndReadouts)
{
    // Each row: the keys typed (as the keyboard types them; "c" is C, "e" is CE, "<" backspace)
    // and the readout after the last, worked out as on a pocket calculator.
    const struct
    {
        const char *keys;
        const char *readout;
    } cases[] = {
        { "", "0" },
        { "007", "7" },
        { "12,5", "12,5" },
        { ",5", "0,5" },
        { "1,2,3", "1,23" }, // a second decimal key is ignored
        { "2+3=", "5" },
        { "2+3*4=", "20" }, // left to right, no precedence
        { "2+3*", "5" }, // the running result shows on the next operator
        { "10-4-3=", "3" },
        { "7/2=", "3,5" },
        { "5+2==", "9" }, // "=" repeats the last operation
        { "10-1===", "7" },
        { "5+=", "10" }, // the first operand again
        { "5+*3=", "15" }, // the last operator pressed counts
        { "200+10%", "20" }, // percent of the first operand
        { "200+10%=", "220" },
        { "50*10%=", "250" },
        { "1/0", "0" },
        { "1/0=", "Divisão por Zero" },
        { "1/0=5", "5" }, // the next key starts afresh
        { "1/0=+2=", "2" },
        { "1/0=c", "0" },
        { "9+8e", "0" },
        { "9+8e1=", "10" }, // CE clears the entry only
        { "9+8c", "0" },
        { "9+8c1=", "1" },
        { "123<", "12" },
        { "1<", "0" },
        { "2+3=<", "5" }, // a result is no entry to edit
        { "0,1+0,2=", "0,3" },
        { "3-5=", "-2" },
        { "1234567890123456", "123456789012345" }, // fifteen digits fill the readout
        { "999999999999999*10=", "Número muito grande" },
    };
    QTemporaryDir dir;
    auto context = makeContext(dir);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        FormCalculadora window(context->regional());
        window.show();
        for (const char *k = c.keys; *k; ++k) {
            switch (*k) {
            case '=':
                QTest::keyClick(&window, Qt::Key_Return);
                break;
            case 'c':
                QTest::keyClick(&window, Qt::Key_Escape);
                break;
            case 'e':
                QTest::keyClick(&window, Qt::Key_Delete);
                break;
            case '<':
                QTest::keyClick(&window, Qt::Key_Backspace);
                break;
            default:
                QTest::keyClick(&window, *k);
            }
        }
        EXPECT_EQ(window.readoutText().toStdString(), c.readout);
    }
}

TEST(FormCalculadora, ButtonsAndTheRegionalDecimalSymbol)
{
    QTemporaryDir dir;
    auto context = makeContext(dir, false);
    FormCalculadora window(context->regional());
    using K = Calculator::Key;
    for (K k : { K::D1, K::Decimal, K::D5, K::Multiply, K::D4, K::Equals })
        QTest::mouseClick(window.keyButton(k), Qt::LeftButton);
    EXPECT_EQ(window.readoutText(), "6");
    EXPECT_EQ(window.keyButton(K::Decimal)->text(), ".");
    QTest::mouseClick(window.keyButton(K::Divide), Qt::LeftButton);
    QTest::mouseClick(window.keyButton(K::D8), Qt::LeftButton);
    QTest::mouseClick(window.keyButton(K::Equals), Qt::LeftButton);
    EXPECT_EQ(window.readoutText(), "0.75");
    for (const char *name : { "cmdC", "cmdCE", "cmdPercent", "cmdEquals" })
        EXPECT_NE(window.findChild<QPushButton *>(name), nullptr) << name;
}

TEST(FormCalculadora, OpenedFromTheMenuBesideTheMainWindowNotModal)
{
    QTemporaryDir dir;
    auto context = makeContext(dir);
    MDI mdi(*context);
    mdi.show();
    EXPECT_TRUE(mdi.runCommand("CALC"));
    ASSERT_NE(mdi.calculator(), nullptr);
    EXPECT_TRUE(mdi.calculator()->isVisible());
    EXPECT_FALSE(mdi.calculator()->isModal());
    // New closes the child windows; the calculator is none of them.
    mdi.CloseChildWindows();
    EXPECT_TRUE(mdi.calculator()->isVisible());
    mdi.close();
    EXPECT_FALSE(mdi.calculator()->isVisible());
}

// ---- Legend ------------------------------------------------------------------------------------

TEST(FormLegenda, LengthsFocusAndTheTextsSurviveNew)
{
    QTemporaryDir dir;
    auto context = makeContext(dir);
    MDI mdi(*context);
    mdi.show();
    auto *legend = qobject_cast<FormLegenda *>(mdi.ensureForm("FormLegenda"));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->windowTitle(), QStringLiteral("Legenda do Projeto"));
    legend->show();
    QApplication::setActiveWindow(legend);
    EXPECT_EQ(QApplication::focusWidget(), legend->field("aeESTPROJ"));

    FormModel &model = context->forms.FormLegenda;
    auto *cliente = qobject_cast<QLineEdit *>(legend->field("aeESTCLI"));
    // Sixty characters pasted into "Cliente" leave the first 55.
    const QString sixty = QString(30, QChar(u'ç')) + QString(30, 'x');
    QApplication::clipboard()->setText(sixty);
    cliente->setFocus();
    cliente->paste();
    EXPECT_EQ(cliente->text(), sixty.left(55));
    EXPECT_EQ(model.text("aeESTCLI"), sixty.left(55).toStdString());

    // Typing on at the end of a full field changes nothing.
    cliente->end(false);
    QTest::keyClicks(cliente, "abc");
    EXPECT_EQ(cliente->text(), sixty.left(55));

    // Notes: 165 characters stay whole, one more is cut.
    auto *notes = qobject_cast<QPlainTextEdit *>(legend->field("aeESTOBS"));
    notes->setPlainText(QString(165, 'n'));
    EXPECT_EQ(model.text("aeESTOBS").size(), 165u);
    notes->moveCursor(QTextCursor::End);
    QTest::keyClicks(notes, "z");
    EXPECT_EQ(notes->toPlainText(), QString(165, 'n'));
    EXPECT_EQ(model.text("aeESTOBS"), std::string(165, 'n'));

    for (const char *control : { "aeESTPROJ", "aeESTEND", "aeESTRESP" }) {
        auto *line = qobject_cast<QLineEdit *>(legend->field(control));
        line->setText(QString(70, 'a'));
        EXPECT_EQ(line->text().size(), 55) << control;
    }

    // "OK" hides it; New leaves it and its texts alone.
    QTest::mouseClick(legend->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(legend->isVisible());
    mdi.CloseChildWindows();
    EXPECT_EQ(mdi.form("FormLegenda"), legend);
    EXPECT_EQ(cliente->text(), sixty.left(55));
    EXPECT_EQ(model.text("aeESTCLI"), sixty.left(55).toStdString());
}

// ---- Settings window ---------------------------------------------------------------------------

struct SettingsFixture : ::testing::Test
{
    QTemporaryDir dir;
    std::unique_ptr<AppContext> context = makeContext(dir);
    ParameterFile file = ParameterFile::inFolder(dir.path().toStdString());
    std::unique_ptr<MDI> mdi;
    FormCFG *window = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(LoadAndApplySettings(*context, file).ok());
        mdi = std::make_unique<MDI>(*context);
        mdi->show();
        window = qobject_cast<FormCFG *>(mdi->ensureForm("FormCFG"));
        ASSERT_NE(window, nullptr);
    }

    QLineEdit *text(const char *control) { return window->findChild<QLineEdit *>(control); }
    QString status() { return mdi->findChild<QLabel *>("StatusBar1_text")->text(); }
    int picture(const char *button) { return window->button(button)->pictureState(); }
};

TEST_F(SettingsFixture, TabsFramesControlsAndUnits)
{
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Configurações de Cálculo"));
    ASSERT_EQ(window->SSTab1()->count(), 2);
    EXPECT_EQ(window->SSTab1()->tabText(0), QStringLiteral("Geometria e Configurações de Cálculo"));
    EXPECT_EQ(window->SSTab1()->tabText(1), QStringLiteral("Propriedades Físicas dos Materiais"));
    EXPECT_EQ(window->SSTab1()->currentIndex(), 0);
    for (const ParameterDef &p : ParameterTable()) {
        const QString control = QString::fromUtf8(p.control.data(), p.control.size());
        EXPECT_NE(window->findChild<QWidget *>(control), nullptr) << control.toStdString();
    }
    for (const char *frame :
         { "Frame1", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7", "Frame8", "Frame10" })
        EXPECT_NE(window->findChild<QWidget *>(frame), nullptr) << frame;
    EXPECT_EQ(window->findChild<QLabel *>("RSVCFGCONCFCK_unit")->text(), QStringLiteral("kgf/cm²"));
    EXPECT_EQ(window->findChild<QLabel *>("RSVH20PESESP_unit")->text(), QStringLiteral("tf/m³"));
    EXPECT_EQ(text("RSVCFGESPMULT")->text(), "2,5");
    EXPECT_EQ(window->findChild<QComboBox *>("RSVBITADOTFISS")->count(), 12);
    EXPECT_EQ(window->findChild<QComboBox *>("RSVBITADOTFISS")->currentIndex(), 3);
    EXPECT_TRUE(window->findChild<QRadioButton *>("RSVFissOK")->isChecked());
    EXPECT_EQ(window->button("butsav")->accessibleName(), QStringLiteral("Salvar Configuração"));
    EXPECT_EQ(window->button("butopn")->accessibleName(),
              QStringLiteral("Carregar Configuração Padrão"));
    window->reject();
}

TEST_F(SettingsFixture, ValidationInOrderBlocksApplyAndSaveUntilCorrected)
{
    // The window underneath had its own pending limit; the settings window shows its own and
    // puts that one back when it leaves.
    const InputError underneath{ 6, "Altura da caixa acima do limite permitido [ 10m ]" };
    ModuleRSVErr::SetInputError(*context, underneath);
    window->show();
    EXPECT_EQ(context->state.inputError.code, 0);
    EXPECT_EQ(picture("butarw"), 1);

    // Two fields out of range: the first in the window's order is reported.
    text("RSVCFGCONCFCK")->setText("49");
    text("RSVCFGESPMINAS")->setText("0,5");
    EXPECT_EQ(context->state.inputError.code, 35);
    EXPECT_TRUE(status().startsWith(QStringLiteral("Espaçamento mínimo de As abaixo")))
            << status().toStdString();
    EXPECT_EQ(picture("butarw"), 0);
    EXPECT_EQ(picture("butsav"), 0);
    EXPECT_EQ(picture("butopn"), 1);

    // Neither applied nor saved while it stands.
    const float fckBefore = context->state.concreteFck;
    QTest::mouseClick(window->button("butarw"), Qt::LeftButton);
    QTest::mouseClick(window->button("butsav"), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(context->state.concreteFck, fckBefore);
    std::string saved;
    ASSERT_TRUE(file.GetFileSetting("RSVCFGESPMINAS", saved).ok());
    EXPECT_EQ(saved, "7.5");

    // Corrected: the next field's error shows, then none.
    text("RSVCFGESPMINAS")->setText("7,5");
    EXPECT_EQ(context->state.inputError.code, 53);
    EXPECT_TRUE(status().endsWith(QStringLiteral("kgfcm² ]"))) << status().toStdString();
    text("RSVCFGCONCFCK")->setText("200");
    EXPECT_EQ(context->state.inputError.code, 0);
    EXPECT_EQ(picture("butarw"), 1);
    EXPECT_EQ(picture("butsav"), 1);

    QTest::mouseClick(window->button("butsav"), Qt::LeftButton);
    ASSERT_TRUE(file.GetFileSetting("RSVCFGCONCFCK", saved).ok());
    EXPECT_EQ(saved, "200");

    // "Atualizar": hidden, applied, the status underneath back.
    QTest::mouseClick(window->button("butarw"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(context->state.concreteFck, 200.0f);
    EXPECT_EQ(context->state.inputError.code, underneath.code);
    EXPECT_EQ(status().toStdString(), underneath.message);
}

TEST_F(SettingsFixture, FactoryValuesRestoreFileAndWindowButNotTheDesignState)
{
    window->show();
    text("RSVCFGCONCFCK")->setText("250");
    QTest::mouseClick(window->button("butsav"), Qt::LeftButton);
    text("RSVCFGESPMINAS")->setText("0");
    EXPECT_EQ(picture("butarw"), 0);

    // butopn works while a field is out of range, and frees the buttons again.
    QTest::mouseClick(window->button("butopn"), Qt::LeftButton);
    EXPECT_EQ(text("RSVCFGCONCFCK")->text(), "150");
    EXPECT_EQ(text("RSVCFGESPMINAS")->text(), "7,5");
    std::string saved;
    ASSERT_TRUE(file.GetFileSetting("RSVCFGCONCFCK", saved).ok());
    EXPECT_EQ(saved, "150");
    EXPECT_EQ(context->state.inputError.code, 0);
    EXPECT_EQ(picture("butarw"), 1);
    // Only "Atualizar" changes the design state.
    EXPECT_EQ(context->state.concreteFck, 150.0f);
    text("RSVCFGCONCFCK")->setText("300");
    window->reject();
    EXPECT_EQ(context->state.concreteFck, 150.0f);
}

TEST_F(SettingsFixture, UnitListFollowsTheGaugeUnit)
{
    context->state.gaugeUnitIsMm = 0;
    window->show();
    EXPECT_EQ(window->findChild<QComboBox *>("RSVCFGBITOUNID")->currentText(), "pol");
    // The reference gauge list keeps its millimetre labels.
    EXPECT_EQ(window->findChild<QComboBox *>("RSVBITADOTFISS")->itemText(0), "3.2");
    window->reject();
    context->state.gaugeUnitIsMm = -1;
    window->show();
    EXPECT_EQ(window->findChild<QComboBox *>("RSVCFGBITOUNID")->currentText(), "mm");
    window->reject();
}

} // namespace
