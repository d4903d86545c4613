#pragma once

#include "core/AppContext.h"
#include "core/RegionalSettings.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "settings/ApplySettings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

/// A program just started with its main window, in a temporary program folder seeded from the
/// shipped data: the factory parameters applied, no window of the chain made yet.
struct InputWindowsFixture
{
    QTemporaryDir home;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MDI> mdi;

    explicit InputWindowsFixture(FixedRegionalSettings regional = FixedRegionalSettings::ptBR())
    {
        ctx = std::make_unique<AppContext>(
                std::make_unique<FixedRegionalSettings>(regional),
                ProgramPaths(home.path(), QStringLiteral(RESERVIUM_TEST_DATA_DIR)));
        ApplySettings(*ctx);
        mdi = std::make_unique<MDI>(*ctx);
        mdi->resize(1000, 760);
        mdi->show();
    }

    ~InputWindowsFixture() { mdi.reset(); }

    QWidget *window(const char *form) const { return mdi->form(form); }
    bool visible(const char *form) const { return mdi->isFormVisible(form); }

    template <typename W = QWidget>
    W *control(const char *form, const char *name) const
    {
        QWidget *w = mdi->form(form);
        return w ? w->findChild<W *>(QString::fromLatin1(name)) : nullptr;
    }

    ImageButton *button(const char *form, const char *name) const
    {
        return control<ImageButton>(form, name);
    }

    /// Types over a field's whole text, key by key through its filter.
    void type(const char *form, const char *field, const QString &text) const
    {
        QLineEdit *edit = control<QLineEdit>(form, field);
        ASSERT_NE(edit, nullptr) << field;
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
            while (!edit->text().isEmpty() && edit->text() != "0")
                QTest::keyClick(edit, Qt::Key_Backspace);
            return;
        }
        QTest::keyClicks(edit, text);
    }

    /// Enter in a window's first field, as the user presses it.
    void enter(const char *form) const
    {
        QWidget *w = mdi->form(form);
        ASSERT_NE(w, nullptr) << form;
        QWidget *target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key_Return);
    }

    void escape(const char *form) const
    {
        QWidget *w = mdi->form(form);
        ASSERT_NE(w, nullptr) << form;
        QWidget *target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key_Escape);
    }

    QString statusText() const
    {
        auto *l = mdi->findChild<QLabel *>("StatusBar1_text");
        return l ? l->text() : QString();
    }
};

#include <QMessageBox>
#include <QTimer>

/// Answers the next message box that opens, from inside its own event loop, and keeps what it
/// said.
class MessageBoxAnswer : public QObject
{
public:
    QString text;
    QString title;
    int seen = 0;

    /// Watches for a message box and presses `button` on it; `after` runs once it is answered.
    void arm(QMessageBox::StandardButton button, std::function<void()> after = {})
    {
        auto *timer = new QTimer(this);
        timer->setInterval(5);
        connect(timer, &QTimer::timeout, this, [this, timer, button, after] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                text = box->text();
                title = box->windowTitle();
                ++seen;
                timer->stop();
                timer->deleteLater();
                if (QAbstractButton *b = box->button(button))
                    b->click();
                if (after)
                    QTimer::singleShot(0, after);
                return;
            }
        });
        timer->start();
    }
};
