#pragma once

#include "input/InputChain.h"

#include <QWidget>

#include <initializer_list>
#include <string>

class AppContext;
class FormBinding;
class FormModel;
class ImageButton;
class MDI;
class NumericLineEdit;
class QGridLayout;
class QLabel;
class SceneView;

/// What the windows of the input chain share: the form model and its binding, the forward
/// (index 2) and back (index 3) image buttons, the input-window size and the placement at the
/// top-left of the main window on every showing, the focus on the first control of the tab
/// order, Enter for the forward button and Escape for the back one, and the reset of the
/// button pictures when the pointer moves over the window or its picture.
class InputFormWindow : public QWidget
{
    Q_OBJECT

public:
    InputFormWindow(MDI &mdi, InputChain::InputWindow which, FormModel &model,
                    const QString &caption);

    AppContext &context() const { return m_ctx; }
    FormBinding &binding() const { return *m_binding; }
    ImageButton *forwardButton() const { return m_forward; }
    ImageButton *backButton() const { return m_back; }

    /// The image buttons: forward or calculate (index 2) and, unless the window has none,
    /// back (index 3). `forwardControl` is "butarw" or "butres".
    void butarw_Click(int index);

protected:
    /// Adds the image buttons at the bottom right of `grid`, spanning its columns.
    void addButtons(QGridLayout *grid, int row, int columns, const QString &forwardControl,
                    bool withBack);
    /// A numeric field with the mask of its control, bound to the model.
    NumericLineEdit *numericField(const char *control);
    /// A picture that resets the button pictures when the pointer moves over it.
    SceneView *picture(const char *name);

    /// One row of a window of numeric fields: the symbol, "=", the field and its unit. A long
    /// caption wraps across the symbol's and the "=" columns, so the picture keeps its width.
    struct FieldRow
    {
        const char *control;
        const char *symbol;
        const char *unit;
        bool longCaption = false;
    };
    /// Lays out the rows of fields, the picture "Image1" beside them and the forward and back
    /// buttons under it, in the tab order of the rows, forward, back. Returns the picture; the
    /// first field is left in `first`.
    SceneView *layoutFields(QGridLayout *grid, std::initializer_list<FieldRow> rows,
                            QWidget *&first);
    /// The control that takes the focus when the window is shown.
    virtual QWidget *firstControl() const = 0;
    /// Each showing, after the placement: windows whose picture reads another window's fields
    /// draw it again.
    virtual void windowShown() { }

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

    /// Both buttons back to their normal pictures.
    void resetButtonPictures();

    MDI &m_mdi;
    AppContext &m_ctx;
    InputChain::InputWindow m_which;
    FormModel &m_model;
    FormBinding *m_binding = nullptr;
    ImageButton *m_forward = nullptr;
    ImageButton *m_back = nullptr;
    std::string m_forwardName;
    bool m_shownBefore = false;
};
