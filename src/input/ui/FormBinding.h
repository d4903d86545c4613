#pragma once

#include "core/FormModel.h"

#include <QObject>
#include <QSize>

#include <functional>
#include <map>
#include <string>

class AppContext;
class ImageButton;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

/// Ties a window's widgets to its form model by control name: what the user types or clicks
/// goes into the model, and what the model holds (texts set by a flow, the red mark of a broken
/// limit, visibility, enabled state, button pictures) shows in the widgets. The window adds
/// its own handling of each change with onChange(); the binding decides nothing.
class FormBinding : public QObject
{
    Q_OBJECT

public:
    using ChangeHandler = std::function<void(const std::string &name, FormModel::Change change)>;

    FormBinding(AppContext &ctx, FormModel &model, QObject *parent);
    ~FormBinding() override;

    FormModel &model() const { return m_model; }

    /// A text field: its object name is the control name.
    void bindText(QLineEdit *edit);
    /// An option button or check box: checked while the control's state is not 0. A click
    /// only reports itself (clicked); the window's handler sets the model.
    void bindCheck(QAbstractButton *button);
    /// A label showing a control's text.
    void bindLabel(QLabel *label, const std::string &control);
    /// An image button showing the picture state of a control ("butarw_2") under the pending
    /// input-limit result.
    void bindImageButton(ImageButton *button, const std::string &control);

    /// Called after the binding has updated the widgets for a change of the model.
    void onChange(ChangeHandler handler) { m_handler = std::move(handler); }

    /// The image buttons again, for a new input-limit result that left their states alone.
    void refreshButtons();
    /// Every bound widget from the model (a window built on a model filled before it).
    void refreshAll();

    /// The client size of an input window in pixels: inputFormWidth × inputFormHeight twips at
    /// the screen's density, or 500 × 350 before the sizes are set.
    static QSize InputWindowSize(const AppContext &ctx, const QWidget *window);
    /// Sizes a child window's client area on its first showing and moves it, on every showing,
    /// to the top-left corner of the main window's client area.
    static void PlaceChildWindow(QWidget *window, QSize clientSize, bool firstShowing);

private:
    void modelChanged(const std::string &name, FormModel::Change change);
    void showField(const std::string &name);

    AppContext &m_ctx;
    FormModel &m_model;
    int m_subscription = 0;
    bool m_updating = false;
    std::map<std::string, QWidget *> m_widgets;
    std::map<std::string, ImageButton *> m_buttons;
    ChangeHandler m_handler;
};
