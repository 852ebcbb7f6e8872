#include "tests/ui/support/ScriptedDialogs.h"

#include <QFileInfo>

#include <gtest/gtest.h>

int16_t ScriptedDialogs::msgBox(QWidget*, const QString& prompt, int16_t style, const QString& title)
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

std::optional<FileChoice> ScriptedDialogs::nextFile(bool save, const FileRequest& request)
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

QStringList ScriptedDialogs::takeMessages()
{
    QStringList shown;
    for (const RecordedMsgBox& box : msgBoxes) {
        shown << box.title + '|' + QString::number(box.style) + '|' + box.prompt;
    }
    msgBoxes.clear();
    return shown;
}
