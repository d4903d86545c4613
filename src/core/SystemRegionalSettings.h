#pragma once

#include "core/RegionalSettings.h"

#include <QString>

/// The desktop's regional settings, read from the system locale at every use. The decimal and
/// grouping symbols can be overridden by a small file in the program's folder, which is what
/// WriteLocale writes: the desktop's own settings are not ours to change.
class SystemRegionalSettings : public RegionalSettings
{
public:
    /// `overrideFile`: path of the override file; empty for none.
    explicit SystemRegionalSettings(QString overrideFile);

    std::string ReadLocale(int lctype) const override;
    bool WriteLocale(int lctype, const std::string &value) override;

    /// The international dialling code of a territory, as the locale country code: 55 for
    /// Brazil, 351 for Portugal, 1 for the United States; 0 when unknown.
    static int CountryCodeOf(int territory);

private:
    QString m_overrideFile;
};
