#include "tests/ui/main/CampaignWindow.h"

#include <QDir>
#include <QGuiApplication>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST_F(CampaignWindowTest, OpensEditsSavesAndReopensByteForByte)
{
    clsCampaign Source;
    MakeChain(Source, 3);
    Source.SetNation(1);
    Source.SetPrestige(1200);
    Source.SetDescription("intro");
    WriteBytes(Path("CAMP01.CAM"), FileOf(Source));
    Dialogs.Files = {Path("CAMP01.CAM"), Path("out.cam"), Path("out.cam")};
    Menu("mnuFileOpen");
    EXPECT_EQ(State().mid(0, 5),
              QStringList({"Ironvale Campaign Editor - CAMP01", "intro", "1200", "U.K", "#000 s0|#001 s1|#002 s2"}));
    Type(Child<TextBox>("txtDescription"), QStringLiteral("briefing"));
    Menu("mnuFileSave");
    Source.SetDescription("briefing");
    EXPECT_EQ(Bytes(Path("out.cam")), FileOf(Source));
    EXPECT_TRUE(Doc.Saved() && !Doc.Changed());
    const QStringList strSaved = State();
    Menu("mnuFileOpen");
    EXPECT_EQ(State().mid(0, 7) + State().mid(9), strSaved.mid(0, 7) + strSaved.mid(9));
    EXPECT_TRUE(!Doc.Saved() && !Doc.Changed() && Dialogs.MsgBoxes.empty());
    const FileRequest &Open = Dialogs.FileDialogs[0].Request, &Save = Dialogs.FileDialogs[1].Request;
    EXPECT_EQ(QStringList({Open.Title, Open.Filter, Open.DefaultExt, Open.FileName, Save.Title, Save.FileName}),
              QStringList({"Open Campaign", "Campaign (*.cam)|*.cam", "cam", "", "Save As Campaign", "CAMP01.cam"}));
}

TEST_F(CampaignWindowTest, CampaignBuiltInTheWindowSurvivesTwoSaves)
{
    Type(Child<TextBox>("txtDescription"), QStringLiteral("intro"));
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    Leave("txtPrestige", QStringLiteral("1500"));
    AddScenario(QStringLiteral("POLAND"), {"1", "1", "2", "255"});
    AddScenario(QStringLiteral("FRANCE"), {"2", "2", "254", "255"});
    AddScenario(QStringLiteral("ENGLAND"), {"254", "254", "254", "255"});
    Click("cmdCheck");
    EXPECT_EQ(LastBox(), QStringLiteral("Integrity Check|64|Integrity Check Passed"));
    Dialogs.Files = {Path("one.cam"), Path("one.cam"), Path("two.cam")};
    Menu("mnuFileSave");
    Menu("mnuFileOpen");
    EXPECT_EQ(State().mid(1, 4), QStringList({"intro", "1500", "U.R.S.S", "#000 POLAND|#001 FRANCE|#002 ENGLAND"}));
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes(Path("one.cam")).size(), 31944);
    EXPECT_EQ(Bytes(Path("one.cam")), Bytes(Path("two.cam")));
    EXPECT_EQ(Bytes(Path("one.cam")).left(13), QByteArray("\x03\x00\xdc\x05ruwin.smk", 13));
    EXPECT_EQ(Dialogs.MsgBoxes.size(), 1U);
}

// New, Open, Exit and a close through the frame: No goes on, Yes only after a completed save.
TEST_F(CampaignWindowTest, TheSaveQuestionGuardsEveryWayOut)
{
    for (const std::string strCommand : {"mnuFileNew", "mnuFileOpen", "mnuFileExit", "close"}) {
        for (const std::string strAnswer : {"No", "refused", "cancelled", "saved"}) {
            SCOPED_TRACE(strCommand + " " + strAnswer);
            Doc.Clear();
            MakeChain(Doc, strAnswer == "refused" ? 0 : 1);
            Window.Update(-1);
            Window.show();
            Reactivate();
            Type(Child<TextBox>("txtDescription"), QStringLiteral("edited"));
            Dialogs.Answers = {strAnswer == "No" ? MsgBoxAnswer::No : MsgBoxAnswer::Yes};
            if (strAnswer == "cancelled" || strAnswer == "saved") {
                Dialogs.Files.push_back(strAnswer == "saved" ? std::optional(Path("q.cam")) : std::nullopt);
            }
            if (strCommand == "mnuFileOpen") {
                Dialogs.Files.push_back(std::nullopt);
            }
            strCommand == "close" ? void(Window.close()) : Child<QAction>(strCommand.c_str())->trigger();
            const bool blnWentOn = strCommand == "mnuFileNew"    ? Doc.Description() == "new"
                                   : strCommand == "mnuFileOpen" ? Dialogs.Files.empty()
                                                                 : !Window.isVisible();
            EXPECT_EQ(blnWentOn, strAnswer == "No" || strAnswer == "saved");
            EXPECT_EQ(Dialogs.MsgBoxes.at(0).Title + '|' + QString::number(Dialogs.MsgBoxes.at(0).Style) + '|' +
                          Dialogs.MsgBoxes.at(0).Prompt,
                      QStringLiteral(" Open Campaign|36|Do you want to save the current campaign?"));
            EXPECT_EQ(QFile::remove(Path("q.cam")), strAnswer == "saved");
            EXPECT_EQ(Lines("lstError").size(), strAnswer == "refused" ? 2 : 0);
            Dialogs.Files.clear();
            Dialogs.MsgBoxes.clear();
        }
    }
}

// Header edits count as edits after a save; refreshing the boxes and unchanged values do not.
TEST_F(CampaignWindowTest, HeaderEditsBringTheQuestionBack)
{
    Leave("txtPrestige", QStringLiteral("00"));
    EXPECT_FALSE(Doc.Changed());
    MakeChain(Doc, 1);
    Dialogs.Files = {Path("a.cam"), Path("a.cam"), Path("a.cam")};
    Menu("mnuFileSave");
    Menu("mnuFileOpen");
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    EXPECT_TRUE(Doc.Changed() && !Doc.Saved());
    Menu("mnuFileSave");
    Leave("txtPrestige", QStringLiteral("7"));
    EXPECT_TRUE(Doc.Prestige() == 7 && Doc.Changed() && !Doc.Saved());
}

TEST_F(CampaignWindowTest, AFailedOpenLosesNothing)
{
    MakeChain(Doc, 2);
    Doc.Scenarios(1).SetResultScenario(0, 9);
    Window.Update(1);
    Type(Child<TextBox>("txtDescription"), QStringLiteral("mine"));
    Click("cmdCheck");
    QByteArray Claims60 = FileOf(Doc);
    WriteBytes(Path("short.cam"), Claims60.left(1000));
    Claims60[0] = 60;
    WriteBytes(Path("sixty.cam"), Claims60);
    QDir(Dir.path()).mkdir("folder.cam");
    const std::pair<QString, QString> Cases[] = {
        {"gone.cam", "No such file or directory"},
        {"folder.cam", "directory"},
        {"short.cam", "The file ends at byte 1000, but a campaign file has 31944 bytes."},
        {"sixty.cam", "The file claims 60 scenarios, but a campaign holds at most 50."}};
    const QStringList strBefore = State();
    for (const auto& [strFile, strReason] : Cases) {
        Dialogs.Answers = {MsgBoxAnswer::No};
        Dialogs.Files = {Path(strFile)};
        Menu("mnuFileOpen");
        EXPECT_EQ(State(), strBefore);
        EXPECT_TRUE(LastBox().startsWith("Open Campaign|48|The campaign " + Path(strFile) + " could not be opened:" +
                                         CR()));
        EXPECT_TRUE(LastBox().contains(strReason, Qt::CaseInsensitive)) << LastBox().toStdString();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    // Bytes past a campaign's end are never read.
    WriteBytes(Path("long.cam"), FileOf(Doc) + "tail");
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {Path("long.cam")};
    Menu("mnuFileOpen");
    EXPECT_EQ(State().mid(4, 3), QStringList({"#000 s0|#001 s1", "", "long"}));
}

TEST_F(CampaignWindowTest, AFailedSaveLosesNothingAndLeavesNoTemporary)
{
    MakeChain(Doc, 2);
    Doc.SetChanged(true);
    Window.Update(-1);
    WriteBytes(Path("keep.cam"), "old campaign");
    QDir(Dir.path()).mkdir("folder.cam");
    const QStringList strFiles = QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QStringList strBefore = State();
    // A folder that vanished after it was chosen, a folder chosen as the file, a path below a file.
    for (const QString& strTarget : {Path("gone/x.cam"), Path("folder.cam"), Path("keep.cam/x.cam")}) {
        Dialogs.Files = {strTarget};
        Menu("mnuFileSave");
        EXPECT_EQ(State(), strBefore);
        EXPECT_TRUE(LastBox().startsWith("Save Campaign|48|The campaign could not be saved as " + strTarget + ":" +
                                         CR()))
            << LastBox().toStdString();
    }
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden), strFiles);
    EXPECT_EQ(Bytes(Path("keep.cam")), QByteArray("old campaign"));

    // A file-size limit stops the write part-way; a child process takes it.
    const pid_t Child = fork();
    if (Child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit Limit{10000, 10000};
        setrlimit(RLIMIT_FSIZE, &Limit);
        Dialogs.Files = {Path("keep.cam")};
        Window.findChild<QAction*>("mnuFileSave")->trigger();
        _exit(Bytes(Path("keep.cam")) == "old campaign" && State() == strBefore &&
                      QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden) == strFiles &&
                      LastBox().startsWith("Save Campaign|48|")
                  ? 0
                  : 1);
    }
    int intStatus = -1;
    ASSERT_EQ(waitpid(Child, &intStatus, 0), Child);
    EXPECT_TRUE(WIFEXITED(intStatus) && WEXITSTATUS(intStatus) == 0);
}

TEST_F(CampaignWindowTest, TheNameIsTheFileTitleLessItsExtensionButNeverEmpty)
{
    MakeChain(Doc, 1);
    for (const auto& [strFile, strName] : {std::pair("x.cam", "x"), {"a.b", "a.b"}, {"abcd", "abcd"}}) {
        Dialogs.Files = {Path(strFile)};
        Menu("mnuFileSave");
        EXPECT_EQ(Window.windowTitle(), QStringLiteral("Ironvale Campaign Editor - ") + strName);
    }
}

} // namespace
