#include "design/ui/Formasgrd.h"

#include "core/AppContext.h"
#include "design/ui/BarGridView.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

Formasgrd::Formasgrd(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName("Formasgrd");
    setModal(true);
    m_grid = new QTableView(this);
    m_grid->setObjectName("grdasalt");
    m_model = new QStandardItemModel(this);
    BarGridView::SetUp(*m_grid, *m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Each column as wide as its texts: the window takes the grid's width.
    m_grid->horizontalHeader()->setStretchLastSection(false);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { grdasalt_DblClick(index.row() + 1); });
}

void Formasgrd::setPosition(int position)
{
    m_position = position;
    const bool mm = m_ctx.state.gaugeUnitIsMm != 0;
    m_alternatives = ModulersvARM::BuildAlternatives(m_ctx, m_ctx.rebarPosition(position), mm);
    BarGridView::Fill(*m_grid, *m_model,
                      ModulersvARM::AlternativesGrid(m_alternatives, mm, m_ctx.regional()));
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->resizeColumnsToContents();
    m_grid->setColumnWidth(1, m_grid->columnWidth(1) + 12);
    if (m_alternatives.currentRow > 0)
        BarGridView::Select(*m_grid,
                            { m_alternatives.currentRow, 0, m_alternatives.currentRow, 1 });
    setWindowTitle(QString::fromStdString(m_alternatives.caption));
    Form_Activate();
}

void Formasgrd::showEvent(QShowEvent *event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

void Formasgrd::Form_Activate()
{
    // The window is the grid: as wide as it, a little taller.
    const int h = BarGridView::FullHeight(*m_grid);
    const int w = BarGridView::FullWidth(*m_grid);
    m_grid->setGeometry(0, 0, w, h);
    setFixedSize(w, static_cast<int>(h * 1.11));
}

void Formasgrd::grdasalt_DblClick(int row)
{
    if (m_position < 1 || row < 1 || row > static_cast<int>(m_alternatives.list.size()))
        return;
    const ModulersvARM::GridUpdate update = ModulersvARM::ApplyAlternative(
            m_ctx, m_position, m_alternatives.list[static_cast<std::size_t>(row - 1)]);
    if (m_onApplied)
        m_onApplied(update);
    accept();
}
