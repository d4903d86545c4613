#pragma once

#include <string>

/// The regional settings the program reads: language name, country code, decimal symbol and
/// digit grouping symbol, numbered as the locale values 2, 5, 14 and 15 they come from.
/// Read afresh at every use, never cached by the callers.
class RegionalSettings
{
public:
    enum LocaleValue : int {
        LanguageName = 2,
        CountryCode = 5,
        DecimalSymbol = 14,
        GroupingSymbol = 15,
    };

    virtual ~RegionalSettings() = default;

    /// The text of one locale value; empty when it cannot be read.
    virtual std::string ReadLocale(int lctype) const = 0;
    /// Changes one locale value; false when it cannot be written.
    virtual bool WriteLocale(int lctype, const std::string &value) = 0;

    std::string decimalSymbol() const { return ReadLocale(DecimalSymbol); }
    std::string groupingSymbol() const { return ReadLocale(GroupingSymbol); }
};

/// Settings fixed in memory: the tests' "pt-BR" and "en-US", and the command line's
/// --regional. WriteLocale changes the values held.
class FixedRegionalSettings : public RegionalSettings
{
public:
    FixedRegionalSettings(std::string language, std::string country, std::string decimal,
                          std::string grouping);

    static FixedRegionalSettings ptBR();
    static FixedRegionalSettings enUS();

    std::string ReadLocale(int lctype) const override;
    bool WriteLocale(int lctype, const std::string &value) override;

private:
    std::string m_language;
    std::string m_country;
    std::string m_decimal;
    std::string m_grouping;
};
