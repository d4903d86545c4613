#pragma once

#include "input/ui/InputFormWindow.h"

class QRadioButton;

/// "Reservatório Elevado ou Enterrado": the tank kind, with a picture of each kind; clicking a
/// picture chooses its option.
class FormTipoElev : public InputFormWindow
{
    Q_OBJECT

public:
    explicit FormTipoElev(MDI &mdi);

    void OptionElevada_Click();
    void OptionEnterrada_Click();

protected:
    QWidget *firstControl() const override;

private:
    void redraw();

    QRadioButton *m_elevada = nullptr;
    QRadioButton *m_enterrada = nullptr;
    SceneView *m_image1 = nullptr;
    SceneView *m_image2 = nullptr;
};
