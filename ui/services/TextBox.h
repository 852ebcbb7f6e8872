#pragma once

#include <QLineEdit>

#include <cstdint>

// A line edit that keeps the promises the windows rely on, where a plain
// QLineEdit behaves otherwise:
// - the maximum length binds typing and pasting only: text the program
//   assigns shows whole, however long (QLineEdit::setMaxLength would cut it);
// - KeyPress sees each typed character's code before it is inserted (8 for
//   backspace) and discards it when set to 0; pasted text runs through the
//   same hook character by character; so does the text of every key that
//   carries some, whatever its modifiers (AltGr, Meta), while the editing
//   shortcuts (select all, copy, cut, undo) and keys without text never
//   reach it, and Ctrl combinations insert nothing;
// - Change is raised exactly when the text really changes, typed or assigned,
//   and nested when a handler assigns the text again;
// - LostFocus is raised only when the focus moves to another control of the
//   same window, not when a message box or a menu takes it.
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    void setTypingLimit(int length) { m_maxLength = length; }
    [[nodiscard]] int typingLimit() const { return m_maxLength; }
    // Assigning the text the box already holds is no change.
    void assignText(const QString& s);
    [[nodiscard]] QString currentText() const { return text(); }
    // Assigns a text that stands selected, so the next typed character
    // replaces it instead of joining it.
    void setTextSelected(const QString& s);
    // Inserts text at the cursor as a paste does: filtered and within the limit.
    void pasteText(const QString& s);

signals:
    void keyTyped(qint16& k);
    void changed();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    // Runs each character through KeyPress; what survives, within the room left.
    QString filtered(const QString& s);
    void insertWithinLimit(const QString& s);
    void pasteClipboard();
    void onTextChanged(const QString& s);

    int m_maxLength = 32767;
    QString m_last;
};
