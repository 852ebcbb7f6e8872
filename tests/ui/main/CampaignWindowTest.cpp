#include "tests/support/SaveFaults.h"
#include "tests/ui/support/ProgramTest.h"
#include "ui/main/Startup.h"
#include "ui/services/AppIdentity.h"
#include "ui/services/ListBox.h"
#include "ui/services/QtUserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

const QString strDescriptionWarning =
    "Campaign Editor|48|Invalid Description \rDescriptione is reset to its previous value";

// The main window shown and active on the offscreen screen.
class CampaignWindowTest : public ProgramTest {
protected:
    CampaignWindowTest() { EXPECT_TRUE(reactivate(&Window)); }

    ListBox* list() const { return child<ListBox>("scenarioList"); }

    // Chooses a menu command or clicks a button.
    void choose(const char* strName)
    {
        auto* pItem = child<QAction>(strName);
        pItem ? pItem->trigger() : QTest::mouseClick(child(strName), Qt::LeftButton);
        reactivate(&Window);
    }

    // Runs Inside while the scenario dialog that strOpen opens is open modally.
    void inDialog(const std::function<void()>& Inside, const char* strOpen)
    {
        whenModalOpens([&Inside](QWidget*) { Inside(); });
        choose(strOpen);
    }

    // Opens the dialog with Add (or strOpen), types strTyped into its number,
    // name and go-to boxes, then presses OK or Cancel.
    void inDialog(const QStringList& strTyped = {}, bool blnOK = true, const char* strOpen = "addButton")
    {
        inDialog(
            [&] {
                const QStringList strBoxes{"numberEdit",          "scenarioEdit",        "resultScenarioEdit0",
                                           "resultScenarioEdit1", "resultScenarioEdit2", "resultScenarioEdit3"};
                for (int intI = 0; intI < strTyped.size(); ++intI) {
                    type(box(strBoxes[intI]), strTyped[intI]);
                }
                QTest::mouseClick(child(blnOK ? "okButton" : "cancelButton"), Qt::LeftButton);
            },
            strOpen);
    }

    // The title, the header boxes (the nation by its place in the list), both
    // lists, which of Add, Change, Remove, Remove All and Clear are on, the
    // selection, and the flags Changed and Saved.
    std::string shown() const
    {
        QStringList strS{Window.windowTitle(), box("descriptionEdit")->currentText(), box("prestigeEdit")->currentText(),
                         QString::number(child<QComboBox>("nationBox")->currentIndex()), "", "", "",
                         QString::number(list()->selectedLine()), QString::number(Doc.changed() * 10 + Doc.saved())};
        for (int intK = 0; intK < 2; ++intK) {
            const ListBox* pList = child<ListBox>(intK == 0 ? "scenarioList" : "errorList");
            for (int16_t intJ = 0; intJ < pList->lineCount(); ++intJ) {
                strS[4 + intK] += pList->line(intJ) + '|';
            }
        }
        for (const char* strName : {"addButton", "changeButton", "removeButton", "removeAllButton", "clearButton"}) {
            strS[6] += child(strName)->isEnabled() ? '1' : '0';
        }
        return strS.join(',').toStdString();
    }

    // And the document's name and bytes, and the files of the test's folder.
    std::string state() const
    {
        return shown() + ',' + Doc.name() + ',' + std::to_string(qHash(fileOf(Doc))) + ',' +
               QDir(Dir.path()).entryList().join(' ').toStdString();
    }
};

// The first line of an empty description warns, whether typed or read from
// the document, and brings the previous value back; the header boxes filter
// their keys.
TEST_F(CampaignWindowTest, StartsNewAndHeaderBoxesFilterKeysAndWarnWithThePreviousValueBack)
{
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - New,new,0,0,,,10000,-1,0");
    EXPECT_EQ(QApplication::focusWidget(), child("descriptionEdit"));
    type(box("descriptionEdit"), "a.b -cdefghij");
    EXPECT_EQ(Doc.description(), "abcdefgh");
    type(box("descriptionEdit"), "\b");
    type(box("prestigeEdit"), "0001x00\t");
    type(box("prestigeEdit"), "65535");
    type(box("prestigeEdit"), "70000");
    EXPECT_EQ(Dialogs.takeMessages(),
              QStringList({strDescriptionWarning, "Campaign Editor|48|Invalid Starting Prestige value (70000)\r"
                                                  "Value ranges from 0 to 65535\rStarting Prestige is reset to its "
                                                  "previous value"}));
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - New,abcdefgh,10,0,,,10000,-1,10");
    // Refilled twice from a document with an empty description: one warning.
    Doc.setDescription("");
    Window.refresh(-1);
    Window.refresh(-1);
    EXPECT_EQ(Dialogs.takeMessages(), QStringList{strDescriptionWarning});
    EXPECT_TRUE(box("descriptionEdit")->currentText().isEmpty() && Doc.description().empty());
    type(box("descriptionEdit"), "x");
    EXPECT_EQ(Doc.description(), "x");
    // Left empty, the prestige stores 0.
    type(box("prestigeEdit"), "\b\t");
    EXPECT_EQ(Doc.prestige(), 0);
    EXPECT_TRUE(Dialogs.takeMessages().isEmpty());
}

// A campaign built in the window passes the check and is saved and opened
// again whole; the file dialog offers the document's name, any character kept.
TEST_F(CampaignWindowTest, ACampaignBuiltInTheWindowIsSavedAndOpenedAgainWhole)
{
    type(box("descriptionEdit"), "intro");
    QTest::keyClick(child("nationBox"), Qt::Key_End);
    inDialog({"", "POLAND", "1", "1", "254", "255"});
    inDialog({"", "FRANCE", "254", "254", "254", "255"});
    choose("checkButton");
    // Save leaves the focus in the box: the prestige still being typed counts.
    type(box("prestigeEdit"), "1500");
    const QString strFile = path(QStringLiteral("\u03a9mega.cam"));
    Dialogs.Files = {strFile, strFile, std::nullopt};
    choose("fileSaveAction");
    EXPECT_EQ(Dialogs.takeMessages(), QStringList{"Integrity Check|64|Integrity Check Passed"});
    choose("fileOpenAction");
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - \u03a9mega,intro,1500,3,#000 POLAND|#001 FRANCE|,,10011,-1,0");
    choose("fileSaveAction");
    EXPECT_EQ(Dialogs.FileDialogs.back().Request.FileName, QStringLiteral("\u03a9mega.cam"));
}

// Each save fails against a real campaign file, which keeps every byte; no
// temporary stays behind, and the window and the document are as they were.
TEST_F(CampaignWindowTest, SavesUnderFaultsKeepTheOldFileAndLoseNothing)
{
    inDialog({"", "s", "254", "254", "254", "255"});
    type(box("descriptionEdit"), "mine");
    const QByteArray Old = fileOf(Doc).replace("mine.txt", "old.txt");
    prepareFaultFolder(Dir.path(), Old);
    QDir(Dir.path()).mkpath("moving");
    writeFile(path("moving/old.cam"), Old);
    std::vector<SaveFault> Faults = saveFaults(FaultRows::AboveStorage);
    // Only the window has a dialog open while the disk may change.
    const std::string strMoved = "folder removed while the dialog was open";
    Faults.push_back({strMoved.c_str(), "moving/old.cam", "moving/old.cam", [] {}, nullptr, true});
    for (const SaveFault& Fault : Faults) {
        SCOPED_TRACE(Fault.strCase);
        const std::string strBefore = state();
        Dialogs.Files = {path(Fault.strTarget)};
        Dialogs.WhileFileDialogOpen = [&](const RecordedFileDialog&) {
            if (Fault.strCase == strMoved) {
                QDir(Dir.path()).rename("moving", "moved");
            }
        };
        const QString strMessage =
            "Save Campaign|48|The campaign could not be saved as " + path(Fault.strTarget) + ":\r";
        EXPECT_TRUE(inChild(Fault.Setup, [&] {
            child<QAction>("fileSaveAction")->trigger();
            QDir(Dir.path()).rename("moved", "moving");
            const QStringList strShown = Dialogs.takeMessages();
            return strShown.size() == 1 && strShown[0].startsWith(strMessage) &&
                   (Fault.strReason == nullptr || strShown[0].contains(Fault.strReason)) && state() == strBefore &&
                   strShown[0].endsWith(Fault.strCase == strMoved ? "\rNo file was created."
                                                                  : "\rThe file was not changed.");
        }));
        EXPECT_EQ(readFile(path(Fault.strOldFile)), Old);
        for (const char* strFolder : {".", "locked", "folder.cam", "moving"}) {
            EXPECT_EQ(QDir(path(strFolder)).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                      std::string(strFolder[0] == 'f' ? "" : "old.cam"));
        }
    }
}

// A Ctrl+click or Ctrl+Space leaves no line selected and turns Change and
// Remove off; a double click opens a line as Change does, below the lines
// nothing; what is wrong stays listed until Clear, and a Save refused by the
// check lists it again. (The monkey checks the document the commands leave.)
TEST_F(CampaignWindowTest, TheListsCommandsWorkOnTheSelectedLineOnly)
{
    const std::string strNew = "Ironvale Campaign Editor - New,new,0,0,";
    inDialog({"", "a"});
    inDialog({"", "b"});
    const auto LineOf = [this](int intRow) { return list()->visualItemRect(list()->item(intRow)).center(); };
    const auto Selected = [this] { return child("changeButton")->isEnabled() && child("removeButton")->isEnabled(); };
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, LineOf(1));
    EXPECT_TRUE(Selected());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier, LineOf(1));
    EXPECT_TRUE(list()->selectedLine() == -1 && !Selected());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, LineOf(1));
    QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(list()->selectedLine() == -1 && !Selected());
    const QPoint Below(2, list()->viewport()->height() - 2);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, Below);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, Below);
    EXPECT_TRUE(Dialog.isHidden());
    QString strOpened;
    whenModalOpens([&](QWidget*) {
        strOpened = Dialog.windowTitle();
        QTest::mouseClick(child("cancelButton"), Qt::LeftButton);
    });
    // The first click of a double click is a click of its own, as on a desktop.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, LineOf(0));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, LineOf(0));
    reactivate(&Window);
    EXPECT_EQ(strOpened, "Scenario Data - a");
    choose("removeAllButton");
    const std::string strWrong =
        strNew + ",Victory Scenario (254) not referenced|Defeat Scenario (255) not referenced|,10001,-1,10";
    choose("checkButton");
    EXPECT_EQ(shown(), strWrong);
    choose("clearButton");
    EXPECT_EQ(shown(), strNew + ",,10000,-1,10");
    choose("fileSaveAction");
    EXPECT_EQ(shown(), strWrong);
    EXPECT_EQ(Dialogs.takeMessages(), QStringList({"Integrity Check|48|Integrity Check Failed",
                                                   "Save Campaign|48|Integrity Check Failed. Save Operation Aborted"}));
}

// Help > About shows the program's own identity; Enter and Esc both close it.
TEST_F(CampaignWindowTest, AboutShowsTheProgramsOwnIdentityAndClosesWithEnterOrEsc)
{
    const AppIdentity Identity = ironvaleIdentity();
    for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Escape}) {
        QStringList strShown;
        whenModalOpens([&](QWidget* pBox) {
            strShown << pBox->windowTitle();
            for (const char* strName : {"titleLabel", "versionLabel", "descriptionLabel"}) {
                strShown << pBox->findChild<QLabel*>(strName)->text();
            }
            QTest::keyClick(pBox, Key);
            // OK is the cancel button too: both keys end the box accepted.
            strShown << QString::number(qobject_cast<QDialog*>(pBox)->result());
        });
        choose("helpAboutAction");
        EXPECT_EQ(strShown, QStringList({"About " + Identity.Title, Identity.Title,
                                         QString("Version %1.%2.%3 (Last Update: 04 Jan 1999)")
                                             .arg(Identity.Major).arg(Identity.Minor).arg(Identity.Revision),
                                         Identity.Comments, QString::number(QDialog::Accepted)}));
    }
}

// Main shows a new campaign and returns once Exit hides the window. Its
// windows have the layout font, and the message boxes and file dialogs they
// open still the desktop's.
TEST(MainTest, RunsUntilExitAndBoxesAndFileDialogsKeepTheDesktopFont)
{
    const QString strDesktop = QApplication::font().toString();
    QtUserDialogs Dialogs;
    QStringList strFonts;
    const auto RecordModal = [&strFonts] {
        whenModalOpens([&strFonts](QWidget* pModal) {
            strFonts << pModal->font().toString();
            if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
                pBox->button(QMessageBox::Ok)->click();
            } else {
                qobject_cast<QFileDialog*>(pModal)->reject();
            }
        });
    };
    QTimer::singleShot(0, [&strFonts, RecordModal] {
        for (QWidget* pTop : QApplication::topLevelWidgets()) {
            if (auto* pWindow = qobject_cast<CampaignWindow*>(pTop)) {
                strFonts << pWindow->windowTitle() << pWindow->findChild<TextBox*>("descriptionEdit")->font().toString();
                RecordModal();
                pWindow->findChild<QPushButton*>("checkButton")->click();
                RecordModal();
                pWindow->findChild<QAction*>("fileOpenAction")->trigger();
                pWindow->findChild<QAction*>("fileExitAction")->trigger();
            }
        }
    });
    EXPECT_EQ(runEditor(Dialogs), 0);
    ASSERT_EQ(strFonts.size(), 4);
    EXPECT_EQ(strFonts[0], "Ironvale Campaign Editor - New");
    EXPECT_NE(strFonts[1], strDesktop);
    EXPECT_EQ(strFonts.mid(2), QStringList({strDesktop, strDesktop}));
}

} // namespace
