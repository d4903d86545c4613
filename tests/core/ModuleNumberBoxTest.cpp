#include "core/ModuleNumberBox.h"
#include "core/RegionalSettings.h"
#include "input/InputForms.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace ModuleNumberBox;

namespace {

const FixedRegionalSettings ptBR = FixedRegionalSettings::ptBR(); // D = ","
const FixedRegionalSettings enUS = FixedRegionalSettings::enUS(); // D = "."

const RegionalSettings &withSymbol(char d)
{
    return d == ',' ? static_cast<const RegionalSettings &>(ptBR) : enUS;
}

/// One key on a text box: the filter runs, then the text box acts on the key it let through
/// (a character is inserted at the cursor, the backspace deletes left, Delete deletes right).
struct Typed
{
    NumericField field;
    int returned;
};

Typed pressKey(const char *mask, const char *text, int cursor, int key, char d, bool allowZero)
{
    NumericField f{ text, cursor };
    const int let = NumericKeyPress(mask, key, f, allowZero, withSymbol(d));
    if (let == KeyBackspace && f.cursor > 0) {
        f.text.erase(static_cast<std::size_t>(f.cursor - 1), 1);
        --f.cursor;
    } else if (let != 0 && let != KeyBackspace) {
        f.text.insert(static_cast<std::size_t>(f.cursor), 1, static_cast<char>(let));
        ++f.cursor;
    }
    return { f, let };
}

Typed pressDelete(const char *mask, const char *text, int cursor, char d, bool allowZero)
{
    NumericField f{ text, cursor };
    const int let = NumericDeleteKey(mask, KeyDelete, f, allowZero, withSymbol(d));
    if (let == KeyDelete && f.cursor < static_cast<int>(f.text.size()))
        f.text.erase(static_cast<std::size_t>(f.cursor), 1);
    return { f, let };
}

struct KeyCase
{
    const char *mask;
    const char *text;
    int cursor;
    int key;
    char d;
    bool allowZero;
    const char *expectedText;
    int expectedCursor;
    int expectedReturn;
    const char *why;
};

constexpr int BS = KeyBackspace;

TEST(NumericKeyPress, TypingKeepsTheNumberInTheMask)
{
    const KeyCase cases[] = {
        // Decimal keys.
        { "00.00", "12", 2, '.', ',', false, "12,", 3, ',', "\".\" types the system symbol" },
        { "00.00", "12", 2, ',', '.', false, "12.", 3, '.', "\",\" types the system symbol" },
        { "00.00", "12,", 3, ',', ',', false, "12,", 3, 0, "a second separator is refused" },
        { "00.00", "12,", 3, '.', ',', false, "12,", 3, 0, "either decimal key" },
        { "00.00", "12,5", 0, '.', ',', false, "12,5", 3, 0,
          "a second separator moves the cursor after the first" },
        { "00.00", "", 0, ',', ',', false, "0,", 2, ',', "separator into an empty field" },
        { "00.00", "", 0, ',', '.', false, "0.", 2, '.', "the same with D = \".\"" },
        { "0000", "12", 2, ',', ',', false, "12", 2, 0, "no separator in an integer mask" },
        { "0000", "12", 2, '.', '.', false, "12", 2, 0, "the same with D = \".\"" },
        // Digits.
        { "00.00", "1", 1, '2', ',', false, "12", 2, '2', "room in the integer part" },
        { "00.00", "12,3", 4, '4', ',', false, "12,34", 5, '4', "room in the decimals" },
        { "00.00", "0", 1, '7', ',', false, "7", 1, '7', "a digit replaces a lone zero" },
        { "00.00", "0", 0, '7', '.', false, "7", 1, '7', "wherever the cursor is" },
        { "0000", "1234", 4, '5', ',', false, "1234", 4, 0, "a fifth digit is dropped" },
        { "00.00", "12,34", 2, '5', ',', false, "12,53", 4, 0,
          "no room: digits shift across the separator" },
        { "00.00", "12.34", 2, '5', '.', false, "12.53", 4, 0, "the same with D = \".\"" },
        { "00.00", "12,34", 5, '6', ',', false, "12,34", 5, 0, "end of a full field: dropped" },
        { "00.00", "12", 2, '3', ',', false, "12,3", 4, 0,
          "a full integer part continues after a new separator" },
        { "00.00", "12", 0, '5', '.', false, "51.2", 1, 0, "shift from the start" },
        { "0000.00", "1234", 1, ',', ',', false, "1234,", 2, 0,
          "a separator with too many digits after it goes to the end" },
        // The text keeps "." as stored while D is ",": the shift moves across it and writes D
        // (taking out only D would leave "1,.5", which is not a number).
        { "00.00", "1.00", 2, '5', ',', false, "1,50", 3, 0, "shift across a stored \".\"" },
        // Backspace.
        { "00.00", "5", 1, BS, ',', false, "", 0, 0, "emptied field" },
        { "00.00", "5", 1, BS, ',', true, "0", 1, 0, "emptied field with allowZero" },
        { "00.00", "0", 1, BS, '.', true, "0", 1, 0, "a zero stays with allowZero" },
        { "00.00", "0", 1, BS, '.', false, "", 0, 0, "a zero goes without allowZero" },
        { "00.00", "5,25", 1, BS, ',', false, "0,25", 1, 0, "the lone integer digit becomes 0" },
        { "00.00", "5.25", 1, BS, '.', false, "0.25", 1, 0, "the same with D = \".\"" },
        { "00.00", "5,25", 2, BS, ',', false, "0,25", 1, 0, "also from right after the separator" },
        { "00.00", "12,3", 4, BS, ',', false, "12", 2, 0, "the last decimal takes the separator" },
        { "00.00", "12.3", 4, BS, '.', false, "12", 2, 0, "the same with D = \".\"" },
        { "00.00", "12,34", 3, BS, ',', false, "1,34", 1, 0,
          "after the separator of a full field the digit before it goes" },
        { "00.00", "5,2", 2, BS, ',', false, "52", 1, BS, "the separator may go when it fits" },
        { "00.00", "12,5", 2, BS, ',', false, "1,5", 1, BS, "an ordinary digit" },
        { "00.00", "5", 0, BS, ',', false, "5", 0, BS, "nothing left of the cursor" },
        // A separator at the very start has no digit before it to take its place: the field
        // stays (the literal step would cut the text at a negative length).
        { "0.00", ",55", 1, BS, ',', false, ",55", 1, 0, "leading separator, full decimals" },
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " \"" + c.text + "\" cursor " + std::to_string(c.cursor)
                     + " key " + std::to_string(c.key) + " D " + c.d + ": " + c.why);
        const Typed r = pressKey(c.mask, c.text, c.cursor, c.key, c.d, c.allowZero);
        EXPECT_EQ(r.field.text, c.expectedText);
        EXPECT_EQ(r.field.cursor, c.expectedCursor);
        EXPECT_EQ(r.returned, c.expectedReturn);
    }
}

TEST(NumericKeyPress, SwallowsEverythingButDigitsDecimalKeysAndBackspace)
{
    // Letters, signs, space, Enter, Tab, Escape, Ctrl+C / Ctrl+V / Ctrl+X, the delete
    // character, the null key and a non-ASCII letter.
    const int keys[] = { 'a', 'Z', 'e', '-', '+', ' ', 13, 10, 9, 27, 3, 22, 24, 127, 0, 0xE7 };
    for (const char d : { ',', '.' }) {
        for (const int key : keys) {
            for (const char *text : { "", "12,3", "0" }) {
                SCOPED_TRACE("key " + std::to_string(key) + " in \"" + text + "\" D " + d);
                NumericField f{ text, 1 };
                f.cursor = std::min(f.cursor, static_cast<int>(f.text.size()));
                const NumericField before = f;
                EXPECT_EQ(NumericKeyPress("00.00", key, f, true, withSymbol(d)), 0);
                EXPECT_EQ(f, before);
            }
        }
    }
}

TEST(NumericKeyPress, ClampsACursorOutsideTheText)
{
    NumericField f{ "12", 9 };
    EXPECT_EQ(NumericKeyPress("00.00", '3', f, false, ptBR), 0);
    EXPECT_EQ(f, (NumericField{ "12,3", 4 }));
    f = { "12", -3 };
    EXPECT_EQ(NumericKeyPress("00.00", '5', f, false, ptBR), 0);
    EXPECT_EQ(f, (NumericField{ "51,2", 1 }));
}

struct DeleteCase
{
    const char *mask;
    const char *text;
    int cursor;
    char d;
    bool allowZero;
    const char *expectedText;
    int expectedCursor;
    int expectedReturn;
    const char *why;
};

TEST(NumericDeleteKey, KeepsTheNumberInTheMask)
{
    constexpr int DEL = KeyDelete;
    const DeleteCase cases[] = {
        { "00.00", "12,34", 2, ',', false, "12,4", 3, 0,
          "the separator stays and the digit after it goes" },
        { "00.00", "12.34", 2, '.', false, "12.4", 3, 0, "the same with D = \".\"" },
        { "00.00", "12,34", 1, ',', false, "1,34", 1, DEL, "an ordinary digit" },
        { "00.00", "12,3", 3, ',', false, "12", 2, 0, "the last decimal takes the separator" },
        { "00.00", "12,3", 2, ',', false, "12", 2, 0,
          "separator of a full integer part with one decimal" },
        { "00.00", "5,25", 0, ',', false, "0,25", 2, 0, "the lone integer digit becomes 0" },
        { "00.00", "0,5", 2, ',', false, "", 0, 0, "nothing but zero left" },
        { "00.00", "0,5", 2, ',', true, "0", 1, 0, "nothing but zero left, allowZero" },
        { "00.00", "5", 0, '.', true, "0", 1, 0, "emptied field with allowZero" },
        { "00.00", "5", 0, '.', false, "", 0, DEL, "emptied field" },
        { "0000", "5", 0, ',', true, "", 0, DEL, "an integer mask has no zero to keep" },
        { "00.00", "12", 2, ',', false, "12", 2, DEL, "nothing right of the cursor" },
        { "00.00", "1,2", 1, ',', false, "12", 1, DEL, "the separator may go when it fits" },
        // The Delete correction of the concrete strength field uses "00.00" on a "000" field.
        { "00.00", "250", 0, ',', false, "50", 0, DEL, "fck field" },
        // A text stored with "." on a "," machine loses its trailing separator all the same.
        { "00.00", "12.3", 3, ',', false, "12", 2, 0, "trailing stored separator" },
    };
    for (const DeleteCase &c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " \"" + c.text + "\" cursor " + std::to_string(c.cursor)
                     + " D " + c.d + ": " + c.why);
        const Typed r = pressDelete(c.mask, c.text, c.cursor, c.d, c.allowZero);
        EXPECT_EQ(r.field.text, c.expectedText);
        EXPECT_EQ(r.field.cursor, c.expectedCursor);
        EXPECT_EQ(r.returned, c.expectedReturn);
    }
}

TEST(NumericDeleteKey, OtherKeysPassUntouched)
{
    for (const int key : { 8, 37, 39, 45, 13 }) {
        NumericField f{ "12,34", 2 };
        EXPECT_EQ(NumericDeleteKey("00.00", key, f, true, ptBR), key);
        EXPECT_EQ(f, (NumericField{ "12,34", 2 }));
    }
}

TEST(SplitAtSeparator, CommaFirstThenPointThenTheSystemSymbol)
{
    using S = SeparatorSplit;
    EXPECT_EQ(SplitAtSeparator("00.00", ','), (S{ 3, 2, 2 }));
    EXPECT_EQ(SplitAtSeparator("0000.0", '.'), (S{ 5, 4, 1 }));
    EXPECT_EQ(SplitAtSeparator("9999", ','), (S{ 0, 4, 0 }));
    EXPECT_EQ(SplitAtSeparator("", ','), (S{ 0, 0, 0 }));
    EXPECT_EQ(SplitAtSeparator("12,", ','), (S{ 3, 2, 0 }));
    EXPECT_EQ(SplitAtSeparator(",5", '.'), (S{ 1, 0, 1 }));
    EXPECT_EQ(SplitAtSeparator("1.2,3", '.'), (S{ 4, 3, 1 })); // "," before "."
    EXPECT_EQ(SplitAtSeparator("1;5", ';'), (S{ 2, 1, 1 }));
}

struct PasteCase
{
    const char *mask;
    const char *text;
    int selectionStart;
    int selectionLength;
    const char *pasted;
    char d;
    std::optional<NumericField> expected;
    const char *why;
};

TEST(NumericPaste, AcceptsOnlyANumberThatFitsAndWritesD)
{
    const std::nullopt_t refused = std::nullopt;
    const PasteCase cases[] = {
        { "00.00", "", 0, 0, "2.79", ',', NumericField{ "2,79", 4 }, "\".\" becomes D" },
        { "00.00", "", 0, 0, "2,79", '.', NumericField{ "2.79", 4 }, "\",\" becomes D" },
        { "00.00", "12,34", 0, 5, "7", ',', NumericField{ "7", 1 }, "replaces the selection" },
        { "00.00", "12,3", 4, 0, "4", ',', NumericField{ "12,34", 5 }, "at the cursor" },
        { "00.00", "1.5", 0, 1, "2", ',', NumericField{ "2,5", 1 },
          "the field's stored separator is written as D too" },
        { "00.00", "", 0, 0, " 2,5\r\n", ',', NumericField{ "2,5", 3 },
          "blanks and the line break of a spreadsheet cell are dropped" },
        { "0000", "", 0, 0, "1234", ',', NumericField{ "1234", 4 }, "full integer mask" },
        { "00.00", "1", 1, 0, "23", ',', refused, "three integer digits" },
        { "00.00", "", 0, 0, "1,234", ',', refused, "three decimals" },
        { "00.00", "", 0, 0, "1.234,5", ',', refused, "grouping symbol: two separators" },
        { "00.00", "12,3", 2, 0, ",5", ',', refused, "a second separator" },
        { "0000", "", 0, 0, "12,5", ',', refused, "separator in an integer mask" },
        { "0000", "", 0, 0, "12345", ',', refused, "five digits" },
        { "00.00", "", 0, 0, "-2", ',', refused, "sign" },
        { "00.00", "", 0, 0, "+2", ',', refused, "sign" },
        { "00.00", "", 0, 0, "2e1", ',', refused, "exponent" },
        { "00.00", "", 0, 0, "abc", ',', refused, "letters" },
        { "00.00", "", 0, 0, "1 2", ',', refused, "blank inside" },
        { "00.00", "", 0, 0, "\xEF\xBC\x92", ',', refused, "full-width digit" },
        { "00.00", "", 0, 0, ",", ',', refused, "no digit" },
        { "00.00", "12", 0, 2, "  ", ',', refused, "nothing to paste" },
    };
    for (const PasteCase &c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " \"" + c.text + "\" + \"" + c.pasted + "\": " + c.why);
        EXPECT_EQ(NumericPaste(c.mask, c.text, c.selectionStart, c.selectionLength, c.pasted,
                               withSymbol(c.d)),
                  c.expected);
    }
}

TEST(NumericDeleteSelection, LeavesANumberOrRefuses)
{
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,34", 3, 2, false, ptBR),
              (NumericField{ "12,", 3 }));
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,34", 0, 2, false, ptBR),
              (NumericField{ ",34", 0 }));
    // Without its separator "12,34" would read 1234.
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,34", 2, 1, false, ptBR), std::nullopt);
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,34", 0, 5, false, ptBR), (NumericField{ "", 0 }));
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,34", 0, 5, true, ptBR), (NumericField{ "0", 1 }));
    EXPECT_EQ(NumericDeleteSelection("00.00", "12,", 0, 2, true, ptBR), (NumericField{ "0", 1 }));
    EXPECT_EQ(NumericDeleteSelection("00.00", "12", 1, 99, false, ptBR), (NumericField{ "1", 1 }));
}

TEST(FitsNumericMask, ShapeOfANumber)
{
    EXPECT_TRUE(FitsNumericMask("", "00.00", ptBR));
    EXPECT_TRUE(FitsNumericMask("2.79", "00.00", ptBR)); // stored with "."
    EXPECT_TRUE(FitsNumericMask(",5", "00.00", ptBR));
    EXPECT_TRUE(FitsNumericMask("12,", "00.00", ptBR));
    EXPECT_FALSE(FitsNumericMask(",", "00.00", ptBR));
    EXPECT_FALSE(FitsNumericMask("100", "00.00", ptBR));
    EXPECT_FALSE(FitsNumericMask("1,2,3", "00.00", ptBR));
    EXPECT_FALSE(FitsNumericMask("1,5", "9999", enUS));
}

TEST(NumericFieldMask, MasksOfTheProgramsFields)
{
    struct Row
    {
        const char *form;
        const char *control;
        const char *mask;
        const char *deleteMask;
        bool allowZero;
    };
    const Row rows[] = {
        { "FormDadosGeometricos", "Text_a", "00.00", "00.00", false },
        { "FormDadosGeometricos", "Text_hn", "00.00", "00.00", true },
        { "FormPosTampa", "TextqA", "0000", "0000", false },
        { "FormDadosEnterrada", "Textqt", "0000", "0000", true },
        { "FormDadosEnterrada", "TextAngTerreno", "00", "00", true },
        { "FormAltera_e", "Text_e", "0.00", "0.00", false },
        { "FormCFG", "RSVCFGCONCFCK", "000", "00.00", false },
        { "FormCFG", "RSVH20PESESP", "0.0", "0.0", false },
        { "FormCADCfg", "NumberBox1", "000000", "000000", false },
        { "FormCADEscala", "NumberBox1", "9999", "9999", false },
        { "FormCADEdAs", "NumberBox4", "999", "999", false },
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.form) + "." + r.control);
        const auto m = NumericFieldMask(r.form, r.control);
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->mask, r.mask);
        EXPECT_EQ(m->deleteMask, r.deleteMask);
        EXPECT_EQ(m->allowZero, r.allowZero);
    }
    EXPECT_FALSE(NumericFieldMask("FormPosTampa", "Text_a").has_value()); // by window
    EXPECT_FALSE(NumericFieldMask("FormDadosEnterrada", "ComboSolo").has_value());
}

TEST(NumericFieldMask, EveryInputFieldHasAMaskItsDefaultFits)
{
    // A default text outside its mask would make the filter shift or drop digits of it.
    for (const FormModel &form :
         { MakeFormDadosGeometricos(), MakeFormPosTampa(), MakeFormDadosEnterrada() }) {
        for (const std::string &name : form.fieldNames()) {
            if (name.rfind("Text", 0) != 0)
                continue;
            SCOPED_TRACE(form.formName() + "." + name);
            const auto m = NumericFieldMask(form.formName(), name);
            ASSERT_TRUE(m.has_value());
            EXPECT_TRUE(FitsNumericMask(form.text(name), m->mask, ptBR)) << form.text(name);
        }
    }
}

} // namespace
