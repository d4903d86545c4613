#pragma once

#include "design/ModulersvARM.h"

#include <QDialog>

#include <functional>

class AppContext;
class QStandardItemModel;
class QTableView;

/// The alternatives window: the arrangement of one position for each of the twelve gauges,
/// the current gauge's row selected, red where an arrangement breaks a bar-count or spacing
/// limit. A double-click on a row gives the position that arrangement and closes the window.
class Formasgrd : public QDialog
{
    Q_OBJECT

public:
    explicit Formasgrd(AppContext &ctx, QWidget *parent = nullptr);

    /// Fills the window for position `position` (1 to 20) of the current gauge unit: the
    /// alternatives, the current row selected, the caption "[N3] - Bitola de 8mm".
    void setPosition(int position);
    int position() const { return m_position; }
    const ModulersvARM::Alternatives &alternatives() const { return m_alternatives; }
    QTableView *grdasalt() const { return m_grid; }

    /// What the results window does once a row is applied (redraw the position's row).
    void setOnApplied(std::function<void(const ModulersvARM::GridUpdate &)> onApplied)
    {
        m_onApplied = std::move(onApplied);
    }

    /// A double-click on alternative `row` (1 to 12): the position takes it, the window closes.
    void grdasalt_DblClick(int row);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Activate();

    AppContext &m_ctx;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    int m_position = 0;
    ModulersvARM::Alternatives m_alternatives;
    std::function<void(const ModulersvARM::GridUpdate &)> m_onApplied;
};
