#pragma once

#include <map>
#include <string>
#include <vector>

/// A detailing file as the application writes it, for a 2.79 × 2.56 × 2.61 m tank with 15 cm
/// members and a 60 × 60 cm opening; `changes` replaces lines (1-based) and `lines` cuts it.
inline std::string DetailingFixture(const std::map<int, std::string> &changes = {}, int lines = 116)
{
    std::vector<std::string> v = { "279", "256",   "261", "15", "15", "15",
                                   "2.5", "CA-50", "15",  "25", "250" };
    for (int i = 1; i <= 20; ++i) {
        v.push_back(std::to_string(i));
        v.push_back(std::to_string(10 + i));
        v.push_back(i % 2 ? "6.3" : "8");
        v.push_back(i % 3 ? "15" : "12.5");
        v.push_back(std::to_string(100 + 10 * i));
    }
    for (const char *t : { "60", "60", "40", "40", "25" })
        v.push_back(t);
    for (const auto &[line, text] : changes)
        v[static_cast<std::size_t>(line - 1)] = text;
    std::string out;
    for (int i = 0; i < lines && i < static_cast<int>(v.size()); ++i)
        out += v[static_cast<std::size_t>(i)] + "\r\n";
    return out;
}

/// Position 3 excluded, as the application writes an excluded position.
inline std::map<int, std::string> ExcludeThree()
{
    const int first = 12 + 5 * 2;
    return { { first, "0" }, { first + 1, "0" }, { first + 3, "0" }, { first + 4, "0" } };
}

inline std::string JoinLines(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &l : lines)
        out += l + "\r\n";
    return out;
}
