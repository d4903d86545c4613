#pragma once

#include <QDialog>

class AppContext;
class QComboBox;
class QLineEdit;
class QPushButton;

/// "Localizar Plataforma CAD": which drawing platform to drive and where its program is. "OK"
/// with a platform chosen and a program that exists hooks the detailing application into the
/// platform's start-up file and stores the choice; anything else is discarded without a word.
class FormSetCad : public QDialog
{
    Q_OBJECT

public:
    explicit FormSetCad(AppContext &context, QWidget *parent = nullptr);

    QComboBox *Combo1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    /// The file dialog of the browse button; tests replace it.
    std::function<QString()> browse;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void Combo1_Click();

    AppContext &m_context;
};
