#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class RegionalSettings;

// Every conversion between numbers and texts, and every rounding and narrowing of the
// program, lives here. Single precision is float, double precision is double, 16-bit values
// are std::int16_t; nothing else converts behind these functions' backs.

/// The decimal symbol the user's country expects, from the locale's country code: "," for
/// 30, 43, 49, 55, 351 and 352 (Greece, Austria, Germany, Brazil, Portugal, Luxembourg), the
/// empty text for 0 or a code that is not a number, "." for any other country.
std::string ExpectedDecimalSymbol(const RegionalSettings &regional);

/// The decimal separator of a number's text: the last character that is not a digit, after
/// dropping an exponent "E-..." and a leading minus sign; the system decimal symbol when every
/// character is a digit; the empty text for the empty text.
std::string FindDecimalSeparator(std::string_view text, const RegionalSettings &regional);

/// Replaces the first occurrence of `find` in `text` by `rep` (every occurrence, from the
/// beginning again each time, when `all` is true). Case-insensitive unless `exactCase`.
std::string ReplaceText(std::string_view rep, std::string_view find, std::string_view text,
                        bool all, bool exactCase);

/// The text without the blanks (spaces and tabs) around it, as number texts and stored keys are
/// compared.
std::string_view TrimBlanks(std::string_view s);

/// The number of decimals of a format pattern: "0" → 0, "0.00" → 2. A pattern that is a lone
/// decimal symbol counts as "0".
int FormatDecimals(std::string_view fmt);

/// A field's text read as a number and rounded to `decimals` places, halves away from zero on
/// the decimal digits of the text (2.125 → 2.13). Either "," or "." is the decimal separator.
/// The empty text (or blanks) reads as 0; any other text that is not a number gives nothing.
std::optional<double> TryTextToNumber(std::string_view text, int decimals);
std::optional<double> TryTextToNumber(std::string_view text, std::string_view fmt);

/// As TryTextToNumber; a text that is not a number is a CalcError naming it.
double TextToNumber(std::string_view text, std::string_view fmt);
double TextToNumber(std::string_view text, int decimals);
/// A number is first turned into its own text (7 significant digits for a single, 15 for a
/// double), as a field would show it, then read back with the format.
double TextToNumber(float value, std::string_view fmt);
double TextToNumber(double value, std::string_view fmt);
double TextToNumber(float value, int decimals);
double TextToNumber(double value, int decimals);
double TextToNumber(std::int16_t value, std::string_view fmt);

/// The text of a single: up to 7 significant digits, no exponent, no trailing zeros, the
/// regional decimal symbol. A non-finite value is a CalcError.
std::string SingleText(float value, const RegionalSettings &regional);
/// As SingleText, with the fewest significant digits (7, 8 or 9) whose text reads back as this
/// very single: for a value a later calculation must start from exactly, such as a designed
/// thickness. Most values (0.1, 0.25) give the same text as SingleText.
std::string SingleTextExact(float value, const RegionalSettings &regional);
/// The text of a double: up to 15 significant digits, otherwise as SingleText.
std::string DoubleText(double value, const RegionalSettings &regional);
/// The text of a 16-bit integer in plain decimal.
std::string Int16Text(std::int16_t value);
/// The text of a 32-bit integer in plain decimal.
std::string Int32Text(std::int32_t value);
/// As SingleText and DoubleText but always with "." (exchange files, internal texts).
std::string SingleTextC(float value);
std::string DoubleTextC(double value);

/// Truncation towards zero.
double Fix(double value);
/// Rounding to a whole number, halves to the even number (28.5 → 28, 29.5 → 30).
double RoundHalfEven(double value);
/// A whole number as a 16-bit integer, halves to even; out of range or non-finite is a
/// CalcError.
std::int16_t ToInt16(double value);
/// The same for 32-bit integers.
std::int32_t ToInt32(double value);
/// A double narrowed to a single; a value beyond the single range or non-finite is a CalcError.
float ToSingle(double value);
/// Returns the value, or raises a CalcError naming `what` when it is NaN or infinite.
double CheckFinite(double value, const char *what);
