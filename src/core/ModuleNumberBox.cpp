#include "core/ModuleNumberBox.h"

#include "core/Numbers.h"
#include "core/RegionalSettings.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ModuleNumberBox {

namespace {

/// Positions are 16-bit counts; a text longer than that takes no keys.
constexpr std::size_t maxFieldLength = std::numeric_limits<std::int16_t>::max();

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSeparator(char c, char decimalSymbol)
{
    return c == ',' || c == '.' || c == decimalSymbol;
}

int length(const std::string &text)
{
    return static_cast<int>(text.size());
}

void place(NumericField &field, std::string text, int cursor)
{
    field.text = std::move(text);
    field.cursor = std::clamp(cursor, 0, length(field.text));
}

/// The characters of `text` from 0-based `from` on, the empty text beyond its end.
std::string tail(const std::string &text, int from, std::size_t count = std::string::npos)
{
    return from < length(text) ? text.substr(static_cast<std::size_t>(from), count) : std::string();
}

std::string_view trimPasted(std::string_view s)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string withoutRange(std::string_view text, int start, int count)
{
    std::string out(text.substr(0, static_cast<std::size_t>(start)));
    out += text.substr(static_cast<std::size_t>(start + count));
    return out;
}

/// Clamps a selection given by a text box to the text.
std::pair<int, int> clampSelection(std::string_view text, int start, int count)
{
    const int size = static_cast<int>(std::min(text.size(), maxFieldLength));
    start = std::clamp(start, 0, size);
    count = std::clamp(count, 0, size - start);
    return { start, count };
}

struct MaskRow
{
    std::string_view form;
    std::string_view control;
    std::string_view mask;
    std::string_view deleteMask; // empty: the key mask
    bool allowZero;
};

// clang-format off
constexpr std::array<MaskRow, 46> maskTable = { {
    { "FormDadosGeometricos", "Text_a", "00.00", {}, false },
    { "FormDadosGeometricos", "Text_b", "00.00", {}, false },
    { "FormDadosGeometricos", "Text_h", "00.00", {}, false },
    { "FormDadosGeometricos", "Text_hn", "00.00", {}, true },
    { "FormPosTampa", "Text_X", "00.00", {}, false },
    { "FormPosTampa", "Text_Y", "00.00", {}, false },
    { "FormPosTampa", "Text_Lx", "00.00", {}, false },
    { "FormPosTampa", "Text_Ly", "00.00", {}, false },
    { "FormPosTampa", "TextqA", "0000", {}, false },
    { "FormDadosEnterrada", "Textht", "00.00", {}, false },
    { "FormDadosEnterrada", "Texthna", "00.00", {}, true },
    { "FormDadosEnterrada", "Textqt", "0000", {}, true },
    { "FormDadosEnterrada", "TextGama", "0.00", {}, false },
    { "FormDadosEnterrada", "TextAngSolo", "00", {}, false },
    { "FormDadosEnterrada", "TextAngTerreno", "00", {}, true },
    { "FormAltera_e", "Text_e", "0.00", {}, false },
    { "FormCFG", "RSVABMAXFISS", "0.00", {}, false },
    { "FormCFG", "RSVCFGACOMIN", "0.00", {}, false },
    { "FormCFG", "RSVCFGCONCMIN", "0.00", {}, false },
    { "FormCFG", "RSVCFGCONCPESESP", "0.00", {}, false },
    { "FormCFG", "RSVCFGMAJCARGAS", "0.00", {}, false },
    { "FormCFG", "RSVCFGSECASMIN", "0.00", {}, false },
    { "FormCFG", "RSVCFGCOBMIN", "00.0", {}, false },
    { "FormCFG", "RSVCFGESPMAXAS", "00.0", {}, false },
    { "FormCFG", "RSVCFGESPMINAS", "00.0", {}, false },
    { "FormCFG", "RSVCFGESPMULT", "00.0", {}, false },
    { "FormCFG", "RSVMELESPAS", "00.0", {}, false },
    { "FormCFG", "RSVCFGCONCFCK", "000", "00.00", false },
    { "FormCFG", "RSVCHAMFFUND", "000", {}, false },
    { "FormCFG", "RSVCHAMFPAR", "000", {}, false },
    { "FormCFG", "RSVESPMINPAR", "00", {}, false },
    { "FormCFG", "RSVPORCTAMASEST", "00", {}, false },
    { "FormCFG", "RSVH20PESESP", "0.0", {}, false },
    { "FormCADCfg", "NumberBox1", "000000", {}, false },
    { "FormCADCfg", "NumberBox2", "000000", {}, false },
    { "FormCADCfg", "NumberBox3", "0000.00", {}, false },
    { "FormCADCfg", "Text6", "0000.0", {}, false },
    { "FormCADCfg", "Text7", "0000", {}, false },
    { "FormCADCfg", "Text8", "000", {}, false },
    { "FormCADEscala", "NumberBox1", "9999", {}, false },
    { "FormCADFormato", "NumberBox1", "9999", {}, false },
    { "FormCADFormato", "NumberBox2", "9999", {}, false },
    { "FormCADEdAs", "NumberBox1", "9999", {}, false },
    { "FormCADEdAs", "NumberBox3", "9999", {}, false },
    { "FormCADEdAs", "NumberBox2", "999", {}, false },
    { "FormCADEdAs", "NumberBox4", "999", {}, false },
} };
// clang-format on

} // namespace

char SystemDecimalSymbol(const RegionalSettings &regional)
{
    const std::string d = regional.decimalSymbol();
    if (d.size() == 1 && d[0] > ' ' && d[0] < 127 && !isDigit(d[0]))
        return d[0];
    return '.';
}

SeparatorSplit SplitAtSeparator(std::string_view text, char decimalSymbol)
{
    auto pos = text.find(',');
    if (pos == std::string_view::npos)
        pos = text.find('.');
    if (pos == std::string_view::npos)
        pos = text.find(decimalSymbol);
    const std::int16_t size = ToInt16(static_cast<double>(text.size()));
    if (pos == std::string_view::npos)
        return { 0, size, 0 };
    const auto p = static_cast<std::int16_t>(pos);
    return { static_cast<std::int16_t>(p + 1), p, static_cast<std::int16_t>(size - p - 1) };
}

int NumericKeyPress(std::string_view mask, int key, NumericField &field, bool allowZero,
                    const RegionalSettings &regional)
{
    if (field.text.size() > maxFieldLength)
        return 0;
    const char D = SystemDecimalSymbol(regional);
    const std::string T = field.text;
    const int S = std::clamp(field.cursor, 0, length(T));
    const int dCode = static_cast<unsigned char>(D);

    // Every decimal key types the system symbol.
    const bool sepKey = key == ',' || key == '.' || key == dCode;
    const bool hasSep = T.find_first_of(std::string{ ',', '.', D }) != std::string::npos;
    const int K = sepKey ? dCode : key;
    const bool digitKey = K >= '0' && K <= '9';
    const bool back = K == KeyBackspace;
    const bool nul = K == 0;

    const SeparatorSplit m = SplitAtSeparator(mask, D);
    const SeparatorSplit t = SplitAtSeparator(T, D);
    const int mPos = m.position, mInt = m.integerLength, mFrac = m.decimalLength;
    const int tPos = t.position, tInt = t.integerLength, tFrac = t.decimalLength;

    const bool afterSep = S == tPos;
    // Removing the separator would join more digits than the integer part holds.
    const bool tooLong = mInt < tInt + tFrac;
    const bool emptiesInt =
            (tInt == 1 && tFrac == 0) || (tPos != 0 && tInt == 1 && (S == 1 || S == 2));
    const bool lastFrac = S == tPos + 1 && tFrac == 1;
    const bool backSpecial =
            back && ((afterSep && tooLong) || (!afterSep && emptiesInt) || lastFrac);
    const bool badKey = (!digitKey && !back && !sepKey) || (sepKey && hasSep);
    const bool sepInIntMask = sepKey && mPos == 0;

    bool room = (mPos == 0 && tInt < mInt && tFrac == 0) ? true : back;
    if (tPos != 0 && mPos != 0 && ((S < tPos && tInt < mInt) || (S >= tPos && tFrac < mFrac)))
        room = true;
    if (tPos == 0 && ((sepKey && length(T) - S <= mFrac) || tInt < mInt))
        room = true;

    if (!(nul || sepInIntMask || !room || badKey || backSpecial)) {
        if (sepKey && T.empty())
            place(field, "0", 1);
        else if (digitKey && T == "0")
            place(field, {}, 0);
        return K;
    }

    if (sepKey && hasSep)
        place(field, T, tPos);

    if (!nul && !sepInIntMask && !badKey && !backSpecial) {
        // A digit or separator that does not fit pushes the digits across the separator; the
        // last one falls off the end of a full field.
        std::string C = T;
        C.insert(static_cast<std::size_t>(S), 1, static_cast<char>(K));
        const int typedCursor = S + 1;
        const int p = tPos != 0 ? tPos : length(C);
        // The field's own separator may be "." where D is "," (a text loaded as stored): the
        // digits move across whichever separator it is, and the result carries D.
        std::string C2 = C;
        if (const auto sep = C2.find_first_of(std::string{ ',', '.', D }); sep != std::string::npos)
            C2.erase(sep, 1);
        std::string out = C2.substr(0, static_cast<std::size_t>(p - 1));
        if (mPos != 0)
            out += D;
        out += tail(C2, p - 1, static_cast<std::size_t>(mFrac));
        place(field, std::move(out), typedCursor == p ? typedCursor + 1 : typedCursor);
    }

    if (back) {
        if (lastFrac) {
            // The separator goes with the last decimal.
            place(field, T.substr(0, static_cast<std::size_t>(tInt)), tInt);
        } else if (emptiesInt) {
            if (tFrac >= 1)
                place(field, std::string("0") + D + tail(T, length(T) - tFrac), 1);
            else
                place(field, allowZero ? "0" : "", 1);
        } else if (afterSep && tPos >= 2) {
            // The digit before the separator goes instead of the separator. A separator at the
            // very start has no digit before it: the field then stays as it is.
            place(field,
                  T.substr(0, static_cast<std::size_t>(tPos - 2)) + D + tail(T, length(T) - tFrac),
                  S - 2);
        }
    }
    return 0;
}

int NumericDeleteKey(std::string_view mask, int keyCode, NumericField &field, bool allowZero,
                     const RegionalSettings &regional)
{
    if (keyCode != KeyDelete)
        return keyCode;
    if (field.text.size() > maxFieldLength)
        return 0;
    const char D = SystemDecimalSymbol(regional);
    const std::string &T = field.text;
    const int S = std::clamp(field.cursor, 0, length(T));

    // What the deletion would leave.
    std::string T2 = T;
    if (S < length(T2))
        T2.erase(static_cast<std::size_t>(S), 1);
    std::string T3 = T2;
    const SeparatorSplit m = SplitAtSeparator(mask, D);
    const SeparatorSplit t2 = SplitAtSeparator(T2, D);
    int cursor = S + 1;

    if (m.position != 0 && t2.integerLength > m.integerLength) {
        // The separator was deleted: it stays, and the digit after it goes.
        if (const auto d = T3.find(D); d != std::string::npos)
            T3.erase(d, 1);
        T3 = T3.substr(0, static_cast<std::size_t>(std::min(S, length(T3)))) + D + tail(T3, S + 1);
    } else if (m.decimalLength != 0 && t2.integerLength == 0
               && (allowZero || t2.decimalLength != 0)) {
        // The last integer digit went: the number keeps its leading zero.
        T3 = "0" + T3;
        cursor = S + 2;
    }

    if (!T3.empty() && isSeparator(T3.back(), D)) {
        // No decimals left: the separator goes too.
        const auto leading = TryTextToNumber(T2, 8);
        if (leading && *leading != 0)
            T3 = T2.substr(0, T2.empty() ? 0 : T2.size() - 1);
        else
            T3 = allowZero ? "0" : "";
    }

    if (T3 != T2) {
        place(field, std::move(T3), cursor);
        return 0;
    }
    return KeyDelete;
}

bool FitsNumericMask(std::string_view text, std::string_view mask, const RegionalSettings &regional)
{
    if (text.empty())
        return true;
    const char D = SystemDecimalSymbol(regional);
    const SeparatorSplit m = SplitAtSeparator(mask, D);
    std::size_t separators = 0;
    std::size_t intDigits = 0;
    std::size_t fracDigits = 0;
    for (const char c : text) {
        if (isDigit(c))
            ++(separators == 0 ? intDigits : fracDigits);
        else if (isSeparator(c, D))
            ++separators;
        else
            return false;
    }
    const std::size_t allowedSeparators = m.position != 0 ? 1 : 0;
    return separators <= allowedSeparators && intDigits + fracDigits > 0
            && intDigits <= static_cast<std::size_t>(m.integerLength)
            && fracDigits <= static_cast<std::size_t>(m.decimalLength);
}

std::optional<NumericField> NumericPaste(std::string_view mask, std::string_view text,
                                         int selectionStart, int selectionLength,
                                         std::string_view pasted, const RegionalSettings &regional)
{
    pasted = trimPasted(pasted);
    if (pasted.empty() || text.size() > maxFieldLength)
        return std::nullopt;
    const auto [start, count] = clampSelection(text, selectionStart, selectionLength);
    std::string result(text.substr(0, static_cast<std::size_t>(start)));
    result += pasted;
    result += text.substr(static_cast<std::size_t>(start + count));
    if (!FitsNumericMask(result, mask, regional))
        return std::nullopt;
    const char D = SystemDecimalSymbol(regional);
    std::replace_if(
            result.begin(), result.end(), [D](char c) { return isSeparator(c, D); }, D);
    // The result fits the mask, so the pasted text is a few characters long.
    return NumericField{ result, start + static_cast<int>(pasted.size()) };
}

std::optional<NumericField> NumericDeleteSelection(std::string_view mask, std::string_view text,
                                                   int selectionStart, int selectionLength,
                                                   bool allowZero, const RegionalSettings &regional)
{
    if (text.size() > maxFieldLength)
        return std::nullopt;
    const auto [start, count] = clampSelection(text, selectionStart, selectionLength);
    std::string rest = withoutRange(text, start, count);
    if (std::none_of(rest.begin(), rest.end(), isDigit))
        return allowZero ? NumericField{ "0", 1 } : NumericField{ {}, 0 };
    if (!FitsNumericMask(rest, mask, regional))
        return std::nullopt;
    return NumericField{ std::move(rest), start };
}

std::optional<FieldMask> NumericFieldMask(std::string_view formName, std::string_view controlName)
{
    for (const MaskRow &row : maskTable) {
        if (row.form == formName && row.control == controlName)
            return FieldMask{ row.mask, row.deleteMask.empty() ? row.mask : row.deleteMask,
                              row.allowZero };
    }
    return std::nullopt;
}

} // namespace ModuleNumberBox
