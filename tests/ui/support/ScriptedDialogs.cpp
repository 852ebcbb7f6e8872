#include "tests/ui/support/ScriptedDialogs.h"

#include <QFileInfo>

#include <gtest/gtest.h>

int16_t ScriptedDialogs::msgBox(QWidget*, const QString& strPrompt, int16_t intStyle, const QString& strTitle)
{
    MsgBoxes.push_back({strPrompt, intStyle, strTitle});
    if (WhileOpen) {
        WhileOpen(MsgBoxes.back());
    }
    if (intStyle != MsgBoxStyle::YesNoQuestion) {
        return MsgBoxAnswer::OK;
    }
    if (Answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << strPrompt.toStdString();
        return MsgBoxAnswer::No;
    }
    const int16_t intAnswer = Answers.front();
    Answers.pop_front();
    return intAnswer;
}

std::optional<FileChoice> ScriptedDialogs::nextFile(bool blnSave, const FileRequest& Request)
{
    FileDialogs.push_back({blnSave, Request});
    if (WhileFileDialogOpen) {
        WhileFileDialogOpen(FileDialogs.back());
    }
    if (Files.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << Request.Title.toStdString();
        return std::nullopt;
    }
    const std::optional<QString> strPath = Files.front();
    Files.pop_front();
    return strPath ? std::optional(FileChoice{*strPath, QFileInfo(*strPath).fileName()}) : std::nullopt;
}

QStringList ScriptedDialogs::takeMessages()
{
    QStringList strShown;
    for (const RecordedMsgBox& Box : MsgBoxes) {
        strShown << Box.Title + '|' + QString::number(Box.Style) + '|' + Box.Prompt;
    }
    MsgBoxes.clear();
    return strShown;
}
