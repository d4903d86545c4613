#pragma once

#include "cad/Detailing.h"
#include "cad/ExchangeFiles.h"
#include "core/ErrorPair.h"
#include "draw/Scene.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

/// The drawing platform "Reservium CAD" below its window: the drawing, what it was built from,
/// and the commands the application sends (`RSV_INI`, `RSV_DFR`, `RSV_DCT`, `RSV_DAs`,
/// `RSV_DFM`, `RSV_IEL`, `RSV_AES`, `RSV_EAS`). Every command reads its exchange files when it
/// arrives, from the application's folder named by the start-up block; a file that is missing
/// or malformed refuses the command with a message naming the file and the line, and the
/// drawing stays as it was.
class PlatformSession
{
public:
    /// The platform's name, as the application stores it and as its channel is named.
    static constexpr const char *kName = "Reservium CAD";

    /// Reads the Reservium block of "acad.lsp" in the platform folder and, when the block calls
    /// it, runs `RSV_INI`. Returns false (the platform idle) when the block is missing or
    /// malformed; the reason is in the log.
    bool start(const std::string &platformFolder);

    /// Runs one command (case-insensitive); returns the empty text when it was done, else the
    /// reason it was refused. Either way a line goes to the log.
    std::string run(const std::string &command);

    const draw::Scene &scene() const { return m_scene; }
    draw::Scene &scene() { return m_scene; }
    /// The drawing's name for the window's title.
    const std::string &drawingName() const { return m_name; }
    /// The element the next `RSV_IEL`, `RSV_AES` or `RSV_EAS` acts on (a group name), or empty.
    void select(const std::string &group) { m_selected = group; }
    const std::string &selected() const { return m_selected; }
    /// The scale denominator each element was drawn at.
    double scaleOf(const std::string &group) const;

    /// What happened, one line per command, for the command line's history.
    const std::vector<std::string> &log() const { return m_log; }
    /// The folder the exchange files are read from (empty while idle).
    const std::string &appFolder() const { return m_appFolder; }

    /// Saves the drawing by the file's extension: DXF, PDF or SVG.
    ErrorPair save(const std::string &path) const;

private:
    std::string refuse(const std::string &why);
    std::string done(const std::string &what);
    std::string drawViews(Detailing::Content content);
    std::optional<std::string> readBasics(); ///< the detailing and settings files; a reason
    double currentScale() const;

    draw::Scene m_scene;
    std::string m_name = "sem nome";
    std::string m_appFolder;
    std::string m_selected;
    std::optional<ExchangeFiles::DetailingData> m_data;
    std::optional<ExchangeFiles::DrawingSettings> m_settings;
    Detailing::Content m_content = Detailing::Content::Forms;
    std::map<std::string, double> m_scales;
    std::vector<std::string> m_log;
    bool m_fontNoted = false;
};
