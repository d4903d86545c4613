#include "cad/CadForms.h"

#include "cad/CadExchange.h"
#include "core/Numbers.h"
#include "design/BarGauge.h"

#include <algorithm>

namespace CadForms {

namespace {

bool emptyOrZero(std::string_view text)
{
    const std::string_view t = TrimBlanks(text);
    return t.empty() || t == "0";
}

std::string number(std::string_view text, std::string_view fmt)
{
    return DoubleTextC(TryTextToNumber(text, fmt).value_or(0.0));
}

std::string control(const char *prefix, int n)
{
    return prefix + std::to_string(n);
}

} // namespace

std::optional<std::pair<std::string, std::string>> SheetSize(int option, std::string_view customX,
                                                             std::string_view customY)
{
    static const std::array<std::pair<const char *, const char *>, 5> sheets{ {
            { "21", "29.7" },
            { "42", "29.7" },
            { "59.4", "42" },
            { "84.1", "59.4" },
            { "118.9", "84.1" },
    } };
    if (option >= 1 && option <= 5)
        return std::pair<std::string, std::string>(sheets[static_cast<std::size_t>(option - 1)]);
    if (emptyOrZero(customX) || emptyOrZero(customY))
        return std::nullopt;
    const auto cm = [](std::string_view mm) {
        return CadExchange::ExchangeLine(DoubleTextC(TryTextToNumber(mm, "0").value_or(0) / 10.0));
    };
    return std::pair{ cm(customX), cm(customY) };
}

std::optional<std::string> ScaleValue(int option, std::string_view custom)
{
    static const std::array<const char *, 8> values{
        "100", "75", "50", "25", "15", "10", "", "20"
    };
    if (option == 7) {
        if (emptyOrZero(custom))
            return std::nullopt;
        return CadExchange::ExchangeLine(TrimBlanks(custom));
    }
    if (option < 1 || option > 8)
        return std::nullopt;
    return std::string(values[static_cast<std::size_t>(option - 1)]);
}

const std::array<std::string_view, 10> &LayerNames()
{
    static const std::array<std::string_view, 10> names{
        "Linhas Auxiliares", "Formas",         "Armaduras", "Texto das Armaduras",
        "Texto Geral",       "Relação de Aço", "Cotas",     "Linhas de Corte",
        "Formato",           "PaperSpace",
    };
    return names;
}

const std::array<std::string_view, 5> &TextStyleNames()
{
    static const std::array<std::string_view, 5> names{
        "Texto dos Títulos ",       "Texto das Cotas ", "Texto dos Ferros",
        "Texto da Relação de Aço ", "Texto Geral ",
    };
    return names;
}

FormModel MakeFormCADCfg()
{
    FormModel m("FormCADCfg");
    for (int i = 1; i <= 4; ++i)
        m.addField(control("Option", i), {}, i == 1 ? 1 : 0);
    for (int i = 1; i <= 3; ++i)
        m.addField(control("NumberBox", i));
    for (int i = 1; i <= 13; ++i)
        m.addField(control("Text", i));
    for (int i = 8; i <= 17; ++i)
        m.addField(control("AcadColor", i), {}, 7);
    for (int i = 1; i <= 5; ++i)
        m.addField(control("Check", i));
    m.addField("Command1", {}, 1);
    return m;
}

int ReadCadConfig(FormModel &form, const std::vector<std::string> &fileLines, bool decimalComma)
{
    std::vector<std::string> lines(
            fileLines.begin(),
            fileLines.begin()
                    + std::min<std::ptrdiff_t>(kConfigLines,
                                               static_cast<std::ptrdiff_t>(fileLines.size())));
    if (decimalComma) {
        for (std::string &l : lines) {
            if (const auto dot = l.find('.'); dot != std::string::npos)
                l[dot] = ',';
        }
    }
    const auto has = [&](int line) { return static_cast<int>(lines.size()) >= line; };
    const auto at = [&](int line) -> const std::string & {
        return lines[static_cast<std::size_t>(line - 1)];
    };
    if (has(1)) {
        const double tick = TryTextToNumber(at(1), "0").value_or(0);
        if (tick >= 1 && tick <= 4) {
            for (int i = 1; i <= 4; ++i)
                form.setState(control("Option", i), static_cast<int>(tick) == i ? 1 : 0);
        }
    }
    const std::pair<int, const char *> plain[] = { { 2, "NumberBox3" },
                                                   { 3, "Text6" },
                                                   { 4, "Text7" },
                                                   { 6, "NumberBox1" },
                                                   { 7, "NumberBox2" } };
    for (const auto &[line, name] : plain) {
        if (has(line))
            form.setText(name, at(line));
    }
    if (has(5)) {
        // Stored as a fraction, shown as a percentage.
        const double fraction = TryTextToNumber(at(5), 6).value_or(0);
        form.setText("Text8", DoubleTextC(fraction * 100.0));
        if (decimalComma)
            form.setText("Text8", ReplaceText(",", ".", form.text("Text8"), false, true));
    }
    for (int i = 0; i < 10; ++i) {
        if (has(8 + i)) {
            const double colour = TryTextToNumber(at(8 + i), "0").value_or(7);
            form.setState(control("AcadColor", 8 + i),
                          colour >= 0 && colour <= 256 ? static_cast<int>(colour) : 7);
        }
    }
    for (int s = 0; s < 5; ++s) {
        if (has(18 + 2 * s)) {
            std::string font = at(18 + 2 * s);
            std::replace(font.begin(), font.end(), ',', '.');
            form.setText(control("Text", 1 + s), font);
        }
        if (has(19 + 2 * s))
            form.setText(control("Text", 9 + s), at(19 + 2 * s));
        if (has(28 + s))
            form.setState(control("Check", 1 + s),
                          TryTextToNumber(at(28 + s), "0").value_or(0) != 0 ? 1 : 0);
    }
    return kConfigLines - static_cast<int>(lines.size());
}

std::vector<std::string> CadConfigLines(const FormModel &form)
{
    std::vector<std::string> lines;
    int tick = 1;
    for (int i = 1; i <= 4; ++i) {
        if (form.state(control("Option", i)) != 0)
            tick = i;
    }
    lines.push_back(std::to_string(tick));
    lines.push_back(number(form.text("NumberBox3"), "0.00"));
    lines.push_back(number(form.text("Text6"), "0.00"));
    lines.push_back(number(form.text("Text7"), "0.00"));
    lines.push_back(DoubleTextC(TryTextToNumber(form.text("Text8"), "0.00").value_or(0) / 100.0));
    lines.push_back(number(form.text("NumberBox1"), "0.00"));
    lines.push_back(number(form.text("NumberBox2"), "0.00"));
    for (int i = 8; i <= 17; ++i)
        lines.push_back(std::to_string(form.state(control("AcadColor", i))));
    for (int s = 0; s < 5; ++s) {
        std::string font = form.text(control("Text", 1 + s));
        std::replace(font.begin(), font.end(), '\\', '/');
        lines.push_back(font);
        lines.push_back(number(form.text(control("Text", 9 + s)), "0"));
    }
    for (int s = 1; s <= 5; ++s)
        lines.push_back(form.state(control("Check", s)) != 0 ? "1" : "0");
    return lines;
}

void SpinHeight(FormModel &form, int style, int step)
{
    const std::string name = control("Text", style + 8);
    const double value = TryTextToNumber(form.text(name), "0").value_or(0) + step;
    form.setText(name, DoubleTextC(value));
}

std::vector<std::string> EditorGauges(bool inches)
{
    std::vector<std::string> labels;
    for (const BarGauge &g : BarGaugeTable())
        labels.push_back(inches ? g.labelInches : g.labelMm);
    return labels;
}

std::vector<std::string> EditorBarCounts()
{
    std::vector<std::string> counts;
    for (int i = 1; i <= 30; ++i)
        counts.push_back(std::to_string(i));
    return counts;
}

std::vector<std::string> EditorSpacings()
{
    return { "5", "7.5", "10", "12.5", "15", "17.5", "20", "22.5", "25", "27.5", "30" };
}

std::string EditorDescription(const EditorEntry &e)
{
    return "(N" + e.position + ") = " + e.bars + " " + e.gauge + "c" + e.spacing + " - " + e.length;
}

std::optional<EditorProblem> CheckEditor(const EditorEntry &e)
{
    if (emptyOrZero(e.position))
        return EditorProblem{ "position", "Digite um valor válido para o número da posição" };
    const bool needBars = e.longitudinal || e.byBarCount;
    const bool needSpacing = e.longitudinal || !e.byBarCount;
    // The transverse mode checks every field the request carries; the one not chosen is
    // replaced by "0" and is not asked for.
    if (needBars && emptyOrZero(e.bars))
        return EditorProblem{ "bars", "Digite um valor válido para o número de barras" };
    if (needSpacing && emptyOrZero(e.spacing))
        return EditorProblem{ "spacing",
                              "Digite um valor válido para o espaçamento entre as barras" };
    if (!e.longitudinal && emptyOrZero(e.length))
        return EditorProblem{ "length", "Digite um valor válido para o comprimento das barras" };
    return std::nullopt;
}

std::vector<std::string> EditorRequest(const EditorEntry &e)
{
    std::vector<std::string> r;
    r.push_back(e.position);
    r.push_back(e.longitudinal || e.byBarCount ? e.bars : "0");
    r.push_back(e.gauge);
    r.push_back(e.longitudinal || !e.byBarCount ? e.spacing : "0");
    r.push_back(e.longitudinal ? "0" : e.length);
    for (const bool c : e.checks)
        r.push_back(c ? "1" : "0");
    for (std::string &line : r)
        line = CadExchange::ExchangeLine(TrimBlanks(line));
    return r;
}

std::string StepPosition(std::string_view position, int step)
{
    const double n = TryTextToNumber(position, "0").value_or(0);
    if (step < 0 && !(n > 1))
        return DoubleTextC(n);
    return DoubleTextC(n + step);
}

} // namespace CadForms
