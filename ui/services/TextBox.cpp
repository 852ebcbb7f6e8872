#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

namespace {

// The editing shortcuts a line edit keeps; they insert no typed text
// (Paste is handled apart, through the filter).
bool isEditingShortcut(const QKeyEvent& e)
{
    static constexpr QKeySequence::StandardKey Shortcuts[] = {
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
        QKeySequence::Delete, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine, QKeySequence::MoveToNextChar,
        QKeySequence::MoveToPreviousChar, QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine, QKeySequence::MoveToEndOfLine, QKeySequence::MoveToStartOfBlock,
        QKeySequence::MoveToEndOfBlock, QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar, QKeySequence::SelectPreviousChar, QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord, QKeySequence::SelectStartOfLine, QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock, QKeySequence::SelectEndOfBlock, QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument};
    for (const QKeySequence::StandardKey key : Shortcuts) {
        if (e.matches(key)) {
            return true;
        }
    }
    return false;
}

// True when the key carries text a line edit would insert. QLineEdit
// inserts the text of keys pressed with Ctrl+Alt (AltGr), Meta or the group
// switch too, so every such key is typed text here and meets the filter.
bool carriesText(const QKeyEvent& e)
{
    for (const QChar ch : e.text()) {
        if (ch.unicode() >= 32 && ch.unicode() != 127) {
            return true;
        }
    }
    return false;
}

// Ctrl (with or without Shift, but without Alt) makes control characters,
// which no filter lets through.
bool isControlCombination(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers mods =
        e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::GroupSwitchModifier);
    return mods == Qt::ControlModifier;
}

bool isBackspace(const QKeyEvent& e)
{
    return e.key() == Qt::Key_Backspace && !(e.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // A drop would insert text past the filter and the limit.
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::assignText(const QString& s)
{
    if (s != text()) {
        setText(s);
    }
}

void TextBox::setTextSelected(const QString& s)
{
    assignText(s);
    selectAll();
}

void TextBox::pasteText(const QString& s)
{
    if (!isReadOnly()) {
        insertWithinLimit(filtered(s));
    }
}

QString TextBox::filtered(const QString& s)
{
    QString kept;
    for (const QChar ch : s) {
        qint16 k = static_cast<qint16>(ch.unicode());
        emit keyTyped(k);
        if (k != 0) {
            kept += k == static_cast<qint16>(ch.unicode()) ? ch : QChar(static_cast<char16_t>(k));
        }
    }
    return kept;
}

void TextBox::insertWithinLimit(const QString& s)
{
    const auto room = static_cast<qsizetype>(m_maxLength) - (text().size() - selectedText().size());
    if (s.isEmpty() || room <= 0) {
        return;
    }
    insert(s.left(room));
}

void TextBox::pasteClipboard()
{
    pasteText(QApplication::clipboard()->text(QClipboard::Clipboard));
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        pasteClipboard();
        e->accept();
        return;
    }
    if (isBackspace(*e)) {
        qint16 k = 8;
        emit keyTyped(k);
        if (k == 8) {
            QLineEdit::keyPressEvent(e);
        } else {
            if (k != 0) {
                insertWithinLimit(QString(QChar(static_cast<char16_t>(k))));
            }
            e->accept();
        }
        return;
    }
    if (isEditingShortcut(*e) || !carriesText(*e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (!isReadOnly() && !isControlCombination(*e)) {
        insertWithinLimit(filtered(e->text()));
    }
    e->accept();
}

void TextBox::inputMethodEvent(QInputMethodEvent* e)
{
    if (e->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // Composed characters are typed characters too.
    const QString commit = e->commitString();
    QInputMethodEvent preedit(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&preedit);
    insertWithinLimit(filtered(commit));
    e->accept();
}

void TextBox::contextMenuEvent(QContextMenuEvent* e)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // Qt 6.4 names none of the menu's actions; its Paste is known by its caption.
    const QString pasteText2 = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(pasteText2)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TextBox::pasteClipboard);
        }
    }
    menu->exec(e->globalPos());
}

void TextBox::mouseReleaseEvent(QMouseEvent* e)
{
    // The X11 selection paste of the middle button bypasses paste().
    if (e->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            pasteText(QApplication::clipboard()->text(QClipboard::Selection));
        }
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TextBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    const Qt::FocusReason reason = e->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason) {
        return;
    }
    // The application's focus widget is already the one receiving the focus.
    const QWidget* next = QApplication::focusWidget();
    if (next == nullptr || next == this || next->window() != window()) {
        return;
    }
    emit focusLeft();
}

void TextBox::onTextChanged(const QString& s)
{
    if (s == m_last) {
        return;
    }
    m_last = s;
    emit changed();
}
