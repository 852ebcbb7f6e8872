#include "tests/ui/support/ScriptedDialogs.h"
#include "tests/ui/support/WindowTestSupport.h"
#include "ui/services/QtUserDialogs.h"

#include <QDirIterator>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Each style shows its icon and buttons, and a line break for each lone or
// paired carriage return; Esc and the frame's close button
// end a box with OK, but a Yes/No question has no Cancel, so they must not
// answer No for the user and drop unsaved work: it waits for Yes (6) or No (7).
TEST(QtUserDialogsTest, MessageBoxesShowTheirStyleAndOnlyAQuestionWaitsForItsAnswer)
{
    struct Case {
        int16_t intStyle;
        QMessageBox::Icon Icon;
        const char* strButtons;
        QMessageBox::StandardButton Press;
        int16_t intAnswer;
    };
    const Case Cases[] = {
        {MsgBoxStyle::Exclamation, QMessageBox::Warning, "OK", QMessageBox::Ok, MsgBoxAnswer::OK},
        {MsgBoxStyle::Information, QMessageBox::Information, "OK", QMessageBox::Ok, MsgBoxAnswer::OK},
        {MsgBoxStyle::YesNoQuestion, QMessageBox::Question, "No,Yes", QMessageBox::Yes, MsgBoxAnswer::Yes},
        {MsgBoxStyle::YesNoQuestion, QMessageBox::Question, "No,Yes", QMessageBox::No, MsgBoxAnswer::No}};
    QtUserDialogs Dialogs;
    for (const Case& row : Cases) {
        SCOPED_TRACE(row.intAnswer);
        QString strSeen;
        bool blnStillOpen = false;
        whenModalOpens([&](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            QStringList strButtons;
            for (QAbstractButton* pButton : pBox->buttons()) {
                strButtons << pButton->text().remove('&');
            }
            strButtons.sort();
            strSeen = QString::number(pBox->icon()) + '|' + strButtons.join(',') + '|' + pBox->windowTitle() + '|' +
                      pBox->text();
            QTest::keyClick(pModal, Qt::Key_Escape);
            pModal->close();
            QTest::qWait(10);
            blnStillOpen = pModal->isVisible();
            if (blnStillOpen) {
                pBox->button(row.Press)->click();
            }
        });
        EXPECT_EQ(Dialogs.msgBox(nullptr, "one" + CR() + "two\r\nthree" + CR(), row.intStyle, "T"), row.intAnswer);
        EXPECT_EQ(strSeen, QString::number(row.Icon) + '|' + row.strButtons + "|T|one\ntwo\nthree\n");
        EXPECT_EQ(blnStillOpen, row.intStyle == MsgBoxStyle::YesNoQuestion);
    }
}

// The file dialogs show what they are asked, the filters as Qt writes them:
// Open only an existing file,
// Save any name, with the suffix added and asking before a replace; and
// Qt's dialog keeps its history nowhere in the user's home: a run that opens
// and saves leaves it exactly as it was.
TEST(QtUserDialogsTest, FileDialogsShowTheirRequestAndWriteNothingIntoTheHomeFolder)
{
    QTemporaryDir Home;
    QTemporaryDir Work;
    qputenv("HOME", Home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (Home.path() + "/.config").toLocal8Bit());
    ASSERT_TRUE(writeFile(Work.filePath("old.cam"), {}));
    {
        QtUserDialogs Dialogs;
        FileRequest Request;
        Request.Filter = "Campaign (*.cam)|*.cam|All|*";
        Request.DefaultExt = "cam";
        QStringList strSeen;
        const auto Choose = [&](const QString& strPath) {
            whenModalOpens([&, strPath](QWidget* pModal) {
                auto* pDialog = qobject_cast<QFileDialog*>(pModal);
                ASSERT_NE(pDialog, nullptr);
                const QString strFilters = pDialog->nameFilters().join(';');
                EXPECT_EQ(pDialog->windowTitle() + '|' + strFilters + '|' + pDialog->defaultSuffix(),
                          Request.Title + "|Campaign (*.cam);All (*)|cam");
                strSeen << QStringList{QString::number(pDialog->fileMode()), QString::number(pDialog->acceptMode()),
                                       QString::number(pDialog->testOption(QFileDialog::DontConfirmOverwrite))}
                               .join('|');
                pDialog->selectFile(strPath);
                static_cast<QDialog*>(pDialog)->accept(); // the file dialog's own accept checks the choice
            });
        };
        Request.Title = "Open Campaign";
        Choose(Work.filePath("old.cam"));
        const std::optional<FileChoice> Opened = Dialogs.showOpen(nullptr, Request);
        ASSERT_TRUE(Opened.has_value());
        EXPECT_EQ(Opened->Path + '|' + Opened->Title, Work.filePath("old.cam") + "|old.cam");
        Request.Title = "Save As Campaign";
        Request.FileName = "New.cam";
        Choose(Work.filePath("new"));
        const std::optional<FileChoice> Saved = Dialogs.showSave(nullptr, Request);
        ASSERT_TRUE(Saved.has_value());
        EXPECT_EQ(Saved->Title, "new.cam");
        whenModalOpens([](QWidget* pModal) { qobject_cast<QFileDialog*>(pModal)->reject(); });
        EXPECT_FALSE(Dialogs.showOpen(nullptr, Request).has_value());
        EXPECT_EQ(strSeen, QStringList({QString("%1|%2|0").arg(QFileDialog::ExistingFile).arg(QFileDialog::AcceptOpen),
                                        QString("%1|%2|0").arg(QFileDialog::AnyFile).arg(QFileDialog::AcceptSave)}));
    }
    QDirIterator It(Home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList strWritten;
    while (It.hasNext()) {
        strWritten << It.next();
    }
    EXPECT_EQ(strWritten, QStringList());
}

} // namespace
