#include "design/ModulersvARM.h"

#include "core/CalcContext.h"
#include "core/DesignState.h"
#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "design/CheckedArithmetic.h"
#include "design/ModuleDimFlex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kPositions = 20;
constexpr int kGauges = 12;
constexpr int kLastColumn = 3;
/// Spacing of a position whose gauge search has not adopted anything yet.
constexpr float kNoSpacing = 100000.0f;

bool IsPositionRow(int row)
{
    return row >= 1 && row <= kPositions;
}

/// The selection the grid takes after a command on one row: the row, columns 1 to 3.
ModulersvARM::GridSelection RowSelection(int row)
{
    return { row, 1, row, kLastColumn };
}

std::vector<int> AllRows()
{
    std::vector<int> rows(kPositions);
    for (int i = 0; i < kPositions; ++i)
        rows[static_cast<std::size_t>(i)] = i + 1;
    return rows;
}

/// A label read as the 16-bit number it stands for; nothing when it is not a number.
std::optional<double> LabelValue(const std::string &label)
{
    const auto v = TryTextToNumber(label, 0);
    if (!v)
        return std::nullopt;
    return RoundHalfEven(*v);
}

ModulersvARM::GridUpdate StepGauge(CalcContext &ctx, int position, int step)
{
    RebarPosition &p = ctx.rebarPosition(position);
    if (p.OUTAS != 0)
        return {};
    const int k = GaugeIndexOf(p.gauge.diameterMm);
    if (step > 0 ? !(k < kGauges) : !(k > 1))
        return {};
    const auto alternatives = ModulersvARM::BuildAlternatives(ctx, p, ctx.state.gaugeUnitIsMm != 0);
    return ModulersvARM::ApplyAlternative(
            ctx, position, alternatives.list[static_cast<std::size_t>(k + step - 1)]);
}

ModulersvARM::GridUpdate Renumber(CalcContext &ctx, int delta)
{
    // All labels or none: a partial shift would leave two positions with one label.
    std::array<std::int16_t, kPositions> labels{};
    for (int i = 1; i <= kPositions; ++i) {
        const auto v = LabelValue(ctx.rebarPosition(i).N);
        if (!v)
            return {};
        const bool inRange = delta > 0
                ? (*v >= std::numeric_limits<std::int16_t>::min() && *v < 32748)
                : (*v >= -32748 && *v <= std::numeric_limits<std::int16_t>::max());
        if (!inRange)
            return {};
        labels[static_cast<std::size_t>(i - 1)] = ToInt16(*v + delta);
    }
    for (int i = 1; i <= kPositions; ++i)
        ctx.rebarPosition(i).N = Int16Text(labels[static_cast<std::size_t>(i - 1)]);
    return { AllRows(), std::nullopt };
}

bool LastLabelAbove20(const CalcContext &ctx)
{
    const auto v = LabelValue(ctx.rebarPosition(kPositions).N);
    return v && *v > 20;
}

} // namespace

namespace ModulersvARM {

DistributionRule DistributionRuleOf(std::int16_t calcState)
{
    return LayoutOf(calcState) == kTwoWayLayout ? DistributionRule::TwoWay
                                                : DistributionRule::OneWay;
}

void ClearRebarPositions(CalcContext &ctx)
{
    for (RebarPosition &p : ctx.rebarPositions) {
        p = RebarPosition{};
        p.BW = 100.0f;
        p.C = kNoSpacing;
    }
}

void DesignPositions(CalcContext &ctx, DistributionRule rule)
{
    const DesignState &s = ctx.state;
    for (int i = 1; i <= kPositions; ++i) {
        RebarPosition &p = ctx.rebarPosition(i);
        if (p.MK != 0.0f) {
            p.ARE = ToSingle(TextToNumber(ModuleDimFlex::SteelArea(s, p.MK, p.D), "0.00"));
            // A moment with no steel means the section cannot carry it; the arrangement the
            // search below still produces must not look like a valid one.
            if (p.ARE == 0.0f)
                p.BADAS = -1;
        } else if (rule == DistributionRule::OneWay) {
            p.ARE = ModuleDimFlex::DistributionArea(ctx, i + 1, i);
        } else {
            p.ARE = ModuleDimFlex::DistributionAreaTwoWay(ctx, i + 2, i);
        }
        p.N = Int16Text(static_cast<std::int16_t>(i));
        p.NVZ = ModuleDimFlex::Repetitions(i);
        p.CMP = ModuleDimFlex::BarLength(ctx, i);

        // Gauges from the thinnest up, as long as each brings the spacing strictly closer to
        // the preferred one; an equal spacing lets the larger gauge in.
        for (int j = 1; j <= kGauges; ++j) {
            const BarGauge g = GaugeByIndex(j);
            const std::int16_t n = ModuleDimFlex::BarCount(s, p.ARE, p.D, g.diameterMm);
            const float spacing = ModuleDimFlex::BarSpacing(s, n);
            const std::int16_t m = ModuleDimFlex::BarsAlong(s, spacing, n, p.DIST);
            if (NoBetterSpacing(s, spacing, p.C))
                break;
            p.gauge = g;
            p.NBR = m;
            p.C = spacing;
        }
    }
}

bool NoBetterSpacing(const DesignState &state, float s, float c)
{
    const float b = state.bestSpacing;
    return !(std::fabs(b - s) < std::fabs(b - c)) && c != 0.0f && c != s;
}

std::string GaugeLabel(const BarGauge &gauge, bool mm, const RegionalSettings &regional)
{
    if (!mm)
        return gauge.labelInches;
    return ReplaceText(regional.decimalSymbol(), ".", gauge.labelMm, false, true);
}

std::string ArrangementText(const RebarPosition &p, bool mm, const RegionalSettings &regional)
{
    return Int16Text(p.NBR) + "ø" + GaugeLabel(p.gauge, mm, regional) + "c"
            + DoubleText(TextToNumber(p.C, "0.0"), regional) + "-"
            + DoubleText(TextToNumber(p.CMP, "0"), regional);
}

std::vector<GridCell> PositionRow(const CalcContext &ctx, int i)
{
    const RebarPosition &p = ctx.rebarPosition(i);
    const RegionalSettings &regional = ctx.regional();
    std::vector<GridCell> cells(4);
    cells[0].text = p.N;
    cells[1].text = DoubleText(TextToNumber(p.ARE, "0.00"), regional);
    cells[2].text = Int16Text(p.NVZ);
    cells[3].text = ArrangementText(p, ctx.state.gaugeUnitIsMm != 0, regional);
    cells[0].background = GridColour::Fixed;
    if (p.OUTAS != 0) {
        for (GridCell &cell : cells)
            cell.foreground = GridColour::InactiveCaptionText;
        for (std::size_t c = 1; c < cells.size(); ++c)
            cells[c].background = GridColour::InactiveTitleBar;
    } else {
        cells[0].foreground = GridColour::TitleBarText;
        if (p.BADAS != 0)
            cells[3].foreground = GridColour::Red;
    }
    return cells;
}

GridContent PositionsGrid(const CalcContext &ctx)
{
    GridContent grid;
    grid.headers = { "N", "As (cm²)", "n vezes", "Descrição" };
    for (int i = 1; i <= kPositions; ++i)
        grid.rows.push_back(PositionRow(ctx, i));
    return grid;
}

Alternatives BuildAlternatives(const CalcContext &ctx, const RebarPosition &p, bool mm)
{
    const char *where = "nas alternativas de bitola";
    const DesignState &s = ctx.state;
    Alternatives out;
    for (int j = 1; j <= kGauges; ++j) {
        RebarPosition &a = out.list[static_cast<std::size_t>(j - 1)];
        a = p;
        a.gauge = GaugeByIndex(j);
        // Bars for the area alone: unlike the design, no raise to the minimum steel, so that
        // the user sees what each gauge really needs.
        const float barArea = ModuleDimFlex::BarArea(s, a.gauge.diameterMm);
        a.NBR = CheckedArithmetic::BarNumber(
                Fix(CheckedArithmetic::Quotient(p.ARE, barArea, where)) + 1.0, where);
        a.C = ToSingle(TextToNumber(ModuleDimFlex::BarSpacing(s, a.NBR), "0.0"));
        if (a.C > 0.0f)
            a.NBR = ModuleDimFlex::BarsAlong(s, a.C, a.NBR, a.DIST);
        // 99 bars per strip is still workable, 100 is not.
        const bool bad = a.NBR < 0 || a.NBR > 99 || a.C < s.minSpacing || a.C > s.maxSpacing;
        a.BADAS = bad ? -1 : 0;
        if (a.gauge.diameterMm == p.gauge.diameterMm)
            out.currentRow = j;
    }
    const std::string current = out.currentRow > 0
            ? GaugeLabel(out.list[static_cast<std::size_t>(out.currentRow - 1)].gauge, mm,
                         ctx.regional())
            : std::string();
    out.caption = "[N" + p.N + "] - Bitola de " + current + (mm ? "mm" : "pol");
    return out;
}

GridContent AlternativesGrid(const Alternatives &alternatives, bool mm,
                             const RegionalSettings &regional)
{
    GridContent grid;
    grid.headers = { std::string("Bitola") + (mm ? " (mm)" : " (pol)"), "Descrição" };
    for (const RebarPosition &a : alternatives.list) {
        const bool bad = a.BADAS != 0;
        std::vector<GridCell> cells(2);
        cells[0] = { GaugeLabel(a.gauge, mm, regional),
                     bad ? GridColour::Red : GridColour::TitleBarText, GridColour::Fixed };
        cells[1] = { ArrangementText(a, mm, regional),
                     bad ? GridColour::Red : GridColour::WindowText, GridColour::WindowBackground };
        grid.rows.push_back(std::move(cells));
    }
    return grid;
}

GridUpdate ApplyAlternative(CalcContext &ctx, int position, const RebarPosition &alternative)
{
    RebarPosition &p = ctx.rebarPosition(position);
    p.NBR = alternative.NBR;
    p.gauge = alternative.gauge;
    p.C = alternative.C;
    p.CMP = alternative.CMP;
    p.BADAS = alternative.BADAS;
    return { { position }, RowSelection(position) };
}

GridUpdate NextGauge(CalcContext &ctx, int position)
{
    return StepGauge(ctx, position, +1);
}

GridUpdate PreviousGauge(CalcContext &ctx, int position)
{
    return StepGauge(ctx, position, -1);
}

GridUpdate ToggleExclusion(CalcContext &ctx, int row, int rowSel)
{
    const int first = std::max(std::min(row, rowSel), 1);
    const int last = std::min(std::max(row, rowSel), kPositions);
    if (first > last)
        return {};
    GridUpdate update;
    for (int i = first; i <= last; ++i) {
        RebarPosition &p = ctx.rebarPosition(i);
        p.OUTAS = p.OUTAS != 0 ? 0 : -1;
        update.rows.push_back(i);
    }
    update.selection = RowSelection(std::clamp(row, first, last));
    return update;
}

GridUpdate RenumberUp(CalcContext &ctx)
{
    return Renumber(ctx, +20);
}

GridUpdate RenumberDown(CalcContext &ctx)
{
    return Renumber(ctx, -20);
}

GridUpdate SwitchGaugeUnit(CalcContext &ctx, const GridSelection &current)
{
    ctx.state.gaugeUnitIsMm = ctx.state.gaugeUnitIsMm != 0 ? 0 : -1;
    return { AllRows(), RowSelection(current.row) };
}

bool CanShowAlternatives(const CalcContext &ctx, int row)
{
    return IsPositionRow(row) && ctx.rebarPosition(row).OUTAS == 0;
}

GridUpdate BarGridKeyUp(CalcContext &ctx, int keyCode, int shift, const GridSelection &current)
{
    const int row = current.row;
    switch (keyCode) {
    case 35: // End
        return LastLabelAbove20(ctx) ? RenumberDown(ctx) : GridUpdate{};
    case 36: // Home
        return RenumberUp(ctx);
    default:
        break;
    }
    if (!IsPositionRow(row))
        return {};
    const bool excluded = ctx.rebarPosition(row).OUTAS != 0;
    if (keyCode == 45) // Insert
        return excluded ? ToggleExclusion(ctx, current.row, current.rowSel) : GridUpdate{};
    if (keyCode == 46) // Delete
        return excluded ? GridUpdate{} : ToggleExclusion(ctx, current.row, current.rowSel);
    // "+" of the keypad, the "+" character, and shift with the "=" key.
    if (keyCode == 107 || keyCode == 43 || (keyCode == 187 && shift == 1))
        return NextGauge(ctx, row);
    // "-" of the keypad, and shift with the "-" key.
    if (keyCode == 109 || (keyCode == 189 && shift == 1))
        return PreviousGauge(ctx, row);
    return {};
}

std::vector<PopupItem> BarGridPopupMenu(const CalcContext &ctx, int row)
{
    if (!IsPositionRow(row))
        return {};
    const RebarPosition &p = ctx.rebarPosition(row);
    const bool excluded = p.OUTAS != 0;
    const bool mm = ctx.state.gaugeUnitIsMm != 0;
    const auto last = LabelValue(ctx.rebarPosition(kPositions).N);
    std::vector<PopupItem> items;
    items.push_back({ "pupbitnbr", "Mais Bitolas ...", !excluded, true });
    items.push_back({ "-", "-", !excluded, true });
    items.push_back({ "pupinmm", std::string("Bitolas em ") + (mm ? "polegadas" : "milímetros"),
                      true, true });
    items.push_back({ "-", "-", true, true });
    items.push_back({ "pupndwn", "N-", true, last && *last >= 21 });
    items.push_back({ "pupnup", "N+", true, true });
    items.push_back({ "-", "-", true, true });
    items.push_back(
            { "pupasout", (excluded ? "Habilitar [N" : "Desabilitar [N") + p.N + "]", true, true });
    return items;
}

} // namespace ModulersvARM
