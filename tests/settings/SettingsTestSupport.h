#pragma once

#include "core/CalcContext.h"
#include "core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace settings_test {

namespace fs = std::filesystem;

/// A fresh folder for one test, removed with everything in it afterwards.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "reservium-settings-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const fs::path &path() const { return m_path; }
    fs::path operator/(const std::string &name) const { return m_path / name; }

private:
    fs::path m_path;
};

inline std::string readFile(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

inline void writeFile(const fs::path &p, const std::string &content)
{
    std::ofstream out(p, std::ios::binary);
    out << content;
}

inline std::unique_ptr<CalcContext> makeContext(bool ptBR = true)
{
    return std::make_unique<CalcContext>(std::make_unique<FixedRegionalSettings>(
            ptBR ? FixedRegionalSettings::ptBR() : FixedRegionalSettings::enUS()));
}

/// The parameter file as the factory values write it: the parameter table's keys and defaults
/// in its order, each default read with its format and written with ".".
inline const std::string kDefaultFile = "RSVCFGESPMULT\r\n2.5\r\n"
                                        "RSVCFGESPMAXAS\r\n30\r\n"
                                        "RSVCFGESPMINAS\r\n7.5\r\n"
                                        "RSVMELESPAS\r\n20\r\n"
                                        "RSVESPMINPAR\r\n10\r\n"
                                        "RSVCFGSECASMIN\r\n0.15\r\n"
                                        "RSVPORCTAMASEST\r\n15\r\n"
                                        "RSVCHAMFPAR\r\n15\r\n"
                                        "RSVCHAMFFUND\r\n25\r\n"
                                        "RSVCFGTIPOACO\r\n0\r\n"
                                        "RSVCFGACOMIN\r\n1.15\r\n"
                                        "RSVCFGBITOUNID\r\n0\r\n"
                                        "RSVFISSOK\r\n1\r\n"
                                        "RSVFISSNOK\r\n0\r\n"
                                        "RSVABMAXFISS\r\n0.3\r\n"
                                        "RSVBITADOTFISS\r\n3\r\n"
                                        "RSVCFGCONCFCK\r\n150\r\n"
                                        "RSVCFGCONCPESESP\r\n2.5\r\n"
                                        "RSVCFGMAJCARGAS\r\n1.4\r\n"
                                        "RSVCFGCONCMIN\r\n1.4\r\n"
                                        "RSVCFGCOBMIN\r\n1.5\r\n"
                                        "RSVH20PESESP\r\n1\r\n";

} // namespace settings_test
