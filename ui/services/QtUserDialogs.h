#pragma once

#include "ui/services/UserDialogs.h"

// The program's own dialogs: QMessageBox and QFileDialog.
class QtUserDialogs final : public UserDialogs {
public:
    int16_t MsgBox(QWidget* parent, const QString& strPrompt, int16_t intStyle, const QString& strTitle) override;
    std::optional<FileChoice> ShowOpen(QWidget* parent, const FileRequest& Request) override;
    std::optional<FileChoice> ShowSave(QWidget* parent, const FileRequest& Request) override;
};
