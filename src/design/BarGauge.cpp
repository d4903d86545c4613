#include "design/BarGauge.h"

const std::array<BarGauge, 12> &BarGaugeTable()
{
    static const std::array<BarGauge, 12> table = { {
            { 3.2f, "3.2", 0.125f, "1/8" },
            { 5.0f, "5", 0.1875f, "3/16" },
            { 6.3f, "6.3", 0.25f, "1/4" },
            { 8.0f, "8", 0.3125f, "5/16" },
            { 10.0f, "10", 0.375f, "3/8" },
            { 12.5f, "12.5", 0.5f, "1/2" },
            { 16.0f, "16", 0.625f, "5/8" },
            { 20.0f, "20", 0.75f, "3/4" },
            { 22.0f, "22", 0.875f, "7/8" },
            { 25.0f, "25", 1.0f, "1" },
            { 32.0f, "32", 1.25f, "1'1/4" },
            { 40.0f, "40", 1.5f, "1'1/2" },
    } };
    return table;
}

BarGauge GaugeByIndex(int index)
{
    if (index < 1 || index > 12)
        return {};
    return BarGaugeTable()[static_cast<std::size_t>(index - 1)];
}

std::int16_t GaugeIndexOf(float value)
{
    const auto &table = BarGaugeTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (table[row].diameterMm == value || table[row].inches == value)
            return static_cast<std::int16_t>(row + 1);
    }
    return 0;
}
