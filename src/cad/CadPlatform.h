#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

/// The drawing platforms the program can drive, their start-up files, the start-up block that
/// makes a platform load the detailing application, and the numbered drawing commands.
namespace CadPlatform {

struct Platform
{
    std::string_view listText; ///< as the platform list shows it
    int code; ///< stored as "CADver"
    std::string_view storedName; ///< stored as "NameCAD"
};

/// The platform list in its order: the four classic platforms and our own drawing platform.
const std::array<Platform, 5> &PlatformTable();

/// The name of our own drawing platform, whose folder is its per-user folder.
inline constexpr std::string_view kReserviumCad = "Reservium CAD";

/// "icad.lsp" for "IntelliCAD 98" and "IntelliCAD 2000" (any case), "acad.lsp" otherwise.
std::string StartupFileName(std::string_view storedName);

/// The first and last lines of the start-up block.
inline constexpr std::string_view kBlockStart = ";### Reservium ##############";
inline constexpr std::string_view kBlockEnd = ";#############################";

/// The lines of a start-up file with every block taken out: each line equal to the block's
/// first line is left out with the five lines after it.
std::vector<std::string> RemoveBlocks(const std::vector<std::string> &lines);

/// The six lines of the block. `platformFolder` ends with a separator; `programFolder` does
/// not. Every "\" is written as "/".
std::vector<std::string> BlockLines(std::string_view platformFolder,
                                    std::string_view programFolder);

/// The backup's name: the path with its first ".lsp" (exact case) replaced by ".old".
std::string BackupPath(std::string_view startupFile);

/// The command text of a drawing command code ("RSV_INI" for 0), or empty for an unknown code.
std::string_view CommandText(int code);

} // namespace CadPlatform
