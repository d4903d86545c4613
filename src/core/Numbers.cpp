#include "core/Numbers.h"

#include "core/CalcError.h"
#include "core/RegionalSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// A number's text split into its sign, its significant digits and the position of the
/// decimal point: value = 0.d1d2d3... × 10^pointPos.
struct DecimalDigits
{
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    long pointPos = 0;
};

/// Reads [sign] digits [sep digits] [e [sign] digits], where sep is "," or ".".
std::optional<DecimalDigits> parseDecimal(std::string_view text)
{
    text = TrimBlanks(text);
    DecimalDigits d;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        d.negative = text[i] == '-';
        ++i;
    }
    std::string mantissa;
    long intDigits = 0;
    bool seenSep = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            mantissa.push_back(c);
            anyDigit = true;
            if (!seenSep)
                ++intDigits;
        } else if ((c == ',' || c == '.') && !seenSep) {
            seenSep = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    long exponent = 0;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return std::nullopt;
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i >= text.size())
            return std::nullopt;
        for (; i < text.size(); ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
        }
        if (expNegative)
            exponent = -exponent;
    }
    // Drop leading zeros, moving the point with them.
    std::size_t lead = 0;
    while (lead < mantissa.size() && mantissa[lead] == '0')
        ++lead;
    d.digits = mantissa.substr(lead);
    d.pointPos = intDigits - static_cast<long>(lead) + exponent;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.negative = false;
    return d;
}

/// Rounds to `decimals` places, halves away from zero.
void roundDecimal(DecimalDigits &d, int decimals)
{
    const long keep = d.pointPos + decimals;
    if (keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.negative = false;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        long k = keep - 1;
        while (k >= 0 && d.digits[static_cast<std::size_t>(k)] == '9') {
            d.digits[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        } else {
            ++d.digits[static_cast<std::size_t>(k)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.negative = false;
}

std::optional<double> toDouble(const DecimalDigits &d)
{
    if (d.digits.empty())
        return 0.0;
    std::string s = d.negative ? "-0." : "0.";
    s += d.digits;
    s += 'e';
    s += std::to_string(d.pointPos);
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

/// The plain decimal text (no exponent, no trailing zeros) of a value with `significant`
/// digits, correctly rounded from its exact binary value.
std::string plainText(double value, int significant, std::string_view decimalSymbol)
{
    if (!std::isfinite(value))
        throw CalcError("Valor numérico inválido (não finito) no cálculo.");
    // d.ddddde±x: the significant digits and the decimal exponent of the first one.
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value,
                                         std::chars_format::scientific, significant - 1);
    if (ec != std::errc())
        return "0";
    const char *p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[32];
    int count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (isDigit(*p) && count < static_cast<int>(sizeof digits))
            digits[count++] = *p;
    }
    int exponent = 0;
    if (p < end && *p == 'e')
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
    while (count > 0 && digits[count - 1] == '0')
        --count;
    if (count == 0)
        return "0";

    // The first digit stands for 10^exponent; pointPos digits come before the decimal point.
    const int pointPos = exponent + 1;
    std::string out;
    out.reserve(static_cast<std::size_t>(count + std::abs(pointPos) + 4));
    if (negative)
        out += '-';
    if (pointPos <= 0) {
        out += '0';
        out += decimalSymbol;
        out.append(static_cast<std::size_t>(-pointPos), '0');
        out.append(digits, static_cast<std::size_t>(count));
    } else if (pointPos >= count) {
        out.append(digits, static_cast<std::size_t>(count));
        out.append(static_cast<std::size_t>(pointPos - count), '0');
    } else {
        out.append(digits, static_cast<std::size_t>(pointPos));
        out += decimalSymbol;
        out.append(digits + pointPos, static_cast<std::size_t>(count - pointPos));
    }
    return out;
}

[[noreturn]] void notANumber(std::string_view text)
{
    throw CalcError("O texto \"" + std::string(text) + "\" não é um número válido.");
}

} // namespace

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string ExpectedDecimalSymbol(const RegionalSettings &regional)
{
    const std::string text = regional.ReadLocale(RegionalSettings::CountryCode);
    long code = 0;
    const std::string_view t = TrimBlanks(text);
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (ec != std::errc() || end != t.data() + t.size())
        code = 0;
    switch (code) {
    case 0:
        return {};
    case 30:
    case 43:
    case 49:
    case 55:
    case 351:
    case 352:
        return ",";
    default:
        return ".";
    }
}

std::string FindDecimalSeparator(std::string_view text, const RegionalSettings &regional)
{
    if (text.empty())
        return {};
    if (const auto e = text.find("E-"); e != std::string_view::npos)
        text = text.substr(0, e);
    if (text.find('-') != std::string_view::npos)
        text.remove_prefix(1);
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (!isDigit(*it))
            return std::string(1, *it);
    }
    return regional.decimalSymbol();
}

std::string ReplaceText(std::string_view rep, std::string_view find, std::string_view text,
                        bool all, bool exactCase)
{
    std::string result(text);
    if (find.empty())
        return result;
    const auto locate = [&](const std::string &s) -> std::size_t {
        if (exactCase)
            return s.find(find);
        auto it = std::search(s.begin(), s.end(), find.begin(), find.end(),
                              [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
        return it == s.end() ? std::string::npos : static_cast<std::size_t>(it - s.begin());
    };
    // Replacing every occurrence restarts from the beginning each time; a replacement that
    // contains the searched text would never end, so that case replaces left to right once.
    const bool restartable = all && locate(std::string(rep)) == std::string::npos;
    std::size_t from = 0;
    while (true) {
        const std::size_t pos = locate(result.substr(from));
        if (pos == std::string::npos)
            break;
        result.replace(from + pos, find.size(), rep);
        if (!all)
            break;
        from = restartable ? 0 : from + pos + rep.size();
    }
    return result;
}

int FormatDecimals(std::string_view fmt)
{
    const auto sep = fmt.find_first_of(",.");
    if (sep == std::string_view::npos || fmt.size() == 1)
        return 0;
    return static_cast<int>(fmt.size() - sep - 1);
}

std::optional<double> TryTextToNumber(std::string_view text, int decimals)
{
    if (TrimBlanks(text).empty())
        return 0.0;
    auto d = parseDecimal(text);
    if (!d)
        return std::nullopt;
    roundDecimal(*d, std::clamp(decimals, 0, 30));
    return toDouble(*d);
}

std::optional<double> TryTextToNumber(std::string_view text, std::string_view fmt)
{
    return TryTextToNumber(text, FormatDecimals(fmt));
}

double TextToNumber(std::string_view text, int decimals)
{
    const auto v = TryTextToNumber(text, decimals);
    if (!v)
        notANumber(text);
    return *v;
}

double TextToNumber(std::string_view text, std::string_view fmt)
{
    return TextToNumber(text, FormatDecimals(fmt));
}

double TextToNumber(float value, int decimals)
{
    return TextToNumber(SingleTextC(value), decimals);
}

double TextToNumber(double value, int decimals)
{
    return TextToNumber(DoubleTextC(value), decimals);
}

double TextToNumber(float value, std::string_view fmt)
{
    return TextToNumber(value, FormatDecimals(fmt));
}

double TextToNumber(double value, std::string_view fmt)
{
    return TextToNumber(value, FormatDecimals(fmt));
}

double TextToNumber(std::int16_t value, std::string_view fmt)
{
    return TextToNumber(Int16Text(value), fmt);
}

std::string SingleText(float value, const RegionalSettings &regional)
{
    return plainText(value, 7, regional.decimalSymbol());
}

std::string SingleTextExact(float value, const RegionalSettings &regional)
{
    for (int significant = 7; significant < 9; ++significant) {
        const std::string c = plainText(value, significant, ".");
        float back = 0;
        const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), back);
        if (ec == std::errc() && end == c.data() + c.size() && back == value)
            return plainText(value, significant, regional.decimalSymbol());
    }
    // Nine significant digits tell every single apart.
    return plainText(value, 9, regional.decimalSymbol());
}

std::string DoubleText(double value, const RegionalSettings &regional)
{
    return plainText(value, 15, regional.decimalSymbol());
}

std::string SingleTextC(float value)
{
    return plainText(value, 7, ".");
}

std::string DoubleTextC(double value)
{
    return plainText(value, 15, ".");
}

std::string Int16Text(std::int16_t value)
{
    return std::to_string(value);
}

std::string Int32Text(std::int32_t value)
{
    return std::to_string(value);
}

double Fix(double value)
{
    return std::trunc(value);
}

double RoundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int16_t ToInt16(double value)
{
    const double r = RoundHalfEven(CheckFinite(value, "conversão para inteiro"));
    if (!(r >= std::numeric_limits<std::int16_t>::min()
          && r <= std::numeric_limits<std::int16_t>::max()))
        throw CalcError("Valor fora do intervalo de um inteiro de 16 bits: " + DoubleTextC(value)
                        + ".");
    return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double value)
{
    const double r = RoundHalfEven(CheckFinite(value, "conversão para inteiro"));
    if (!(r >= std::numeric_limits<std::int32_t>::min()
          && r <= std::numeric_limits<std::int32_t>::max()))
        throw CalcError("Valor fora do intervalo de um inteiro de 32 bits: " + DoubleTextC(value)
                        + ".");
    return static_cast<std::int32_t>(r);
}

float ToSingle(double value)
{
    CheckFinite(value, "conversão para precisão simples");
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        throw CalcError("Valor fora do intervalo da precisão simples: " + DoubleTextC(value) + ".");
    return static_cast<float>(value);
}

double CheckFinite(double value, const char *what)
{
    if (!std::isfinite(value))
        throw CalcError(std::string("Resultado inválido (divisão por zero ou estouro) em ") + what
                        + ".");
    return value;
}
