#include "cad/ExchangeFiles.h"

#include "core/Numbers.h"
#include "design/BarGauge.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ExchangeFiles {

namespace {

/// Reading one file: its lines, and the first problem found.
class Lines
{
public:
    Lines(std::string file, std::string_view content)
        : m_file(std::move(file)), m_lines(SplitLines(content))
    {
    }

    /// True when the file has exactly `count` lines (blank lines after them are tolerated).
    bool expect(std::size_t count)
    {
        while (m_lines.size() > count && TrimBlanks(m_lines.back()).empty())
            m_lines.pop_back();
        if (m_lines.size() == count)
            return true;
        if (m_lines.size() < count)
            fail(0,
                 "o arquivo tem " + std::to_string(m_lines.size())
                         + (m_lines.size() == 1 ? " linha" : " linhas") + "; são esperadas "
                         + std::to_string(count) + ".");
        else
            fail(static_cast<int>(count) + 1,
                 "linha a mais: o arquivo deve ter " + std::to_string(count) + " linhas.");
        return false;
    }

    std::string text(int line) const
    {
        return std::string(TrimBlanks(m_lines[static_cast<std::size_t>(line - 1)]));
    }

    /// A number of the line; what it is, for the message.
    double number(int line, const char *what, double low, double high)
    {
        if (failed())
            return 0;
        const std::string t = text(line);
        std::optional<double> v;
        if (!t.empty() && t.find(',') == std::string::npos)
            v = TryTextToNumber(t, 6);
        if (!v) {
            fail(line, std::string(what) + ": \"" + t + "\" não é um número.");
            return 0;
        }
        if (!(*v >= low && *v <= high)) {
            fail(line,
                 std::string(what) + ": " + t + " está fora do intervalo de " + DoubleTextC(low)
                         + " a " + DoubleTextC(high) + ".");
            return 0;
        }
        return *v;
    }

    int whole(int line, const char *what, int low, int high)
    {
        const double v = number(line, what, low, high);
        if (failed())
            return 0;
        if (v != std::trunc(v)) {
            fail(line, std::string(what) + ": \"" + text(line) + "\" não é um número inteiro.");
            return 0;
        }
        return static_cast<int>(v);
    }

    bool flag(int line, const char *what)
    {
        if (failed())
            return false;
        const std::string t = text(line);
        if (t == "0")
            return false;
        if (t == "1" || t == "-1")
            return true;
        fail(line, std::string(what) + ": \"" + t + "\" deve ser 0 ou 1.");
        return false;
    }

    void fail(int line, std::string problem)
    {
        if (!failed())
            m_error = ReadError{ m_file, line, std::move(problem) };
    }
    bool failed() const { return !m_error.problem.empty(); }
    const ReadError &error() const { return m_error; }

private:
    std::string m_file;
    std::vector<std::string> m_lines;
    ReadError m_error;
};

template <typename T>
Read<T> finish(const Lines &lines, T value)
{
    Read<T> r;
    if (lines.failed())
        r.error = lines.error();
    else
        r.value = std::move(value);
    return r;
}

template <typename T>
Read<T> failure(const Lines &lines)
{
    Read<T> r;
    r.error = lines.error();
    return r;
}

/// The diameter of a gauge label in millimetres or inches; 0 when no gauge has that label.
float diameterOfLabel(const std::string &label)
{
    // The reinforcement editor writes the inch gauges above one inch as "1.1/4" and "1.1/2".
    std::string alt = label;
    if (const auto dot = alt.find('.');
        dot != std::string::npos && alt.find('/') != std::string::npos)
        alt[dot] = '\'';
    for (const BarGauge &g : BarGaugeTable())
        if (g.labelMm == label || g.labelInches == label || g.labelInches == alt)
            return g.diameterMm;
    return 0;
}

std::string readWhole(const std::string &folder, const char *name, bool &found)
{
    const std::filesystem::path path = std::filesystem::path(folder) / name;
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    if (!found)
        return {};
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

template <typename T>
Read<T> readFile(const std::string &folder, const char *name, Read<T> (*parse)(std::string_view))
{
    bool found = false;
    const std::string content = readWhole(folder, name, found);
    if (!found) {
        Read<T> r;
        r.error = ReadError{ name, 0,
                             "o arquivo não foi encontrado na pasta \"" + folder
                                     + "\" ou não pode ser lido." };
        return r;
    }
    return parse(content);
}

} // namespace

std::string ReadError::message() const
{
    if (line > 0)
        return file + ", linha " + std::to_string(line) + ": " + problem;
    return file + ": " + problem;
}

const std::array<std::string, 10> &LayerNames()
{
    static const std::array<std::string, 10> names = {
        "Linhas Auxiliares", "Formas",         "Armaduras", "Texto das Armaduras",
        "Texto Geral",       "Relação de Aço", "Cotas",     "Linhas de Corte",
        "Formato",           "PaperSpace",
    };
    return names;
}

const std::array<std::string, 5> &StyleNames()
{
    static const std::array<std::string, 5> names = {
        "Texto dos Títulos",       "Texto das Cotas", "Texto dos Ferros",
        "Texto da Relação de Aço", "Texto Geral",
    };
    return names;
}

std::vector<std::string> SplitLines(std::string_view content)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : content) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else if (c != '\r') {
            current.push_back(c);
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

Read<DetailingData> ParseDetailing(std::string_view content)
{
    Lines f(kDetailingFile, content);
    if (!f.expect(116))
        return failure<DetailingData>(f);
    DetailingData d;
    constexpr double kBig = 1e6; // 10 km: beyond any tank, below any overflow
    d.a = f.number(1, "largura a", 1e-3, kBig);
    d.b = f.number(2, "comprimento b", 1e-3, kBig);
    d.h = f.number(3, "altura h", 1e-3, kBig);
    d.et = f.number(4, "espessura da tampa", 1e-3, kBig);
    d.ep = f.number(5, "espessura da parede", 1e-3, kBig);
    d.ef = f.number(6, "espessura do fundo", 1e-3, kBig);
    d.cover = f.number(7, "cobrimento", 0, kBig);
    d.steel = f.text(8);
    d.wallChamfer = f.number(9, "chanfro da parede", 0, kBig);
    d.bottomChamfer = f.number(10, "chanfro do fundo", 0, kBig);
    d.fck = f.text(11);
    for (int i = 1; i <= 20 && !f.failed(); ++i) {
        const int first = 12 + 5 * (i - 1);
        PositionBars &p = d.positions[static_cast<std::size_t>(i - 1)];
        p.index = i;
        p.N = f.text(first);
        p.gauge = f.text(first + 2);
        p.excluded = p.N == "0";
        if (p.excluded)
            continue;
        p.bars = f.whole(first + 1, "número de barras", 0, 32767);
        p.diameterMm = diameterOfLabel(p.gauge);
        if (!f.failed() && p.diameterMm == 0)
            f.fail(first + 2, "bitola \"" + p.gauge + "\" desconhecida.");
        p.spacingText = f.text(first + 3);
        p.spacing = f.number(first + 3, "espaçamento", 0, kBig);
        p.lengthText = f.text(first + 4);
        p.length = f.number(first + 4, "comprimento da barra", 0, kBig);
    }
    d.hatchX = f.number(112, "abertura X", 0, kBig);
    d.hatchY = f.number(113, "abertura Y", 0, kBig);
    d.hatchLx = f.number(114, "posição Lx da abertura", 0, kBig);
    d.hatchLy = f.number(115, "posição Ly da abertura", 0, kBig);
    d.cornerPercent = f.number(116, "% da maior dimensão para as de canto", 0, 100);
    if (f.failed())
        return failure<DetailingData>(f);
    // The drawing needs a tank that closes: walls that leave a room, slabs that leave a height,
    // an opening inside the lid.
    if (2 * d.ep >= std::min(d.a, d.b))
        f.fail(5, "as paredes de " + DoubleTextC(d.ep) + " cm não deixam vão dentro da caixa.");
    else if (d.et + d.ef >= d.h)
        f.fail(4, "a tampa e o fundo não cabem na altura de " + DoubleTextC(d.h) + " cm.");
    else if (d.hatchLx + d.hatchX > d.a || d.hatchLy + d.hatchY > d.b)
        f.fail(112, "a abertura da tampa sai da tampa.");
    return finish(f, std::move(d));
}

Read<DrawingSettings> ParseSettings(std::string_view content)
{
    Lines f(kSettingsFile, content);
    if (!f.expect(32))
        return failure<DrawingSettings>(f);
    DrawingSettings s;
    s.tick = f.whole(1, "estilo da cota", 1, 4);
    s.dimensionOffset = f.number(2, "distância da cota ao desenho", 0, 1000);
    s.transverseDotMm = f.number(3, "ø das armaduras transversais", 0, 100);
    s.lidCutHeight = f.number(4, "altura do corte da tampa", 0, 10000);
    s.labelFraction = f.number(5, "posição dos textos das armaduras", 0, 1);
    s.limitX = f.number(6, "limite X da área de desenho", 0, 1e6);
    s.limitY = f.number(7, "limite Y da área de desenho", 0, 1e6);
    for (int k = 0; k < 10; ++k)
        s.layerColors[static_cast<std::size_t>(k)] = f.whole(8 + k, "cor do layer", 0, 256);
    for (int k = 0; k < 5; ++k) {
        TextStyleSetting &t = s.styles[static_cast<std::size_t>(k)];
        t.font = f.failed() ? std::string() : f.text(18 + 2 * k);
        t.height = f.number(19 + 2 * k, "altura do texto", 0, 10000);
        t.trueType = f.flag(28 + k, "fonte True Type");
    }
    return finish(f, std::move(s));
}

Read<SheetFormat> ParseFormat(std::string_view content)
{
    Lines f(kFormatFile, content);
    if (!f.expect(2))
        return failure<SheetFormat>(f);
    SheetFormat s;
    s.widthCm = f.number(1, "largura do formato", 1, 10000);
    s.heightCm = f.number(2, "altura do formato", 1, 10000);
    return finish(f, s);
}

Read<double> ParseScale(std::string_view content)
{
    Lines f(kScaleFile, content);
    if (!f.expect(1))
        return failure<double>(f);
    const double scale = f.number(1, "escala", 1e-3, 1e5);
    return finish(f, scale);
}

Read<std::array<std::string, 5>> ParseLegend(std::string_view content)
{
    Lines f(kLegendFile, content);
    if (!f.expect(5))
        return failure<std::array<std::string, 5>>(f);
    std::array<std::string, 5> texts;
    for (int k = 0; k < 5; ++k)
        texts[static_cast<std::size_t>(k)] = f.text(k + 1);
    return finish(f, texts);
}

Read<PositionRequest> ParsePositionRequest(std::string_view content)
{
    Lines f(kPositionRequestFile, content);
    if (!f.expect(9))
        return failure<PositionRequest>(f);
    PositionRequest r;
    r.number = f.text(1);
    r.bars = f.text(2);
    r.gauge = f.text(3);
    r.spacing = f.text(4);
    r.length = f.text(5);
    (void)f.whole(1, "número da posição", 1, 32767);
    (void)f.whole(2, "número de barras", 0, 32767);
    if (!f.failed() && diameterOfLabel(r.gauge) == 0)
        f.fail(3, "bitola \"" + r.gauge + "\" desconhecida.");
    (void)f.number(4, "espaçamento", 0, 1e6);
    (void)f.number(5, "comprimento", 0, 1e6);
    if (!f.failed() && r.bars == "0" && r.spacing == "0")
        f.fail(2, "falta o número de barras ou o espaçamento.");
    r.addToDatabase = f.flag(6, "adiciona ao banco de dados");
    r.withDescription = f.flag(7, "com descrição da posição");
    r.withNumber = f.flag(8, "com número da posição");
    r.autoDimension = f.flag(9, "cotagem automática");
    return finish(f, std::move(r));
}

Read<DetailingData> ReadDetailing(const std::string &folder)
{
    return readFile<DetailingData>(folder, kDetailingFile, &ParseDetailing);
}
Read<DrawingSettings> ReadSettings(const std::string &folder)
{
    return readFile<DrawingSettings>(folder, kSettingsFile, &ParseSettings);
}
Read<SheetFormat> ReadFormat(const std::string &folder)
{
    return readFile<SheetFormat>(folder, kFormatFile, &ParseFormat);
}
Read<double> ReadScale(const std::string &folder)
{
    return readFile<double>(folder, kScaleFile, &ParseScale);
}
Read<std::array<std::string, 5>> ReadLegend(const std::string &folder)
{
    return readFile<std::array<std::string, 5>>(folder, kLegendFile, &ParseLegend);
}
Read<PositionRequest> ReadPositionRequest(const std::string &folder)
{
    return readFile<PositionRequest>(folder, kPositionRequestFile, &ParsePositionRequest);
}

namespace {

/// The text of `(setq NAME "text")` on a line, or nothing.
std::optional<std::string> setqText(const std::string &line, const std::string &name)
{
    const std::string head = "(setq " + name + " \"";
    const std::string t(TrimBlanks(line));
    if (t.rfind(head, 0) != 0 || t.size() < head.size() + 2 || t.substr(t.size() - 2) != "\")")
        return std::nullopt;
    const std::string value = t.substr(head.size(), t.size() - head.size() - 2);
    if (value.find('"') != std::string::npos)
        return std::nullopt;
    return value;
}

} // namespace

Read<StartupBlock> ParseStartupBlock(std::string_view content)
{
    const std::vector<std::string> lines = SplitLines(content);
    Read<StartupBlock> r;
    int start = -1;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (TrimBlanks(lines[i]) == ";### Reservium ##############")
            start = static_cast<int>(i);
    const auto fail = [&](int line, std::string problem) {
        r.error = ReadError{ "acad.lsp", line, std::move(problem) };
        return r;
    };
    if (start < 0)
        return fail(0,
                    "não tem o bloco do Reservium; escolha a plataforma outra vez em "
                    "\"Localizar Plataforma CAD\".");
    if (start + 5 >= static_cast<int>(lines.size()))
        return fail(start + 1, "o bloco do Reservium está incompleto.");
    const auto line = [&](int k) { return lines[static_cast<std::size_t>(start + k)]; };
    StartupBlock b;
    const auto cad = setqText(line(1), "RSV_PathCAD");
    if (!cad)
        return fail(start + 2, "esperado (setq RSV_PathCAD \"...\").");
    const auto app = setqText(line(2), "RSV_AppPath");
    if (!app || app->empty())
        return fail(start + 3, "esperado (setq RSV_AppPath \"...\").");
    b.platformFolder = *cad;
    b.appFolder = *app;
    const std::string ini(TrimBlanks(line(3)));
    b.definesIni = ini.rfind("(defun c:RSV_INI ( / ) (load\"", 0) == 0 && ini.size() > 2
            && ini.substr(ini.size() - 2) == "))";
    if (!b.definesIni)
        return fail(start + 4, "esperada a definição de RSV_INI.");
    b.callsIni = TrimBlanks(line(4)) == "(C:RSV_INI)";
    if (TrimBlanks(line(5)) != ";#############################")
        return fail(start + 6, "o bloco do Reservium não termina onde deveria.");
    r.value = b;
    return r;
}

std::vector<std::string> DefaultSettingsLines()
{
    // The same as the settings file the application ships.
    return {
        "1", "50",         "5", "20",         "0.35", "5000",       "3000", "8",
        "7", "1",          "3", "7",          "4",    "2",          "6",    "7",
        "7", "romans.shx", "5", "romans.shx", "3",    "romans.shx", "3",    "romans.shx",
        "3", "romans.shx", "3", "0",          "0",    "0",          "0",    "0",
    };
}

} // namespace ExchangeFiles
