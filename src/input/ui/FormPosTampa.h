#pragma once

#include "input/TankSketches.h"
#include "input/ui/InputFormWindow.h"

/// "Posição da Tampa do Reservatório": the hatch X × Y at its base point (Lx, Ly) and the live
/// load on the lid, with the lid's plan drawn from them and the geometry's a and b.
class FormPosTampa : public InputFormWindow
{
    Q_OBJECT

public:
    explicit FormPosTampa(MDI &mdi);

    void Text_Change();

protected:
    QWidget *firstControl() const override;
    void windowShown() override { redraw(); }

private:
    void redraw();

    QWidget *m_first = nullptr;
    SceneView *m_image1 = nullptr;
    TankSketches::LastDrawable<TankSketches::LidValues> m_drawn;
};
