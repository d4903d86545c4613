#include "core/RegionalSettings.h"

#include <utility>

FixedRegionalSettings::FixedRegionalSettings(std::string language, std::string country,
                                             std::string decimal, std::string grouping)
    : m_language(std::move(language)),
      m_country(std::move(country)),
      m_decimal(std::move(decimal)),
      m_grouping(std::move(grouping))
{
}

FixedRegionalSettings FixedRegionalSettings::ptBR()
{
    return FixedRegionalSettings("Português (Brasil)", "55", ",", ".");
}

FixedRegionalSettings FixedRegionalSettings::enUS()
{
    return FixedRegionalSettings("English (United States)", "1", ".", ",");
}

std::string FixedRegionalSettings::ReadLocale(int lctype) const
{
    switch (lctype) {
    case LanguageName:
        return m_language;
    case CountryCode:
        return m_country;
    case DecimalSymbol:
        return m_decimal;
    case GroupingSymbol:
        return m_grouping;
    default:
        return {};
    }
}

bool FixedRegionalSettings::WriteLocale(int lctype, const std::string &value)
{
    switch (lctype) {
    case DecimalSymbol:
        m_decimal = value;
        return true;
    case GroupingSymbol:
        m_grouping = value;
        return true;
    default:
        return false;
    }
}
