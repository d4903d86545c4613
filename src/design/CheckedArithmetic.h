#pragma once

#include <cstdint>

/// The section design's guards against arithmetic faults. Floats do not trap, so a division
/// by zero or an overflow would otherwise slip through as an infinity or a NaN and end as a
/// plausible-looking number; each guard raises CalcError with a message that says where the
/// fault happened (`where`, "no cálculo da área de aço") and what the user can check.
namespace CheckedArithmetic {

/// The value, or CalcError when it is NaN or infinite.
float Finite(float value, const char *where);

/// num / den with both finite, den not zero and a finite quotient.
float Quotient(float num, float den, const char *where);

/// A whole number of bars as a 16-bit count; beyond 16 bits is CalcError.
std::int16_t BarNumber(double count, const char *where);

} // namespace CheckedArithmetic
