#pragma once

#include "input/ui/InputFormWindow.h"

#include <cstdint>

class QRadioButton;

/// "Posição da Armação do Reservatório": the three reinforcement layouts, one proposed from the
/// tank's proportions, and the calculate button.
class FormPosicaoAs : public InputFormWindow
{
    Q_OBJECT

public:
    explicit FormPosicaoAs(MDI &mdi);

    void Option_Click(std::int16_t layoutCode);

protected:
    QWidget *firstControl() const override;

private:
    QRadioButton *m_options[3] = {};
};
