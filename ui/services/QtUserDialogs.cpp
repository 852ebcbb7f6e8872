#include "ui/services/QtUserDialogs.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// A Yes/No question has no Cancel: Esc or the frame's close button would
// otherwise answer No and could discard unsaved work without a choice.
class MessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape && isQuestion()) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }

    void closeEvent(QCloseEvent* e) override
    {
        if (isQuestion() && clickedButton() == nullptr) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    bool isQuestion() const { return button(QMessageBox::No) != nullptr; }
};

} // namespace

QtUserDialogs::QtUserDialogs() = default;

QtUserDialogs::~QtUserDialogs() = default;

int16_t QtUserDialogs::msgBox(QWidget* parent, const QString& strPrompt, int16_t intStyle, const QString& strTitle)
{
    const bool blnQuestion = intStyle == MsgBoxStyle::YesNoQuestion;
    MessageBox box(parent);
    box.setWindowTitle(strTitle);
    box.setTextFormat(Qt::PlainText);
    box.setText(toLineBreaks(strPrompt));
    if (blnQuestion) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setIcon(intStyle == MsgBoxStyle::Information ? QMessageBox::Information : QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    if (!blnQuestion) {
        return MsgBoxAnswer::OK;
    }
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgBoxAnswer::Yes : MsgBoxAnswer::No;
}

std::optional<FileChoice> QtUserDialogs::showOpen(QWidget* parent, const FileRequest& Request)
{
    return runFileDialog(parent, Request, false);
}

std::optional<FileChoice> QtUserDialogs::showSave(QWidget* parent, const FileRequest& Request)
{
    return runFileDialog(parent, Request, true);
}

std::optional<FileChoice> QtUserDialogs::runFileDialog(QWidget* parent, const FileRequest& Request, bool blnSave)
{
    // Qt's file dialog writes its history and last folder into the user's
    // QtProject.conf when it closes. The editor keeps no settings, so they
    // go to a folder of this run's own, removed when the program ends: the
    // dialog still remembers its last folder within the run.
    if (!m_SettingsDir) {
        m_SettingsDir = std::make_unique<QTemporaryDir>();
        if (m_SettingsDir->isValid()) {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_SettingsDir->path());
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_SettingsDir->path());
        }
    }
    QFileDialog dlg(parent, Request.Title);
    dlg.setAcceptMode(blnSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(blnSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilter(toQtFilter(Request.Filter));
    dlg.setDefaultSuffix(Request.DefaultExt);
    if (!Request.FileName.isEmpty()) {
        dlg.selectFile(Request.FileName);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString strPath = dlg.selectedFiles().constFirst();
    return FileChoice{strPath, QFileInfo(strPath).fileName()};
}
