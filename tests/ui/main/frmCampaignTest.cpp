#include "tests/support/SaveFaults.h"
#include "tests/ui/support/ProgramTest.h"
#include "ui/main/basMain.h"
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

const QString strQuestion = " Open Campaign|36|Do you want to save the current campaign?";
const QString strDescriptionWarning = "Campaign Editor|48|Invalid Description \rDescriptione is reset to its previous value";

// The main window shown and active on the offscreen screen.
class CampaignWindowTest : public ProgramTest {
protected:
    CampaignWindowTest() { EXPECT_TRUE(Reactivate(&Window)); }

    ListBox* List() const { return Child<ListBox>("lstScenario"); }

    // Chooses a menu command or clicks a button.
    void Do(const char* strName)
    {
        Child<QAction>(strName) ? Child<QAction>(strName)->trigger() : QTest::mouseClick(Child(strName), Qt::LeftButton);
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
                    Type(Box(strBoxes[intI]), strTyped[intI]);
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
    Type(Box("txtDescription"), "a.b -cdefghij");
    EXPECT_EQ(Doc.Description(), "abcdefgh");
    Type(Box("txtDescription"), "\b");
    Type(Box("txtPrestige"), "0001x00\t");
    Type(Box("txtPrestige"), "65535");
    Type(Box("txtPrestige"), "70000");
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
    Type(Box("txtDescription"), "x");
    EXPECT_EQ(Doc.Description(), "x");
    // Emptied over a selection, the prestige shows a selected 0 the next
    // digits replace; emptied key by key it takes the digits typed after;
    // left empty, it stores 0.
    TextBox* pBox = Box("txtPrestige");
    Type(pBox, "1500\t");
    Type(pBox, "\b");
    QTest::keyClicks(pBox, "2500");
    EXPECT_EQ(pBox->Text(), "2500");
    QTest::keyClicks(pBox, "\b\b\b\b12");
    EXPECT_EQ(pBox->Text(), "12");
    EXPECT_EQ(Doc.Prestige(), 1500);
    Type(pBox, "\b\t");
    EXPECT_EQ(Doc.Prestige(), 0);
    EXPECT_TRUE(Dialogs.TakeMessages().isEmpty());
}

TEST_F(CampaignWindowTest, ACampaignBuiltInTheWindowIsSavedReopenedAndSavedAgainUnchanged)
{
    Type(Box("txtDescription"), "intro");
    QTest::keyClick(Child("cmbNation"), Qt::Key_End);
    InDialog({"", "POLAND", "1", "1", "2", "255"});
    InDialog({"", "FRANCE", "2", "2", "254", "255"});
    InDialog({"", "ENGLAND", "254", "254", "254", "255"});
    Do("cmdCheck");
    // Save leaves the focus in the box: the prestige still being typed counts.
    Type(Box("txtPrestige"), "1500");
    // A title of five characters loses its ".cam"; a shorter one stays whole.
    Dialogs.Files = {Path("x.cam"), Path("x.cam"), Path("a.b"), Path("abcd")};
    Do("mnuFileSave");
    EXPECT_EQ(Dialogs.TakeMessages(), QStringList{"Integrity Check|64|Integrity Check Passed"});
    Do("mnuFileOpen");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - x,intro,1500,3,#000 POLAND|#001 FRANCE|#002 ENGLAND|,,"
                       "10011,-1,0");
    Do("mnuFileSave");
    EXPECT_TRUE(Window.windowTitle() == "Ironvale Campaign Editor - a.b" && Doc.Saved() && !Doc.Changed());
    EXPECT_TRUE(ReadFile(Path("x.cam")).size() == 31944 && ReadFile(Path("x.cam")) == ReadFile(Path("a.b")));
    Do("mnuFileSave");
    EXPECT_EQ(Window.windowTitle(), "Ironvale Campaign Editor - abcd");
    // The name is not stored in the file, so any character of the title stays.
    Dialogs.Files = {Path(QStringLiteral("\u03a9mega.cam")), std::nullopt};
    Do("mnuFileSave");
    Do("mnuFileSave");
    EXPECT_EQ(Dialogs.FileDialogs.back().Request.FileName, QStringLiteral("\u03a9mega.cam"));
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("Ironvale Campaign Editor - \u03a9mega"));
    EXPECT_TRUE(Dialogs.TakeMessages().isEmpty());
}

// New, Open, Exit and a close through the frame, each after every kind of
// edit, the starting prestige still being typed included: No goes on, Yes
// only after a completed save of what the window shows.
TEST_F(CampaignWindowTest, TheSaveQuestionGuardsEveryWayOutAfterEveryKindOfEdit)
{
    int intRun = 0;
    const std::function<void()> Edits[] = {
        [&] { Type(Box("txtDescription"), QStringLiteral("d%1").arg(intRun)); },
        [&] { QTest::keyClick(Child("cmbNation"), Doc.Nation() < 3 ? Qt::Key_Down : Qt::Key_Up); },
        [&] { Type(Box("txtPrestige"), QStringLiteral("%1\t").arg(intRun)); }, [&] { InDialog(); },
        [&] { Type(Box("txtPrestige"), QString::number(1000 + intRun)); }};
    const QStringList strAnswers{"No", "refused", "cancelled", "saved"};
    for (const QString strCommand : {"mnuFileNew", "mnuFileOpen", "mnuFileExit", "close"}) {
        for (const std::function<void()>& Edit : Edits) {
            // Every command and every edit meet every answer.
            const QString strAnswer = strAnswers[intRun++ % 4];
            SCOPED_TRACE((strCommand + ' ' + strAnswer + ' ' + QString::number(intRun)).toStdString());
            InDialog({"", "s", "254", "254", "254", "255"}); // a scenario that ends the campaign
            Doc.Scenarios(0).SetResultScenario(0, 254);
            // Nothing to ask about after a completed save and the refill it makes.
            Dialogs = ScriptedDialogs();
            Dialogs.Files = {Path("q.cam"), {}, strAnswer == "saved" ? std::optional(Path("q.cam")) : std::nullopt, {}};
            Do("mnuFileSave");
            Do("mnuFileOpen");
            Doc.Scenarios(0).SetResultScenario(0, strAnswer == "refused" ? 49 : 254);
            Edit();
            auto Expected = std::make_unique<clsCampaign>(Doc);
            Expected->SetPrestige(Box("txtPrestige")->Text().toInt());
            Dialogs.Answers = {strAnswer == "No" ? MsgBoxAnswer::No : MsgBoxAnswer::Yes};
            strCommand == "close" ? void(Window.close()) : Child<QAction>(strCommand)->trigger();
            // New empties the document, Open shows its file dialog, Exit and close hide the window.
            const bool blnNew = Doc.ScenarioCount() == 0 && !Doc.Changed();
            const bool blnOpen = Dialogs.FileDialogs.size() > 2 && !Dialogs.FileDialogs.back().Save;
            EXPECT_EQ(blnNew || blnOpen || Window.isHidden(), strAnswer == "No" || strAnswer == "saved");
            EXPECT_EQ(Dialogs.TakeMessages().value(0), strQuestion);
            EXPECT_EQ(ReadFile(Path("q.cam")) == FileOf(*Expected), strAnswer == "saved");
            EXPECT_EQ(Child<ListBox>("lstError")->ListCount(), strAnswer == "refused" ? 1 : 0);
        }
    }
}

// Each save fails against a real campaign file, which keeps every byte; no
// temporary stays behind, and the window and the document are as they were.
TEST_F(CampaignWindowTest, SavesUnderFaultsKeepTheOldFileAndLoseNothing)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    Type(Box("txtDescription"), "mine");
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
                   strShown[0].endsWith(Fault.strCase == strMoved ? "\rNo file was created." : "\rThe file was not changed.");
        }));
        EXPECT_EQ(ReadFile(Path(Fault.strOldFile)), Old);
        for (const char* strFolder : {".", "locked", "folder.cam", "moving"}) {
            EXPECT_EQ(QDir(Path(strFolder)).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                      std::string(strFolder[0] == 'f' ? "" : "old.cam"));
        }
    }
}

// Remove All keeps the header; an Open that fails or is cancelled changes
// neither the window, the document, its name and flags, nor the check list;
// a complete Open and New replace all of it and empty the check list.
TEST_F(CampaignWindowTest, OnlyACompleteOpenOrNewReplacesTheCampaign)
{
    Type(Box("txtDescription"), "mine");
    Type(Box("txtPrestige"), "77\t");
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    InDialog({"", "a"});
    Do("cmdRemoveAll");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,mine,77,1,,,10000,-1,10");
    InDialog({"", "s", "254", "254", "254", "255"});
    const QByteArray Whole = FileOf(Doc);
    WriteFile(Path("whole.cam"), Whole);
    WriteFile(Path("short.cam"), Whole.left(1000));
    WriteFile(Path("sixty.cam"), QByteArray(1, 60) + Whole.mid(1));
    Doc.Scenarios(0).SetResultScenario(0, 9);
    Window.Update(0);
    Do("cmdCheck");
    Dialogs.TakeMessages();
    const std::string strBefore = State();
    for (const auto& [strFile, strReason] :
         {std::pair<QString, QString>("gone.cam", "No such file or directory"),
          {"short.cam", "The file ends at byte 1000, but a campaign file has 31944 bytes."},
          {"sixty.cam", "The file claims 60 scenarios, but a campaign holds at most 50."}, {"", ""}}) {
        Dialogs.Answers = {MsgBoxAnswer::No};
        Dialogs.Files = {strFile.isEmpty() ? std::nullopt : std::optional(Path(strFile))};
        Do("mnuFileOpen");
        EXPECT_TRUE(State() == strBefore && QGuiApplication::overrideCursor() == nullptr);
        QStringList strExpected{strQuestion};
        if (!strFile.isEmpty()) {
            strExpected << "Open Campaign|48|The campaign " + Path(strFile) + " could not be opened:\r" + strReason +
                               "\rThe current campaign is unchanged.";
        }
        EXPECT_EQ(Dialogs.TakeMessages(), strExpected);
    }
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {Path("whole.cam")};
    Do("mnuFileOpen");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - whole,mine,77,1,#000 s|,,10011,-1,0");
    Doc.Scenarios(0).SetResultScenario(0, 9);
    Do("cmdCheck");
    Do("mnuFileNew");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,new,0,0,,,10001,-1,0");
}

// Add, Change (a Cancel leaves everything as it was; a double click on a
// line opens it as Change does), Remove, Remove All, Check and Clear work on
// the selected line; a line left unselected turns Change and Remove off;
// what the dialog's Paste brings reaches the campaign through OK only, under
// the number it was pasted into.
TEST_F(CampaignWindowTest, TheListsCommandsWorkOnTheSelectedLineOnly)
{
    const std::string strNew = "Ironvale Campaign Editor - New,new,0,0,";
    InDialog({"", "a", "254", "255", "1", "0"});
    InDialog({"", "x"}, false);
    EXPECT_EQ(Shown(), strNew + "#000 a|,,10010,-1,10");
    InDialog({"", "b"});
    InDialog({"3"});
    InDialog();
    // Slot 3 moves to 7 and keeps its line selected.
    List()->setCurrentRow(3); // as a click does, unlike SetListIndex
    InDialog({"7"}, true, "cmdChange");
    EXPECT_EQ(Shown(), strNew + "#000 a|#001 b|#002 new|#007 new|,,11110,3,10");
    List()->SetListIndex(2);
    Do("cmdRemove");
    EXPECT_EQ(Shown(), strNew + "#000 a|#001 b|#007 new|,,11110,1,10");

    const auto LineOf = [this](int intRow) { return List()->visualItemRect(List()->item(intRow)).center(); };
    const auto ChangeOn = [this] { return Child("cmdChange")->isEnabled() && Child("cmdRemove")->isEnabled(); };
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(1));
    EXPECT_TRUE(ChangeOn());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, LineOf(1));
    EXPECT_TRUE(List()->ListIndex() == -1 && !Child("cmdChange")->isEnabled() && !Child("cmdRemove")->isEnabled());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(1));
    QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(List()->ListIndex() == -1 && !Child("cmdChange")->isEnabled() && !Child("cmdRemove")->isEnabled());
    // A double click below the lines then opens nothing.
    const QPoint Below(2, List()->viewport()->height() - 2);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Below);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Below);
    EXPECT_TRUE(Dialog.isHidden());

    List()->setCurrentRow(1);
    std::string strBefore = State();
    InDialog({"", "changed"}, false, "cmdChange");
    EXPECT_EQ(State(), strBefore);
    QString strOpened;
    WhenModalOpens([&](QWidget*) {
        strOpened = Dialog.windowTitle();
        QTest::mouseClick(Child("cmdCopy"), Qt::LeftButton);
        QTest::mouseClick(Child("cmdCancel"), Qt::LeftButton);
    });
    // The first click of a double click is a click of its own, as on a desktop.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, LineOf(0));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, LineOf(0));
    Reactivate(&Window);
    EXPECT_EQ(strOpened, "Scenario Data - a");
    const clsScenario Copied = Doc.Scenarios(0);
    for (const bool blnOK : {false, true}) {
        List()->setCurrentRow(1);
        InDialog(
            [&] {
                QTest::mouseClick(Child("cmdPaste"), Qt::LeftButton);
                QTest::mouseClick(Child(blnOK ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
            },
            "cmdChange");
        clsScenario Expected = Copied;
        if (!blnOK) {
            Expected.Clear();
            Expected.SetName("b");
        }
        Expected.SetNumber(1);
        EXPECT_EQ(Doc.Scenarios(1), Expected);
    }
    EXPECT_EQ(Doc.Scenarios(0), Copied);
    EXPECT_EQ(Shown(), strNew + "#000 a|#001 a|#007 new|,,11110,1,10");

    // With all 50 slots used Add is off; removing one turns it on again.
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        Doc.Scenarios(intI).SetNumber(intI);
    }
    Window.Update(0);
    EXPECT_FALSE(Child("cmdAdd")->isEnabled());
    Do("cmdRemove");
    EXPECT_TRUE(Child("cmdAdd")->isEnabled());
    Doc.SetChanged(false);
    Do("cmdRemoveAll");
    EXPECT_EQ(Shown(), strNew + ",,10000,-1,10");
    // What is wrong stays listed until Clear, and a Save refused by the check lists it again.
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
            if (auto* pWindow = qobject_cast<frmCampaign*>(pTop)) {
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
