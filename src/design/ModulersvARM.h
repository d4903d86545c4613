#pragma once

#include "design/BarGauge.h"
#include "design/RebarPosition.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CalcContext;
struct DesignState;
class RegionalSettings;

/// The twenty reinforcement positions: their design after the analysis (steel area, then the
/// gauge whose spacing comes closest to the preferred one), the text of an arrangement, and
/// every command of the reinforcement grid and of the alternatives window, without the
/// windows. Each command changes `ctx.rebarPositions` and returns what the grid must redraw;
/// the grid draws the rows with PositionRow and never decides anything itself.
namespace ModulersvARM {

/// How the positions without moment get their area: the vertical and horizontal layouts use
/// DistributionArea with the next position as companion, the two-way layout
/// DistributionAreaTwoWay with the position after next.
enum class DistributionRule { OneWay, TwoWay };

/// The rule of a launched calculation's layout (3000 → two-way).
DistributionRule DistributionRuleOf(std::int16_t calcState);

/// The twenty positions as every calculation starts them: labels, areas and arrangements
/// empty, strip width 100 cm, and the spacing mark 100000 of a position not designed yet. The
/// analysis then sets MK, D and DIST.
void ClearRebarPositions(CalcContext &ctx);

/// Designs the twenty positions in ascending order: ARE, N, NVZ, CMP, gauge, NBR and C. A
/// position without moment takes the distribution rule with its companion's ARE as that
/// companion holds it at that moment (still 0 on a freshly cleared list).
void DesignPositions(CalcContext &ctx, DistributionRule rule);

/// The stop test of the gauge search: the spacing `s` of the next gauge brings nothing closer
/// to `bestSpacing` than the adopted spacing `c` (and `c` is neither 0 nor equal to `s`).
bool NoBetterSpacing(const DesignState &state, float s, float c);

/// The gauge's label in millimetres or inches; a decimal point takes the regional symbol.
std::string GaugeLabel(const BarGauge &gauge, bool mm, const RegionalSettings &regional);

/// "10ø8c15-250": bars, gauge, spacing (cm, one decimal at most), length (cm).
std::string ArrangementText(const RebarPosition &p, bool mm, const RegionalSettings &regional);

// ---- What the grids show ----------------------------------------------------------------

/// The colours the grids paint with: the platform's system colours and pure red. `Fixed`
/// leaves a fixed cell in the grid's own colour.
enum class GridColour {
    Fixed,
    WindowText,
    WindowBackground,
    TitleBarText,
    InactiveTitleBar,
    InactiveCaptionText,
    Red,
};

struct GridCell
{
    std::string text;
    GridColour foreground = GridColour::WindowText;
    GridColour background = GridColour::WindowBackground;

    friend bool operator==(const GridCell &, const GridCell &) = default;
};

/// One grid, its header row and one row per list entry (rows[0] is grid row 1).
struct GridContent
{
    std::vector<std::string> headers;
    std::vector<std::vector<GridCell>> rows;
};

/// Row `i` (1 to 20) of the positions grid `grdascal`: "N", "As (cm²)", "n vezes",
/// "Descrição", coloured by OUTAS (greyed) and BADAS (red description).
std::vector<GridCell> PositionRow(const CalcContext &ctx, int i);

/// The whole positions grid, in the unit of `gaugeUnitIsMm`.
GridContent PositionsGrid(const CalcContext &ctx);

/// Where the grid's selection goes after a command (MSFlexGrid's Row, Col, RowSel, ColSel).
struct GridSelection
{
    int row = 0;
    int col = 0;
    int rowSel = 0;
    int colSel = 0;

    friend bool operator==(const GridSelection &, const GridSelection &) = default;
};

/// What a command changed: the rows (position numbers) to redraw with PositionRow, and where
/// the selection goes (none: it stays). An empty update means the command did nothing.
struct GridUpdate
{
    std::vector<int> rows;
    std::optional<GridSelection> selection;

    bool empty() const { return rows.empty(); }
};

// ---- Alternatives window ------------------------------------------------------------------

/// The arrangement of one position for each of the 12 gauges, and the row of its current gauge.
struct Alternatives
{
    std::array<RebarPosition, 12> list{};
    int currentRow = 0; ///< 1 to 12; 0 when the position's gauge is not in the table
    std::string caption; ///< the window's caption: "[N3] - Bitola de 8mm"
};

/// The 12 alternatives of `p`: bars for the area without the minimum-steel raise, spacing and
/// count as the design makes them, BADAS when the count passes 99 or the spacing leaves
/// minSpacing..maxSpacing.
Alternatives BuildAlternatives(const CalcContext &ctx, const RebarPosition &p, bool mm);

/// The alternatives grid `grdasalt`: "Bitola (mm)" or "Bitola (pol)" and "Descrição".
GridContent AlternativesGrid(const Alternatives &alternatives, bool mm,
                             const RegionalSettings &regional);

/// The position takes NBR, gauge, C, CMP and BADAS of `alternative` (a double-click in the
/// alternatives window).
GridUpdate ApplyAlternative(CalcContext &ctx, int position, const RebarPosition &alternative);

// ---- Commands of the positions grid -------------------------------------------------------

/// The next (larger) gauge for a position not excluded; nothing at gauge row 12.
GridUpdate NextGauge(CalcContext &ctx, int position);
/// The previous (smaller) gauge for a position not excluded; nothing at gauge row 1.
GridUpdate PreviousGauge(CalcContext &ctx, int position);

/// Flips OUTAS of every position from `row` to `rowSel` (either order).
GridUpdate ToggleExclusion(CalcContext &ctx, int row, int rowSel);

/// Adds 20 to every label, or subtracts 20, all or none: when a label is not a number or would
/// leave the 16-bit range (up applies below 32748, down from -32748), nothing changes.
GridUpdate RenumberUp(CalcContext &ctx);
GridUpdate RenumberDown(CalcContext &ctx);

/// Shows the gauges in the other unit: flips gaugeUnitIsMm and rewrites every description.
GridUpdate SwitchGaugeUnit(CalcContext &ctx, const GridSelection &current);

/// Whether a double-click on `row` (or "Mais Bitolas ...") opens the alternatives: a position
/// row, not excluded.
bool CanShowAlternatives(const CalcContext &ctx, int row);

/// A key released on the grid (key code and shift state as the platform reports them), acting
/// on the current row: Insert and Delete include and exclude, Home and End renumber, "+" and
/// "-" step the gauge.
GridUpdate BarGridKeyUp(CalcContext &ctx, int keyCode, int shift, const GridSelection &current);

/// One item of the grid's popup menu.
struct PopupItem
{
    std::string name; ///< pupbitnbr, pupinmm, pupndwn, pupnup, pupasout; "-" for a separator
    std::string caption;
    bool visible = true;
    bool enabled = true;
};

/// The popup menu for a right-button press on `row`; empty for the header row.
std::vector<PopupItem> BarGridPopupMenu(const CalcContext &ctx, int row);

} // namespace ModulersvARM
