#include "core/ui/NumericLineEdit.h"
#include "core/CalcContext.h"
#include "core/ModuleNumberBox.h"
#include "core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <ostream>

// Failure messages show the field's text rather than its bytes.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

class NumericLineEditTest : public ::testing::Test
{
protected:
    NumericLineEditTest()
        : context(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::ptBR()))
    {
        edit.setRegionalSettings(context);
        edit.setNumericMask(*ModuleNumberBox::NumericFieldMask("FormDadosGeometricos", "Text_a"));
    }

    void useZeroFlag()
    {
        edit.setNumericMask(*ModuleNumberBox::NumericFieldMask("FormDadosGeometricos", "Text_hn"));
    }

    CalcContext context;
    NumericLineEdit edit;
};

TEST_F(NumericLineEditTest, TypingGoesThroughTheFilter)
{
    QTest::keyClicks(&edit, "1a2- .5");
    EXPECT_EQ(edit.text(), "12,5"); // letters, sign and space swallowed, "." typed as ","
    QTest::keyClicks(&edit, "79");
    EXPECT_EQ(edit.text(), "12,57"); // the third decimal has no room
    EXPECT_EQ(edit.cursorPosition(), 5);

    // No room before the separator: the digits shift across it.
    QSignalSpy edited(&edit, &QLineEdit::textEdited);
    edit.setCursorPosition(2);
    QTest::keyClick(&edit, '3');
    EXPECT_EQ(edit.text(), "12,35");
    EXPECT_EQ(edit.cursorPosition(), 4);
    EXPECT_FALSE(edited.isEmpty()) << "the filter's corrections read as the user's edits";

    // The decimal symbol is read at every key.
    context.setRegional(std::make_unique<FixedRegionalSettings>(FixedRegionalSettings::enUS()));
    edit.setText(QString());
    QTest::keyClick(&edit, ',');
    EXPECT_EQ(edit.text(), "0.");
}

TEST_F(NumericLineEditTest, BackspaceAndDeleteKeepTheShape)
{
    edit.setText("5,25");
    edit.setCursorPosition(1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "0,25");
    EXPECT_EQ(edit.cursorPosition(), 1);

    edit.setText("12,3");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12");

    edit.setText("12,34");
    edit.setCursorPosition(2);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "12,4");
    EXPECT_EQ(edit.cursorPosition(), 3);

    useZeroFlag();
    edit.setText("5");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "0");
    QTest::keyClick(&edit, '7');
    EXPECT_EQ(edit.text(), "7");
}

TEST_F(NumericLineEditTest, NavigationSelectionAndTypingOverASelection)
{
    edit.setText("12,34");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.cursorPosition(), 3);
    QTest::keyClick(&edit, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(edit.selectedText(), "12,");

    // A field entered with Tab is all selected: the first digit replaces it.
    edit.selectAll();
    QTest::keyClick(&edit, 'x');
    EXPECT_EQ(edit.text(), "12,34") << "a refused key leaves the selection";
    EXPECT_TRUE(edit.hasSelectedText());
    QTest::keyClick(&edit, '3');
    EXPECT_EQ(edit.text(), "3");

    // Removing only the separator would turn 12,34 into 1234: refused, by key and by cut.
    edit.setText("12,34");
    edit.setSelection(2, 1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12,34");
    QGuiApplication::clipboard()->setText("9");
    QTest::keySequence(&edit, QKeySequence::Cut);
    EXPECT_EQ(edit.text(), "12,34");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "9") << "a refused cut copies nothing";

    // Any other way of editing (here an input method) is held to the number's shape.
    QInputMethodEvent composed;
    composed.setCommitString("x");
    QApplication::sendEvent(&edit, &composed);
    EXPECT_EQ(edit.text(), "12,34");

    QSignalSpy returnPressed(&edit, &QLineEdit::returnPressed);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.text(), "12,34");
    EXPECT_EQ(returnPressed.count(), 1);
}

TEST_F(NumericLineEditTest, PasteEntersOnlyANumberThatFits)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    edit.setText("1");
    edit.setCursorPosition(1);

    clipboard->setText("1.234,5");
    QTest::keySequence(&edit, QKeySequence::Paste);
    EXPECT_EQ(edit.text(), "1") << "two separators: refused, the field keeps its text";

    clipboard->setText("2.5\n");
    QTest::keySequence(&edit, QKeySequence::Paste);
    EXPECT_EQ(edit.text(), "12,5") << "accepted, written with the system symbol";
    EXPECT_EQ(edit.cursorPosition(), 4);

    // The context menu's paste takes the same check.
    std::unique_ptr<QMenu> menu(edit.createNumericContextMenu());
    auto *paste = menu->findChild<QAction *>("edit-paste");
    ASSERT_NE(paste, nullptr);
    edit.selectAll();
    clipboard->setText("-3");
    paste->trigger();
    EXPECT_EQ(edit.text(), "12,5");
    clipboard->setText("3,75");
    paste->trigger();
    EXPECT_EQ(edit.text(), "3,75");
}

TEST_F(NumericLineEditTest, DropEntersOnlyANumberThatFits)
{
    edit.setText(QString());
    const auto drop = [this](const QString &text) {
        QMimeData mime;
        mime.setText(text);
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &enter);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit, &drop);
        return drop.isAccepted();
    };
    EXPECT_FALSE(drop("100"));
    EXPECT_EQ(edit.text(), "");
    EXPECT_TRUE(drop("2.79"));
    EXPECT_EQ(edit.text(), "2,79");
}

} // namespace
