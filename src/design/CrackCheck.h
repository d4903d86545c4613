#pragma once

#include <cstdint>

/// Result of a crack-width check of one section.
struct CrackCheck
{
    float w = 0; ///< characteristic crack width, cm
    float sigma = 0; ///< steel stress term of the crack-width formula
    float k = 0; ///< concrete tension term (0 when the first formula applies)
    std::int16_t ok = 0; ///< -1 when w does not exceed the limit, 0 otherwise
};
