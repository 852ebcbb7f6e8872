#pragma once

#include "ui/services/UserDialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

class QWidget;

struct RecordedMsgBox {
    QString Prompt;
    int16_t Style = 0;
    QString Title;
};

struct RecordedFileDialog {
    bool Save = false;
    FileRequest Request;
};

// Answers every question from a script and records it, so no test ever
// blocks on a modal window. An unscripted question fails the test.
class ScriptedDialogs final : public UserDialogs {
public:
    int16_t msgBox(QWidget* parent, const QString& strPrompt, int16_t intStyle, const QString& strTitle) override;
    using Choice = std::optional<FileChoice>;
    Choice showOpen(QWidget*, const FileRequest& Request) override { return nextFile(false, Request); }
    Choice showSave(QWidget*, const FileRequest& Request) override { return nextFile(true, Request); }

    // Answers for Yes/No questions (MsgBoxAnswer::Yes or No), in order.
    std::deque<int16_t> Answers;
    // Paths the file dialogs return, in order; nullopt is a cancel.
    std::deque<std::optional<QString>> Files;
    // Runs while a message box is "open", e.g. to look at the window then.
    std::function<void(const RecordedMsgBox&)> WhileOpen;
    // Runs while a file dialog is "open", e.g. to change the disk meanwhile.
    std::function<void(const RecordedFileDialog&)> WhileFileDialogOpen;

    std::vector<RecordedMsgBox> MsgBoxes;
    std::vector<RecordedFileDialog> FileDialogs;

    // What the message boxes showed since the last call, each as
    // "title|style|prompt"; they are forgotten then.
    QStringList takeMessages();

private:
    std::optional<FileChoice> nextFile(bool blnSave, const FileRequest& Request);
};

// The carriage return that separates the lines of a message.
inline QString CR()
{
    return QString(QChar(13));
}

// GoogleTest shows a QString in a failure as its text, not as raw bytes.
inline void printTo(const QString& strS, std::ostream* pOut)
{
    *pOut << '"' << strS.toStdString() << '"';
}
