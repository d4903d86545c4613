#pragma once

#include <QWidget>

class CadSession;
class QToolButton;

/// "Reservium® ToolBox": a strip of drawing commands floating over the drawing platform, always
/// on top and never taking the focus from it; its image folds it to a stub and unfolds it.
class FormCADToolbar : public QWidget
{
    Q_OBJECT

public:
    FormCADToolbar(CadSession &session, QWidget *parent = nullptr);

    QToolButton *Image2 = nullptr;
    QToolButton *Command1 = nullptr;
    QToolButton *Command2 = nullptr;
    QToolButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr;
    QToolButton *Command5 = nullptr;
    QToolButton *Command8 = nullptr;
    QToolButton *Command9 = nullptr;
    QToolButton *Command10 = nullptr;

    bool isFolded() const { return m_folded; }

    void Image2_Click();
    void Command1_Click();
    void Command5_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();

private:
    void fold(bool folded);

    CadSession &m_session;
    QWidget *m_buttons = nullptr;
    bool m_folded = false;
};
