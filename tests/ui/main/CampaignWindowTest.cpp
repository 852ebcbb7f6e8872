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
    CampaignWindowTest() { EXPECT_TRUE(Reactivate(&Window)); }

    ListBox* List() const { return Child<ListBox>("lstScenario"); }

    // Chooses a menu command or clicks a button.
    void Do(const char* strName)
    {
        auto* pItem = Child<QAction>(strName);
        pItem ? pItem->trigger() : QTest::mouseClick(Child(strName), Qt::LeftButton);
        Reactivate(&Window);
    }

    // Runs Inside while the scenario dialog that strOpen opens is open modally.
    void InDialog(const std::function<void()>& Inside, const char* strOpen)
    {
        WhenModalOpens([&Inside](QWidget*) { Inside(); });
        Do(strOpen);
    }

    // Opens the dialog with Add (or strOpen), types strTyped into its number,
    // name and go-to boxes, then presses OK or Cancel.
    void InDialog(const QStringList& strTyped = {}, bool blnOK = true, const char* strOpen = "cmdAdd")
    {
        InDialog(
            [&] {
                const QStringList strBoxes{"txtNumber",          "txtScenario",        "txtResultScenario0",
                                           "txtResultScenario1", "txtResultScenario2", "txtResultScenario3"};
                for (int intI = 0; intI < strTyped.size(); ++intI) {
                    type(Box(strBoxes[intI]), strTyped[intI]);
                }
                QTest::mouseClick(Child(blnOK ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
            },
            strOpen);
    }

    // The title, the header boxes (the nation by its place in the list), both
    // lists, which of Add, Change, Remove, Remove All and Clear are on, the
    // selection, and the flags Changed and Saved.
    std::string Shown() const
    {
        QStringList strS{Window.windowTitle(), Box("txtDescription")->Text(), Box("txtPrestige")->Text(),
                         QString::number(Child<QComboBox>("cmbNation")->currentIndex()), "", "", "",
                         QString::number(List()->ListIndex()), QString::number(Doc.Changed() * 10 + Doc.Saved())};
        for (int intK = 0; intK < 2; ++intK) {
            const ListBox* pList = Child<ListBox>(intK == 0 ? "lstScenario" : "lstError");
            for (int16_t intJ = 0; intJ < pList->ListCount(); ++intJ) {
                strS[4 + intK] += pList->List(intJ) + '|';
            }
        }
        for (const char* strName : {"cmdAdd", "cmdChange", "cmdRemove", "cmdRemoveAll", "cmdClear"}) {
            strS[6] += Child(strName)->isEnabled() ? '1' : '0';
        }
        return strS.join(',').toStdString();
    }

    // And the document's name and bytes, and the files of the test's folder.
    std::string State() const
    {
        return Shown() + ',' + Doc.Name() + ',' + std::to_string(qHash(FileOf(Doc))) + ',' +
               QDir(Dir.path()).entryList().join(' ').toStdString();
    }
};

// The first line of an empty description warns, whether typed or read from
// the document, and brings the previous value back; the header boxes filter
// their keys.
TEST_F(CampaignWindowTest, StartsNewAndHeaderBoxesFilterKeysAndWarnWithThePreviousValueBack)
{
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,new,0,0,,,10000,-1,0");
    EXPECT_EQ(QApplication::focusWidget(), Child("txtDescription"));
    type(Box("txtDescription"), "a.b -cdefghij");
    EXPECT_EQ(Doc.Description(), "abcdefgh");
    type(Box("txtDescription"), "\b");
    type(Box("txtPrestige"), "0001x00\t");
    type(Box("txtPrestige"), "65535");
    type(Box("txtPrestige"), "70000");
    EXPECT_EQ(Dialogs.TakeMessages(),
              QStringList({strDescriptionWarning, "Campaign Editor|48|Invalid Starting Prestige value (70000)\r"
                                                  "Value ranges from 0 to 65535\rStarting Prestige is reset to its "
                                                  "previous value"}));
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,abcdefgh,10,0,,,10000,-1,10");
    // Refilled twice from a document with an empty description: one warning.
    Doc.SetDescription("");
    Window.Update(-1);
    Window.Update(-1);
    EXPECT_EQ(Dialogs.TakeMessages(), QStringList{strDescriptionWarning});
    EXPECT_TRUE(Box("txtDescription")->Text().isEmpty() && Doc.Description().empty());
    type(Box("txtDescription"), "x");
    EXPECT_EQ(Doc.Description(), "x");
    // Left empty, the prestige stores 0.
    type(Box("txtPrestige"), "\b\t");
    EXPECT_EQ(Doc.Prestige(), 0);
    EXPECT_TRUE(Dialogs.TakeMessages().isEmpty());
}

// A campaign built in the window passes the check and is saved and opened
// again whole; the file dialog offers the document's name, any character kept.
TEST_F(CampaignWindowTest, ACampaignBuiltInTheWindowIsSavedAndOpenedAgainWhole)
{
    type(Box("txtDescription"), "intro");
    QTest::keyClick(Child("cmbNation"), Qt::Key_End);
    InDialog({"", "POLAND", "1", "1", "254", "255"});
    InDialog({"", "FRANCE", "254", "254", "254", "255"});
    Do("cmdCheck");
    // Save leaves the focus in the box: the prestige still being typed counts.
    type(Box("txtPrestige"), "1500");
    const QString strFile = Path(QStringLiteral("\u03a9mega.cam"));
    Dialogs.Files = {strFile, strFile, std::nullopt};
    Do("mnuFileSave");
    EXPECT_EQ(Dialogs.TakeMessages(), QStringList{"Integrity Check|64|Integrity Check Passed"});
    Do("mnuFileOpen");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - \u03a9mega,intro,1500,3,#000 POLAND|#001 FRANCE|,,10011,-1,0");
    Do("mnuFileSave");
    EXPECT_EQ(Dialogs.FileDialogs.back().Request.FileName, QStringLiteral("\u03a9mega.cam"));
}

// Each save fails against a real campaign file, which keeps every byte; no
// temporary stays behind, and the window and the document are as they were.
TEST_F(CampaignWindowTest, SavesUnderFaultsKeepTheOldFileAndLoseNothing)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    type(Box("txtDescription"), "mine");
    const QByteArray Old = FileOf(Doc).replace("mine.txt", "old.txt");
    PrepareFaultFolder(Dir.path(), Old);
    QDir(Dir.path()).mkpath("moving");
    WriteFile(Path("moving/old.cam"), Old);
    std::vector<SaveFault> Faults = SaveFaults(FaultRows::AboveStorage);
    // Only the window has a dialog open while the disk may change.
    const std::string strMoved = "folder removed while the dialog was open";
    Faults.push_back({strMoved.c_str(), "moving/old.cam", "moving/old.cam", [] {}, nullptr, true});
    for (const SaveFault& Fault : Faults) {
        SCOPED_TRACE(Fault.strCase);
        const std::string strBefore = State();
        Dialogs.Files = {Path(Fault.strTarget)};
        Dialogs.WhileFileDialogOpen = [&](const RecordedFileDialog&) {
            if (Fault.strCase == strMoved) {
                QDir(Dir.path()).rename("moving", "moved");
            }
        };
        const QString strMessage =
            "Save Campaign|48|The campaign could not be saved as " + Path(Fault.strTarget) + ":\r";
        EXPECT_TRUE(InChild(Fault.Setup, [&] {
            Child<QAction>("mnuFileSave")->trigger();
            QDir(Dir.path()).rename("moved", "moving");
            const QStringList strShown = Dialogs.TakeMessages();
            return strShown.size() == 1 && strShown[0].startsWith(strMessage) &&
                   (Fault.strReason == nullptr || strShown[0].contains(Fault.strReason)) && State() == strBefore &&
                   strShown[0].endsWith(Fault.strCase == strMoved ? "\rNo file was created."
                                                                  : "\rThe file was not changed.");
        }));
        EXPECT_EQ(ReadFile(Path(Fault.strOldFile)), Old);
        for (const char* strFolder : {".", "locked", "folder.cam", "moving"}) {
            EXPECT_EQ(QDir(Path(strFolder)).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
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
    InDialog({"", "a"});
    InDialog({"", "b"});
    const auto LineOf = [this](int intRow) { return List()->visualItemRect(List()->item(intRow)).center(); };
    const auto Selected = [this] { return Child("cmdChange")->isEnabled() && Child("cmdRemove")->isEnabled(); };
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(1));
    EXPECT_TRUE(Selected());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, LineOf(1));
    EXPECT_TRUE(List()->ListIndex() == -1 && !Selected());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(1));
    QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(List()->ListIndex() == -1 && !Selected());
    const QPoint Below(2, List()->viewport()->height() - 2);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Below);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Below);
    EXPECT_TRUE(Dialog.isHidden());
    QString strOpened;
    WhenModalOpens([&](QWidget*) {
        strOpened = Dialog.windowTitle();
        QTest::mouseClick(Child("cmdCancel"), Qt::LeftButton);
    });
    // The first click of a double click is a click of its own, as on a desktop.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(0));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, LineOf(0));
    Reactivate(&Window);
    EXPECT_EQ(strOpened, "Scenario Data - a");
    Do("cmdRemoveAll");
    const std::string strWrong =
        strNew + ",Victory Scenario (254) not referenced|Defeat Scenario (255) not referenced|,10001,-1,10";
    Do("cmdCheck");
    EXPECT_EQ(Shown(), strWrong);
    Do("cmdClear");
    EXPECT_EQ(Shown(), strNew + ",,10000,-1,10");
    Do("mnuFileSave");
    EXPECT_EQ(Shown(), strWrong);
    EXPECT_EQ(Dialogs.TakeMessages(), QStringList({"Integrity Check|48|Integrity Check Failed",
                                                   "Save Campaign|48|Integrity Check Failed. Save Operation Aborted"}));
}

// Help > About shows the program's own identity; Enter and Esc both close it.
TEST_F(CampaignWindowTest, AboutShowsTheProgramsOwnIdentityAndClosesWithEnterOrEsc)
{
    const AppIdentity Identity = IronvaleIdentity();
    for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Escape}) {
        QStringList strShown;
        WhenModalOpens([&](QWidget* pBox) {
            strShown << pBox->windowTitle();
            for (const char* strName : {"lblTitle", "lblVersion", "lblDescription"}) {
                strShown << pBox->findChild<QLabel*>(strName)->text();
            }
            QTest::keyClick(pBox, Key);
            // OK is the cancel button too: both keys end the box accepted.
            strShown << QString::number(qobject_cast<QDialog*>(pBox)->result());
        });
        Do("mnuHelpAbout");
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
        WhenModalOpens([&strFonts](QWidget* pModal) {
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
                strFonts << pWindow->windowTitle() << pWindow->findChild<TextBox*>("txtDescription")->font().toString();
                RecordModal();
                pWindow->findChild<QPushButton*>("cmdCheck")->click();
                RecordModal();
                pWindow->findChild<QAction*>("mnuFileOpen")->trigger();
                pWindow->findChild<QAction*>("mnuFileExit")->trigger();
            }
        }
    });
    EXPECT_EQ(Main(Dialogs), 0);
    ASSERT_EQ(strFonts.size(), 4);
    EXPECT_EQ(strFonts[0], "Ironvale Campaign Editor - New");
    EXPECT_NE(strFonts[1], strDesktop);
    EXPECT_EQ(strFonts.mid(2), QStringList({strDesktop, strDesktop}));
}

} // namespace
