#include "InputWindowsTestSupport.h"

#include "core/ModuleRSVErr.h"
#include "core/ui/SceneView.h"
#include "input/InputChain.h"
#include "input/TankSketches.h"
#include "storage/ProjectFlow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

/// What `reservium-cli calc` gives for one project, as JSON.
QJsonObject cliCalc(const QByteArray &project)
{
    QTemporaryDir home;
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RESERVIUM_HOME", home.path());
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(RESERVIUM_CLI), { "calc", "--regional", "en-US", "-" });
    cli.write(project);
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

void expectNear(double actual, double expected, const std::string &what)
{
    EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::abs(expected))) << what;
}

} // namespace

TEST(InputWindows, DefaultProjectTypedThroughTheChainEqualsTheCommandLine)
{
    for (const bool elevated : { true, false }) {
        SCOPED_TRACE(elevated ? "elevated" : "buried");
        InputWindowsFixture f(FixedRegionalSettings::enUS());
        f.mdi->ShowForm("FormTipoElev");
        ASSERT_TRUE(f.visible("FormTipoElev"));
        QTest::mouseClick(f.control<QRadioButton>("FormTipoElev",
                                                  elevated ? "OptionElevada" : "OptionEnterrada"),
                          Qt::LeftButton);
        f.enter("FormTipoElev");
        ASSERT_TRUE(f.visible("FormDadosGeometricos"));
        EXPECT_FALSE(f.visible("FormTipoElev"));
        // The defaults typed again by hand, key by key.
        f.type("FormDadosGeometricos", "Text_a", "2.79");
        f.type("FormDadosGeometricos", "Text_b", "2.56");
        f.type("FormDadosGeometricos", "Text_h", "2.61");
        f.type("FormDadosGeometricos", "Text_hn", "2.41");
        f.enter("FormDadosGeometricos");
        ASSERT_TRUE(f.visible("FormPosTampa"));
        f.type("FormPosTampa", "Text_X", "1");
        f.type("FormPosTampa", "TextqA", "50");
        f.enter("FormPosTampa");
        if (!elevated) {
            ASSERT_TRUE(f.visible("FormDadosEnterrada"));
            f.type("FormDadosEnterrada", "Textht", "1.52");
            f.enter("FormDadosEnterrada");
        }
        ASSERT_TRUE(f.visible("FormPosicaoAs"));
        // The proposal for the defaults is the two-way layout.
        EXPECT_TRUE(f.control<QRadioButton>("FormPosicaoAs", "OptionDuasDir")->isChecked());
        f.enter("FormPosicaoAs");
        EXPECT_FALSE(f.visible("FormPosicaoAs"));
        ASSERT_NE(f.window("FormWaitCalc"), nullptr) << "the progress window was shown";
        QApplication::processEvents();
        EXPECT_FALSE(f.visible("FormWaitCalc")) << "the progress goes when the calculation ends";

        const QJsonObject cli =
                cliCalc(elevated ? R"({"kind":"elevated"})" : R"({"kind":"buried"})");
        const DesignState &s = f.ctx->state;
        EXPECT_EQ(s.calcState, cli["calcState"].toInt());
        const QJsonObject t = cli["thicknesses"].toObject();
        expectNear(s.thicknessEt, t["thicknessEt"].toDouble(), "e(t)");
        expectNear(s.thicknessEp, t["thicknessEp"].toDouble(), "e(p)");
        expectNear(s.thicknessEf, t["thicknessEf"].toDouble(), "e(f)");
        const QJsonArray textA = cli["Text_a"].toArray();
        ASSERT_EQ(textA.size(), static_cast<qsizetype>(f.ctx->results.Text_a.size()));
        for (qsizetype i = 0; i < textA.size(); ++i)
            EXPECT_EQ(f.ctx->results.Text_a[static_cast<std::size_t>(i)],
                      textA[i].toString().toStdString())
                    << "Text_a(" << i << ")";
        const QJsonArray positions = cli["positions"].toArray();
        ASSERT_EQ(positions.size(), 20);
        for (int i = 0; i < 20; ++i) {
            const QJsonObject p = positions[i].toObject();
            const RebarPosition &r = f.ctx->rebarPositions[static_cast<std::size_t>(i)];
            expectNear(r.ARE, p["ARE"].toDouble(), "ARE " + std::to_string(i + 1));
            EXPECT_EQ(r.NBR, p["NBR"].toInt()) << "NBR " << i + 1;
        }
        const QJsonArray q = cli["materialQuantities"].toArray();
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                expectNear(f.ctx->materialQuantities[i][j], q[i].toArray()[j].toDouble(),
                           "quantity " + std::to_string(i) + "," + std::to_string(j));
    }
}

TEST(InputWindows, BrokenLimitsStopTheForwardButtonsWithTheirMessages)
{
    const struct
    {
        const char *form;
        const char *field;
        const char *typed;
        const char *forward;
        const char *message;
    } cases[] = {
        { "FormDadosGeometricos", "Text_b", "3", "butarw_2",
          "Comprimento da caixa acima do limite permitido [ 2,79m ]" },
        { "FormDadosGeometricos", "Text_h", "10,01", "butarw_2",
          "Altura da caixa acima do limite permitido [ 10m ]" },
        { "FormDadosGeometricos", "Text_a", "", "butarw_2",
          "Largura da caixa abaixo do limite permitido [ 0,5m ]" },
        { "FormPosTampa", "Text_Lx", "1,80", "butarw_2",
          "Ponto base horizontal da tampa acima do limite permitido [ 1,79m ]" },
        { "FormPosTampa", "TextqA", "1001", "butarw_2",
          "Sobrecarga na tampa acima do limite permitido [ 1000kgf/m² ]" },
        { "FormDadosEnterrada", "Texthna", "1,6", "butarw_2",
          "Altura do NA no lençol acima do limite permitido [ 1,52m ]" },
        { "FormDadosEnterrada", "Textht", "0", "butarw_2",
          "Altura a partir da qual a caixa será enterrada abaixo do limite permitido [ 0,01 ]" },
        { "FormDadosEnterrada", "TextAngSolo", "55", "butarw_2",
          "Ângulo de talude natural acima do limite permitido [ 50º ]" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.form) + "." + c.field + " = " + c.typed);
        InputWindowsFixture f;
        f.mdi->ShowForm("FormTipoElev");
        f.enter("FormTipoElev"); // buried, the default
        for (const char *form : { "FormDadosGeometricos", "FormPosTampa" }) {
            if (std::string(form) == c.form)
                break;
            f.enter(form);
        }
        ASSERT_TRUE(f.visible(c.form));
        f.type(c.form, c.field, QString::fromUtf8(c.typed));
        EXPECT_EQ(f.statusText().toStdString(), c.message);
        EXPECT_EQ(f.ctx->state.inputError.message, c.message);
        QLineEdit *edit = f.control<QLineEdit>(c.form, c.field);
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(255, 0, 0));
        ImageButton *forward = f.button(c.form, c.forward);
        ASSERT_NE(forward, nullptr);
        EXPECT_EQ(forward->pictureState(), 0);
        EXPECT_EQ(forward->toolTip().toStdString(), c.message);
        // Neither a click nor Enter moves on; the back button keeps its normal picture.
        QTest::mouseClick(forward, Qt::LeftButton);
        f.enter(c.form);
        EXPECT_TRUE(f.visible(c.form));
        EXPECT_EQ(f.button(c.form, "butarw_3")->pictureState(), 1);
        EXPECT_TRUE(f.button(c.form, "butarw_3")->toolTip() == "Voltar");
        // The picture keeps the last values it could draw, and says so.
        if (auto *picture = f.control<SceneView>(c.form, "Image1")) {
            EXPECT_EQ(picture->scene().note, TankSketches::kStaleNote);
        }
    }
}

TEST(InputWindows, BackAndForwardKeepTheTypedValuesAndResetTheThicknesses)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    f.enter("FormTipoElev");
    f.type("FormDadosGeometricos", "Text_a", "3");
    f.enter("FormDadosGeometricos");
    ASSERT_TRUE(f.visible("FormPosTampa"));
    EXPECT_FLOAT_EQ(f.ctx->state.widthA, 3.0f);
    f.type("FormPosTampa", "Text_Lx", "0,5");
    f.ctx->state.thicknessEp = 0.2f;
    f.escape("FormPosTampa");
    ASSERT_TRUE(f.visible("FormDadosGeometricos"));
    EXPECT_EQ(f.control<QLineEdit>("FormDadosGeometricos", "Text_a")->text(), "3");
    // A broken limit, then back: the status is cleared and the thicknesses are the minimum.
    f.type("FormDadosGeometricos", "Text_b", "4");
    EXPECT_NE(f.ctx->state.inputError.code, 0);
    f.escape("FormDadosGeometricos");
    ASSERT_TRUE(f.visible("FormTipoElev"));
    EXPECT_EQ(f.ctx->state.inputError.code, 0);
    EXPECT_TRUE(f.statusText().isEmpty());
    EXPECT_FLOAT_EQ(f.ctx->state.thicknessEp, f.ctx->state.minWallThickness);
    // Forward again: the geometry window checks itself on activation and still refuses.
    f.enter("FormTipoElev");
    EXPECT_EQ(f.ctx->state.inputError.code, 4);
    f.type("FormDadosGeometricos", "Text_b", "2,56");
    f.enter("FormDadosGeometricos");
    ASSERT_TRUE(f.visible("FormPosTampa"));
    EXPECT_EQ(f.control<QLineEdit>("FormPosTampa", "Text_Lx")->text(), "0,5");
    f.enter("FormPosTampa");
    ASSERT_TRUE(f.visible("FormDadosEnterrada"));
    f.enter("FormDadosEnterrada");
    ASSERT_TRUE(f.visible("FormPosicaoAs"));
    f.escape("FormPosicaoAs");
    EXPECT_TRUE(f.visible("FormDadosEnterrada")) << "a buried tank goes back to its window";
}

TEST(InputWindows, EachWindowStartsAtItsFirstControlAndTabWalksTheOrder)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    EXPECT_EQ(f.window("FormTipoElev")->focusWidget()->objectName(), "OptionEnterrada");
    f.enter("FormTipoElev");
    QWidget *geometry = f.window("FormDadosGeometricos");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->focusWidget()->objectName(), "Text_a");
    const QStringList order = { "Text_a", "Text_b", "Text_h", "Text_hn", "butarw_2", "butarw_3" };
    QWidget *w = geometry->focusWidget();
    for (qsizetype i = 1; i < order.size(); ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(geometry))
            w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), order[i]);
    }
    // The window sits at the top-left of the main window's client area.
    auto *sub = qobject_cast<QMdiSubWindow *>(geometry->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->pos(), QPoint(0, 0));
    EXPECT_GE(geometry->width(), 480);
}

TEST(InputWindows, TankKindPicturesChooseTheirOption)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    auto *image1 = f.control<SceneView>("FormTipoElev", "Image1");
    ASSERT_NE(image1, nullptr);
    QTest::mouseClick(image1, Qt::LeftButton);
    EXPECT_TRUE(f.control<QRadioButton>("FormTipoElev", "OptionElevada")->isChecked());
    EXPECT_FALSE(f.control<QRadioButton>("FormTipoElev", "OptionEnterrada")->isChecked());
    EXPECT_EQ(f.ctx->forms.FormTipoElev.state("OptionEnterrada"), 0);
    f.enter("FormTipoElev");
    EXPECT_EQ(f.ctx->state.calcState, kElevatedTank);
}

TEST(InputWindows, BuriedWindowGroundWaterBoxAndSoilList)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    f.enter("FormTipoElev");
    f.enter("FormDadosGeometricos");
    f.enter("FormPosTampa");
    ASSERT_TRUE(f.visible("FormDadosEnterrada"));
    auto *check = f.control<QCheckBox>("FormDadosEnterrada", "Checkhna");
    auto *hna = f.control<QLineEdit>("FormDadosEnterrada", "Texthna");
    auto *unit = f.control<QLabel>("FormDadosEnterrada", "Label_hna");
    ASSERT_TRUE(check && hna && unit);
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(hna->isVisible());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(hna->isVisible());
    EXPECT_FALSE(unit->isVisible());
    EXPECT_TRUE(hna->text().isEmpty());
    EXPECT_EQ(f.ctx->state.inputError.code, 0);
    // No ground water drawn now.
    auto *picture = f.control<SceneView>("FormDadosEnterrada", "Image1");
    EXPECT_TRUE(picture->scene().note.empty());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(hna->isVisible());
    EXPECT_EQ(f.window("FormDadosEnterrada")->focusWidget(), hna);

    // The soils of the shipped catalogue; choosing one sets the angle and the unit weight.
    auto *combo = f.control<QComboBox>("FormDadosEnterrada", "ComboSolo");
    ASSERT_GT(combo->count(), 0);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(f.ctx->forms.FormDadosEnterrada.text("ComboSolo"), combo->itemText(0).toStdString());
    EXPECT_FALSE(f.control<QLineEdit>("FormDadosEnterrada", "TextAngSolo")->text().isEmpty());
    QCheckBox *c = check;
    QTest::mouseClick(c, Qt::LeftButton);
    f.enter("FormDadosEnterrada");
    ASSERT_TRUE(f.visible("FormPosicaoAs"));
    EXPECT_FLOAT_EQ(f.ctx->state.waterTableHna, 0.0f);
    EXPECT_EQ(f.ctx->state.soilName, combo->itemText(0).toStdString());
}

TEST(InputWindows, NewProjectClosesTheChainAndStartsFromTheDefaults)
{
    InputWindowsFixture f;
    f.mdi->ShowForm("FormTipoElev");
    f.enter("FormTipoElev");
    f.type("FormDadosGeometricos", "Text_a", "3");
    f.enter("FormDadosGeometricos");
    ASSERT_TRUE(f.visible("FormPosTampa"));
    MessageBoxAnswer save;
    save.arm(QMessageBox::No);
    EXPECT_TRUE(ProjectFlow::NewProject(*f.ctx).ok());
    EXPECT_LE(save.seen, 1);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f.visible("FormPosTampa"));
    EXPECT_EQ(f.window("FormPosTampa"), nullptr);
    ASSERT_TRUE(f.visible("FormTipoElev"));
    f.enter("FormTipoElev");
    ASSERT_TRUE(f.visible("FormDadosGeometricos"));
    EXPECT_EQ(f.control<QLineEdit>("FormDadosGeometricos", "Text_a")->text(), "2.79");
}

TEST(InputWindows, KeysGoToTheFocusedFieldOfEachWindowShown)
{
    InputWindowsFixture f;
    QApplication::setActiveWindow(f.mdi.get());
    f.mdi->ShowForm("FormTipoElev");
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_TRUE(f.visible("FormDadosGeometricos"));
    QWidget *focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), "Text_a");
    // The whole text is selected on entry, so a key replaces it.
    QTest::keyClick(focused, Qt::Key_3);
    EXPECT_EQ(f.control<QLineEdit>("FormDadosGeometricos", "Text_a")->text(), "3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text_b");
    f.type("FormDadosGeometricos", "Text_a", "2,79");

    // Each later window: its tab order from its first control, then Enter moves on.
    const struct
    {
        const char *form;
        QStringList order;
    } windows[] = {
        { "FormPosTampa",
          { "Text_X", "Text_Y", "Text_Lx", "Text_Ly", "TextqA", "butarw_2", "butarw_3" } },
        { "FormDadosEnterrada",
          { "Textht", "Textqt", "Checkhna", "Texthna", "ComboSolo", "Command3", "TextGama",
            "TextAngSolo", "TextAngTerreno", "butarw_2", "butarw_3" } },
        { "FormPosicaoAs", { "OptionDuasDir", "butres_2", "butarw_3" } },
    };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (const auto &w : windows) {
        SCOPED_TRACE(w.form);
        QApplication::processEvents();
        ASSERT_TRUE(f.visible(w.form));
        for (const QString &name : w.order) {
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QWidget *first = f.window(w.form)->findChild<QWidget *>(w.order.front());
        first->setFocus();
        if (std::string(w.form) != "FormPosicaoAs")
            QTest::keyClick(first, Qt::Key_Return);
    }
    // Enter on the layout window's option calculates.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(LayoutOf(f.ctx->state.calcState), kTwoWayLayout);
}
