#pragma once

#include "input/TankSketches.h"
#include "input/ui/InputFormWindow.h"

/// "Dados Geométricos do Reservatório": a, b, h and the water level hn, with the box drawn to
/// the typed proportions.
class FormDadosGeometricos : public InputFormWindow
{
    Q_OBJECT

public:
    explicit FormDadosGeometricos(MDI &mdi);

    /// Any field changed (typed or set by a flow): the window's limit check and the picture.
    void Text_Change();

protected:
    QWidget *firstControl() const override;

private:
    void redraw();

    QWidget *m_first = nullptr;
    SceneView *m_image1 = nullptr;
    TankSketches::LastDrawable<TankSketches::GeometryValues> m_drawn;
};
