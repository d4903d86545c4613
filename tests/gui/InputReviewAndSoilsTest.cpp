#include "InputWindowsTestSupport.h"

#include "core/ModuleRSVErr.h"
#include "input/CalculationLaunch.h"
#include "input/InputFlows.h"
#include "input/ui/FormDadosEnterrada.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using InputChain::InputWindow;

namespace {

/// The default elevated project calculated through the windows' flows.
void calculateDefaults(InputWindowsFixture &f)
{
    f.mdi->ShowForm("FormTipoElev");
    f.ctx->forms.FormTipoElev.setState("OptionEnterrada", 0);
    f.ctx->forms.FormTipoElev.setState("OptionElevada", 1);
    InputWindow w = InputWindow::FormTipoElev;
    while (w != InputWindow::FormResultados) {
        const InputWindow next = InputFlows::Forward(*f.ctx, w);
        ASSERT_NE(next, w) << InputChain::FormName(w);
        w = next;
    }
    QApplication::processEvents();
}

/// Opens the review as the results window does, runs `drive` inside it, and returns once the
/// dialog is closed.
void review(InputWindowsFixture &f, const char *label4, float calculated,
            std::function<void(QDialog *)> drive)
{
    QTimer::singleShot(0, f.mdi.get(), [&f, drive] {
        auto *dialog = qobject_cast<QDialog *>(f.window("FormAltera_e"));
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        drive(dialog);
    });
    CalculationLaunch::Inicia_Altera_e(*f.ctx, "Espessura calculada pelo programa", calculated,
                                       label4, "Altera Espessura");
}

} // namespace

TEST(ThicknessReview, OpensDisabledThenEqualLargerAndSmallerValues)
{
    InputWindowsFixture f;
    calculateDefaults(f);
    const float ep = f.ctx->state.thicknessEp;
    const float et = f.ctx->state.thicknessEt;
    const std::string quantitiesBefore = std::to_string(f.ctx->materialQuantities[3][1]);
    ASSERT_GT(ep, 0.0f);
    const std::string epText = f.ctx->text(ep);

    // Opening: the title and labels of the opener, the empty field refused by its limit.
    review(f, "e(p):", ep, [&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Altera Espessura");
        EXPECT_EQ(d->findChild<QLabel *>("Label2")->text().toStdString(), epText);
        EXPECT_EQ(d->findChild<QLabel *>("Label4")->text(), "e(p):");
        EXPECT_EQ(d->focusWidget()->objectName(), "Text_e");
        EXPECT_EQ(f.button("FormAltera_e", "butres_2")->pictureState(), 0);
        EXPECT_EQ(f.statusText(), "Espessura abaixo do limite permitido [ 0,01m ]");
        // Enter with the limit broken does nothing; Escape closes.
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(f.visible("FormAltera_e"));
    EXPECT_EQ(f.ctx->state.inputError.code, 0);
    EXPECT_FLOAT_EQ(f.ctx->state.thicknessEp, ep);

    // Equal: a new calculation that starts, and stays, at exactly that value.
    review(f, "e(p):", ep, [&](QDialog *d) {
        f.type("FormAltera_e", "Text_e", QString::fromStdString(epText));
        EXPECT_EQ(f.button("FormAltera_e", "butres_2")->pictureState(), 1);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    EXPECT_FALSE(f.visible("FormAltera_e"));
    EXPECT_FLOAT_EQ(f.ctx->state.thicknessEp, ep);
    EXPECT_EQ(LayoutOf(f.ctx->state.calcState), kTwoWayLayout);

    // Larger: recalculated from the larger wall.
    const float larger = ep + 0.05f;
    review(f, "e(p):", ep, [&](QDialog *) {
        f.type("FormAltera_e", "Text_e", QString::fromStdString(f.ctx->text(larger)));
        QTest::mouseClick(f.button("FormAltera_e", "butres_2"), Qt::LeftButton);
    });
    EXPECT_GE(f.ctx->state.thicknessEp + 1e-6f, larger);
    EXPECT_NE(std::to_string(f.ctx->materialQuantities[3][1]), quantitiesBefore);

    // Smaller, answered No: the field is emptied and the window stays; then Yes.
    const std::string quantitiesNow = std::to_string(f.ctx->materialQuantities[3][1]);
    const std::string wallNow = f.ctx->results.Text_a[5];
    MessageBoxAnswer no;
    MessageBoxAnswer yes;
    review(f, "e(t):", et, [&](QDialog *d) {
        f.type("FormAltera_e", "Text_e", "0,07");
        no.arm(QMessageBox::No, [&, d] {
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(f.control<QLineEdit>("FormAltera_e", "Text_e")->text().isEmpty());
            EXPECT_EQ(d->focusWidget()->objectName(), "Text_e");
            f.type("FormAltera_e", "Text_e", "0,07");
            yes.arm(QMessageBox::Yes);
            QTest::mouseClick(f.button("FormAltera_e", "butres_2"), Qt::LeftButton);
        });
        QTest::mouseClick(f.button("FormAltera_e", "butres_2"), Qt::LeftButton);
    });
    EXPECT_EQ(no.seen, 1);
    EXPECT_EQ(no.title, QString::fromUtf8("Atencão !!!"));
    EXPECT_EQ(no.text.toStdString(),
              "O Valor informado para e(t): é menor do que o calculado pelo programa.\n"
              "O Reservium não recalculará a estrutura com estes novos valores.\n\n"
              "Deseja continuar mesmo assim ?\n");
    EXPECT_EQ(yes.seen, 1);
    EXPECT_FALSE(f.visible("FormAltera_e"));
    EXPECT_FLOAT_EQ(f.ctx->state.thicknessEt, 0.07f);
    EXPECT_EQ(f.ctx->results.Text_a[4], "0,07");
    EXPECT_EQ(f.ctx->results.Text_a[5], wallNow);
    EXPECT_EQ(std::to_string(f.ctx->materialQuantities[3][1]), quantitiesNow);
    EXPECT_EQ(f.ctx->state.inputError.code, 0);
}

namespace {

QToolButton *toolButton(QDialog *d, const char *key)
{
    auto *bar = d->findChild<QToolBar *>("Toolbar1");
    for (QAction *a : bar->actions()) {
        if (a->objectName() == key)
            return qobject_cast<QToolButton *>(bar->widgetForAction(a));
    }
    return nullptr;
}

std::vector<bool> toolbarEnabled(QDialog *d)
{
    std::vector<bool> enabled;
    for (const char *key : { "Inserir", "Editar", "Excluir", "Salvar", "Cancelar" })
        enabled.push_back(toolButton(d, key)->isEnabled());
    return enabled;
}

void typeIn(QDialog *d, const char *field, const QString &text)
{
    auto *edit = d->findChild<QLineEdit *>(field);
    ASSERT_NE(edit, nullptr) << field;
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

TEST(SoilCatalogueWindow, ModesChecksMessagesAndTheRefilledSoilList)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    InputFlows::Forward(*f.ctx, InputWindow::FormTipoElev);
    InputFlows::Forward(*f.ctx, InputWindow::FormDadosGeometricos);
    InputFlows::Forward(*f.ctx, InputWindow::FormPosTampa);
    auto *buried = qobject_cast<FormDadosEnterrada *>(f.window("FormDadosEnterrada"));
    ASSERT_NE(buried, nullptr);
    const int soilsBefore = f.control<QComboBox>("FormDadosEnterrada", "ComboSolo")->count();
    ASSERT_GT(soilsBefore, 0);

    MessageBoxAnswer nameMissing, angleOut, deleteNo;
    int rowsBefore = 0;
    QTimer::singleShot(0, f.mdi.get(), [&] {
        auto *d = qobject_cast<QDialog *>(f.window("FormSolos"));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Cadastro de Tipos de Solo");
        auto *grid = d->findChild<QTableWidget *>("DBGrid1");
        auto *back = d->findChild<QPushButton *>("Command1");
        rowsBefore = grid->rowCount();
        EXPECT_EQ(rowsBefore, soilsBefore);
        // Browsing: the fields show the current row and are disabled.
        EXPECT_EQ(toolbarEnabled(d), (std::vector<bool>{ true, true, true, false, false }));
        EXPECT_FALSE(d->findChild<QLineEdit *>("Text1")->isEnabled());
        EXPECT_EQ(d->findChild<QLineEdit *>("Text1")->text(), grid->item(0, 0)->text());
        EXPECT_EQ(toolButton(d, "Inserir")->toolTip(), "Insere novo tipo de solo");

        // Inserting: fields emptied and enabled, grid and "< Retornar" disabled.
        QTest::mouseClick(toolButton(d, "Inserir"), Qt::LeftButton);
        EXPECT_EQ(toolbarEnabled(d), (std::vector<bool>{ false, false, false, true, true }));
        EXPECT_TRUE(toolButton(d, "Inserir")->isChecked());
        EXPECT_TRUE(d->findChild<QLineEdit *>("Text1")->isEnabled());
        EXPECT_TRUE(d->findChild<QLineEdit *>("Text1")->text().isEmpty());
        EXPECT_FALSE(grid->isEnabled());
        EXPECT_FALSE(back->isEnabled());
        EXPECT_EQ(d->focusWidget()->objectName(), "Text1");

        // The checks, in order, each with its message and the focus on its field.
        nameMissing.arm(QMessageBox::Ok, [&, d, grid, back] {
            EXPECT_EQ(d->focusWidget()->objectName(), "Text1");
            typeIn(d, "Text1", QString::fromUtf8("Argila de ensaio"));
            typeIn(d, "NumberBox1", "1,7");
            typeIn(d, "NumberBox3", "4");
            angleOut.arm(QMessageBox::Ok, [&, d, grid, back] {
                EXPECT_EQ(d->focusWidget()->objectName(), "NumberBox3");
                typeIn(d, "NumberBox3", "30");
                QTest::mouseClick(toolButton(d, "Salvar"), Qt::LeftButton);
                // Back to browsing with the new soil current.
                EXPECT_EQ(grid->rowCount(), rowsBefore + 1);
                EXPECT_TRUE(grid->isEnabled());
                EXPECT_EQ(toolbarEnabled(d), (std::vector<bool>{ true, true, true, false, false }));
                EXPECT_EQ(d->findChild<QLineEdit *>("Text2")->text(), "-");
                // A deletion answered No deletes nothing.
                deleteNo.arm(QMessageBox::No, [&, d, grid, back] {
                    EXPECT_EQ(grid->rowCount(), rowsBefore + 1);
                    QTest::mouseClick(back, Qt::LeftButton);
                });
                QTest::mouseClick(toolButton(d, "Excluir"), Qt::LeftButton);
            });
            QTest::mouseClick(toolButton(d, "Salvar"), Qt::LeftButton);
        });
        QTest::mouseClick(toolButton(d, "Salvar"), Qt::LeftButton);
    });
    QTest::mouseClick(f.control<QPushButton>("FormDadosEnterrada", "Command3"), Qt::LeftButton);

    EXPECT_EQ(nameMissing.text.toStdString(), "Nome do Solo.\nCampo Obrigatório!");
    EXPECT_EQ(nameMissing.title.toStdString(), "ATENÇÃO!");
    EXPECT_EQ(angleOut.text.toStdString(),
              "Ângulo de Talude Natural.\nCampo Obrigatório!\nLimites Válidos: [5º,45º]");
    EXPECT_EQ(deleteNo.text.toStdString(), "Confirma exclusão?");
    EXPECT_EQ(deleteNo.title.toStdString(), "ATENÇÃO!");
    EXPECT_FALSE(f.visible("FormSolos"));

    // The list now holds the new soil; choosing it fills the angle, then the unit weight.
    auto *combo = f.control<QComboBox>("FormDadosEnterrada", "ComboSolo");
    ASSERT_EQ(combo->count(), soilsBefore + 1);
    const int added = combo->findText(QString::fromUtf8("Argila de ensaio"));
    ASSERT_GE(added, 0);
    buried->ComboSolo_Click(added);
    EXPECT_EQ(f.control<QLineEdit>("FormDadosEnterrada", "TextAngSolo")->text(), "30");
    EXPECT_EQ(f.control<QLineEdit>("FormDadosEnterrada", "TextGama")->text(), "1,7");
    EXPECT_EQ(combo->currentIndex(), added);

    // Editing keeps the row's values until saved; cancelling puts the row back.
    QTimer::singleShot(0, f.mdi.get(), [&] {
        auto *d = qobject_cast<QDialog *>(f.window("FormSolos"));
        auto *grid = d->findChild<QTableWidget *>("DBGrid1");
        grid->setCurrentCell(1, 0);
        const QString name = grid->item(1, 0)->text();
        QTest::mouseClick(toolButton(d, "Editar"), Qt::LeftButton);
        EXPECT_EQ(toolbarEnabled(d), (std::vector<bool>{ false, false, false, true, true }));
        EXPECT_TRUE(toolButton(d, "Editar")->isChecked());
        EXPECT_EQ(d->findChild<QLineEdit *>("Text1")->text(), name);
        EXPECT_TRUE(d->findChild<QLineEdit *>("Text1")->isEnabled());
        EXPECT_FALSE(d->findChild<QPushButton *>("Command1")->isEnabled());
        typeIn(d, "Text1", "Outro nome");
        QTest::mouseClick(toolButton(d, "Cancelar"), Qt::LeftButton);
        EXPECT_EQ(d->findChild<QLineEdit *>("Text1")->text(), name);
        EXPECT_FALSE(d->findChild<QLineEdit *>("Text1")->isEnabled());
        EXPECT_EQ(toolbarEnabled(d), (std::vector<bool>{ true, true, true, false, false }));
        EXPECT_EQ(grid->item(1, 0)->text(), name);
        QTest::mouseClick(d->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    });
    QTest::mouseClick(f.control<QPushButton>("FormDadosEnterrada", "Command3"), Qt::LeftButton);
    EXPECT_FALSE(f.visible("FormSolos"));

    // Deleting it again, answered Yes, and the list follows on return.
    MessageBoxAnswer deleteYes;
    QTimer::singleShot(0, f.mdi.get(), [&] {
        auto *d = qobject_cast<QDialog *>(f.window("FormSolos"));
        auto *grid = d->findChild<QTableWidget *>("DBGrid1");
        grid->setCurrentCell(grid->rowCount() - 1, 0);
        EXPECT_EQ(d->findChild<QLineEdit *>("Text1")->text(),
                  QString::fromUtf8("Argila de ensaio"));
        deleteYes.arm(QMessageBox::Yes, [&, d, grid] {
            EXPECT_EQ(grid->rowCount(), rowsBefore);
            QTest::mouseClick(d->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        });
        QTest::mouseClick(toolButton(d, "Excluir"), Qt::LeftButton);
    });
    QTest::mouseClick(f.control<QPushButton>("FormDadosEnterrada", "Command3"), Qt::LeftButton);
    EXPECT_EQ(deleteYes.seen, 1);
    EXPECT_EQ(combo->count(), soilsBefore);
    // The typed values stay; the name no longer in the list is no longer chosen.
    EXPECT_EQ(f.control<QLineEdit>("FormDadosEnterrada", "TextAngSolo")->text(), "30");
}
