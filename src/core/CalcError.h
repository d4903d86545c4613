#pragma once

#include <stdexcept>
#include <string>

/// The one error type of the calculation: an arithmetic fault (a division by zero, an
/// overflow, a non-finite value, a count beyond 16 bits) or input outside the domain of a
/// formula. The calculation launch catches it and shows its Portuguese message; nothing
/// computed before the fault is kept as a result.
class CalcError : public std::runtime_error
{
public:
    explicit CalcError(const std::string &message) : std::runtime_error(message) { }
};
