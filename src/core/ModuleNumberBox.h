#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class RegionalSettings;

/// The key filter of the numeric text fields. It keeps a field holding a well-formed decimal
/// number of a fixed shape while the user types: a mask such as "00.00" allows at most two
/// integer digits and two decimals (only the mask's shape counts, not its characters), and
/// whichever of "," or "." the user presses types the system decimal symbol D. D is read from
/// the regional settings at every call; the filter keeps no state of its own.
///
/// The reading of a field's text as a number is `TextToNumber` in core/Numbers.h.
namespace ModuleNumberBox {

/// Character codes the filter knows by number.
inline constexpr int KeyBackspace = 8;
inline constexpr int KeyDelete = 46;

/// What the filter reads and writes of a text box: its text and its cursor, the number of
/// characters before the cursor (0-based). The filter clamps a cursor that lies outside the text.
struct NumericField
{
    std::string text;
    int cursor = 0;

    bool operator==(const NumericField &) const = default;
};

/// A text split at its decimal separator: the 1-based position of the separator (0 when there
/// is none), the number of characters before it (the whole length when there is none) and the
/// number of characters after it.
struct SeparatorSplit
{
    std::int16_t position = 0;
    std::int16_t integerLength = 0;
    std::int16_t decimalLength = 0;

    bool operator==(const SeparatorSplit &) const = default;
};

/// The system decimal symbol D as one character: the regional decimal symbol when it is a single
/// printable ASCII character other than a digit, "." otherwise.
char SystemDecimalSymbol(const RegionalSettings &regional);

/// Splits a text (a field's text or a mask) at its first ",", else its first ".", else its first
/// `decimalSymbol`. A text longer than a 16-bit count is a CalcError.
SeparatorSplit SplitAtSeparator(std::string_view text, char decimalSymbol);

/// A field's character event. `key` is the character code typed (8 for the backspace); the
/// result is the code the text box should then act on, 0 when the key is swallowed. The filter
/// may first change the field's text and cursor: the digits shift across the separator when a
/// digit does not fit, the backspace keeps the number's shape, a decimal key in an empty field
/// leaves "0" before it, a digit replaces a lone "0". Everything but digits, the two decimal
/// keys and the backspace is swallowed. `allowZero`: a field the user empties becomes "0".
int NumericKeyPress(std::string_view mask, int key, NumericField &field, bool allowZero,
                    const RegionalSettings &regional);

/// A field's key-down event, before the text box acts. Only the Delete key (46) is handled; any
/// other key code comes back unchanged. When deleting the character right of the cursor would
/// break the number's shape, the filter corrects the field itself and returns 0 (the key is
/// swallowed); otherwise it returns 46 and the text box deletes the character.
int NumericDeleteKey(std::string_view mask, int keyCode, NumericField &field, bool allowZero,
                     const RegionalSettings &regional);

/// True when `text` is empty or a number that fits the mask: digits and at most one decimal
/// separator ("," or "." or D; none when the mask has none), at most the mask's integer digits
/// before it and decimals after it, and at least one digit.
bool FitsNumericMask(std::string_view text, std::string_view mask,
                     const RegionalSettings &regional);

/// A text pasted or dropped into a field, replacing `selectionLength` characters from
/// `selectionStart`. Blanks and line breaks around the pasted text are dropped. The result is
/// the field with its separator written as D and the cursor after the pasted text, or nothing
/// when the pasted text is empty or the field's new text would not be a number that fits the
/// mask (the caller then leaves the field as it was).
std::optional<NumericField> NumericPaste(std::string_view mask, std::string_view text,
                                         int selectionStart, int selectionLength,
                                         std::string_view pasted, const RegionalSettings &regional);

/// The selected characters removed (a cut, or a key typed over a selection), the cursor where
/// they were. A field left without digits is emptied, or becomes "0" with `allowZero`. Nothing
/// when the rest would not fit the mask (a separator removed between two full parts).
std::optional<NumericField> NumericDeleteSelection(std::string_view mask, std::string_view text,
                                                   int selectionStart, int selectionLength,
                                                   bool allowZero,
                                                   const RegionalSettings &regional);

/// The filter settings of one numeric field: the key mask, the mask of the Delete correction
/// (the key mask itself unless the field has another) and whether emptying the field leaves "0".
struct FieldMask
{
    std::string_view mask;
    std::string_view deleteMask;
    bool allowZero = false;
};

/// The filter settings of a program's numeric field by window and control name
/// ("FormDadosGeometricos", "Text_hn"); nothing for a control that is not a numeric field.
std::optional<FieldMask> NumericFieldMask(std::string_view formName, std::string_view controlName);

} // namespace ModuleNumberBox
