#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class CadSession;
class NumericLineEdit;
class QPushButton;
class QRadioButton;

/// "Reservium - Escala": the scale of a drawing element, to insert it (`insertMode` 1, sends
/// `RSV_IEL`) or to change it (`insertMode` 0, sends `RSV_AES`), after writing "RSV_ESC.ENT".
class FormCADEscala : public QDialog
{
    Q_OBJECT

public:
    FormCADEscala(CadSession &session, QWidget *parent = nullptr);

    std::int16_t insertMode = 1;

    std::array<QRadioButton *, 8> Option{}; ///< Option1 … Option8 at [0] … [7]
    NumericLineEdit *NumberBox1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

private:
    CadSession &m_session;
};
