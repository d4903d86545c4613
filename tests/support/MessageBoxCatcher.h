#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>

/// Answers the message boxes a window shows while a test drives it: each one's title and text
/// is recorded and the box is closed with its default button (or the button of `answer`).
class MessageBoxCatcher : public QObject
{
public:
    explicit MessageBoxCatcher(QMessageBox::StandardButton answer = QMessageBox::NoButton)
        : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(5);
    }

    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        titles << box->windowTitle();
        texts << box->text();
        icons << box->icon();
        QAbstractButton *button =
                m_answer != QMessageBox::NoButton ? box->button(m_answer) : nullptr;
        if (!button)
            button = box->defaultButton() ? static_cast<QAbstractButton *>(box->defaultButton())
                                          : box->buttons().value(0);
        if (button)
            button->click();
        else
            box->reject();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};
