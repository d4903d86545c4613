#pragma once

#include <cstdint>
#include <string>

/// Result of a file or database procedure: {0, ""} is success, anything else is an error
/// number with a description the user can read.
struct [[nodiscard]] ErrorPair
{
    std::int32_t number = 0;
    std::string description;

    bool ok() const { return number == 0; }
    friend bool operator==(const ErrorPair &, const ErrorPair &) = default;
};

/// The code the file dialogs return when the user cancels; never shown as an error.
inline constexpr std::int32_t kDialogCancelled = 32755;
