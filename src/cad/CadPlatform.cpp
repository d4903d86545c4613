#include "cad/CadPlatform.h"

#include "core/Numbers.h"

#include <algorithm>
#include <cctype>

namespace CadPlatform {

const std::array<Platform, 5> &PlatformTable()
{
    static const std::array<Platform, 5> table{ {
            { "AutoCAD R14", 1, "AutoCAD" },
            { "AutoCAD 2000", 2, "AutoCAD 2000" },
            { "IntelliCAD 98", 3, "IntelliCAD 98" },
            { "IntelliCAD 2000", 4, "IntelliCAD 2000" },
            { "Reservium CAD", 5, kReserviumCad },
    } };
    return table;
}

std::string StartupFileName(std::string_view storedName)
{
    std::string upper(storedName);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "INTELLICAD 98" || upper == "INTELLICAD 2000" ? "icad.lsp" : "acad.lsp";
}

std::vector<std::string> RemoveBlocks(const std::vector<std::string> &lines)
{
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == kBlockStart) {
            i += 5;
            continue;
        }
        kept.push_back(lines[i]);
    }
    return kept;
}

std::vector<std::string> BlockLines(std::string_view platformFolder, std::string_view programFolder)
{
    auto slashes = [](std::string text) {
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    };
    const std::string quote = "\"";
    const std::string program(programFolder);
    return {
        std::string(kBlockStart),
        "(setq RSV_PathCAD " + quote + slashes(std::string(platformFolder)) + quote + ")",
        "(setq RSV_AppPath " + quote + slashes(program) + "/" + quote + ")",
        slashes("(defun c:RSV_INI ( / ) (load" + quote + program + "\\RSD.lsp" + quote + "))"),
        "(C:RSV_INI)",
        std::string(kBlockEnd),
    };
}

std::string BackupPath(std::string_view startupFile)
{
    return ReplaceText(".old", ".lsp", startupFile, false, true);
}

std::string_view CommandText(int code)
{
    switch (code) {
    case 0:
        return "RSV_INI";
    case 2:
        return "RSV_DFR";
    case 3:
        return "RSV_DCT";
    case 4:
        return "RSV_DAs";
    case 8:
        return "RSV_DFM";
    case 9:
        return "RSV_IEL";
    case 10:
        return "RSV_AES";
    case 11:
        return "RSV_EAS";
    default:
        return {};
    }
}

} // namespace CadPlatform
