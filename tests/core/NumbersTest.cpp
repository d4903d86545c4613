#include "core/Numbers.h"
#include "core/CalcError.h"
#include "core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const FixedRegionalSettings ptBR = FixedRegionalSettings::ptBR();
const FixedRegionalSettings enUS = FixedRegionalSettings::enUS();

struct ConversionCase
{
    const char *text;
    const char *format;
    double expected;
    const char *why;
};

TEST(TextToNumber, RoundsTheTextHalvesAwayFromZeroWithEitherSymbol)
{
    const ConversionCase cases[] = {
        { "", "0.00", 0, "the empty text reads as 0" },
        { "  ", "0", 0, "blanks read as 0" },
        { "2.125", "0.00", 2.13, "half away from zero" },
        { "2,125", "0.00", 2.13, "comma as decimal symbol" },
        { "-2.125", "0.00", -2.13, "negative half away from zero" },
        { "2.675", "0.00", 2.68, "rounded on the decimal digits, not the binary value" },
        { "2,79", "0.00000000", 2.79, "the validator's 8 decimals" },
        { "3.5", "0", 4, "format 0 gives whole numbers" },
        { "2.5", "0", 3, "whole half away from zero" },
        { "-2.5", "0", -3, "negative whole half away from zero" },
        { "0.190000002980232", "0.00", 0.19, "stored wall thickness reads back" },
        { "9.995", "0.00", 10, "carry into a new digit" },
        { "0.004", "0.00", 0, "rounds to zero" },
        { "12", "0.0", 12, "integer text" },
        { "1E-05", "0.00000000", 0.00001, "exponent text" },
        { " 150 ", "0", 150, "blanks around a number" },
        { "2.", "0.00", 2, "trailing separator" },
        { ",5", "0.0", 0.5, "leading separator" },
        { "1.45", "0.0", 1.5, "one decimal: 1.45 becomes 1.5" },
        { "1.45", ".", 1, "a lone decimal symbol as format counts as 0" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with " + c.format + ": " + c.why);
        EXPECT_EQ(TextToNumber(c.text, c.format), c.expected);
    }
    EXPECT_EQ(TextToNumber("2,79", 8), 2.79);
}

TEST(TextToNumber, ReportsTextsThatAreNotNumbers)
{
    for (const char *text : { "abc", "1,2,3", "1.2.3", "1,2.3", "--1", "1e", ",", "+", "12a", "1 2",
                              "0x10", "1E400" }) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryTextToNumber(text, 2).has_value());
        EXPECT_THROW(TextToNumber(text, "0.00"), CalcError);
    }
}

TEST(TextToNumber, ReadsNumbersThroughTheirText)
{
    // A single is read through its 7-digit text, a double through its 15-digit text.
    EXPECT_EQ(TextToNumber(0.3f, "0.00000000"), 0.3);
    EXPECT_EQ(TextToNumber(0.2f - 0.01, "0.00"), 0.19);
    EXPECT_EQ(TextToNumber(-TextToNumber("50", "0.00"), "0.00"), -50);
    EXPECT_EQ(TextToNumber(std::int16_t{ 28 }, "0"), 28);
    EXPECT_FALSE(std::signbit(TextToNumber(-0.0, "0.00")));
    EXPECT_FALSE(std::signbit(TextToNumber("-0.001", "0.00")));
}

TEST(NumberTexts, SingleAndDoubleTextsHaveNoExponentNorTrailingZeros)
{
    EXPECT_EQ(SingleText(0.3f, ptBR), "0,3");
    EXPECT_EQ(SingleText(0.3f, enUS), "0.3");
    EXPECT_EQ(SingleText(2410.0f, ptBR), "2410");
    EXPECT_EQ(SingleText(-150.0f, ptBR), "-150");
    EXPECT_EQ(SingleText(1e-5f, ptBR), "0,00001");
    EXPECT_EQ(SingleText(1234567.0f, enUS), "1234567");
    EXPECT_EQ(SingleText(12345678.0f, enUS), "12345680");
    EXPECT_EQ(SingleText(-0.0f, enUS), "0");
    EXPECT_EQ(SingleText(2.79f, ptBR), "2,79");
    EXPECT_EQ(SingleText(1.0f / 3.0f, enUS), "0.3333333");
    EXPECT_EQ(DoubleText(0.2f - 0.01, enUS), "0.190000002980232");
    EXPECT_EQ(DoubleText(0.2f - 0.01, ptBR), "0,190000002980232");
    EXPECT_EQ(DoubleText(static_cast<double>(0.2f), enUS), "0.200000002980232");
    EXPECT_EQ(DoubleText(2.79 - 1.0, ptBR), "1,79");
    EXPECT_EQ(DoubleText(1.0 / 3.0, enUS), "0.333333333333333");
    EXPECT_EQ(DoubleText(1e20, enUS), "100000000000000000000");
    EXPECT_EQ(Int16Text(-1), "-1");
    EXPECT_EQ(Int16Text(32767), "32767");
    EXPECT_THROW(SingleText(std::numeric_limits<float>::infinity(), enUS), CalcError);
    EXPECT_THROW(DoubleText(std::nan(""), enUS), CalcError);
}

TEST(NumberTexts, AnExactSingleTextReadsBackTheVerySingle)
{
    // The usual values keep their 7-digit text.
    EXPECT_EQ(SingleTextExact(0.1f, enUS), "0.1");
    EXPECT_EQ(SingleTextExact(0.25f, ptBR), "0,25");
    // A lid raised from 0.1 by six additions of 0.01 is not the single its 7 digits name.
    float lid = 0.1f;
    for (int i = 0; i < 6; ++i)
        lid += 0.01f;
    EXPECT_EQ(SingleText(lid, enUS), "0.16");
    EXPECT_NE(static_cast<float>(TextToNumber(SingleText(lid, enUS), 30)), lid);
    EXPECT_EQ(SingleTextExact(lid, enUS), "0.16000001");
    EXPECT_EQ(static_cast<float>(TextToNumber(SingleTextExact(lid, enUS), 30)), lid);
    // Every single of the thickness range, and beyond, reads back from its exact text.
    for (float t = 0.01f; t < 10.0f; t = std::nextafter(t + 0.0003f, 20.0f)) {
        const std::string text = SingleTextExact(t, ptBR);
        ASSERT_EQ(static_cast<float>(TextToNumber(text, 30)), t) << text;
        ASSERT_LE(text.size(), 12u) << text; // "0,0" and 9 digits at most
    }
    EXPECT_THROW(SingleTextExact(std::numeric_limits<float>::infinity(), enUS), CalcError);
}

TEST(Conversions, RoundingTruncationAndCheckedNarrowing)
{
    EXPECT_EQ(RoundHalfEven(28.5), 28);
    EXPECT_EQ(RoundHalfEven(29.5), 30);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(7741.935), 7742);
    EXPECT_EQ(Fix(-2.7), -2);
    EXPECT_EQ(Fix(2.7), 2);

    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768); // halves to even stay in range
    EXPECT_THROW(ToInt16(32767.5), CalcError); // rounds to 32768
    EXPECT_THROW(ToInt16(std::nan("")), CalcError);
    EXPECT_THROW(ToInt16(std::numeric_limits<double>::infinity()), CalcError);
    EXPECT_THROW(ToInt16(1e9), CalcError);
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(ToInt32(2147483648.0), CalcError);
    EXPECT_EQ(ToSingle(0.1), 0.1f);
    EXPECT_THROW(ToSingle(1e300), CalcError);
    EXPECT_THROW(CheckFinite(1.0 / std::numeric_limits<double>::min() * 1e300, "teste"), CalcError);
}

TEST(RegionalRules, ExpectedDecimalSymbolFromTheCountryCode)
{
    const struct
    {
        const char *country;
        const char *expected;
    } cases[] = {
        { "30", "," }, { "43", "," }, { "49", "," }, { "55", "," }, { "351", "," }, { "352", "," },
        { "1", "." },  { "44", "." }, { "0", "" },   { "", "" },    { "BR", "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.country);
        const FixedRegionalSettings r("x", c.country, ",", ".");
        EXPECT_EQ(ExpectedDecimalSymbol(r), c.expected);
    }
}

TEST(RegionalRules, FindDecimalSeparatorAndReplaceText)
{
    EXPECT_EQ(FindDecimalSeparator("2,79", enUS), ",");
    EXPECT_EQ(FindDecimalSeparator("2.79", ptBR), ".");
    EXPECT_EQ(FindDecimalSeparator("-2,5", enUS), ",");
    EXPECT_EQ(FindDecimalSeparator("279", ptBR), ",");
    EXPECT_EQ(FindDecimalSeparator("279", enUS), ".");
    EXPECT_EQ(FindDecimalSeparator("1E-05", ptBR), ",");
    EXPECT_EQ(FindDecimalSeparator("", ptBR), "");

    EXPECT_EQ(ReplaceText(".", ",", "1,2,3", false, true), "1.2,3");
    EXPECT_EQ(ReplaceText(".", ",", "1,2,3", true, true), "1.2.3");
    EXPECT_EQ(ReplaceText("x", "AB", "zabab", false, false), "zxab");
    EXPECT_EQ(ReplaceText("x", "AB", "zabab", false, true), "zabab");
    EXPECT_EQ(ReplaceText("aa", "a", "aba", true, true), "aabaa"); // no endless loop
}

} // namespace
