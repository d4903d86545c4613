// Random sequences of keys, cursor moves, selections and pastes typed into a numeric field, for
// every mask the program's fields use and under both decimal symbols: after every step the field
// is empty or holds a number that fits its mask, with at most one separator. The sequences come
// from a fixed seed per mask and symbol, so a failure names a sequence that can be typed again.
#include "core/CalcContext.h"
#include "core/ModuleNumberBox.h"
#include "core/RegionalSettings.h"
#include "core/ui/NumericLineEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

#ifdef RESERVIUM_KEY_SEQUENCES
constexpr int kSequences = RESERVIUM_KEY_SEQUENCES;
#else
constexpr int kSequences = 100000;
#endif

struct Setting
{
    const char *mask;
    const char *deleteMask; ///< the Delete correction's mask; the key mask when null
    bool allowZero;
    bool comma; ///< the regional decimal symbol is ","
};

std::string nameOf(const ::testing::TestParamInfo<Setting> &info)
{
    std::string name;
    for (const char *c = info.param.mask; *c; ++c)
        name += *c == '.' ? 'p' : *c;
    if (info.param.deleteMask)
        name += "_delete_" + std::string(info.param.deleteMask);
    std::replace(name.begin(), name.end(), '.', 'p');
    return "mask_" + name + (info.param.allowZero ? "_zero" : "")
            + (info.param.comma ? "_comma" : "_point");
}

/// The shape of a number in the mask, worked out here on its own: digits, at most one "," or
/// ".", at most the mask's integer digits before it and its decimals after it (no separator
/// when the mask has none), and at least one digit.
bool fitsShape(const QString &text, const std::string &mask)
{
    const auto maskPoint = mask.find_first_of(".,");
    const int maxInteger =
            static_cast<int>(maskPoint == std::string::npos ? mask.size() : maskPoint);
    const int maxDecimals =
            maskPoint == std::string::npos ? -1 : static_cast<int>(mask.size() - maskPoint - 1);
    int integer = 0;
    int decimals = 0;
    int separators = 0;
    for (const QChar c : text) {
        if (c == u',' || c == u'.') {
            if (++separators > 1 || maxDecimals < 0)
                return false;
        } else if (c >= u'0' && c <= u'9') {
            ++(separators == 0 ? integer : decimals);
        } else {
            return false;
        }
    }
    return integer + decimals > 0 && integer <= maxInteger && decimals <= std::max(maxDecimals, 0);
}

class NumericKeyFuzz : public ::testing::TestWithParam<Setting>
{
protected:
    NumericKeyFuzz()
        : context(std::make_unique<FixedRegionalSettings>(
                GetParam().comma ? FixedRegionalSettings::ptBR() : FixedRegionalSettings::enUS()))
    {
        const Setting &s = GetParam();
        edit.setRegionalSettings(context);
        edit.setNumericMask(ModuleNumberBox::FieldMask{
                s.mask, s.deleteMask ? s.deleteMask : s.mask, s.allowZero });
    }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
    {
        QKeyEvent press(QEvent::KeyPress, k, mods, text);
        QApplication::sendEvent(&edit, &press);
    }

    void typeChar(QChar c) { key(c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : 0, {}, c); }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    /// A text to paste: a number that may or may not fit, with blanks, signs, letters,
    /// separators of either kind, or the field's own text or selection.
    QString pasteText()
    {
        static const QString pieces[] = { "0",    "1",     "2",       "5",  "9",   "12",
                                          "345",  ",",     ".",       " ",  "\n",  "-",
                                          "+",    "e",     "a",       "ç",  "1,5", "2.79",
                                          "0,01", "99.99", "1.000,5", "\t", "١" };
        switch (pick(4)) {
        case 0:
            return edit.selectedText();
        case 1:
            return edit.text();
        default: {
            QString out;
            for (int i = 0, n = 1 + pick(5); i < n; ++i)
                out += pieces[pick(static_cast<int>(std::size(pieces)))];
            return out;
        }
        }
    }

    /// A text the program itself may put in the field: empty, or a number of the mask's
    /// shape, with either separator.
    QString startText()
    {
        if (pick(4) == 0)
            return {};
        for (int attempt = 0; attempt < 20; ++attempt) {
            QString t;
            for (int i = 0, n = 1 + pick(6); i < n; ++i)
                t += QChar(u'0' + pick(10));
            if (pick(2) == 0) {
                t.insert(pick(static_cast<int>(t.size()) + 1), pick(2) == 0 ? u',' : u'.');
            }
            if (fitsShape(t, GetParam().mask))
                return t;
        }
        return "0";
    }

    void step()
    {
        static const char others[] = "a-+ e/*%xX=()'\"";
        const int length = static_cast<int>(edit.text().size());
        switch (pick(22)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
            typeChar(QChar(u'0' + pick(10)));
            break;
        case 6:
            typeChar(u',');
            break;
        case 7:
            typeChar(u'.');
            break;
        case 8:
        case 9:
            key(Qt::Key_Backspace, {}, QStringLiteral("\b"));
            break;
        case 10:
            key(Qt::Key_Delete, {}, QString(QChar(127)));
            break;
        case 11:
            typeChar(QChar(others[pick(static_cast<int>(sizeof others) - 1)]));
            break;
        case 12:
            typeChar(QChar(0x00E7)); // ç
            break;
        case 13: { // cursor moves, with or without extending the selection
            static const int moves[] = { Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End };
            key(moves[pick(4)], pick(2) == 0 ? Qt::NoModifier : Qt::ShiftModifier);
            break;
        }
        case 14:
            edit.setCursorPosition(pick(length + 1));
            break;
        case 15: { // a selection made with the mouse
            const int start = pick(length + 1);
            edit.setSelection(start, pick(length - start + 1));
            break;
        }
        case 16:
            key(Qt::Key_A, Qt::ControlModifier); // select all
            break;
        case 17: { // a text pasted through the mime data a drop or the menu hands over
            QMimeData mime;
            mime.setText(pasteText());
            edit.insertFromMimeData(&mime);
            break;
        }
        case 18: // Ctrl+V of the clipboard, holding the field's text or a random one
            QGuiApplication::clipboard()->setText(pasteText());
            key(Qt::Key_V, Qt::ControlModifier);
            break;
        case 19: // copy the selection, move, paste it
            key(Qt::Key_C, Qt::ControlModifier);
            edit.setCursorPosition(pick(length + 1));
            key(Qt::Key_V, Qt::ControlModifier);
            break;
        case 20:
            key(Qt::Key_X, Qt::ControlModifier); // cut
            break;
        default: { // word deletion and undo, the line edit's own ways of editing
            static const std::pair<int, Qt::KeyboardModifiers> others2[] = {
                { Qt::Key_Backspace, Qt::ControlModifier },
                { Qt::Key_Delete, Qt::ControlModifier },
                { Qt::Key_Z, Qt::ControlModifier },
                { Qt::Key_Y, Qt::ControlModifier },
            };
            const auto &[k, mods] = others2[pick(4)];
            key(k, mods);
            break;
        }
        }
    }

    CalcContext context;
    NumericLineEdit edit;
    std::mt19937 rng;
};

TEST_P(NumericKeyFuzz, TheFieldAlwaysHoldsANumberThatFitsItsMask)
{
    const Setting &s = GetParam();
    // One fixed seed per setting, so that every setting types sequences of its own.
    std::vector<unsigned> seedData(s.mask, s.mask + std::strlen(s.mask));
    seedData.push_back(s.comma ? 1 : 2);
    seedData.push_back(s.allowZero ? 3 : 4);
    seedData.push_back(s.deleteMask ? 5 : 6);
    std::seed_seq seed(seedData.begin(), seedData.end());
    rng.seed(seed);
    long long steps = 0;
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        const QString start = startText();
        edit.setText(start);
        edit.setCursorPosition(pick(static_cast<int>(start.size()) + 1));
        QString trail = "\"" + start + "\"";
        for (int i = 0, n = 1 + pick(12); i < n; ++i) {
            step();
            ++steps;
            const QString t = edit.text();
            trail += " → \"" + t + "\"";
            if (!(t.isEmpty() || fitsShape(t, s.mask))) {
                FAIL() << "sequence " << sequence << ", step " << i << ": " << trail.toStdString();
            }
        }
    }
    std::printf("%d sequências, %lld teclas ou colagens\n", kSequences, steps);
}

const Setting kSettings[] = {
    // Every mask the program's fields use, with the zero flag where a field has it.
    { "00.00", nullptr, false, false },   { "00.00", nullptr, false, true },
    { "00.00", nullptr, true, false },    { "00.00", nullptr, true, true },
    { "0000", nullptr, false, false },    { "0000", nullptr, false, true },
    { "0000", nullptr, true, false },     { "0000", nullptr, true, true },
    { "00", nullptr, false, false },      { "00", nullptr, false, true },
    { "00", nullptr, true, false },       { "00", nullptr, true, true },
    { "0.00", nullptr, false, false },    { "0.00", nullptr, false, true },
    { "000000", nullptr, false, false },  { "000000", nullptr, false, true },
    { "0000.00", nullptr, false, false }, { "0000.00", nullptr, false, true },
    { "0000.0", nullptr, false, false },  { "0000.0", nullptr, false, true },
    { "000", nullptr, false, false },     { "000", nullptr, false, true },
    { "000", "00.00", false, false },     { "000", "00.00", false, true },
    { "9999", nullptr, false, false },    { "9999", nullptr, false, true },
    { "00.0", nullptr, false, false },    { "00.0", nullptr, false, true },
    { "0.0", nullptr, false, false },     { "0.0", nullptr, false, true },
};

INSTANTIATE_TEST_SUITE_P(EveryMaskBothSymbols, NumericKeyFuzz, ::testing::ValuesIn(kSettings),
                         nameOf);

} // namespace
