#pragma once

#include <QDialog>

#include <array>

class CadSession;
class NumericLineEdit;
class QPushButton;
class QRadioButton;

/// "Reservium - Tamanho do Formato": the sheet to insert in the drawing, A4 to A0 or a custom
/// size in millimetres; "Insere" writes "RSV_DFM.ENT" and sends `RSV_DFM`.
class FormCADFormato : public QDialog
{
    Q_OBJECT

public:
    FormCADFormato(CadSession &session, QWidget *parent = nullptr);

    std::array<QRadioButton *, 6> Option{}; ///< Option1 … Option6 at [0] … [5]
    NumericLineEdit *NumberBox1 = nullptr;
    NumericLineEdit *NumberBox2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

private:
    CadSession &m_session;
};
