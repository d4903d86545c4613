#include "cad/CadExchange.h"

#include "core/CalcContext.h"
#include "core/Numbers.h"
#include "settings/FormCFGModel.h"

#include <array>

namespace CadExchange {

std::string ExchangeLine(std::string_view value)
{
    std::string line(value);
    for (char &c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    if (const auto comma = line.find(','); comma != std::string::npos)
        line[comma] = '.';
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

std::string DimensionText(std::string_view fieldText)
{
    const double metres = TryTextToNumber(fieldText, "0.00").value_or(0.0);
    return DoubleTextC(metres * 100.0);
}

std::vector<std::string> DetailingLines(const CalcContext &ctx)
{
    const FormModel &cfg = ctx.forms.FormCFG;
    const FormModel &lid = ctx.forms.FormPosTampa;
    const auto &a = ctx.results.Text_a;

    std::vector<std::string> values;
    values.reserve(kDetailingLines);
    // Outer a, b, h and the lid, wall and bottom thicknesses; the water level is not drawn.
    for (const std::size_t i : { 0, 1, 2, 4, 5, 6 })
        values.push_back(DimensionText(a[i]));
    values.push_back(cfg.text("RSVCFGCOBMIN"));
    const std::vector<std::string> steels = FormCFGListItems("RSVCFGTIPOACO");
    const int steel = cfg.state("RSVCFGTIPOACO");
    values.push_back(steel >= 0 && steel < static_cast<int>(steels.size())
                             ? steels[static_cast<std::size_t>(steel)]
                             : std::string());
    values.push_back(cfg.text("RSVCHAMFPAR"));
    values.push_back(cfg.text("RSVCHAMFFUND"));
    values.push_back(cfg.text("RSVCFGCONCFCK"));

    // One unit of gauge labels for the whole drawing.
    const bool mm = ctx.state.gaugeUnitIsMm != 0;
    for (const RebarPosition &p : ctx.rebarPositions) {
        const std::string &gauge = mm ? p.gauge.labelMm : p.gauge.labelInches;
        if (p.OUTAS != 0) {
            values.insert(values.end(), { "0", "0", gauge, "0", "0" });
        } else {
            values.push_back(p.N);
            values.push_back(Int16Text(p.NBR));
            values.push_back(gauge);
            values.push_back(SingleText(p.C, ctx.regional()));
            values.push_back(SingleText(p.CMP, ctx.regional()));
        }
    }

    for (const char *field : { "Text_X", "Text_Y", "Text_Lx", "Text_Ly" })
        values.push_back(DimensionText(lid.text(field)));
    const double corner = TryTextToNumber(cfg.text("RSVPORCTAMASEST"), "0").value_or(0.0);
    values.push_back(DoubleTextC(corner));

    std::vector<std::string> lines;
    lines.reserve(values.size());
    for (const std::string &v : values)
        lines.push_back(ExchangeLine(v));
    return lines;
}

std::vector<std::string> LegendLines(const CalcContext &ctx)
{
    std::vector<std::string> lines;
    for (const char *field : { "aeESTPROJ", "aeESTCLI", "aeESTEND", "aeESTRESP", "aeESTOBS" })
        lines.push_back(ExchangeLine(ctx.forms.FormLegenda.text(field)));
    return lines;
}

std::vector<std::string> FormatLines(std::string_view widthCm, std::string_view heightCm)
{
    return { ExchangeLine(widthCm), ExchangeLine(heightCm) };
}

std::vector<std::string> ScaleLines(std::string_view denominator)
{
    return { ExchangeLine(denominator) };
}

} // namespace CadExchange
