#pragma once

#include "design/ModulersvARM.h"

#include <QColor>

class QPalette;
class QStandardItemModel;
class QTableView;

/// How the reinforcement grids (grdascal and the alternatives grid grdasalt) are put on screen:
/// a table view over a model filled from the engine's GridContent, its colours the system
/// colours the engine names. The grids decide nothing; the engine says what each cell holds.
namespace BarGridView {

/// The platform colour of an engine colour; `Fixed` is the fixed cells' button colour.
QColor ColourOf(ModulersvARM::GridColour colour, const QPalette &palette, bool background);

/// Lays out the view over `model`: one row per entry, the headers, the first column fixed
/// (button coloured), whole rows selected, no editing.
void SetUp(QTableView &view, QStandardItemModel &model);

/// Writes the whole grid.
void Fill(QTableView &view, QStandardItemModel &model, const ModulersvARM::GridContent &content);

/// Rewrites grid row `row` (1-based, as the engine counts) with its cells.
void SetRow(QTableView &view, QStandardItemModel &model, int row,
            const std::vector<ModulersvARM::GridCell> &cells);

/// Selects grid row `row` (1-based) from column `col` to `colSel`, making it current; the view
/// selects whole rows, so the columns only say where the current cell is.
void Select(QTableView &view, const ModulersvARM::GridSelection &selection);

/// The height the view needs to show every row without scrolling, and its width likewise.
int FullHeight(const QTableView &view);
int FullWidth(const QTableView &view);

} // namespace BarGridView
