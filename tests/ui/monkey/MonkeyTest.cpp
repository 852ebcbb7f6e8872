#include "tests/ui/monkey/Monkey.h"
#include "tests/ui/monkey/MonkeyModel.h"

#include "data/clsCampaign.h"
#include "ui/main/frmCampaign.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {

int FromEnvironment(const char* strName, int intDefault)
{
    const char* strValue = std::getenv(strName);
    return strValue != nullptr && *strValue != '\0' ? std::atoi(strValue) : intDefault;
}

// What a crash leaves to go on: the seed under way and how to replay it.
char strUnderWay[160] = "";

void OnCrash(int intSignal)
{
    (void)!write(STDERR_FILENO, strUnderWay, std::strlen(strUnderWay));
    std::signal(intSignal, SIG_DFL);
    std::raise(intSignal);
}

std::string Listing(const std::vector<Action>& Steps)
{
    std::string strOut;
    for (const std::string& strLine : DescribeAll(Steps)) {
        strOut += "    R\"(" + strLine + ")\",\n";
    }
    return strOut;
}

// Replays a script and says which promise it broke, if any.
std::string Replay(const std::vector<std::string>& strLines)
{
    Monkey Run(ParseScript(strLines));
    return Run.Run(0) ? std::string() : Run.Failure() + " (after action " + std::to_string(Run.FailedAt()) + ")";
}

// IRONVALE_MONKEY_SEED (first seed, 1), IRONVALE_MONKEY_RUNS (seeds, 6, or 1
// when a seed is given) and IRONVALE_MONKEY_ACTIONS (per seed, 1500).
TEST(Monkey, RandomActionsKeepEveryPromise)
{
    const bool blnSeedGiven = std::getenv("IRONVALE_MONKEY_SEED") != nullptr;
    const int intFirst = FromEnvironment("IRONVALE_MONKEY_SEED", 1);
    const int intRuns = FromEnvironment("IRONVALE_MONKEY_RUNS", blnSeedGiven ? 1 : 6);
    const int intActions = FromEnvironment("IRONVALE_MONKEY_ACTIONS", 1500);
    std::signal(SIGABRT, OnCrash);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer reports a bad access itself, and then aborts.
    std::signal(SIGSEGV, OnCrash);
#endif
    long long lngTotal = 0;
    Monkey::Tally Tally;
    const auto Start = std::chrono::steady_clock::now();
    for (int intSeed = intFirst; intSeed < intFirst + intRuns; ++intSeed) {
        std::snprintf(strUnderWay, sizeof strUnderWay,
                      "\nmonkey: crashed during seed %d; replay with IRONVALE_MONKEY_SEED=%d IRONVALE_MONKEY_ACTIONS=%d\n",
                      intSeed, intSeed, intActions);
        std::vector<Action> Full;
        std::string strFailure;
        int intFailedAt = 0;
        {
            Monkey Run(static_cast<uint64_t>(intSeed));
            const bool blnHeld = Run.Run(intActions);
            Tally.Saved += Run.Done().Saved;
            Tally.Opened += Run.Done().Opened;
            Tally.Stored += Run.Done().Stored;
            Tally.Restarts += Run.Done().Restarts;
            lngTotal += blnHeld ? intActions : Run.FailedAt();
            if (blnHeld) {
                continue;
            }
            Full = Run.Actions();
            strFailure = Run.Failure();
            intFailedAt = Run.FailedAt();
        }
        // Shrinking replays with windows of its own, once the run's are gone.
        const std::vector<Action> Shorter =
            Shrink(Full, strFailure, FromEnvironment("IRONVALE_MONKEY_SHRINK_SECONDS", 60));
        const std::string strReport =
            "seed " + std::to_string(intSeed) + ": " + strFailure + "\nafter action " + std::to_string(intFailedAt) +
            "; replay with IRONVALE_MONKEY_SEED=" + std::to_string(intSeed) +
            " IRONVALE_MONKEY_ACTIONS=" + std::to_string(intFailedAt) + "\nshortest script found (" +
            std::to_string(Shorter.size()) + " actions):\n" + Listing(Shorter) + "full script:\n" +
            (Full.size() <= 300 ? Listing(Full)
                                : Listing({Full.end() - 100, Full.end()}) + "    (last 100 of " +
                                      std::to_string(Full.size()) + ")\n");
        ADD_FAILURE() << strReport;
    }
    const double dblSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::cout << "monkey: " << lngTotal << " actions in " << dblSeconds << " s ("
              << static_cast<long long>(lngTotal / std::max(dblSeconds, 1e-9)) << " actions/s), seeds " << intFirst
              << ".." << intFirst + intRuns - 1 << "\n"
              << "monkey: " << Tally.Saved << " files saved, " << Tally.Opened << " opened, " << Tally.Stored
              << " scenarios stored by OK, " << Tally.Restarts << " restarts after Exit" << std::endl;
    strUnderWay[0] = '\0';
}

// IRONVALE_MONKEY_SCRIPT names a file of action lines (as a failure prints
// them, with or without the R"(...)" around each) to replay.
TEST(Monkey, ReplaysTheScriptInTheEnvironment)
{
    const char* strPath = std::getenv("IRONVALE_MONKEY_SCRIPT");
    if (strPath == nullptr) {
        GTEST_SKIP() << "IRONVALE_MONKEY_SCRIPT is not set";
    }
    std::ifstream File(strPath);
    std::vector<std::string> strLines;
    for (std::string strLine; std::getline(File, strLine);) {
        const auto intOpen = strLine.find("R\"(");
        const auto intClose = strLine.rfind(")\"");
        if (intOpen != std::string::npos && intClose != std::string::npos && intClose > intOpen) {
            strLine = strLine.substr(intOpen + 3, intClose - intOpen - 3);
        }
        if (strLine.find_first_not_of(' ') != std::string::npos) {
            strLines.push_back(strLine.substr(strLine.find_first_not_of(' ')));
        }
    }
    EXPECT_EQ(Replay(strLines), "");
}

TEST(MonkeyScript, LinesReadBackAsTheActionsTheyDescribe)
{
    const std::vector<std::string> strLines{
        R"(key - 0x1001003 C "\x01")", R"(key txtNumber Backspace - "\x08")", R"(key - Q CA "@")",
        R"(key - 0x1ffffff G "\u20ac")", R"(click lstScenario 7 C)", R"(dblclick lstScenario 2)",
        R"(paste menu "a\"b\\c\u00e9")", R"(menu mnuFileOpen keys answer=Y files=gen:trunc:a.cam:42,cancel)",
        R"(close answer=N files=path:folder.cam,path:missing/x.cam)", R"(menu mnuFileSave trigger)",
        R"(> click cmdOK 3 -)"};
    EXPECT_EQ(DescribeAll(ParseScript(strLines)), strLines);
    EXPECT_THROW((void)ParseAction("jump cmdAdd"), std::invalid_argument);
    EXPECT_THROW((void)ParseScript({"> key - A - \"a\""}), std::invalid_argument);
}

TEST(MonkeyModel, AnEditPassesOnlyWithinFilterAndLimit)
{
    const BoxRule Name = *RuleOf("txtResultVoice2");
    const BoxRule GoTo = *RuleOf("txtResultScenario0");
    EXPECT_TRUE(EditAllowed("abc", "abXc", Name, {}));
    EXPECT_FALSE(EditAllowed("abc", "ab.c", Name, {}));
    EXPECT_FALSE(EditAllowed("abcdefgh", "abcdefghi", Name, {}));
    // A name loaded longer than the limit may lose characters, not gain them.
    EXPECT_TRUE(EditAllowed("A.B-CDEFGHIJK", "A.B-CDEFGHJK", Name, {}));
    EXPECT_TRUE(EditAllowed("A.B-CDEFGHIJK", "A.x", Name, {}));
    EXPECT_FALSE(EditAllowed("A.B-CDEFGHIJK", "A.B-CDEFGHIJKx", Name, {}));
    EXPECT_TRUE(EditAllowed("12", "", GoTo, {}));
    EXPECT_FALSE(EditAllowed("25", "254a", GoTo, {}));
    EXPECT_FALSE(EditAllowed("254", "2545", GoTo, {}));
    // Undo may bring back a text the box held since it was last assigned.
    EXPECT_TRUE(EditAllowed("", "300", GoTo, {"300", "30"}));
    EXPECT_TRUE(GoTo.InRange(254) && !GoTo.InRange(253) && !RuleOf("txtNumber")->InRange(50));
    EXPECT_FALSE(RuleOf("cmdOK").has_value());
}

TEST(MonkeyModel, GeneratedFilesOpenAsTheirKindPromises)
{
    for (const char* strKind : {"valid", "foreign", "goto", "long", "trunc", "count"}) {
        SCOPED_TRACE(strKind);
        const GeneratedFile File = GenerateFile(strKind, 11);
        const bool blnOpens = std::string(strKind) != "trunc" && std::string(strKind) != "count";
        EXPECT_EQ(File.Opens.has_value(), blnOpens);
        EXPECT_EQ(File.Bytes.size() == 31944, std::string(strKind) != "long" && std::string(strKind) != "trunc");
    }
    // Most valid files pass the check, so that saving them gets tried.
    int intPassing = 0;
    for (uint32_t lngSeed = 0; lngSeed < 40; ++lngSeed) {
        intPassing += GenerateFile("valid", lngSeed).Opens->PassesCheck() ? 1 : 0;
    }
    EXPECT_GE(intPassing, 20);
}

// The checks themselves: each catches the fault it is there for.
TEST(MonkeyChecks, EachCheckCatchesWhatItGuards)
{
    {
        Monkey Run(std::vector<Action>{});
        EXPECT_TRUE(Run.CheckNow()) << Run.Failure();
        Run.Document().Scenarios(3).SetNumber(4);
        EXPECT_FALSE(Run.CheckNow());
        EXPECT_EQ(Run.Failure(), "slot 3 holds scenario number 4 (or a free record not cleared)");
    }
    {
        Monkey Run(std::vector<Action>{});
        Run.Document().Scenarios(0).SetNumber(0);
        EXPECT_FALSE(Run.CheckNow());
        EXPECT_EQ(Run.Failure(), "the scenario list has 0 lines for 1 scenarios");
        Run.Window().Update(0);
        EXPECT_TRUE(Run.CheckNow()) << Run.Failure();
        Run.Window().Update(-1);
        Run.Window().findChild<QPushButton*>("cmdChange")->setEnabled(true);
        EXPECT_FALSE(Run.CheckNow());
        EXPECT_EQ(Run.Failure(), "Change and Remove are on/off while no line is selected");
    }
    {
        Monkey Run(std::vector<Action>{});
        QFile Stray(QDir(Run.Folder()).filePath("stray.tmp"));
        ASSERT_TRUE(Stray.open(QIODevice::WriteOnly));
        Stray.close();
        EXPECT_FALSE(Run.CheckNow());
        EXPECT_EQ(Run.Failure(), "the file stray.tmp was created or changed");
    }
    // A question the script has no answer for is a dialog nobody expected.
    EXPECT_EQ(Replay({R"(click txtDescription 5 -)", R"(key - A - "a")", R"(menu mnuFileNew trigger)"})
                  .rfind("the scripted dialogs report: unscripted question: Do you want to save", 0),
              0U);
}

// The seed of a generated valid campaign with scenarios that passes the
// check, so that saving it is tried.
std::string SaveableFile(const char* strName)
{
    uint32_t lngSeed = 0;
    while (GenerateFile("valid", lngSeed).Opens->UsedSlots() == 0 || !GenerateFile("valid", lngSeed).Opens->PassesCheck()) {
        ++lngSeed;
    }
    return std::string("gen:valid:") + strName + ':' + std::to_string(lngSeed);
}

// Scripts of faults found and fixed; each must run clean.
TEST(MonkeyRegression, KeysWithAltGrCtrlAltOrMetaMeetFilterAndLimit)
{
    EXPECT_EQ(Replay({R"(click txtDescription 5 -)", R"(key - . G ".")", R"(key - Q CA "@")", R"(key - 0x1ffffff G "\u20ac")",
                      R"(key - X M "x")", R"(key - 5 SG "5")", R"(key - 6 CA "6")", R"(key - 7 M "7")",
                      R"(key - 8 G "8")", R"(key - 9 G "9")", R"(click cmdAdd 5 -)", R"(> click txtResultScenario0 5 -)",
                      R"(> key - 2 G "2")", R"(> key - 5 CA "5")", R"(> key - 4 M "4")", R"(> key - 4 G "4")",
                      R"(> key - - G "-")", R"(> click cmdOK 5 -)"}),
              "");
}

TEST(MonkeyRegression, AnEmptiedNumberBoxShowsASelectedZero)
{
    EXPECT_EQ(Replay({R"(click txtPrestige 5 -)", R"(key - A C "\x01")", R"(key - Backspace - "\x08")", R"(key - 7 - "7")",
                      R"(click cmdAdd 5 -)", R"(> click txtFirstUnknown 5 -)", R"(> key - Backspace - "\x08")",
                      R"(> key - 3 - "3")", R"(> click txtNumber 5 -)", R"(> key - A C "\x01")", R"(> key - X C "\x18")",
                      R"(> click cmdCancel 5 -)"}),
              "");
}

TEST(MonkeyRegression, APrestigeStillBeingTypedCountsForEveryFileCommand)
{
    const std::string strOpen = "menu mnuFileOpen trigger answer=N files=" + SaveableFile("a.cam");
    for (const char* strCommand : {"menu mnuFileNew trigger answer=N", "menu mnuFileOpen keys answer=Y files=cancel",
                                   "menu mnuFileExit trigger answer=N", "close answer=Y files=cancel",
                                   "menu mnuFileSave trigger files=path:b.cam"}) {
        SCOPED_TRACE(strCommand);
        EXPECT_EQ(Replay({strOpen, R"(click txtPrestige 5 -)", R"(key - A C "\x01")", R"(key - 7 - "7")", strCommand}), "");
    }
}

TEST(MonkeyRegression, CtrlClickOnTheSelectedLineTurnsChangeAndRemoveOff)
{
    EXPECT_EQ(Replay({"menu mnuFileOpen trigger answer=N files=" + SaveableFile("a.cam"), R"(click lstScenario 0 -)",
                      R"(click lstScenario 0 C)", R"(click cmdChange 5 -)", R"(click lstScenario 0 C)"}),
              "");
}

// Bites only when not run as root: root may write into any folder.
TEST(MonkeyRegression, AWritableFileInALockedFolderIsSavedDirectly)
{
    const std::string strOpen = "menu mnuFileOpen trigger answer=N files=" + SaveableFile("a.cam");
    EXPECT_EQ(Replay({strOpen, "menu mnuFileSave trigger files=path:locked/held.cam",
                      "menu mnuFileSave trigger files=path:locked/new.cam"}),
              "");
}

// A value from a file that a box's check refuses warns while the box is
// filled with it, as the windows promise: a go-to of 99 when the scenario
// dialog opens on it, an empty description when the file opens. The monkey
// once took these warnings for ones that no edit had caused.
TEST(MonkeyRegression, AGoToFromAFileThatTheBoxRefusesWarnsWhenTheDialogOpens)
{
    EXPECT_EQ(Replay({R"(menu mnuFileOpen trigger answer=Y files=gen:goto:x.y.cam:111143,gen:valid:b.cam:220709)",
                      R"(click lstScenario 51 C)", R"(dblclick lstScenario 3)"}),
              "");
}

TEST(MonkeyRegression, AnEmptyDescriptionFromAFileWarnsWhenTheFileOpens)
{
    EXPECT_EQ(Replay({R"(menu mnuFileOpen trigger answer=N files=gen:foreign:a.cam:75)"}), "");
}

} // namespace
