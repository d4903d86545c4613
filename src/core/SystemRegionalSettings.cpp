#include "core/SystemRegionalSettings.h"

#include <QFile>
#include <QLocale>
#include <QSettings>

#include <utility>

namespace {

const char *const kDecimalKey = "Regional/DecimalSymbol";
const char *const kGroupingKey = "Regional/GroupingSymbol";

} // namespace

SystemRegionalSettings::SystemRegionalSettings(QString overrideFile)
    : m_overrideFile(std::move(overrideFile))
{
}

int SystemRegionalSettings::CountryCodeOf(int territory)
{
    // Dialling codes of the countries whose users the program has in mind: those that write
    // decimals with a comma as the program expects (Greece, Austria, Germany, Brazil, Portugal,
    // Luxembourg) and the common others.
    static const struct
    {
        QLocale::Territory territory;
        int code;
    } table[] = {
        { QLocale::UnitedStates, 1 },
        { QLocale::Canada, 1 },
        { QLocale::Greece, 30 },
        { QLocale::Netherlands, 31 },
        { QLocale::Belgium, 32 },
        { QLocale::France, 33 },
        { QLocale::Spain, 34 },
        { QLocale::Italy, 39 },
        { QLocale::Switzerland, 41 },
        { QLocale::Austria, 43 },
        { QLocale::UnitedKingdom, 44 },
        { QLocale::Denmark, 45 },
        { QLocale::Sweden, 46 },
        { QLocale::Norway, 47 },
        { QLocale::Poland, 48 },
        { QLocale::Germany, 49 },
        { QLocale::Peru, 51 },
        { QLocale::Mexico, 52 },
        { QLocale::Argentina, 54 },
        { QLocale::Brazil, 55 },
        { QLocale::Chile, 56 },
        { QLocale::Colombia, 57 },
        { QLocale::Venezuela, 58 },
        { QLocale::Australia, 61 },
        { QLocale::Japan, 81 },
        { QLocale::China, 86 },
        { QLocale::India, 91 },
        { QLocale::CapeVerde, 238 },
        { QLocale::SaoTomeAndPrincipe, 239 },
        { QLocale::GuineaBissau, 245 },
        { QLocale::Angola, 244 },
        { QLocale::Mozambique, 258 },
        { QLocale::Portugal, 351 },
        { QLocale::Luxembourg, 352 },
        { QLocale::Ireland, 353 },
        { QLocale::Finland, 358 },
        { QLocale::Uruguay, 598 },
        { QLocale::Paraguay, 595 },
        { QLocale::Bolivia, 591 },
        { QLocale::Ecuador, 593 },
        { QLocale::TimorLeste, 670 },
    };
    for (const auto &row : table) {
        if (row.territory == territory)
            return row.code;
    }
    return 0;
}

std::string SystemRegionalSettings::ReadLocale(int lctype) const
{
    const QLocale locale = QLocale::system();
    if (lctype == DecimalSymbol || lctype == GroupingSymbol) {
        if (!m_overrideFile.isEmpty() && QFile::exists(m_overrideFile)) {
            const QSettings overrides(m_overrideFile, QSettings::IniFormat);
            const QString key = lctype == DecimalSymbol ? kDecimalKey : kGroupingKey;
            if (overrides.contains(key))
                return overrides.value(key).toString().toStdString();
        }
        return (lctype == DecimalSymbol ? locale.decimalPoint() : locale.groupSeparator())
                .toStdString();
    }
    switch (lctype) {
    case LanguageName: {
        QString name = locale.nativeLanguageName();
        const QString territory = locale.nativeTerritoryName();
        if (!territory.isEmpty())
            name += " (" + territory + ")";
        return name.toStdString();
    }
    case CountryCode:
        return std::to_string(CountryCodeOf(locale.territory()));
    default:
        return {};
    }
}

bool SystemRegionalSettings::WriteLocale(int lctype, const std::string &value)
{
    if (m_overrideFile.isEmpty() || (lctype != DecimalSymbol && lctype != GroupingSymbol))
        return false;
    QSettings overrides(m_overrideFile, QSettings::IniFormat);
    overrides.setValue(lctype == DecimalSymbol ? kDecimalKey : kGroupingKey,
                       QString::fromStdString(value));
    overrides.sync();
    return overrides.status() == QSettings::NoError;
}
