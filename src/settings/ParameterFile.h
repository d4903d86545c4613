#pragma once

#include "core/ErrorPair.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The program's file of named values: text lines ended by CR LF, in pairs of a key line and
/// a value line. It holds the calculation parameters and the CAD platform's values.
///
/// Values are written as given; the parameter operations write numbers with "." as decimal
/// symbol whatever the regional settings, and read either "." or ",".
///
/// The file is rewritten whole through a temporary file in the same folder that is renamed
/// over it, so a failed write never leaves the file truncated or missing. No operation keeps
/// the file open after it returns.
class ParameterFile
{
public:
    /// The file's name in the program's folder: the application's title with ".cfg".
    static constexpr std::string_view kFileName = "Reservium.cfg";

    explicit ParameterFile(std::filesystem::path file);
    /// The parameter file in the given folder.
    static ParameterFile inFolder(const std::filesystem::path &folder);

    const std::filesystem::path &path() const { return m_path; }

    /// The value under `key`: the line after the first line that, without leading and trailing
    /// blanks, equals the key; empty when the file or the key is missing. A file that exists
    /// but cannot be read is an error, and `value` is then empty.
    ErrorPair GetFileSetting(const std::string &key, std::string &value) const;

    /// Sets the value under `key`: the value line after every line that holds the key is
    /// replaced; a key not in the file is appended with its value. Every other line and the
    /// order of the file are kept. On any failure the file stays as it was.
    ErrorPair SaveFileSetting(const std::string &key, const std::string &value) const;

    /// Several values in one rewrite, leaving the file as successive SaveFileSetting calls
    /// would, but all or nothing.
    ErrorPair
    SaveFileSettings(const std::vector<std::pair<std::string, std::string>> &values) const;

    /// Every line of the file, without line ends; empty when the file does not exist.
    ErrorPair ReadLines(std::vector<std::string> &lines) const;

    /// The value after the first line equal to `key` (blanks removed), if any.
    static std::optional<std::string> FindSetting(const std::vector<std::string> &lines,
                                                  std::string_view key);
    /// Sets `key` to `value` in the lines as SaveFileSetting does in the file.
    static void SetSetting(std::vector<std::string> &lines, std::string_view key,
                           const std::string &value);

private:
    ErrorPair writeLines(const std::vector<std::string> &lines) const;

    std::filesystem::path m_path;
};
