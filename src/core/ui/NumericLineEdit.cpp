#include "core/ui/NumericLineEdit.h"

#include "core/CalcContext.h"
#include "core/SystemRegionalSettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

#include <functional>

using namespace ModuleNumberBox;

namespace {

/// Refuses any edit that leaves the field without the shape of a number. The key filter and the
/// paste check keep that shape themselves; this catches the line edit's remaining ways of
/// editing (word deletion, input methods). Texts set by the program are not validated.
class NumberShapeValidator : public QValidator
{
public:
    NumberShapeValidator(std::function<bool(const QString &)> fits, QObject *parent)
        : QValidator(parent), m_fits(std::move(fits))
    {
    }

    State validate(QString &input, int &) const override
    {
        return m_fits(input) ? Acceptable : Invalid;
    }

private:
    std::function<bool(const QString &)> m_fits;
};

} // namespace

NumericLineEdit::NumericLineEdit(QWidget *parent)
    : QLineEdit(parent), m_desktopRegional(std::make_unique<SystemRegionalSettings>(QString()))
{
    setNumericMask("00.00", false);
    setValidator(new NumberShapeValidator(
            [this](const QString &t) {
                return FitsNumericMask(t.toStdString(), m_mask, regional());
            },
            this));
}

NumericLineEdit::~NumericLineEdit() = default;

void NumericLineEdit::setNumericMask(const FieldMask &mask)
{
    m_mask = std::string(mask.mask);
    m_deleteMask = mask.deleteMask.empty() ? m_mask : std::string(mask.deleteMask);
    m_allowZero = mask.allowZero;
}

void NumericLineEdit::setNumericMask(const std::string &mask, bool allowZero)
{
    setNumericMask(FieldMask{ mask, mask, allowZero });
}

void NumericLineEdit::setRegionalSettings(const CalcContext &context)
{
    m_context = &context;
}

const RegionalSettings &NumericLineEdit::regional() const
{
    return m_context ? m_context->regional() : *m_desktopRegional;
}

NumericField NumericLineEdit::field() const
{
    return NumericField{ text().toStdString(), cursorPosition() };
}

void NumericLineEdit::showField(const NumericField &f)
{
    // Replaced through the editing functions, not setText(), so that the change reads as the
    // user's edit (textEdited, undo) like the keys the filter lets through.
    const QString t = QString::fromStdString(f.text);
    if (t != text()) {
        selectAll();
        if (t.isEmpty())
            del();
        else
            insert(t);
    }
    setCursorPosition(f.cursor);
}

void NumericLineEdit::typeKey(int key)
{
    NumericField f = field();
    const bool hadSelection = hasSelectedText();
    if (hadSelection) {
        // A key typed over a selection acts on the field without it, as long as what is left
        // is still a number that fits.
        const auto rest = NumericDeleteSelection(m_mask, text().toStdString(), selectionStart(),
                                                 selectionLength(), m_allowZero, regional());
        if (!rest)
            return;
        if (key == KeyBackspace) {
            showField(*rest);
            return;
        }
        f = *rest;
    }
    const NumericField before = f;
    const int let = NumericKeyPress(m_mask, key, f, m_allowZero, regional());
    if (let == 0 && hadSelection && f == before)
        return; // a refused key leaves the selection alone
    showField(f);
    if (let == KeyBackspace)
        backspace();
    else if (let != 0)
        insert(QString(QChar(let)));
}

void NumericLineEdit::deleteKey()
{
    if (hasSelectedText()) {
        deleteSelectionChecked();
        return;
    }
    NumericField f = field();
    if (NumericDeleteKey(m_deleteMask, KeyDelete, f, m_allowZero, regional()) == 0)
        showField(f);
    else
        del();
}

bool NumericLineEdit::replaceChecked(int start, int length, const QString &pasted)
{
    const auto result = NumericPaste(m_mask, text().toStdString(), start, length,
                                     pasted.toStdString(), regional());
    if (!result) {
        QApplication::beep();
        return false;
    }
    showField(*result);
    return true;
}

bool NumericLineEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText() || isReadOnly())
        return false;
    const bool selection = hasSelectedText();
    return replaceChecked(selection ? selectionStart() : cursorPosition(),
                          selection ? selectionLength() : 0, source->text());
}

QMenu *NumericLineEdit::createNumericContextMenu()
{
    // Our own menu rather than the standard one: its paste, cut and delete must take the
    // number's checks, and its captions are the program's language.
    auto *menu = new QMenu(this);
    const bool editable = !isReadOnly();
    const bool selection = hasSelectedText();
    const auto add = [this, menu](const char *name, const QString &caption,
                                  QKeySequence::StandardKey key, bool enabled, auto slot) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction *action =
                menu->addAction(shortcut.isEmpty() ? caption : caption + u'\t' + shortcut);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    add("edit-undo", QStringLiteral("&Desfazer"), QKeySequence::Undo, editable && isUndoAvailable(),
        [this] { undo(); });
    add("edit-redo", QStringLiteral("&Refazer"), QKeySequence::Redo, editable && isRedoAvailable(),
        [this] { redo(); });
    menu->addSeparator();
    add("edit-cut", QStringLiteral("Recor&tar"), QKeySequence::Cut, editable && selection,
        [this] { cutChecked(); });
    add("edit-copy", QStringLiteral("&Copiar"), QKeySequence::Copy, selection, [this] { copy(); });
    add("edit-paste", QStringLiteral("Co&lar"), QKeySequence::Paste,
        editable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { insertFromMimeData(QGuiApplication::clipboard()->mimeData()); });
    add("edit-delete", QStringLiteral("E&xcluir"), QKeySequence::UnknownKey, editable && selection,
        [this] { deleteSelectionChecked(); });
    menu->addSeparator();
    add("select-all", QStringLiteral("Selecionar t&udo"), QKeySequence::SelectAll,
        !text().isEmpty(), [this] { selectAll(); });
    return menu;
}

bool NumericLineEdit::deleteSelectionChecked()
{
    if (!hasSelectedText() || isReadOnly())
        return false;
    const auto rest = NumericDeleteSelection(m_mask, text().toStdString(), selectionStart(),
                                             selectionLength(), m_allowZero, regional());
    if (!rest) {
        QApplication::beep();
        return false;
    }
    showField(*rest);
    return true;
}

void NumericLineEdit::cutChecked()
{
    const QString selected = selectedText();
    if (echoMode() == QLineEdit::Normal && deleteSelectionChecked())
        QGuiApplication::clipboard()->setText(selected);
}

void NumericLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        insertFromMimeData(QGuiApplication::clipboard()->mimeData());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutChecked();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->key() == Qt::Key_Backspace) {
        // Ctrl+Backspace types a delete character, which the filter never lets in.
        if (!(mods & Qt::ControlModifier))
            typeKey(KeyBackspace);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        deleteKey();
        event->accept();
        return;
    }
    // Characters typed with Ctrl are shortcuts, except AltGr (Ctrl+Alt on Windows).
    const bool shortcut = (mods & (Qt::ControlModifier | Qt::MetaModifier))
            && !((mods & Qt::ControlModifier) && (mods & Qt::AltModifier));
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !shortcut) {
        for (const QChar c : typed)
            typeKey(c.unicode());
        event->accept();
        return;
    }
    // Navigation, selection, copy, undo, Enter and Escape as in any line edit.
    QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createNumericContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void NumericLineEdit::dropEvent(QDropEvent *event)
{
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave); // hides the drop cursor
    const QMimeData *mime = event->mimeData();
    // A drag out of this field itself would be a move the line edit does on its own terms.
    if (isReadOnly() || !mime || !mime->hasText() || event->source() == this) {
        event->ignore();
        return;
    }
    const int position = cursorPositionAt(event->position().toPoint());
    if (replaceChecked(position, 0, mime->text()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void NumericLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && !isReadOnly() && clipboard->supportsSelection()) {
        replaceChecked(cursorPosition(), 0, clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
