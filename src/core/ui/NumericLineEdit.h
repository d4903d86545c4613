#pragma once

#include "core/ModuleNumberBox.h"

#include <QLineEdit>

#include <memory>
#include <string>

class CalcContext;
class QMenu;
class QMimeData;
class RegionalSettings;

/// A text box for numbers: every key goes through the numeric key filter with the field's mask
/// and zero flag, and a pasted or dropped text enters only when the field then holds a number
/// that fits the mask. Navigation and selection keys, copying and undo work as in any line edit.
///
/// The filter's own corrections are edits like typing: they emit textEdited and textChanged.
/// The widget keeps its own validator as the last guard on every other way of editing (word
/// deletion, input methods); do not set another one.
class NumericLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    /// A field with the mask "00.00" and no zero flag until setNumericMask() says otherwise.
    explicit NumericLineEdit(QWidget *parent = nullptr);
    ~NumericLineEdit() override;

    /// The field's filter settings, usually ModuleNumberBox::NumericFieldMask(form, control).
    void setNumericMask(const ModuleNumberBox::FieldMask &mask);
    void setNumericMask(const std::string &mask, bool allowZero);
    const std::string &numericMask() const { return m_mask; }
    bool allowZero() const { return m_allowZero; }

    /// The regional settings of the program, read afresh at every key. Until it is set, the
    /// desktop's own locale is used.
    void setRegionalSettings(const CalcContext &context);

    /// Inserts the text of `source` in place of the selection (or at the cursor) when the field
    /// then holds a number that fits the mask; otherwise the field keeps its text and the
    /// application beeps. Returns whether the text went in. Paste (keys, context menu, middle
    /// button) comes here.
    bool insertFromMimeData(const QMimeData *source);

    /// Removes the selection when the field then still holds a number that fits (or nothing,
    /// which leaves "0" with the zero flag); otherwise the application beeps. Cut and the
    /// context menu's delete come here.
    bool deleteSelectionChecked();
    /// Cut as deleteSelectionChecked(); the clipboard gets the text only when it is removed.
    void cutChecked();

    /// The context menu (undo, redo, cut, copy, paste, delete, select all) with the checks
    /// above. The caller owns it.
    QMenu *createNumericContextMenu();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const RegionalSettings &regional() const;
    void typeKey(int key);
    void deleteKey();
    bool replaceChecked(int start, int length, const QString &pasted);
    /// Shows a field state the filter produced, as an edit of the user.
    void showField(const ModuleNumberBox::NumericField &field);
    ModuleNumberBox::NumericField field() const;

    std::string m_mask;
    std::string m_deleteMask;
    bool m_allowZero = false;
    const CalcContext *m_context = nullptr;
    std::unique_ptr<RegionalSettings> m_desktopRegional;
};
