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

int16_t QtUserDialogs::msgBox(QWidget* parent, const QString& prompt, int16_t style, const QString& title)
{
    const bool question = style == MsgBoxStyle::YesNoQuestion;
    MessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(toLineBreaks(prompt));
    if (question) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setIcon(style == MsgBoxStyle::Information ? QMessageBox::Information : QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    if (!question) {
        return MsgBoxAnswer::OK;
    }
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgBoxAnswer::Yes : MsgBoxAnswer::No;
}

std::optional<FileChoice> QtUserDialogs::showOpen(QWidget* parent, const FileRequest& request)
{
    return runFileDialog(parent, request, false);
}

std::optional<FileChoice> QtUserDialogs::showSave(QWidget* parent, const FileRequest& request)
{
    return runFileDialog(parent, request, true);
}

std::optional<FileChoice> QtUserDialogs::runFileDialog(QWidget* parent, const FileRequest& request, bool save)
{
    // Qt's file dialog writes its history and last folder into the user's
    // QtProject.conf when it closes. The editor keeps no settings, so they
    // go to a folder of this run's own, removed when the program ends: the
    // dialog still remembers its last folder within the run.
    if (!m_settingsDir) {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        if (m_settingsDir->isValid()) {
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir->path());
        }
    }
    QFileDialog dlg(parent, request.title);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setNameFilter(toQtFilter(request.filter));
    dlg.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty()) {
        dlg.selectFile(request.fileName);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dlg.selectedFiles().constFirst();
    return FileChoice{path, QFileInfo(path).fileName()};
}
