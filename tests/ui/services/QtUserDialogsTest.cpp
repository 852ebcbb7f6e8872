#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/services/QtUserDialogs.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs Answer on the modal window that the next call opens.
void WhenOpen(const std::function<void(QWidget*)>& Answer)
{
    QTimer::singleShot(0, [Answer] {
        QWidget* pModal = QApplication::activeModalWidget();
        ASSERT_NE(pModal, nullptr);
        Answer(pModal);
    });
}

// The box as the user sees it: icon, buttons, title and text.
QString Described(QWidget* pModal)
{
    auto* pBox = qobject_cast<QMessageBox*>(pModal);
    QStringList strButtons;
    for (QAbstractButton* pButton : pBox->buttons()) {
        strButtons << pButton->text().remove('&');
    }
    strButtons.sort();
    return QString::number(pBox->icon()) + '|' + strButtons.join(',') + '|' + pBox->windowTitle() + '|' +
           pBox->text();
}

TEST(QtUserDialogsTest, MessageBoxesShowTheirStyleAndAnswerYesAsSixAndNoAsSeven)
{
    QtUserDialogs Dialogs;
    QString strSeen;
    const auto Press = [&strSeen](QMessageBox::StandardButton Button) {
        return [&strSeen, Button](QWidget* pModal) {
            strSeen = Described(pModal);
            qobject_cast<QMessageBox*>(pModal)->button(Button)->click();
        };
    };
    WhenOpen(Press(QMessageBox::Ok));
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "one" + CR() + "two", MsgBoxStyle::Exclamation, "T"), MsgBoxAnswer::OK);
    EXPECT_EQ(strSeen, QString::number(QMessageBox::Warning) + "|OK|T|one\ntwo");
    WhenOpen(Press(QMessageBox::Ok));
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "i", MsgBoxStyle::Information, "T"), MsgBoxAnswer::OK);
    EXPECT_EQ(strSeen, QString::number(QMessageBox::Information) + "|OK|T|i");
    WhenOpen(Press(QMessageBox::Yes));
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "q?", MsgBoxStyle::YesNoQuestion, " Q"), MsgBoxAnswer::Yes);
    EXPECT_EQ(strSeen, QString::number(QMessageBox::Question) + "|No,Yes| Q|q?");
    WhenOpen(Press(QMessageBox::No));
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "q?", MsgBoxStyle::YesNoQuestion, " Q"), MsgBoxAnswer::No);
}

// Without a Cancel, Esc or the frame's close button would answer No for
// the user and drop unsaved work.
TEST(QtUserDialogsTest, TheQuestionRefusesEscAndTheCloseButton)
{
    QtUserDialogs Dialogs;
    bool blnStillOpen = false;
    WhenOpen([&blnStillOpen](QWidget* pModal) {
        QTest::keyClick(pModal, Qt::Key_Escape);
        pModal->close();
        QTest::qWait(10);
        blnStillOpen = pModal->isVisible();
        qobject_cast<QMessageBox*>(pModal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "q?", MsgBoxStyle::YesNoQuestion, " Q"), MsgBoxAnswer::Yes);
    EXPECT_TRUE(blnStillOpen);
    // A message with one OK button closes with Esc as usual.
    WhenOpen([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Escape); });
    EXPECT_EQ(Dialogs.MsgBox(nullptr, "w", MsgBoxStyle::Exclamation, "T"), MsgBoxAnswer::OK);
}

// The file dialogs show what they are asked, and Qt's dialog keeps its
// history nowhere in the user's home: a run that opens and saves leaves it
// exactly as it was.
TEST(QtUserDialogsTest, FileDialogsShowTheirRequestAndWriteNothingIntoTheHomeFolder)
{
    QTemporaryDir Home;
    QTemporaryDir Work;
    qputenv("HOME", Home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (Home.path() + "/.config").toLocal8Bit());
    QFile Existing(Work.filePath("old.cam"));
    ASSERT_TRUE(Existing.open(QIODevice::WriteOnly));
    Existing.close();
    {
        QtUserDialogs Dialogs;
        QStringList strSeen;
        const auto Choose = [&strSeen](const QString& strPath) {
            return [&strSeen, strPath](QWidget* pModal) {
                auto* pDialog = qobject_cast<QFileDialog*>(pModal);
                ASSERT_NE(pDialog, nullptr);
                strSeen << QStringList{pDialog->windowTitle(), pDialog->nameFilters().join(';'),
                                       pDialog->defaultSuffix(), QString::number(pDialog->fileMode()),
                                       QString::number(pDialog->acceptMode()),
                                       QString::number(pDialog->testOption(QFileDialog::DontConfirmOverwrite))}
                               .join('|');
                pDialog->selectFile(strPath);
                static_cast<QDialog*>(pDialog)->accept(); // the file dialog's own accept checks the choice
            };
        };
        FileRequest Request;
        Request.Title = "Open Campaign";
        WhenOpen(Choose(Work.filePath("old.cam")));
        const std::optional<FileChoice> Opened = Dialogs.ShowOpen(nullptr, Request);
        ASSERT_TRUE(Opened.has_value());
        EXPECT_EQ(Opened->Path, Work.filePath("old.cam"));
        EXPECT_EQ(Opened->Title, "old.cam");
        Request.Title = "Save As Campaign";
        Request.FileName = "New.cam";
        WhenOpen(Choose(Work.filePath("new")));
        const std::optional<FileChoice> Saved = Dialogs.ShowSave(nullptr, Request);
        ASSERT_TRUE(Saved.has_value());
        EXPECT_EQ(Saved->Title, "new.cam");
        WhenOpen([](QWidget* pModal) { qobject_cast<QFileDialog*>(pModal)->reject(); });
        EXPECT_FALSE(Dialogs.ShowOpen(nullptr, Request).has_value());
        EXPECT_EQ(strSeen, QStringList({QString("Open Campaign|Campaign (*.cam)|cam|%1|%2|0")
                                            .arg(QFileDialog::ExistingFile)
                                            .arg(QFileDialog::AcceptOpen),
                                        QString("Save As Campaign|Campaign (*.cam)|cam|%1|%2|0")
                                            .arg(QFileDialog::AnyFile)
                                            .arg(QFileDialog::AcceptSave)}));
    }
    QDirIterator It(Home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList strWritten;
    while (It.hasNext()) {
        strWritten << It.next();
    }
    EXPECT_EQ(strWritten, QStringList());
}

} // namespace
