#include "core/Numbers.h"
#include "core/SystemRegionalSettings.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SystemRegionalSettings, CountryCodesOfTheCommaCountries)
{
    const struct
    {
        QLocale::Territory territory;
        int code;
    } cases[] = {
        { QLocale::Greece, 30 },      { QLocale::Austria, 43 },     { QLocale::Germany, 49 },
        { QLocale::Brazil, 55 },      { QLocale::Portugal, 351 },   { QLocale::Luxembourg, 352 },
        { QLocale::UnitedStates, 1 }, { QLocale::AnyTerritory, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(SystemRegionalSettings::CountryCodeOf(c.territory), c.code);
    }
}

TEST(SystemRegionalSettings, OverrideFileSwapsTheSymbols)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SystemRegionalSettings regional(dir.filePath("regional.ini"));
    const std::string d = regional.decimalSymbol();
    const std::string g = regional.groupingSymbol();
    EXPECT_EQ(d, QLocale::system().decimalPoint().toStdString());

    ASSERT_TRUE(regional.WriteLocale(RegionalSettings::DecimalSymbol, g));
    ASSERT_TRUE(regional.WriteLocale(RegionalSettings::GroupingSymbol, d));
    // A fresh reader of the same file sees the swap: it survives a restart.
    SystemRegionalSettings again(dir.filePath("regional.ini"));
    EXPECT_EQ(again.decimalSymbol(), g);
    EXPECT_EQ(again.groupingSymbol(), d);
    EXPECT_FALSE(again.WriteLocale(RegionalSettings::CountryCode, "55"));
}

TEST(SystemRegionalSettings, UnwritableOverrideIsReported)
{
    SystemRegionalSettings regional("/proc/reservium-no-such-dir/regional.ini");
    EXPECT_FALSE(regional.WriteLocale(RegionalSettings::DecimalSymbol, ","));
}

} // namespace
