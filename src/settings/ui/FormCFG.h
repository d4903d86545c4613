#pragma once

#include "core/DesignState.h"

#include <QDialog>

#include <map>
#include <string>

class AppContext;
class ImageButton;
class MDI;
class NumericLineEdit;
class QComboBox;
class QRadioButton;
class QTabWidget;

/// "Configurações de Cálculo": the calculation parameters on two tabs. The window shows the
/// working copy (the FormCFG model), which it edits; `butsav` writes it to the parameter file,
/// `butopn` brings the factory values back into file and window, and `butarw` applies the
/// window to the design state and hides it. While a field is out of range `butarw` and
/// `butsav` refuse and the main window's status bar tells why. The input-limit status of the
/// window underneath is kept on entry and put back on leaving.
class FormCFG : public QDialog
{
    Q_OBJECT

public:
    FormCFG(MDI &mdi, QWidget *parent = nullptr);
    ~FormCFG() override;

    QTabWidget *SSTab1() const { return m_tabs; }
    ImageButton *button(const QString &controlName) const;

    void butarw_Click();
    void butsav_Click();
    void butopn_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Form_Activate();
    void Field_Change(const std::string &control, const QString &text);
    void refreshControl(const std::string &control);
    void refreshButtons();
    InputError statusFor(const QString &button) const;
    void showStatus(const std::string &error, int number, const std::string &warning);

    MDI &m_mdi;
    AppContext &m_context;
    QTabWidget *m_tabs = nullptr;
    std::map<std::string, NumericLineEdit *> m_texts;
    std::map<std::string, QComboBox *> m_lists;
    QRadioButton *m_fissOK = nullptr;
    QRadioButton *m_fissNOK = nullptr;
    std::map<QString, ImageButton *> m_buttons;
    InputError m_keptError;
    int m_subscription = 0;
    bool m_refreshing = false;
};
