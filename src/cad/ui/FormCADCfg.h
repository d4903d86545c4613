#pragma once

#include "core/FormModel.h"

#include <QDialog>

#include <array>
#include <functional>

class CadColorPicker;
class CadSession;
class NumericLineEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

/// "Reservium - Configura Detalhamento": the drawing settings of "RSV_ACAD.CFG" on three tabs,
/// dimensioning and sizes, layer colours, text styles. "OK" writes the 32 lines back.
class FormCADCfg : public QDialog
{
    Q_OBJECT

public:
    FormCADCfg(CadSession &session, QWidget *parent = nullptr);

    QTabWidget *SSTab1 = nullptr;
    std::array<QRadioButton *, 4> Option{}; ///< Option1 … Option4
    NumericLineEdit *NumberBox1 = nullptr;
    NumericLineEdit *NumberBox2 = nullptr;
    NumericLineEdit *NumberBox3 = nullptr;
    /// Text(n) is Text1 … Text13 at [n − 1]: fonts 1-5, Text6-8 numbers, heights 9-13.
    std::array<QLineEdit *, 13> Text{};
    std::array<CadColorPicker *, 10> AcadColor{}; ///< AcadColor8 … AcadColor17
    std::array<QCheckBox *, 5> Check{}; ///< Check1 … Check5
    std::array<QToolButton *, 5> UpDownUp{}; ///< UpDown1 … UpDown5, up
    std::array<QToolButton *, 5> UpDownDown{}; ///< UpDown1 … UpDown5, down
    std::array<QPushButton *, 5> FontButton{}; ///< Command3 … Command7
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    const FormModel &model() const { return m_form; }

    /// The font dialog and the SHX open dialog; tests replace them. Empty: cancelled.
    std::function<QString(const QString &current, int *pointSize)> chooseTrueType;
    std::function<QString(const QString &folder)> chooseShx;

    void Command1_Click();
    void Command2_Click();
    void FontClick(int style);

private:
    void showModel();
    void fieldChanged(const std::string &name);
    void checkLimits();

    CadSession &m_session;
    FormModel m_form;
    bool m_showing = false;
};

/// The TrueType (or OpenType) file of a font family through fontconfig, or "###ERRO###" when the
/// family has no such file of its own (fontconfig would put another family in its place).
QString FindTrueTypeFont(const QString &family);
