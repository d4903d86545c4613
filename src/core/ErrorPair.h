#pragma once

#include <cstdint>
#include <string>

/// Result of a file or database procedure: {0, ""} is success, anything else is an error
/// number with a description the user can read.
///
/// Numbers: the classic run-time ones for files (53 file not found, 57 device I/O error, 61 disk
/// full, 70 permission denied, 75 path/file access error, 76 path not found), and the classic
/// database engine's (3000 and up: 3024 file not found, 3049 damaged, 3343 not a database…)
/// for what only a database can get wrong; storage/DatabaseError.h and docs/decisions.md list
/// them.
struct [[nodiscard]] ErrorPair
{
    std::int32_t number = 0;
    std::string description;

    bool ok() const { return number == 0; }
    friend bool operator==(const ErrorPair &, const ErrorPair &) = default;
};

/// The code the file dialogs return when the user cancels; never shown as an error.
inline constexpr std::int32_t kDialogCancelled = 32755;
