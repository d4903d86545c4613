#pragma once

#include "design/BarGauge.h"

#include <cstdint>
#include <string>

/// One reinforcement position: the steel a one-metre strip of a member needs and the bars that
/// carry it. The field names are the columns of the project file's positions table. Flags are
/// 16-bit: -1 true, 0 false.
struct RebarPosition
{
    std::string N; ///< label shown and printed: the position number, shifted by renumbering
    float ARE = 0; ///< required steel area, cm² per metre
    std::int16_t NVZ = 0; ///< how many times the position occurs in the tank
    std::int16_t NBR = 0; ///< number of bars
    BarGauge gauge; ///< the adopted gauge
    float C = 0; ///< bar spacing, cm; 100000 marks a position not designed yet
    float CMP = 0; ///< bar length, cm
    float MK = 0; ///< characteristic moment, kgf·m per m (0 for distribution steel)
    float D = 0; ///< design depth, cm (the member thickness)
    float BW = 0; ///< strip width, cm (always 100)
    float DIST = 0; ///< length over which the bars are spread, cm
    std::int16_t BADAS = 0; ///< the arrangement breaks a bar-count or spacing limit (red)
    std::string ERRMSG; ///< message kept and saved with the project
    std::int16_t OUTAS = 0; ///< excluded by the user: greyed, left out of quantities and drawings

    friend bool operator==(const RebarPosition &, const RebarPosition &) = default;
};
