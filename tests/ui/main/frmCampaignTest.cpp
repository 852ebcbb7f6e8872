#include "data/clsCampaign.h"
#include "tests/support/SaveFaults.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/main/basMain.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/ListBox.h"
#include "ui/services/QtUserDialogs.h"
#include "ui/services/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

QByteArray FileOf(const clsCampaign& Campaign)
{
    std::ostringstream Stream;
    Campaign.FileWrite(Stream);
    return QByteArray::fromStdString(Stream.str());
}

// The file's bytes, after writing New to it when given.
QByteArray Bytes(const QString& strPath, const QByteArray& New = {})
{
    QFile File(strPath);
    EXPECT_TRUE(New.isEmpty() || (File.open(QIODevice::WriteOnly) && File.write(New) == New.size()));
    File.close();
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// The main window wired as start-up wires it, shown on the offscreen screen.
class CampaignWindowTest : public ::testing::Test {
protected:
    CampaignWindowTest()
    {
        Window.SetScenarioDialog(Dialog);
        Window.SetCampaign(Doc);
        Dialog.SetCampaign(Doc);
        Window.Update(-1);
        Reactivate();
    }

    // Offscreen gives the focus back neither after a modal step nor to a
    // window shown again, unless another window had it in between.
    void Reactivate()
    {
        QWidget Other;
        Other.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Other));
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Window; }));
    }

    // A control of the window or of its scenario dialog.
    template <class T = QWidget> T* Child(const QString& strName) const { return Window.findChild<T*>(strName); }
    ListBox* List() const { return Child<ListBox>("lstScenario"); }
    QString Path(const QString& strName) const { return Dir.filePath(strName); }

    // Chooses a menu command or clicks a button.
    void Do(const char* strS)
    {
        Child<QAction>(strS) ? Child<QAction>(strS)->trigger() : QTest::mouseClick(Child(strS), Qt::LeftButton);
        Reactivate();
    }

    // Types over a box's text; a closing "\t" leaves the box.
    static void Type(TextBox* pBox, const QString& strS)
    {
        pBox->setFocus();
        pBox->selectAll();
        QTest::keyClicks(pBox, strS);
    }

    // Opens the scenario dialog with Add (or strButton), types strTyped into its
    // number, name and go-to boxes while it is open modally, then presses OK or Cancel.
    void InDialog(const QStringList& strTyped = {}, bool blnOK = true, const char* strButton = "cmdAdd")
    {
        QTimer::singleShot(0, &Dialog, [&] {
            for (int intI = 0; intI < strTyped.size(); ++intI) {
                const QStringList strBoxes{"txtNumber",          "txtScenario",        "txtResultScenario0",
                                           "txtResultScenario1", "txtResultScenario2", "txtResultScenario3"};
                Type(Child<TextBox>(strBoxes[intI]), strTyped[intI]);
            }
            QTest::mouseClick(Child(blnOK ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
            Dialog.hide(); // one left open would hang the test
        });
        Do(strButton);
    }

    // Title, style and prompt of the last message box, or of the first.
    std::string Message(bool blnFirst = false) const
    {
        const RecordedMsgBox& Box = Dialogs.MsgBoxes.at(blnFirst ? 0 : Dialogs.MsgBoxes.size() - 1);
        return (Box.Title + '|' + QString::number(Box.Style) + '|' + Box.Prompt).toStdString();
    }

    // The title (with the document's name), the header boxes, both lists, which
    // of Add, Change, Remove, Remove All and Clear are on, the selection, the flags.
    std::string Shown() const
    {
        QStringList strS{Window.windowTitle(), Child<TextBox>("txtDescription")->Text(),
                         Child<TextBox>("txtPrestige")->Text(), Child<QComboBox>("cmbNation")->currentText(), "", "",
                         "", QString::number(List()->ListIndex()), QString::number(Doc.Changed() * 10 + Doc.Saved())};
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

    QTemporaryDir Dir;
    ScriptedDialogs Dialogs;
    frmCampaign Window{Dialogs};
    frmScenario Dialog{Dialogs, &Window};
    clsCampaign Doc;
};

TEST_F(CampaignWindowTest, StartsNewAndBoxesFilterKeysAndWarnWithThePreviousValueBack)
{
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,new,0,Germany,,,10000,-1,0");
    // The focus starts in the description; one control's place stands for the layout.
    EXPECT_TRUE(QApplication::focusWidget() == Child("txtDescription") &&
                Child("cmdRemoveAll")->geometry() == QRect(16, 144, 65, 25));
    Type(Child<TextBox>("txtDescription"), "a.b -cdefghij");
    EXPECT_TRUE(Doc.Description() == "abcdefgh" && Dialogs.MsgBoxes.empty());
    Type(Child<TextBox>("txtDescription"), "\b");
    EXPECT_EQ(Message(), "Campaign Editor|48|Invalid Description \rDescriptione is reset to its previous value");
    Type(Child<TextBox>("txtPrestige"), "0001x00\t");
    Type(Child<TextBox>("txtPrestige"), "70000");
    EXPECT_EQ(Message(), "Campaign Editor|48|Invalid Starting Prestige value (70000)\rValue ranges from 0 to 65535\r"
                         "Starting Prestige is reset to its previous value");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,abcdefgh,10,Germany,,,10000,-1,10");
}

TEST_F(CampaignWindowTest, ACampaignBuiltInTheWindowIsSavedReopenedAndSavedAgainUnchanged)
{
    Type(Child<TextBox>("txtDescription"), "intro");
    QTest::keyClick(Child("cmbNation"), Qt::Key_End);
    Type(Child<TextBox>("txtPrestige"), "1500\t");
    InDialog({"", "POLAND", "1", "1", "2", "255"});
    InDialog({"", "FRANCE", "2", "2", "254", "255"});
    InDialog({"", "ENGLAND", "254", "254", "254", "255"});
    Do("cmdCheck");
    EXPECT_EQ(Message(), "Integrity Check|64|Integrity Check Passed");
    // A title of five characters loses its ".cam"; a shorter one stays whole.
    Dialogs.Files = {Path("x.cam"), Path("x.cam"), Path("a.b"), Path("abcd")};
    Do("mnuFileSave");
    Do("mnuFileOpen");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - x,intro,1500,U.S.A,#000 POLAND|#001 FRANCE|#002 ENGLAND|,,"
                       "10011,-1,0");
    Do("mnuFileSave");
    EXPECT_TRUE(Window.windowTitle() == "Ironvale Campaign Editor - a.b" && Doc.Saved() && !Doc.Changed());
    EXPECT_TRUE(Bytes(Path("x.cam")).size() == 31944 && Bytes(Path("x.cam")) == Bytes(Path("a.b")));
    Do("mnuFileSave");
    EXPECT_EQ(Window.windowTitle().toStdString(), "Ironvale Campaign Editor - abcd");
    // The name is not stored in the file, so any character of the title stays.
    Dialogs.Files = {Path(QStringLiteral("\u03a9mega.cam")), std::nullopt};
    Do("mnuFileSave");
    Do("mnuFileSave");
    EXPECT_EQ(Dialogs.FileDialogs.back().Request.FileName, QStringLiteral("\u03a9mega.cam"));
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("Ironvale Campaign Editor - \u03a9mega"));
}

// New, Open, Exit and a close through the frame, each after each kind of
// edit: No goes on, Yes only after a completed save.
TEST_F(CampaignWindowTest, TheSaveQuestionGuardsEveryWayOut)
{
    int intRun = 0;
    const std::function<void()> Edits[] = {
        [&] { Type(Child<TextBox>("txtDescription"), QStringLiteral("d%1").arg(intRun)); },
        [&] { QTest::keyClick(Child("cmbNation"), Doc.Nation() < 3 ? Qt::Key_Down : Qt::Key_Up); },
        [&] { Type(Child<TextBox>("txtPrestige"), QStringLiteral("%1\t").arg(intRun)); }, [&] { InDialog(); }};
    for (; intRun < 16; ++intRun) {
        const QString strCommand = QString("mnuFileNew mnuFileOpen mnuFileExit close").split(' ')[intRun / 4];
        const QString strAnswer = QString("No refused cancelled saved").split(' ')[intRun % 4];
        SCOPED_TRACE((strCommand + ' ' + strAnswer).toStdString());
        InDialog({"", "s", "254", "254", "254", "255"}); // a scenario that ends the campaign
        Doc.Scenarios(0).SetResultScenario(0, 254);
        // Nothing to ask about after a completed save and the refill it makes.
        Dialogs = ScriptedDialogs();
        Dialogs.Files = {Path("q.cam"), {}, strAnswer == "saved" ? std::optional(Path("q.cam")) : std::nullopt, {}};
        Do("mnuFileSave");
        Do("mnuFileOpen");
        Doc.Scenarios(0).SetResultScenario(0, strAnswer == "refused" ? 49 : 254);
        Edits[(intRun + intRun / 4) % 4]();
        const QByteArray Edited = FileOf(Doc);
        Dialogs.Answers = {strAnswer == "No" ? MsgBoxAnswer::No : MsgBoxAnswer::Yes};
        strCommand == "close" ? void(Window.close()) : Child<QAction>(strCommand)->trigger();
        // New empties the document, Open shows its file dialog, Exit and close hide the window.
        const bool blnNew = Doc.ScenarioCount() == 0 && !Doc.Changed();
        const bool blnOpen = Dialogs.FileDialogs.size() > 2 && !Dialogs.FileDialogs.back().Save;
        EXPECT_EQ(blnNew || blnOpen || Window.isHidden(), strAnswer == "No" || strAnswer == "saved");
        EXPECT_EQ(Message(true), " Open Campaign|36|Do you want to save the current campaign?");
        EXPECT_EQ(Bytes(Path("q.cam")) == Edited, strAnswer == "saved");
        EXPECT_EQ(Child<ListBox>("lstError")->ListCount(), strAnswer == "refused" ? 1 : 0);
    }
}

// Each save fails against a real campaign file, which keeps every byte; no
// temporary stays behind, and the window and the document are as they were.
TEST_F(CampaignWindowTest, SavesUnderFaultsKeepTheOldFileAndLoseNothing)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    Type(Child<TextBox>("txtDescription"), "mine");
    const QByteArray Old = FileOf(Doc).replace("mine.txt", "old.txt");
    PrepareFaultFolder(Dir.path(), Old);
    QDir(Dir.path()).mkpath("moving");
    Bytes(Path("moving/old.cam"), Old);
    std::vector<SaveFault> Faults = SaveFaults();
    // Only the window has a dialog open while the disk may change.
    const std::string strMoved = "folder removed while the dialog was open";
    Faults.push_back({strMoved.c_str(), "moving/old.cam", "moving/old.cam", [] {}, nullptr});
    for (const SaveFault& Fault : Faults) {
        SCOPED_TRACE(Fault.strCase);
        const std::string strBefore = State();
        Dialogs.Files = {Path(Fault.strTarget)};
        Dialogs.WhileFileDialogOpen = [&](const RecordedFileDialog&) {
            if (Fault.strCase == strMoved) {
                QDir(Dir.path()).rename("moving", "moved");
            }
        };
        const std::string strMessage = "Save Campaign|48|The campaign could not be saved as " +
                                       Path(Fault.strTarget).toStdString() + ":\r";
        EXPECT_TRUE(InChild(Fault.Setup, [&] {
            Child<QAction>("mnuFileSave")->trigger();
            QDir(Dir.path()).rename("moved", "moving");
            const bool blnReason = Fault.strReason == nullptr || Message().find(Fault.strReason) != std::string::npos;
            return Message().rfind(strMessage, 0) == 0 && blnReason && State() == strBefore;
        }));
        EXPECT_EQ(Bytes(Path(Fault.strOldFile)), Old);
        for (const char* strFolder : {".", "locked", "folder.cam", "moving"}) {
            EXPECT_EQ(QDir(Path(strFolder)).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                      std::string(strFolder[0] == 'f' ? "" : "old.cam"));
        }
    }
}

// An Open that fails changes neither the window, the document, its name and
// flags, nor the check list.
TEST_F(CampaignWindowTest, AFailedOpenLosesNothing)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    Type(Child<TextBox>("txtDescription"), "mine");
    Bytes(Path("short.cam"), FileOf(Doc).left(1000));
    Bytes(Path("sixty.cam"), QByteArray(1, 60) + FileOf(Doc).mid(1));
    Doc.Scenarios(0).SetResultScenario(0, 9);
    Window.Update(0);
    Do("cmdCheck");
    const std::string strBefore = State();
    for (const auto& [strFile, strReason] :
         {std::pair<QString, std::string>("gone.cam", "No such file or directory"),
          {"short.cam", "The file ends at byte 1000, but a campaign file has 31944 bytes."},
          {"sixty.cam", "The file claims 60 scenarios, but a campaign holds at most 50."}}) {
        Dialogs.Answers = {MsgBoxAnswer::No};
        Dialogs.Files = {Path(strFile)};
        Do("mnuFileOpen");
        EXPECT_TRUE(State() == strBefore && QGuiApplication::overrideCursor() == nullptr);
        EXPECT_EQ(Message(), "Open Campaign|48|The campaign " + Path(strFile).toStdString() +
                                 " could not be opened:\r" + strReason + "\rThe current campaign is unchanged.");
    }
    // A complete read replaces the campaign and empties the check list; Clear stays on.
    Bytes(Path("whole.cam"), FileOf(Doc));
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {Path("whole.cam")};
    Do("mnuFileOpen");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - whole,mine,0,Germany,#000 s|,,10011,-1,0");
}

TEST_F(CampaignWindowTest, AddChangeRemoveRemoveAllCheckAndClear)
{
    const std::string strNew = "Ironvale Campaign Editor - New,new,0,Germany,";
    InDialog({"", "a"});
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
    // What is wrong stays listed until Clear.
    const std::string strWrong =
        strNew + ",Victory Scenario (254) not referenced|Defeat Scenario (255) not referenced|,10001,-1,10";
    Do("cmdCheck");
    EXPECT_EQ(Message() + '|' + Shown(), "Integrity Check|48|Integrity Check Failed|" + strWrong);
    Do("cmdClear");
    EXPECT_EQ(Shown(), strNew + ",,10000,-1,10");
    Do("mnuFileSave");
    EXPECT_EQ(Message() + '|' + Shown(), "Save Campaign|48|Integrity Check Failed. Save Operation Aborted|" + strWrong);
}

TEST_F(CampaignWindowTest, TheZeroOfAnEmptiedStartingPrestigeGivesWayAndStoresZero)
{
    TextBox* pBox = Child<TextBox>("txtPrestige");
    Type(pBox, "1500\t");
    pBox->setFocus();
    QTest::keyClick(pBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pBox, Qt::Key_Delete);
    EXPECT_EQ(pBox->Text(), "0");
    QTest::keyClicks(pBox, "2500");
    EXPECT_EQ(pBox->Text(), "2500");
    QTest::keyClick(pBox, Qt::Key_End);
    for (int intI = 0; intI < 4; ++intI) {
        QTest::keyClick(pBox, Qt::Key_Backspace);
    }
    QTest::keyClicks(pBox, "12");
    EXPECT_EQ(pBox->Text(), "12");
    EXPECT_EQ(Doc.Prestige(), 1500);
    // Left empty, the box stores 0.
    QTest::keyClick(pBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pBox, Qt::Key_Backspace);
    QTest::keyClick(pBox, Qt::Key_Tab);
    EXPECT_EQ(Doc.Prestige(), 0);
    EXPECT_TRUE(Dialogs.MsgBoxes.empty());
}

// A menu command and the window's frame leave the focus in the box: the
// starting prestige typed there counts as if the box had been left.
TEST_F(CampaignWindowTest, AStartingPrestigeStillBeingTypedCountsForEveryFileCommand)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    int intPrestige = 1500;
    for (const QString strCommand : {"mnuFileSave", "mnuFileNew", "mnuFileOpen", "mnuFileExit", "close"}) {
        SCOPED_TRACE(strCommand.toStdString());
        ++intPrestige;
        if (Doc.ScenarioCount() == 0) {
            InDialog({"", "s", "254", "254", "254", "255"});
        }
        Dialogs = ScriptedDialogs();
        Dialogs.Files = {Path("before.cam")};
        Do("mnuFileSave");
        Reactivate();
        Type(Child<TextBox>("txtPrestige"), QString::number(intPrestige));
        // The question comes up, and a Yes saves what was typed.
        Dialogs.Answers = {MsgBoxAnswer::Yes};
        Dialogs.Files = {Path(strCommand + ".cam"), std::nullopt};
        strCommand == "close" ? void(Window.close()) : Child<QAction>(strCommand)->trigger();
        EXPECT_EQ(Dialogs.MsgBoxes.size(), strCommand == "mnuFileSave" ? 0U : 1U);
        const QByteArray Saved = Bytes(Path(strCommand + ".cam"));
        ASSERT_EQ(Saved.size(), 31944);
        EXPECT_EQ(static_cast<uchar>(Saved.at(2)) + 256 * static_cast<uchar>(Saved.at(3)), intPrestige);
        EXPECT_EQ(Window.isHidden(), strCommand == "mnuFileExit" || strCommand == "close");
        Reactivate();
    }
}

TEST_F(CampaignWindowTest, ALineLeftUnselectedTurnsChangeAndRemoveOff)
{
    InDialog({"", "a"});
    InDialog({"", "b"});
    const QPoint Line = List()->visualItemRect(List()->item(1)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Line);
    EXPECT_TRUE(Child("cmdChange")->isEnabled() && Child("cmdRemove")->isEnabled());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, Line);
    EXPECT_EQ(List()->ListIndex(), -1);
    EXPECT_FALSE(Child("cmdChange")->isEnabled() || Child("cmdRemove")->isEnabled());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Line);
    QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(List()->ListIndex(), -1);
    EXPECT_FALSE(Child("cmdChange")->isEnabled() || Child("cmdRemove")->isEnabled());
    // A double click below the lines then opens nothing.
    const QPoint Below(2, List()->viewport()->height() - 2);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Below);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Below);
    EXPECT_TRUE(Dialog.isHidden());
}

// A folder that refuses the temporary file of a safe save still takes the
// bytes of a campaign file in it that may be written; without such a file
// nothing is created, and the message says so.
TEST_F(CampaignWindowTest, AFolderWithoutWritePermissionStillTakesAWritableCampaignFile)
{
    InDialog({"", "s", "254", "254", "254", "255"});
    QDir(Dir.path()).mkpath("locked");
    QFile::setPermissions(Dir.path(), QFile::permissions(Dir.path()) | QFile::ExeOther | QFile::ReadOther);
    Bytes(Path("locked/mine.cam"), "an older campaign");
    const auto AllMay = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther;
    QFile::setPermissions(Path("locked/mine.cam"), AllMay);
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    Dialogs.Files = {Path("locked/mine.cam"), Path("locked/new.cam")};
    EXPECT_TRUE(InChild(BecomeNobody, [&] {
        Child<QAction>("mnuFileSave")->trigger();
        const bool blnSaved =
            Dialogs.MsgBoxes.empty() && Doc.Saved() && Window.windowTitle() == "Ironvale Campaign Editor - mine";
        Child<QAction>("mnuFileSave")->trigger();
        const std::string strFailed =
            "Save Campaign|48|The campaign could not be saved as " + Path("locked/new.cam").toStdString() + ":\r";
        return blnSaved && Message().rfind(strFailed, 0) == 0 &&
               Message().substr(Message().rfind('\r')) == "\rNo file was created.";
    }));
    EXPECT_EQ(Bytes(Path("locked/mine.cam")), FileOf(Doc));
    EXPECT_FALSE(QFile::exists(Path("locked/new.cam")));
    QFile::setPermissions(Path("locked"), QFile::permissions(Dir.path()));
}

TEST_F(CampaignWindowTest, ChangeByDoubleClickAndCancelLeaveEverythingAsItWas)
{
    InDialog({"", "a"});
    InDialog({"", "b"});
    Doc.SetChanged(false);
    List()->setCurrentRow(1);
    const std::string strBefore = State();
    InDialog({"", "changed"}, false, "cmdChange");
    EXPECT_EQ(State(), strBefore);
    // A double click on a line opens that scenario, as Change does.
    QString strOpened;
    QTimer::singleShot(0, &Dialog, [&] {
        strOpened = Dialog.windowTitle();
        Type(Child<TextBox>("txtScenario"), "zz");
        QTest::mouseClick(Child("cmdOK"), Qt::LeftButton);
        Dialog.hide();
    });
    // The first click of a double click is a click of its own, as on a desktop.
    const QPoint Line = List()->visualItemRect(List()->item(0)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Line);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Line);
    Reactivate();
    EXPECT_EQ(strOpened, "Scenario Data - a");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,new,0,Germany,#000 zz|#001 b|,,11110,0,10");
}

// The dialog's Paste reaches the campaign through OK only, and under the
// number of the scenario it was pasted into.
TEST_F(CampaignWindowTest, APastedScenarioIsStoredUnderTheCurrentNumberOnOkOnly)
{
    InDialog({"", "a", "254", "255", "1", "0"});
    InDialog({"", "b"});
    List()->setCurrentRow(0);
    QTimer::singleShot(0, &Dialog, [&] {
        QTest::mouseClick(Child("cmdCopy"), Qt::LeftButton);
        QTest::mouseClick(Child("cmdCancel"), Qt::LeftButton);
        Dialog.hide();
    });
    Do("cmdChange");
    const clsScenario Copied = Doc.Scenarios(0);
    for (const bool blnOK : {false, true}) {
        List()->setCurrentRow(1);
        QTimer::singleShot(0, &Dialog, [&] {
            QTest::mouseClick(Child("cmdPaste"), Qt::LeftButton);
            QTest::mouseClick(Child(blnOK ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
            Dialog.hide();
        });
        Do("cmdChange");
        clsScenario Expected = Copied;
        Expected.SetNumber(1);
        if (!blnOK) {
            Expected.Clear();
            Expected.SetNumber(1);
            Expected.SetName("b");
        }
        EXPECT_EQ(Doc.Scenarios(1), Expected);
    }
    EXPECT_EQ(Doc.Scenarios(0), Copied);
}

TEST_F(CampaignWindowTest, NewOpenCancelAndRemoveAllTreatHeaderAndCheckListAsTheyShould)
{
    Type(Child<TextBox>("txtDescription"), "mine");
    Type(Child<TextBox>("txtPrestige"), "77\t");
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    InDialog({"", "a"});
    Do("cmdRemoveAll");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,mine,77,U.K,,,10000,-1,10");
    Do("cmdCheck");
    const std::string strChecked = State();
    // A cancelled Open keeps title, flags and the check list.
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {std::nullopt};
    Do("mnuFileOpen");
    EXPECT_EQ(State(), strChecked);
    // New empties the check list and resets title and header; Clear stays on.
    Dialogs.Answers = {MsgBoxAnswer::No};
    Do("mnuFileNew");
    EXPECT_EQ(Shown(), "Ironvale Campaign Editor - New,new,0,Germany,,,10001,-1,0");
}

TEST_F(CampaignWindowTest, AnEmptyDescriptionFromTheDocumentWarnsOnce)
{
    Doc.SetDescription("");
    Window.Update(-1);
    Window.Update(-1);
    EXPECT_EQ(Dialogs.MsgBoxes.size(), 1U);
    EXPECT_EQ(Message(), "Campaign Editor|48|Invalid Description \rDescriptione is reset to its previous value");
    EXPECT_EQ(Child<TextBox>("txtDescription")->Text(), "");
    EXPECT_EQ(Doc.Description(), "");
    Type(Child<TextBox>("txtDescription"), "x");
    EXPECT_EQ(Doc.Description(), "x");
}

TEST_F(CampaignWindowTest, AboutShowsTheProgramsOwnIdentity)
{
    QStringList strShown;
    QTimer::singleShot(0, &Window, [&] {
        QWidget* pBox = QApplication::activeModalWidget();
        ASSERT_NE(pBox, nullptr);
        strShown << pBox->windowTitle();
        for (const char* strName : {"lblTitle", "lblVersion"}) {
            strShown << pBox->findChild<QLabel*>(strName)->text();
        }
        QTest::keyClick(pBox, Qt::Key_Escape);
    });
    Do("mnuHelpAbout");
    EXPECT_EQ(strShown.join('|'), "About Ironvale Campaign Editor|Ironvale Campaign Editor|"
                                  "Version 0.2.0 (Last Update: 04 Jan 1999)");
}

// Main shows a new campaign and returns once Exit hides the window.
TEST(MainTest, RunsUntilExit)
{
    ScriptedDialogs Dialogs;
    QTimer::singleShot(0, [] {
        for (QWidget* pTop : QApplication::topLevelWidgets()) {
            if (auto* pWindow = qobject_cast<frmCampaign*>(pTop)) {
                EXPECT_EQ(pWindow->windowTitle().toStdString(), "Ironvale Campaign Editor - New");
                pWindow->findChild<QAction*>("mnuFileExit")->trigger();
            }
        }
    });
    EXPECT_EQ(Main(Dialogs), 0);
}

// Start-up gives the windows the layout font, and the message boxes and
// file dialogs they open still the desktop's.
TEST(MainTest, BoxesAndFileDialogsKeepTheDesktopFont)
{
    const QString strDesktop = QApplication::font().toString();
    QtUserDialogs Dialogs;
    QStringList strFonts;
    const auto RecordModal = [&strFonts] {
        QTimer::singleShot(0, [&strFonts] {
            QWidget* pModal = QApplication::activeModalWidget();
            ASSERT_NE(pModal, nullptr);
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
                const QFont Shown = pWindow->findChild<TextBox*>("txtDescription")->font();
                strFonts << QString::number(Shown.pixelSize());
                RecordModal();
                pWindow->findChild<QPushButton*>("cmdCheck")->click();
                RecordModal();
                pWindow->findChild<QAction*>("mnuFileOpen")->trigger();
                pWindow->findChild<QAction*>("mnuFileExit")->trigger();
            }
        }
    });
    EXPECT_EQ(Main(Dialogs), 0);
    EXPECT_EQ(strFonts, QStringList({"11", strDesktop, strDesktop}));
}

} // namespace
