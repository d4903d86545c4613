#pragma once

#include "core/ErrorPair.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CalcContext;
class ParameterFile;

/// How the settings window holds a parameter.
enum class ParameterKind {
    Text, ///< a text field holding the number as typed
    List, ///< a drop-down list; the value is the selected position
    Option, ///< an option button; the value is whether it is set
};

/// One calculation parameter.
struct ParameterDef
{
    std::string_view key; ///< name in the parameter file (case-sensitive)
    std::string_view control; ///< name of the control in FormCFG
    std::string_view caption; ///< label in the settings window
    std::string_view unit; ///< unit label; empty for none
    std::string_view defaultText; ///< factory value
    std::string_view format; ///< decimals kept on every read and write
    ParameterKind kind;
};

inline constexpr std::size_t kParameterCount = 22;

/// The parameter file key of the crack-check switch and of its complement, which is written
/// with the defaults only and never read back.
inline constexpr std::string_view kCrackCheckKey = "RSVFISSOK";
inline constexpr std::string_view kCrackCheckOffKey = "RSVFISSNOK";

/// The 22 parameters in the order their defaults are written to the parameter file.
const std::array<ParameterDef, kParameterCount> &ParameterTable();

/// The parameter with this file key or control name; null when there is none.
const ParameterDef *FindParameter(std::string_view keyOrControl);

/// The outcome of an operation on the working copy and the parameter file.
struct [[nodiscard]] ParametersStatus
{
    /// The file could not be read or written; shown as "Erro " + number.
    ErrorPair error;
    /// Values the file lacked or held in unreadable form, replaced by their factory values;
    /// shown with the title "ATENÇÃO!". Empty when there is nothing to say.
    std::string warning;

    bool ok() const { return error.ok() && warning.empty(); }
};

/// Whether at least one of the 22 keys has a value in these lines of a parameter file.
bool ParametersPresent(const std::vector<std::string> &lines);
/// The same for the file itself; a file that exists but cannot be read is an error.
ErrorPair ParametersPresent(const ParameterFile &file, bool &present);

/// Fills the working copy (the FormCFG model) from the parameter file; when the file holds
/// none of the parameters, writes the factory values first. When the file cannot be read, or
/// the factory values cannot be written, the working copy gets the factory values for this
/// session and the status says so; it never retries.
ParametersStatus LoadParameters(CalcContext &ctx, const ParameterFile &file);

/// Writes the 22 factory values to the parameter file in one rewrite (other keys and their
/// order are kept), then loads the working copy from it.
ParametersStatus RestoreDefaultParameters(CalcContext &ctx, const ParameterFile &file);

/// Writes the 21 values of the working copy (all but the crack check's complement) to the
/// parameter file in one rewrite, then loads the working copy from it. When a value is not a
/// number or the file cannot be written, nothing is written and the working copy keeps the
/// user's values.
ParametersStatus SaveParameters(CalcContext &ctx, const ParameterFile &file);

/// The working copy set to the factory values without touching the file.
void LoadDefaultParametersIntoForm(CalcContext &ctx);
