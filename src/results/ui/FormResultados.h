#pragma once

#include "design/ModulersvARM.h"

#include <QWidget>

#include <array>

class AppContext;
class ImageButton;
class MDI;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class SceneView;

/// The results window: geometry, loads, moments, the reinforcement grid and the quantities of
/// the current calculation on the five tabs of SSTab1, and the buttons back, window image,
/// report and detailing. It only shows the results fields, the positions and the quantities;
/// every command on the grid is the engine's (ModulersvARM), and the pictures are scenes built
/// from the results. Built afresh for every calculation.
class FormResultados : public QWidget
{
    Q_OBJECT

public:
    /// `mdi` runs the report and detailing commands and places the alternatives window; without
    /// it (a test) those commands are not available and the alternatives window is its own.
    explicit FormResultados(AppContext &ctx, MDI *mdi = nullptr, QWidget *parent = nullptr);

    /// The results field Text_a(i), 0 to 65 (null for an index the window has no field for),
    /// and Text_hn(i), 0 and 1.
    QLineEdit *Text_a(int i) const;
    QLineEdit *Text_hn(int i) const;
    QTabWidget *SSTab1() const { return m_tabs; }
    QTableView *grdascal() const { return m_grid; }
    QTableView *MSFlexGrid2() const { return m_quantities; }

    /// Every field from the results fields, the pictures from the results.
    void ShowResults();
    /// Refills grdascal from the positions in the gauge unit, row 1 selected.
    void FillBarGrid();

    /// Activation: the progress window closes, the current layout's moment frame shows, the
    /// quantities and the pictures are redrawn, the buttons show their normal pictures.
    void Form_Activate();

    /// The grid's current row (1 to 20) and the other end of its selection.
    ModulersvARM::GridSelection gridSelection() const;

    // Event handlers.
    void SSTab1_Click(int tab);
    void grdascal_SelChange();
    void grdascal_DblClick(int row);
    void grdascal_KeyUp(int keyCode, int shift);
    /// The popup menu of a right-button press on grid row `row` (0 the header): the row is
    /// selected and the menu shown; returns the name of the item chosen, empty for none.
    void grdascal_MouseDown(int row, const QPoint &globalPos);
    /// Runs the popup item of this name on the current row.
    void RunPopupItem(const std::string &name);
    void butarw_Click();
    void butscr_Click();
    void butrpt_Click();
    void butdet_Click();
    void Command5_Click(int index);

    /// The scenes now shown in a picture, by control name ("imgcgachever", "imgfix1"…); null
    /// for an unknown name.
    SceneView *picture(const QString &name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildGeometryTab();
    QWidget *buildLoadsTab();
    QWidget *buildMomentsTab();
    QWidget *buildReinforcementTab();
    QWidget *buildQuantitiesTab();
    QLineEdit *addField(int index, QWidget *parent);
    void ShowQuantities();
    void ShowKeyPictures(int row);
    void applyUpdate(const ModulersvARM::GridUpdate &update);
    void showAlternatives(int row);
    void resetButtons();
    void notAvailable(const char *what);

    AppContext &m_ctx;
    MDI *m_mdi = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::array<QLineEdit *, 66> m_Text_a{};
    std::array<QLineEdit *, 2> m_Text_hn{};
    QGroupBox *m_frame1_0 = nullptr;
    std::array<QGroupBox *, 4> m_frameMom{};
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_gridModel = nullptr;
    QTableView *m_quantities = nullptr;
    QStandardItemModel *m_quantitiesModel = nullptr;
    std::array<ImageButton *, 4> m_buttons{};
    int m_lastAxisRow = 0;
    bool m_filling = false;
};
