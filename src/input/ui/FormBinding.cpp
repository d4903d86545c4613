#include "input/ui/FormBinding.h"

#include "core/AppContext.h"
#include "core/ModuleRSVErr.h"
#include "core/ui/ImageButton.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPalette>
#include <QStyle>

FormBinding::FormBinding(AppContext &ctx, FormModel &model, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_model(model)
{
    m_subscription = m_model.subscribe([this](const std::string &name, FormModel::Change change) {
        modelChanged(name, change);
    });
}

FormBinding::~FormBinding()
{
    m_model.unsubscribe(m_subscription);
}

void FormBinding::bindText(QLineEdit *edit)
{
    const std::string name = edit->objectName().toStdString();
    m_widgets[name] = edit;
    showField(name);
    connect(edit, &QLineEdit::textEdited, this, [this, name](const QString &text) {
        if (m_updating)
            return;
        m_updating = true;
        m_model.setText(name, text.toStdString());
        m_updating = false;
    });
}

void FormBinding::bindCheck(QAbstractButton *button)
{
    const std::string name = button->objectName().toStdString();
    m_widgets[name] = button;
    showField(name);
}

void FormBinding::bindLabel(QLabel *label, const std::string &control)
{
    m_widgets[control] = label;
    showField(control);
}

void FormBinding::bindImageButton(ImageButton *button, const std::string &control)
{
    m_buttons[control] = button;
    button->setPressAllowed([this, button] {
        // A back button always presses; the others not while a limit is broken.
        return button->index() == 3 || ModuleRSVErr::GetInputError(m_ctx).code == 0;
    });
    refreshButtons();
}

void FormBinding::refreshButtons()
{
    const InputError status = ModuleRSVErr::GetInputError(m_ctx);
    for (const auto &[control, button] : m_buttons)
        button->SetButtonPicture(m_model.state(control), status, false);
}

void FormBinding::refreshAll()
{
    for (const auto &entry : m_widgets)
        showField(entry.first);
    refreshButtons();
}

void FormBinding::showField(const std::string &name)
{
    const auto found = m_widgets.find(name);
    if (found == m_widgets.end())
        return;
    QWidget *w = found->second;
    const bool wasUpdating = m_updating;
    m_updating = true;
    const QString text = QString::fromStdString(m_model.text(name));
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (edit->text() != text)
            edit->setText(text);
        // The red of a broken limit, otherwise the system's window text.
        QPalette p = edit->palette();
        p.setColor(QPalette::Text,
                   m_model.error(name) ? QColor(255, 0, 0)
                                       : edit->style()->standardPalette().color(QPalette::Text));
        edit->setPalette(p);
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        button->setChecked(m_model.state(name) != 0);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(text);
    }
    w->setEnabled(m_model.enabled(name));
    // A hidden window's widgets are not visible either; only the model's own flag counts.
    if (w->isHidden() == m_model.visible(name))
        w->setVisible(m_model.visible(name));
    m_updating = wasUpdating;
}

void FormBinding::modelChanged(const std::string &name, FormModel::Change change)
{
    if (m_buttons.count(name)) {
        refreshButtons();
    } else if (!m_updating || change != FormModel::Change::Text) {
        showField(name);
    }
    if (m_handler)
        m_handler(name, change);
}

QSize FormBinding::InputWindowSize(const AppContext &ctx, const QWidget *window)
{
    const double dpiX = window->logicalDpiX() > 0 ? window->logicalDpiX() : 96.0;
    const double dpiY = window->logicalDpiY() > 0 ? window->logicalDpiY() : 96.0;
    const int w = ctx.state.inputFormWidth > 0 ? ctx.state.inputFormWidth : 7500;
    const int h = ctx.state.inputFormHeight > 0 ? ctx.state.inputFormHeight : 5250;
    return { static_cast<int>(w * dpiX / 1440.0 + 0.5), static_cast<int>(h * dpiY / 1440.0 + 0.5) };
}

void FormBinding::PlaceChildWindow(QWidget *window, QSize clientSize, bool firstShowing)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (!sub)
        return;
    if (firstShowing) {
        // The sub-window's frame around the client area the window asks for; never smaller
        // than what its contents need.
        const QSize client = clientSize.expandedTo(window->sizeHint());
        const QSize frame = sub->size() - window->size();
        sub->resize(client + (frame.isValid() ? frame : QSize()));
    }
    sub->move(0, 0);
}
