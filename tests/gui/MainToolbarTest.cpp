#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/RegionalSettings.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "support/MessageBoxCatcher.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

AppContext makeContext(const QTemporaryDir &dir)
{
    return AppContext(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()),
                      ProgramPaths(dir.path(), dir.path()));
}

const char *const kOrder[] = { "buttnw", "buttop", "buttlg", "butthp", "buttsv",
                               "buttcl", "buttcf", "buttrp", "buttcd" };

/// The picture state of each toolbar button, in order.
std::vector<int> states(const MDI &window)
{
    std::vector<int> out;
    for (const char *name : kOrder)
        out.push_back(window.toolbarButton(name)->pictureState());
    return out;
}

/// A stand-in for the results window, which belongs to another part of the program.
void registerDummyResults(MDI &window)
{
    window.registerForm("FormResultados", [](MDI &) { return new QWidget; });
}

TEST(MainToolbar, NineButtonsInOrderWithTheirCaptionsAndPictures)
{
    QTemporaryDir dir;
    AppContext context = makeContext(dir);
    MDI window(context);
    QToolBar *strip = window.toolbar();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->objectName(), "pictoolbarmdi");

    QStringList order;
    QStringList captions;
    for (QAction *a : strip->actions()) {
        QWidget *w = strip->widgetForAction(a);
        if (auto *button = qobject_cast<ImageButton *>(w))
            order << button->objectName();
        else if (auto *label = qobject_cast<QLabel *>(w))
            captions << label->text();
    }
    QStringList expected;
    for (const char *name : kOrder)
        expected << name;
    EXPECT_EQ(order, expected);
    EXPECT_EQ(captions, QStringList({ "Ajuda", "Calculadora", "Detalhamento" }));

    for (const char *name : kOrder) {
        SCOPED_TRACE(name);
        ImageButton *button = window.toolbarButton(name);
        EXPECT_EQ(button->index(), 2);
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
        for (int state : { 0, 1, 2 })
            EXPECT_FALSE(button->pictureFile(state).isEmpty()) << state;
    }
    EXPECT_EQ(window.toolbarButton("buttnw")->accessibleName(), "Novo projeto");
    EXPECT_EQ(window.toolbarButton("buttop")->accessibleName(), "Abrir projeto");
}

TEST(MainToolbar, ResultsButtonsFollowTheResultsWindow)
{
    QTemporaryDir dir;
    AppContext context = makeContext(dir);
    MDI window(context);
    registerDummyResults(window);
    int printed = 0;
    window.registerCommand("PRINTPRJ", [&printed] { ++printed; });
    window.show();

    // No results: buttsv, buttrp and buttcd show their disabled pictures, keep them under the
    // pointer and ignore clicks; the File and Tools menus offer nothing that needs results.
    EXPECT_EQ(states(window), std::vector<int>({ 1, 1, 1, 1, 0, 1, 1, 0, 0 }));
    emit window.toolbarButton("buttrp")->hovered();
    EXPECT_EQ(window.toolbarButton("buttrp")->pictureState(), 0);
    {
        MessageBoxCatcher catcher;
        QTest::mouseClick(window.toolbarButton("buttrp"), Qt::LeftButton);
        QTest::mouseClick(window.toolbarButton("buttcd"), Qt::LeftButton);
        QTest::mouseClick(window.toolbarButton("buttsv"), Qt::LeftButton);
        EXPECT_EQ(printed, 0);
        EXPECT_TRUE(catcher.texts.isEmpty());
    }
    auto *arquivo = window.findChild<QMenu *>("Arquivo");
    auto *tools = window.findChild<QMenu *>("TOOLS");
    emit arquivo->aboutToShow();
    emit tools->aboutToShow();
    for (const char *name : { "SAVEPRJ", "SAVEASPRJ", "PRINTPRJ", "DETAIL" })
        EXPECT_FALSE(window.menuItem(name)->isEnabled()) << name;

    // The results window up: the three act; a hover shows the hover picture and a move over
    // the strip puts the rest picture back.
    window.ShowForm("FormResultados");
    ASSERT_TRUE(window.isFormVisible("FormResultados"));
    EXPECT_EQ(states(window), std::vector<int>({ 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    emit window.toolbarButton("buttrp")->hovered();
    EXPECT_EQ(window.toolbarButton("buttrp")->pictureState(), 2);
    QTest::mouseMove(window.toolbar(), QPoint(window.toolbar()->width() - 2, 2));
    window.ResetToolbarPictures();
    EXPECT_EQ(window.toolbarButton("buttrp")->pictureState(), 1);

    emit arquivo->aboutToShow();
    emit tools->aboutToShow();
    EXPECT_TRUE(window.menuItem("SAVEPRJ")->isEnabled());
    EXPECT_TRUE(window.menuItem("SAVEASPRJ")->isEnabled());
    EXPECT_TRUE(window.menuItem("PRINTPRJ")->isEnabled());
    // The detailing is registered by the CAD windows and acts now the results are shown.
    EXPECT_TRUE(window.menuItem("DETAIL")->isEnabled());

    QTest::mouseClick(window.toolbarButton("buttrp"), Qt::LeftButton);
    EXPECT_EQ(printed, 1);
    {
        // A command whose part of the program is missing says so instead of doing nothing.
        MessageBoxCatcher catcher;
        QTest::mouseClick(window.toolbarButton("buttcf"), Qt::LeftButton);
        ASSERT_EQ(catcher.texts.size(), 1);
        EXPECT_TRUE(catcher.texts[0].contains(QStringLiteral("ainda não está disponível")))
                << catcher.texts[0].toStdString();
    }

    // Hidden again: back to the disabled pictures at once.
    window.HideForm("FormResultados");
    EXPECT_EQ(states(window), std::vector<int>({ 1, 1, 1, 1, 0, 1, 1, 0, 0 }));
    QTest::mouseClick(window.toolbarButton("buttrp"), Qt::LeftButton);
    EXPECT_EQ(printed, 1);
}

TEST(MainToolbar, ButtonStatesUnderAPendingLimitError)
{
    QTemporaryDir dir;
    AppContext context = makeContext(dir);
    MDI window(context);
    const InputError broken{ 2, "Largura da caixa acima do limite permitido [ 50m ]" };
    ModuleRSVErr::SetInputError(context, broken);

    // The status bar shows the message with the error picture, and the neutral one once clear.
    auto *picture = window.findChild<QLabel *>("StatusBar1_picture");
    auto *text = window.findChild<QLabel *>("StatusBar1_text");
    EXPECT_EQ(picture->property("pictureIndex").toInt(), 0);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(text->text().toStdString(), broken.message);

    // The main window's own buttons are not forward buttons of an input window: they keep
    // their pictures, and carry the message as tooltip.
    window.ResetToolbarPictures();
    emit window.toolbarButton("buttnw")->hovered();
    EXPECT_EQ(window.toolbarButton("buttnw")->pictureState(), 2);
    EXPECT_EQ(window.toolbarButton("buttop")->pictureState(), 1);
    EXPECT_EQ(window.toolbarButton("buttop")->toolTip().toStdString(), broken.message);

    // An input window's forward button keeps its disabled picture under the pointer and shows
    // the message; its back button hovers as usual and says what it does.
    ImageButton forward("butarw", 2, QStringLiteral("Avançar"));
    ImageButton back("butarw", 3, QStringLiteral("Voltar"));
    forward.SetButtonPicture(2, broken, false);
    back.SetButtonPicture(3, broken, false);
    EXPECT_EQ(forward.pictureState(), 0);
    EXPECT_EQ(forward.toolTip().toStdString(), broken.message);
    EXPECT_EQ(back.pictureState(), 3);
    EXPECT_EQ(back.toolTip(), QStringLiteral("Voltar"));
    EXPECT_NE(forward.pictureFile(0), back.pictureFile(0));
    EXPECT_FALSE(back.pictureFile(3).isEmpty());

    ModuleRSVErr::SetInputError(context, noError);
    EXPECT_EQ(picture->property("pictureIndex").toInt(), 2);
    EXPECT_TRUE(text->text().isEmpty());
    forward.SetButtonPicture(2, noError, false);
    EXPECT_EQ(forward.pictureState(), 2);
    EXPECT_EQ(forward.toolTip(), QStringLiteral("Avançar"));
}

} // namespace
