#pragma once

#include "cad/CadForms.h"

#include <QWidget>

#include <array>

class CadSession;
class NumericLineEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class SceneView;

/// "Reservium - Editor de As": one reinforcement position to draw, longitudinal or transverse
/// bars, with its description as it will be labelled and a preview. "Desenha As" writes the
/// request to "RSV_EAS.ENT", sends `RSV_EAS` and folds the window.
class FormCADEdAs : public QWidget
{
    Q_OBJECT

public:
    FormCADEdAs(CadSession &session, QWidget *parent = nullptr);

    QRadioButton *Option3 = nullptr; ///< longitudinal
    QRadioButton *Option4 = nullptr; ///< transverse
    NumericLineEdit *NumberBox4 = nullptr;
    QPushButton *Command23 = nullptr;
    QPushButton *Command24 = nullptr;
    std::array<QComboBox *, 2> Combo11{};
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo10 = nullptr;
    QLineEdit *NumberBox1 = nullptr;
    NumericLineEdit *NumberBox2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QComboBox *Combo4 = nullptr;
    QComboBox *Combo2 = nullptr;
    NumericLineEdit *NumberBox3 = nullptr;
    std::array<QCheckBox *, 4> Check{}; ///< Check1 … Check4
    QLabel *Label8 = nullptr;
    SceneView *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QToolButton *Image2 = nullptr;

    bool isFolded() const { return m_folded; }
    /// What the window holds, as the request is built from it.
    CadForms::EditorEntry entry() const;

    void Image2_Click();
    void Command1_Click();
    void Command2_Click();

private:
    void modeChanged();
    void transverseOptionChanged();
    void refresh();
    void fold(bool folded);

    CadSession &m_session;
    QGroupBox *m_longitudinal = nullptr;
    QGroupBox *m_transverse = nullptr;
    QWidget *m_body = nullptr;
    bool m_folded = false;
    bool m_loading = true;
};
