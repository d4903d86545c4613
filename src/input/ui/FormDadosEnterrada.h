#pragma once

#include "input/SoilCatalogue.h"
#include "input/TankSketches.h"
#include "input/ui/InputFormWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

/// "Dados do Reservatório Enterrado": burial height, surcharge, ground water and the soil,
/// which can be chosen from the soil catalogue; the section drawn from them.
class FormDadosEnterrada : public InputFormWindow
{
    Q_OBJECT

public:
    explicit FormDadosEnterrada(MDI &mdi);

    /// Refills the soil list from the catalogue (on load and after the catalogue window).
    void FillSolo();
    void ComboSolo_Click(int index);
    void Checkhna_Click();
    /// "Cadastro": the soil catalogue window, modal; the list is refilled when it closes.
    void Command3_Click();
    void Text_Change();

    const SoilList &soils() const { return m_soils; }

protected:
    QWidget *firstControl() const override;
    void windowShown() override { redraw(); }

private:
    void redraw();
    void showSoilChoice();

    QWidget *m_first = nullptr;
    QCheckBox *m_checkhna = nullptr;
    QLabel *m_hnaUnit = nullptr;
    QComboBox *m_combo = nullptr;
    QPushButton *m_command3 = nullptr;
    SceneView *m_image1 = nullptr;
    SoilList m_soils;
    bool m_filling = false;
    TankSketches::LastDrawable<TankSketches::BuriedValues> m_drawn;
};
