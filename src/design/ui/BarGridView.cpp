#include "design/ui/BarGridView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace BarGridView {

using ModulersvARM::GridColour;

QColor ColourOf(GridColour colour, const QPalette &palette, bool background)
{
    switch (colour) {
    case GridColour::Fixed:
        return palette.color(background ? QPalette::Button : QPalette::ButtonText);
    case GridColour::WindowText:
        return palette.color(QPalette::Text);
    case GridColour::WindowBackground:
        return palette.color(QPalette::Base);
    case GridColour::TitleBarText:
        // The fixed column's label text: on the button-coloured cell the platform's button
        // text reads as the title-bar text does on its bar.
        return palette.color(QPalette::ButtonText);
    case GridColour::InactiveTitleBar:
        return palette.color(QPalette::Mid);
    case GridColour::InactiveCaptionText:
        return palette.color(QPalette::Light);
    case GridColour::Red:
        return QColor(255, 0, 0);
    }
    return {};
}

void SetUp(QTableView &view, QStandardItemModel &model)
{
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::ContiguousSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setStretchLastSection(true);
    view.setWordWrap(false);
    // The selection is drawn over the cells' own colours, so that an excluded or red row still
    // shows what it is while selected.
    QPalette p = view.palette();
    QColor highlight = p.color(QPalette::Highlight);
    highlight.setAlpha(90);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, p.color(QPalette::Text));
    view.setPalette(p);
}

namespace {

QStandardItem *itemOf(const QTableView &view, const ModulersvARM::GridCell &cell, bool fixed)
{
    auto *item = new QStandardItem(QString::fromStdString(cell.text));
    const QPalette &p = view.palette();
    item->setForeground(ColourOf(cell.foreground, p, false));
    item->setBackground(ColourOf(fixed ? GridColour::Fixed : cell.background, p, true));
    item->setEditable(false);
    if (fixed)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

void Fill(QTableView &view, QStandardItemModel &model, const ModulersvARM::GridContent &content)
{
    model.clear();
    model.setColumnCount(static_cast<int>(content.headers.size()));
    QStringList headers;
    for (const std::string &h : content.headers)
        headers << QString::fromStdString(h);
    model.setHorizontalHeaderLabels(headers);
    model.setRowCount(static_cast<int>(content.rows.size()));
    for (std::size_t r = 0; r < content.rows.size(); ++r)
        SetRow(view, model, static_cast<int>(r) + 1, content.rows[r]);
    view.resizeColumnsToContents();
    view.horizontalHeader()->setStretchLastSection(true);
}

void SetRow(QTableView &view, QStandardItemModel &model, int row,
            const std::vector<ModulersvARM::GridCell> &cells)
{
    if (row < 1 || row > model.rowCount())
        return;
    for (std::size_t c = 0; c < cells.size() && static_cast<int>(c) < model.columnCount(); ++c) {
        const bool fixed = c == 0 && cells[c].background == GridColour::Fixed;
        model.setItem(row - 1, static_cast<int>(c), itemOf(view, cells[c], fixed));
    }
}

void Select(QTableView &view, const ModulersvARM::GridSelection &selection)
{
    QAbstractItemModel *model = view.model();
    if (!model || model->rowCount() == 0)
        return;
    const int row = std::clamp(selection.row, 1, model->rowCount()) - 1;
    const int rowSel = std::clamp(selection.rowSel, 1, model->rowCount()) - 1;
    const int col = std::clamp(selection.col, 0, model->columnCount() - 1);
    QItemSelectionModel *sel = view.selectionModel();
    const QItemSelection rows(model->index(std::min(row, rowSel), 0),
                              model->index(std::max(row, rowSel), model->columnCount() - 1));
    sel->setCurrentIndex(model->index(row, col), QItemSelectionModel::NoUpdate);
    sel->select(rows, QItemSelectionModel::ClearAndSelect);
    view.scrollTo(model->index(row, col));
}

int FullHeight(const QTableView &view)
{
    int h = view.horizontalHeader()->height() + 2 * view.frameWidth();
    for (int r = 0; view.model() && r < view.model()->rowCount(); ++r)
        h += view.rowHeight(r);
    return h;
}

int FullWidth(const QTableView &view)
{
    int w = 2 * view.frameWidth();
    // The columns as wide as their widest text, header or cell.
    for (int c = 0; view.model() && c < view.model()->columnCount(); ++c)
        w += std::max(view.horizontalHeader()->sectionSizeHint(c), view.columnWidth(c));
    return w + (view.verticalScrollBar()->isVisible() ? view.verticalScrollBar()->width() : 0);
}

} // namespace BarGridView
