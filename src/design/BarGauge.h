#pragma once

#include <array>
#include <cstdint>
#include <string>

/// One row of the bar gauge table.
struct BarGauge
{
    float diameterMm = 0; ///< diameter, mm
    std::string labelMm; ///< the diameter as text, "." as decimal symbol ("8", "12.5")
    float inches = 0; ///< the same gauge in inches
    std::string labelInches; ///< inch label ("5/16")

    friend bool operator==(const BarGauge &, const BarGauge &) = default;
};

/// The 12 commercial gauges, rows 1 to 12, thinnest first.
const std::array<BarGauge, 12> &BarGaugeTable();

/// Row `index` (1 to 12) of the gauge table; any other index gives an empty record.
BarGauge GaugeByIndex(int index);

/// The row (1 to 12) whose diameter in mm, or else whose size in inches, equals `value`,
/// tested row by row; 0 when no row matches.
std::int16_t GaugeIndexOf(float value);
