#include "ui/services/QtUserDialogs.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// A Yes/No question has no Cancel: Esc or the frame's close button would
// otherwise answer No and could discard unsaved work without a choice.
class MessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape && IsQuestion()) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }

    void closeEvent(QCloseEvent* e) override
    {
        if (IsQuestion() && clickedButton() == nullptr) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }

private:
    bool IsQuestion() const { return button(QMessageBox::No) != nullptr; }
};

std::optional<FileChoice> RunFileDialog(QWidget* parent, const FileRequest& Request, QFileDialog::AcceptMode Mode)
{
    QFileDialog dlg(parent, Request.Title);
    dlg.setAcceptMode(Mode);
    dlg.setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dlg.setNameFilter(ToQtFilter(Request.Filter));
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

} // namespace

int16_t QtUserDialogs::MsgBox(QWidget* parent, const QString& strPrompt, int16_t intStyle, const QString& strTitle)
{
    const bool blnQuestion = intStyle == MsgBoxStyle::YesNoQuestion;
    MessageBox box(parent);
    box.setWindowTitle(strTitle);
    box.setTextFormat(Qt::PlainText);
    box.setText(ToLineBreaks(strPrompt));
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

std::optional<FileChoice> QtUserDialogs::ShowOpen(QWidget* parent, const FileRequest& Request)
{
    return RunFileDialog(parent, Request, QFileDialog::AcceptOpen);
}

std::optional<FileChoice> QtUserDialogs::ShowSave(QWidget* parent, const FileRequest& Request)
{
    return RunFileDialog(parent, Request, QFileDialog::AcceptSave);
}
