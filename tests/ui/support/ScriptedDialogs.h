#pragma once

#include "ui/services/UserDialogs.h"

#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

struct RecordedMsgBox {
    QString prompt;
    int16_t style = 0;
    QString title;
};

struct RecordedFileDialog {
    bool save = false;
    FileRequest request;
};

// Answers every question from a script and records it, so no test ever
// blocks on a modal window. An unscripted question fails the test.
class ScriptedDialogs final : public UserDialogs {
public:
    int16_t msgBox(QWidget*, const QString& prompt, int16_t style, const QString& title) override
    {
        msgBoxes.push_back({prompt, style, title});
        if (whileOpen) {
            whileOpen(msgBoxes.back());
        }
        if (style != MsgBoxStyle::YesNoQuestion) {
            return MsgBoxAnswer::OK;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << prompt.toStdString();
            return MsgBoxAnswer::No;
        }
        const int16_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    using Choice = std::optional<FileChoice>;
    Choice showOpen(QWidget*, const FileRequest& request) override { return nextFile(false, request); }
    Choice showSave(QWidget*, const FileRequest& request) override { return nextFile(true, request); }

    // Answers for Yes/No questions (MsgBoxAnswer::Yes or No), in order.
    std::deque<int16_t> answers;
    // Paths the file dialogs return, in order; nullopt is a cancel.
    std::deque<std::optional<QString>> files;
    // Runs while a message box is "open", e.g. to look at the window then.
    std::function<void(const RecordedMsgBox&)> whileOpen;
    // Runs while a file dialog is "open", e.g. to change the disk meanwhile.
    std::function<void(const RecordedFileDialog&)> whileFileDialogOpen;

    std::vector<RecordedMsgBox> msgBoxes;
    std::vector<RecordedFileDialog> fileDialogs;

    // What the message boxes showed since the last call, each as
    // "title|style|prompt"; they are forgotten then.
    QStringList takeMessages()
    {
        QStringList shown;
        for (const RecordedMsgBox& box : msgBoxes) {
            shown << box.title + '|' + QString::number(box.style) + '|' + box.prompt;
        }
        msgBoxes.clear();
        return shown;
    }

private:
    std::optional<FileChoice> nextFile(bool save, const FileRequest& request)
    {
        fileDialogs.push_back({save, request});
        if (whileFileDialogOpen) {
            whileFileDialogOpen(fileDialogs.back());
        }
        if (files.empty()) {
            ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
            return std::nullopt;
        }
        const std::optional<QString> path = files.front();
        files.pop_front();
        return path ? std::optional(FileChoice{*path, QFileInfo(*path).fileName()}) : std::nullopt;
    }
};
