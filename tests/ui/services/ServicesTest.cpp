#include "tests/ui/support/ScriptedDialogs.h"
#include "tests/ui/support/WindowTestSupport.h"
#include "ui/services/LayoutFont.h"
#include "ui/services/ProgramIcon.h"
#include "ui/services/QtUserDialogs.h"

#include <QApplication>
#include <QDir>
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
        int16_t style;
        QMessageBox::Icon icon;
        const char* buttons;
        QMessageBox::StandardButton press;
        int16_t answer;
    };
    const Case cases[] = {
        {MsgBoxStyle::Exclamation, QMessageBox::Warning, "OK", QMessageBox::Ok, MsgBoxAnswer::OK},
        {MsgBoxStyle::Information, QMessageBox::Information, "OK", QMessageBox::Ok, MsgBoxAnswer::OK},
        {MsgBoxStyle::YesNoQuestion, QMessageBox::Question, "No,Yes", QMessageBox::Yes, MsgBoxAnswer::Yes},
        {MsgBoxStyle::YesNoQuestion, QMessageBox::Question, "No,Yes", QMessageBox::No, MsgBoxAnswer::No}};
    QtUserDialogs dialogs;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.answer);
        QString seen;
        bool stillOpen = false;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QStringList buttonsText;
            for (QAbstractButton* button : box->buttons()) {
                buttonsText << button->text().remove('&');
            }
            buttonsText.sort();
            seen = QString::number(box->icon()) + '|' + buttonsText.join(',') + '|' + box->windowTitle() + '|' +
                   box->text();
            QTest::keyClick(modal, Qt::Key_Escape);
            modal->close();
            QTest::qWait(10);
            stillOpen = modal->isVisible();
            if (stillOpen) {
                box->button(row.press)->click();
            }
        });
        EXPECT_EQ(dialogs.msgBox(nullptr, "one\rtwo\r\nthree\r", row.style, "T"), row.answer);
        EXPECT_EQ(seen, QString::number(row.icon) + '|' + row.buttons + "|T|one\ntwo\nthree\n");
        EXPECT_EQ(stillOpen, row.style == MsgBoxStyle::YesNoQuestion);
    }
}

// The file dialogs show what they are asked, the filters as Qt writes them:
// Open only an existing file,
// Save any name, with the suffix added and asking before a replace; and
// Qt's dialog keeps its history nowhere in the user's home: a run that opens
// and saves leaves it exactly as it was.
TEST(QtUserDialogsTest, FileDialogsShowTheirRequestAndWriteNothingIntoTheHomeFolder)
{
    QTemporaryDir home;
    QTemporaryDir work;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    ASSERT_TRUE(writeFile(work.filePath("old.cam"), {}));
    {
        QtUserDialogs dialogs;
        FileRequest request;
        request.filter = "Campaign (*.cam)|*.cam|All|*";
        request.defaultExt = "cam";
        QStringList seen;
        const auto choose = [&](const QString& pathText) {
            whenModalOpens([&, pathText](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                ASSERT_NE(dialog, nullptr);
                const QString filters = dialog->nameFilters().join(';');
                EXPECT_EQ(dialog->windowTitle() + '|' + filters + '|' + dialog->defaultSuffix(),
                          request.title + "|Campaign (*.cam);All (*)|cam");
                seen << QString("%1|%2|%3").arg(dialog->fileMode()).arg(dialog->acceptMode()).arg(
                            dialog->testOption(QFileDialog::DontConfirmOverwrite));
                dialog->selectFile(pathText);
                static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept checks the choice
            });
        };
        request.title = "Open Campaign";
        choose(work.filePath("old.cam"));
        const std::optional<FileChoice> opened = dialogs.showOpen(nullptr, request);
        ASSERT_TRUE(opened.has_value());
        EXPECT_EQ(opened->path + '|' + opened->title, work.filePath("old.cam") + "|old.cam");
        request.title = "Save As Campaign";
        request.fileName = "New.cam";
        choose(work.filePath("new"));
        const std::optional<FileChoice> saved = dialogs.showSave(nullptr, request);
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->title, "new.cam");
        whenModalOpens([](QWidget* modal) { qobject_cast<QFileDialog*>(modal)->reject(); });
        EXPECT_FALSE(dialogs.showOpen(nullptr, request).has_value());
        EXPECT_EQ(seen, QStringList({QString("%1|%2|0").arg(QFileDialog::ExistingFile).arg(QFileDialog::AcceptOpen),
                                     QString("%1|%2|0").arg(QFileDialog::AnyFile).arg(QFileDialog::AcceptSave)}));
    }
    // The home folder starts empty: anything written shows at its top.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// While windows are made the application's font is the layout font, of the
// desktop's family; then the desktop's again, and message boxes keep theirs.
// (The windows' own fonts: MainTest.)
TEST(LayoutFontTest, OnlyWindowsMadeMeanwhileTakeTheLayoutFont)
{
    const QFont desktop = QApplication::font();
    QFont boxFont = desktop;
    boxFont.setItalic(true);
    QApplication::setFont(boxFont, "QMessageBox");
    QFont layout;
    {
        const LayoutFontWhileMaking making;
        layout = QApplication::font();
    }
    QMessageBox box;
    // Showing polishes a box, and only then it takes the font of its kind.
    box.ensurePolished();
    EXPECT_TRUE(layout != desktop && layout.family() == desktop.family());
    EXPECT_EQ(QStringList({QApplication::font().toString(), box.font().toString()}),
              QStringList({desktop.toString(), boxFont.toString()}));
    QApplication::setFont(desktop, "QMessageBox");
}

// The stored pixels the windows show are the drawing at every size offered.
TEST(ProgramIconTest, EverySizeOfferedIsTheDrawingPixelForPixel)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.availableSizes().isEmpty());
    for (const QSize& size : icon.availableSizes()) {
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, programImage(size.width())) << size.width();
    }
}

} // namespace
