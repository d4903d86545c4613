#pragma once

#include "core/Calculator.h"

#include <QWidget>

#include <map>

class QLineEdit;
class QPushButton;
class RegionalSettings;

/// "Calculadora": the desk calculator of the Tools menu and the toolbar, a small window beside
/// the main window (not modal). The keys are buttons and the keyboard: digits, "," or ".",
/// + - * /, Enter for "=", "%", Escape for "C", Delete for "CE", Backspace.
class FormCalculadora : public QWidget
{
    Q_OBJECT

public:
    FormCalculadora(const RegionalSettings &regional, QWidget *parent = nullptr);

    /// The readout's text.
    QString readoutText() const;
    /// The button of a key ("cmd7", "cmdAdd"…), for the window's users and its tests.
    QPushButton *keyButton(Calculator::Key key) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(Calculator::Key key);

    Calculator m_calculator;
    QLineEdit *m_readout = nullptr;
    std::map<Calculator::Key, QPushButton *> m_buttons;
};
