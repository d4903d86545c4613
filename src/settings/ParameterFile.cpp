#include "settings/ParameterFile.h"
#include "core/Numbers.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

/// The classic run-time error number of a system error.
std::int32_t errorNumberOf(std::error_code ec)
{
    const std::error_condition c = ec.default_error_condition();
    if (c == std::errc::permission_denied || c == std::errc::operation_not_permitted
        || c == std::errc::read_only_file_system)
        return 70;
    if (c == std::errc::no_space_on_device || c == std::errc::file_too_large)
        return 61;
#ifdef EDQUOT
    if (c == std::error_condition(EDQUOT, std::generic_category()))
        return 61;
#endif
    if (c == std::errc::no_such_file_or_directory || c == std::errc::not_a_directory)
        return 76;
    if (c == std::errc::io_error)
        return 57;
    return 75;
}

/// What went wrong, and what the user can do about it.
std::string reasonText(std::int32_t number)
{
    switch (number) {
    case 70:
        return "permissão negada. Verifique se a pasta do programa e o arquivo permitem "
               "gravação.";
    case 61:
        return "disco cheio ou cota excedida. Libere espaço em disco e tente novamente.";
    case 76:
        return "caminho não encontrado. Verifique se a pasta do programa existe, ou defina "
               "RESERVIUM_HOME com outra pasta.";
    case 57:
        return "erro de entrada/saída no dispositivo. Verifique o disco e tente novamente.";
    default:
        return "o caminho não pode ser acessado como arquivo. Verifique se ele é um arquivo "
               "comum (e não uma pasta) e se não está em uso por outro programa.";
    }
}

std::string quoted(const fs::path &p)
{
    return "\"" + p.string() + "\"";
}

ErrorPair readError(const fs::path &p, std::error_code ec)
{
    const std::int32_t number = errorNumberOf(ec);
    return { number,
             "Não foi possível ler o arquivo de parâmetros " + quoted(p) + ": "
                     + reasonText(number) };
}

ErrorPair writeError(const fs::path &p, std::error_code ec)
{
    const std::int32_t number = errorNumberOf(ec);
    return { number,
             "Não foi possível gravar o arquivo de parâmetros " + quoted(p) + ": "
                     + reasonText(number) + " O arquivo não foi alterado." };
}

/// The error of the last failed C library call; a failure that left no errno is an I/O error.
std::error_code lastErrno()
{
    const int e = errno;
    if (e == 0)
        return std::make_error_code(std::errc::io_error);
    return { e, std::generic_category() };
}

/// Splits on CR LF, a lone LF or a lone CR; a line end at the very end starts no new line.
std::vector<std::string> splitLines(const std::string &content)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else {
            line.push_back(c);
            open = true;
        }
    }
    if (open)
        lines.push_back(std::move(line));
    return lines;
}

/// A name in the folder that nothing else uses, so two saves never share a temporary file.
fs::path temporaryNameFor(const fs::path &file, unsigned attempt)
{
    static std::mt19937_64 generator{ std::random_device{}() };
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%u.%016llx.tmp", attempt,
                  static_cast<unsigned long long>(generator()));
    fs::path name = file;
    name.replace_filename("." + file.filename().string() + suffix);
    return name;
}

} // namespace

ParameterFile::ParameterFile(fs::path file) : m_path(std::move(file)) { }

ParameterFile ParameterFile::inFolder(const fs::path &folder)
{
    return ParameterFile(folder / fs::path(std::string(kFileName)));
}

ErrorPair ParameterFile::ReadLines(std::vector<std::string> &lines) const
{
    lines.clear();
    std::error_code ec;
    const fs::file_status st = fs::status(m_path, ec);
    if (st.type() == fs::file_type::not_found)
        return {};
    if (ec)
        return readError(m_path, ec);
    if (st.type() != fs::file_type::regular)
        return readError(m_path, std::make_error_code(std::errc::is_a_directory));

    errno = 0;
    std::FILE *f = std::fopen(m_path.c_str(), "rb");
    if (!f)
        return readError(m_path, lastErrno());
    std::string content;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    const std::error_code readEc = lastErrno();
    std::fclose(f);
    if (failed)
        return readError(m_path, readEc);
    lines = splitLines(content);
    return {};
}

std::optional<std::string> ParameterFile::FindSetting(const std::vector<std::string> &lines,
                                                      std::string_view key)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimBlanks(lines[i]) == key)
            return i + 1 < lines.size() ? lines[i + 1] : std::string();
    }
    return std::nullopt;
}

void ParameterFile::SetSetting(std::vector<std::string> &lines, std::string_view key,
                               const std::string &value)
{
    std::vector<std::size_t> keyLines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimBlanks(lines[i]) == key)
            keyLines.push_back(i);
    }
    if (keyLines.empty()) {
        lines.emplace_back(key);
        lines.push_back(value);
        return;
    }
    // Reading takes the first occurrence of a key, so a value written only after a later,
    // duplicate occurrence would never be read back: every occurrence gets the new value.
    // A key line directly followed by the same key is not a pair of its own.
    for (std::size_t j = 0; j < keyLines.size(); ++j) {
        const std::size_t k = keyLines[j];
        if (j + 1 < keyLines.size() && keyLines[j + 1] == k + 1)
            continue;
        if (k + 1 < lines.size())
            lines[k + 1] = value;
        else
            lines.push_back(value);
    }
}

ErrorPair ParameterFile::GetFileSetting(const std::string &key, std::string &value) const
{
    value.clear();
    std::vector<std::string> lines;
    if (ErrorPair e = ReadLines(lines); !e.ok())
        return e;
    if (auto found = FindSetting(lines, key))
        value = std::move(*found);
    return {};
}

ErrorPair ParameterFile::SaveFileSetting(const std::string &key, const std::string &value) const
{
    return SaveFileSettings({ { key, value } });
}

ErrorPair ParameterFile::SaveFileSettings(
        const std::vector<std::pair<std::string, std::string>> &values) const
{
    std::vector<std::string> lines;
    // A file that cannot be read is not rewritten: its other keys would be lost.
    if (ErrorPair e = ReadLines(lines); !e.ok())
        return e;
    for (const auto &[key, value] : values)
        SetSetting(lines, key, value);
    return writeLines(lines);
}

ErrorPair ParameterFile::writeLines(const std::vector<std::string> &lines) const
{
    std::string content;
    for (const std::string &line : lines) {
        content += line;
        content += "\r\n";
    }

    fs::path temporary;
    std::FILE *f = nullptr;
    for (unsigned attempt = 0; attempt < 100 && !f; ++attempt) {
        temporary = temporaryNameFor(m_path, attempt);
        errno = 0;
        f = std::fopen(temporary.c_str(), "wbx");
        if (!f && errno != EEXIST)
            return writeError(m_path, lastErrno());
    }
    if (!f)
        return writeError(m_path, std::make_error_code(std::errc::file_exists));

    std::error_code ec;
    errno = 0;
    if (std::fwrite(content.data(), 1, content.size(), f) != content.size())
        ec = lastErrno();
    if (std::fflush(f) != 0 && !ec)
        ec = lastErrno();
    if (std::fclose(f) != 0 && !ec)
        ec = lastErrno();
    if (!ec) {
        // The new file gets the old one's permissions; should that fail it keeps the default
        // ones, which matters less than the content.
        std::error_code permEc;
        const fs::file_status old = fs::status(m_path, permEc);
        if (!permEc && fs::is_regular_file(old))
            fs::permissions(temporary, old.permissions(), permEc);
        fs::rename(temporary, m_path, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return writeError(m_path, ec);
    }
    return {};
}
