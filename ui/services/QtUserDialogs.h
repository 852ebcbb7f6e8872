#pragma once

#include "ui/services/UserDialogs.h"

#include <memory>

class QTemporaryDir;

// The program's own dialogs: QMessageBox and QFileDialog.
class QtUserDialogs final : public UserDialogs {
public:
    QtUserDialogs();
    ~QtUserDialogs() override;
    QtUserDialogs(const QtUserDialogs&) = delete;
    QtUserDialogs& operator=(const QtUserDialogs&) = delete;

    int16_t msgBox(QWidget* parent, const QString& prompt, int16_t style, const QString& title) override;
    std::optional<FileChoice> showOpen(QWidget* parent, const FileRequest& request) override;
    std::optional<FileChoice> showSave(QWidget* parent, const FileRequest& request) override;

private:
    std::optional<FileChoice> runFileDialog(QWidget* parent, const FileRequest& request, bool save);

    // Where Qt's file dialog keeps its history and last folder for this run.
    std::unique_ptr<QTemporaryDir> m_settingsDir;
};
