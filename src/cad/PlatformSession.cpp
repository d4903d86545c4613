#include "cad/PlatformSession.h"

#include "cad/DxfWriter.h"
#include "cad/SheetExport.h"

#include <QDate>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string today()
{
    return QDate::currentDate().toString("dd/MM/yyyy").toStdString();
}

} // namespace

bool PlatformSession::start(const std::string &platformFolder)
{
    const std::filesystem::path file = std::filesystem::path(platformFolder) / "acad.lsp";
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        m_log.push_back("acad.lsp: não encontrado em \"" + platformFolder
                        + "\"; escolha \"Reservium CAD\" em \"Localizar Plataforma CAD\" no "
                          "Reservium. Plataforma inativa.");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const auto block = ExchangeFiles::ParseStartupBlock(text.str());
    if (!block.ok()) {
        m_log.push_back(block.error.message() + " Plataforma inativa.");
        return false;
    }
    m_appFolder = block.value->appFolder;
    m_log.push_back("acad.lsp: RSV_AppPath = " + m_appFolder);
    if (block.value->callsIni)
        run("RSV_INI");
    return true;
}

std::string PlatformSession::refuse(const std::string &why)
{
    m_log.push_back("*Cancelado* " + why);
    return why;
}

std::string PlatformSession::done(const std::string &what)
{
    m_log.push_back(what);
    return {};
}

double PlatformSession::scaleOf(const std::string &group) const
{
    const auto it = m_scales.find(group);
    return it == m_scales.end() ? 0.0 : it->second;
}

double PlatformSession::currentScale() const
{
    const auto scale = ExchangeFiles::ReadScale(m_appFolder);
    return scale.ok() ? *scale.value : 50.0;
}

std::optional<std::string> PlatformSession::readBasics()
{
    auto data = ExchangeFiles::ReadDetailing(m_appFolder);
    if (!data.ok())
        return data.error.message();
    auto settings = ExchangeFiles::ReadSettings(m_appFolder);
    if (!settings.ok())
        return settings.error.message();
    m_data = std::move(data.value);
    m_settings = std::move(settings.value);
    return std::nullopt;
}

std::string PlatformSession::drawViews(Detailing::Content content)
{
    if (auto why = readBasics())
        return refuse(*why);
    // The layers and styles follow the settings read now; the elements stay.
    draw::Scene fresh = Detailing::NewDrawing(*m_settings);
    for (draw::Layer &layer : fresh.layers)
        if (const draw::Layer *old = m_scene.findLayer(layer.name))
            layer.visible = old->visible;
    fresh.groups = std::move(m_scene.groups);
    m_scene = std::move(fresh);
    m_content = content;
    Detailing::Options options;
    options.scale = currentScale();
    for (const char *view : { Detailing::kLidPlan, Detailing::kBottomPlan, Detailing::kSectionA,
                              Detailing::kSectionB }) {
        if (m_scene.findGroup(view)) {
            Detailing::RebuildView(m_scene, view, *m_data, *m_settings, content, scaleOf(view));
        } else {
            Detailing::RebuildView(m_scene, view, *m_data, *m_settings, content, options.scale);
            Detailing::PlaceGroup(m_scene, view, options.scale);
            m_scales[view] = options.scale;
        }
    }
    if (content == Detailing::Content::Reinforcement) {
        Detailing::AddSchedule(m_scene, *m_data, *m_settings, options);
        m_scales[Detailing::kSchedule] = 0;
    }
    if (m_selected.empty())
        m_selected = Detailing::kSectionA;
    if (!m_fontNoted) {
        for (const auto &style : m_settings->styles) {
            if (!style.trueType) {
                m_log.push_back("Fontes SHX (" + style.font
                                + ") não podem ser desenhadas aqui: usada a DejaVu Sans.");
                m_fontNoted = true;
                break;
            }
        }
    }
    return {};
}

std::string PlatformSession::run(const std::string &typed)
{
    const std::string command = upper(std::string(typed.begin(), typed.end()));
    if (command.empty())
        return {};
    if (m_appFolder.empty() && command.rfind("RSV_", 0) == 0)
        return refuse(command
                      + ": a plataforma está inativa (sem o bloco do Reservium em "
                        "\"acad.lsp\").");
    if (command == "RSV_INI") {
        if (auto why = readBasics())
            return refuse("RSV_INI: " + *why);
        const auto legend = ExchangeFiles::ReadLegend(m_appFolder);
        m_scene = Detailing::NewDrawing(*m_settings);
        m_scales.clear();
        m_selected.clear();
        m_name = legend.ok() && !(*legend.value)[0].empty() ? (*legend.value)[0] : "sem nome";
        return done("RSV_INI: novo desenho \"" + m_name + "\".");
    }
    if (command == "RSV_DFR" || command == "RSV_DCT" || command == "RSV_DAS") {
        const Detailing::Content content = command == "RSV_DFR" ? Detailing::Content::Forms
                : command == "RSV_DCT"                          ? Detailing::Content::Dimensions
                                                                : Detailing::Content::Reinforcement;
        if (std::string why = drawViews(content); !why.empty())
            return command + ": " + why;
        return done(command + ": desenhado.");
    }
    if (command == "RSV_DFM") {
        const auto sheet = ExchangeFiles::ReadFormat(m_appFolder);
        if (!sheet.ok())
            return refuse("RSV_DFM: " + sheet.error.message());
        const auto legend = ExchangeFiles::ReadLegend(m_appFolder);
        if (!legend.ok())
            return refuse("RSV_DFM: " + legend.error.message());
        auto settings = ExchangeFiles::ReadSettings(m_appFolder);
        if (!settings.ok())
            return refuse("RSV_DFM: " + settings.error.message());
        m_settings = std::move(settings.value);
        if (m_scene.layers.empty())
            m_scene = Detailing::NewDrawing(*m_settings);
        Detailing::Options options;
        options.scale = currentScale();
        options.date = today();
        Detailing::AddSheet(m_scene, *sheet.value, *legend.value, *m_settings, options);
        // The elements drawn before the sheet move into it.
        std::vector<std::string> moving;
        for (draw::Group &g : m_scene.groups) {
            if (g.name != Detailing::kSheet) {
                g.insert.x -= 1e7; // out of the way while the others find their place
                moving.push_back(g.name);
            }
        }
        for (const std::string &name : moving)
            Detailing::PlaceGroup(m_scene, name, 0);
        return done("RSV_DFM: formato " + Detailing::SheetName(*sheet.value) + ".");
    }
    if (command == "RSV_IEL" || command == "RSV_AES") {
        const auto scale = ExchangeFiles::ReadScale(m_appFolder);
        if (!scale.ok())
            return refuse(command + ": " + scale.error.message());
        if (m_selected.empty() || m_selected == Detailing::kSheet || !m_scene.findGroup(m_selected))
            return refuse(command + ": selecione na lista um elemento (uma vista ou o quadro).");
        if (command == "RSV_IEL" && !m_scene.findGroup(Detailing::kSheet))
            return refuse("RSV_IEL: insira o formato antes (RSV_DFM).");
        if (Detailing::IsView(m_selected)) {
            if (auto why = readBasics())
                return refuse(command + ": " + *why);
            Detailing::RebuildView(m_scene, m_selected, *m_data, *m_settings, m_content,
                                   *scale.value);
            m_scales[m_selected] = *scale.value;
        }
        // Inserted, or grown past its neighbours by a new scale: it takes free space.
        Detailing::PlaceGroup(m_scene, m_selected, 0);
        return done(command + ": \"" + m_selected
                    + "\" na escala 1:" + QString::number(*scale.value).toStdString() + ".");
    }
    if (command == "RSV_EAS") {
        const auto request = ExchangeFiles::ReadPositionRequest(m_appFolder);
        if (!request.ok())
            return refuse("RSV_EAS: " + request.error.message());
        if (!m_settings) {
            auto settings = ExchangeFiles::ReadSettings(m_appFolder);
            if (!settings.ok())
                return refuse("RSV_EAS: " + settings.error.message());
            m_settings = std::move(settings.value);
        }
        std::string view = Detailing::IsView(m_selected) ? m_selected : std::string();
        if (view.empty())
            return refuse("RSV_EAS: selecione na lista a vista onde a posição será desenhada.");
        if (m_scene.layers.empty())
            m_scene = Detailing::NewDrawing(*m_settings);
        const double scale = scaleOf(view) > 0 ? scaleOf(view) : currentScale();
        Detailing::AddPositionRequest(m_scene, view, *request.value, *m_settings, scale);
        return done("RSV_EAS: posição N" + request.value->number + " em \"" + view + "\".");
    }
    return refuse("Comando desconhecido: " + typed + ".");
}

ErrorPair PlatformSession::save(const std::string &path) const
{
    const QString file = QString::fromStdString(path);
    const QString kind = QFileInfo(file).suffix().toLower();
    if (kind == "pdf")
        return SheetExport::WritePdf(m_scene, file);
    if (kind == "svg")
        return SheetExport::WriteSvg(m_scene, file);
    return DxfWriter::Write(m_scene, path);
}
