#include "tests/cli/CamTestSupport.h"

#include "storage/CampaignStorage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace CamTest;

namespace {

const Layout Sound{{0, {1, 1, 254, 255}}, {1, {254, 254, 255, 255}}};
// A looping scenario, a go-to to a free slot and one no slot holds.
const Layout Broken{{0, {0, 0, 0, 0}}, {1, {7, 254, 300, 255}}};

// "PATH: message" for each message the editor's check gives the layout.
QStringList CheckLines(const QString& strPath, const Layout& Scenarios)
{
    const auto Campaign = CampaignOf(Scenarios);
    QStringList Lines;
    for (int16_t intI = 0, intCount = Campaign->Check(); intI < intCount; ++intI) {
        Lines << strPath + QStringLiteral(": ") + QString::fromStdString(Campaign->Errors(intI));
    }
    return Lines;
}

QString Write(const QTemporaryDir& Dir, const QString& strName, const QByteArray& Bytes)
{
    QFile File(Dir.filePath(strName));
    EXPECT_TRUE(File.open(QIODevice::WriteOnly));
    EXPECT_EQ(File.write(Bytes), Bytes.size());
    return File.fileName();
}

QString Line(const QString& strPath, const char* strMessage)
{
    return strPath + QStringLiteral(": ") + QLatin1String(strMessage);
}

} // namespace

// Arguments in the order given; folders walked into sub-folders, *.cam
// only, in name order; a file named outright is read whatever its name.
TEST(CheckCommand, ReportsEveryCampaignOfFilesAndFoldersAsTheCheckWordsIt)
{
    QTemporaryDir Dir;
    const QString strSound = SaveLayout(Dir, QStringLiteral("b/sound.cam"), Sound);
    const QString strBroken = SaveLayout(Dir, QStringLiteral("b/a/broken.cam"), Broken);
    const QString strLater = SaveLayout(Dir, QStringLiteral("b/c.cam"), Sound);
    static_cast<void>(SaveLayout(Dir, QStringLiteral("b/skipped.txt"), Broken));
    const QString strLoose = SaveLayout(Dir, QStringLiteral("loose.bin"), Broken);

    const ToolRun Result = InProcess({QStringLiteral("check"), Dir.filePath(QStringLiteral("b")), strLoose});
    const QStringList BrokenLines = CheckLines(strBroken, Broken);
    ASSERT_EQ(BrokenLines.size(), 3);
    EXPECT_EQ(BrokenLines[0], Line(strBroken, "Scenario 0 is looping"));
    EXPECT_EQ(Result.OutLines(),
              (BrokenLines + QStringList{Line(strLater, "ok"), Line(strSound, "ok")} + CheckLines(strLoose, Broken)));
    EXPECT_EQ(Result.Status, 1);
    EXPECT_EQ(Result.Err, "");
}

// One line on standard error for each file that cannot be read, and the
// files after it are still checked; trouble outranks findings either way.
TEST(CheckCommand, UnreadableFileGetsOneLineAndTheRunGoesOn)
{
    QTemporaryDir Dir;
    const QByteArray Short = CampaignBytes(*CampaignOf(Sound)).left(100);
    const QString strShort = Write(Dir, QStringLiteral("short.cam"), Short);
    const QString strGone = Dir.filePath(QStringLiteral("gone.cam"));
    const QString strBroken = SaveLayout(Dir, QStringLiteral("broken.cam"), Broken);
    const auto Scratch = CampaignOf({});
    const QString strShortReason = ReadCampaignBytes(Short, *Scratch);
    ASSERT_FALSE(strShortReason.isEmpty());

    for (const QStringList& Files : {QStringList{strShort, strGone, strBroken}, QStringList{strBroken, strGone}}) {
        const ToolRun Result = InProcess(QStringList{QStringLiteral("check")} + Files);
        EXPECT_EQ(Result.Status, 2);
        EXPECT_EQ(Result.OutLines(), CheckLines(strBroken, Broken));
        const QStringList Errors = QString::fromUtf8(Result.Err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(Errors.size(), Files.size() - 1);
        EXPECT_TRUE(Errors.constLast().startsWith("ironvale-cam: " + strGone + QStringLiteral(": cannot be read: ")))
            << Result.Err.data();
        if (Files.size() == 3) {
            EXPECT_EQ(Errors[0], "ironvale-cam: " + strShort + QStringLiteral(": cannot be read: ") + strShortReason);
        }
    }
}

// The real program: statuses, results on standard output only, messages on
// standard error only, and "-" for standard input.
TEST(CheckCommand, ProgramKeepsItsStatusesAndStreams)
{
    QTemporaryDir Dir;
    const QString strSound = SaveLayout(Dir, QStringLiteral("sound.cam"), Sound);
    const QString strBroken = SaveLayout(Dir, QStringLiteral("broken.cam"), Broken);
    const QString strGone = Dir.filePath(QStringLiteral("gone.cam"));

    const ToolRun Clean = Program({QStringLiteral("check"), strSound});
    EXPECT_EQ(Clean.Status, 0);
    EXPECT_EQ(Clean.Out, (strSound + QStringLiteral(": ok\n")).toUtf8());
    EXPECT_EQ(Clean.Err, "");

    const ToolRun Findings = Program({QStringLiteral("check"), strSound, strBroken});
    EXPECT_EQ(Findings.Status, 1);
    EXPECT_EQ(Findings.OutLines(), QStringList{Line(strSound, "ok")} + CheckLines(strBroken, Broken));
    EXPECT_EQ(Findings.Err, "");

    const ToolRun Trouble = Program({QStringLiteral("check"), strGone, strSound});
    EXPECT_EQ(Trouble.Status, 2);
    EXPECT_EQ(Trouble.OutLines(), QStringList{Line(strSound, "ok")});
    EXPECT_TRUE(Trouble.Err.startsWith(("ironvale-cam: " + strGone + QStringLiteral(": cannot be read: ")).toUtf8()));

    const ToolRun Stdin = Program({QStringLiteral("check"), QStringLiteral("-")}, CampaignBytes(*CampaignOf(Broken)));
    EXPECT_EQ(Stdin.Status, 1);
    EXPECT_EQ(Stdin.OutLines(), CheckLines(QStringLiteral("<stdin>"), Broken));
}

// Each file holds one finding of the graph; one run over the folder prints
// the check's messages first, then the warnings, file by file.
TEST(LintCommand, WarnsOfWhatTheCheckDoesNotSee)
{
    struct Case {
        const char* Name;
        Layout Scenarios;
        QStringList Lines;
    };
    const std::vector<Case> cases{
        {"1-sound", Sound, {QStringLiteral("ok")}},
        {"2-two-scenario-trap",
         {{0, {1, 254, 255, 255}}, {1, {2, 2, 2, 2}}, {2, {1, 1, 1, 1}}},
         {QStringLiteral("warning: scenarios 1, 2 are a trap: neither campaign victory nor campaign loss can be "
                         "reached from them")}},
        {"3-looping",
         {{0, {1, 254, 255, 255}}, {1, {1, 1, 1, 1}}},
         {QStringLiteral("Scenario 1 is looping"),
          QStringLiteral(
              "warning: scenario 1 is a trap: neither campaign victory nor campaign loss can be reached from it")}},
        {"4-unreachable",
         {{0, {254, 254, 255, 255}}, {1, {0, 0, 254, 255}}, {2, {1, 1, 1, 1}}},
         {QStringLiteral("warning: scenarios 1, 2 cannot be reached from scenario 0")}},
        {"5-victory-out-of-reach",
         {{0, {255, 255, 255, 255}}, {1, {254, 254, 254, 255}}},
         {QStringLiteral("warning: scenario 1 cannot be reached from scenario 0"),
          QStringLiteral("warning: campaign victory (254) is referenced but cannot be reached from scenario 0")}},
        {"6-loss-out-of-reach",
         {{0, {254, 254, 254, 254}}, {1, {0, 0, 0, 255}}},
         {QStringLiteral("warning: scenario 1 cannot be reached from scenario 0"),
          QStringLiteral("warning: campaign loss (255) is referenced but cannot be reached from scenario 0")}},
        {"7-odd-go-to",
         {{0, {300, 254, 255, 255}}},
         {QStringLiteral("Scenario 300 referenced but not found"),
          QStringLiteral("warning: scenario 0, Brilliant Victory: go-to 300 is outside 0..49, 254 and 255")}},
    };
    QTemporaryDir Dir;
    QStringList Expected;
    for (const Case& Each : cases) {
        const QString strPath = SaveLayout(Dir, QLatin1String(Each.Name) + QStringLiteral(".cam"), Each.Scenarios);
        for (const QString& strLine : Each.Lines) {
            Expected << strPath + QStringLiteral(": ") + strLine;
        }
    }
    const ToolRun Result = InProcess({QStringLiteral("lint"), Dir.path()});
    EXPECT_EQ(Result.OutLines(), Expected);
    EXPECT_EQ(Result.Status, 1);
    EXPECT_EQ(Result.Err, "");
}

// Warnings alone pass unless --strict; the check's messages and unreadable
// files count as in check either way.
TEST(LintCommand, WarningsFailOnlyWhenStrict)
{
    QTemporaryDir Dir;
    const QString strSound = SaveLayout(Dir, QStringLiteral("sound.cam"), Sound);
    const QString strWarned =
        SaveLayout(Dir, QStringLiteral("warned.cam"), {{0, {254, 254, 255, 255}}, {1, {0, 0, 0, 0}}});
    const QString strBroken = SaveLayout(Dir, QStringLiteral("broken.cam"), Broken);
    const QString strGone = Dir.filePath(QStringLiteral("gone.cam"));
    const QString strStrict = QStringLiteral("--strict");
    const std::vector<std::pair<QStringList, int>> cases{
        {{strSound}, 0},           {{strSound, strStrict}, 0},          {{strWarned}, 0},
        {{strStrict, strWarned}, 1}, {{strBroken}, 1},                    {{strBroken, strStrict}, 1},
        {{strGone, strWarned}, 2},   {{strWarned, strGone, strStrict}, 2},
    };
    for (const auto& [Arguments, intStatus] : cases) {
        const ToolRun Result = InProcess(QStringList{QStringLiteral("lint")} + Arguments);
        EXPECT_EQ(Result.Status, intStatus) << Arguments.join(' ').toStdString();
        EXPECT_EQ(Result.Err.isEmpty(), intStatus < 2) << Arguments.join(' ').toStdString();
    }
    const ToolRun Stdin = Program({QStringLiteral("lint"), QStringLiteral("--strict"), QStringLiteral("-")},
                              CampaignBytes(*CampaignOf({{0, {254, 254, 255, 255}}, {1, {0, 0, 0, 0}}})));
    EXPECT_EQ(Stdin.Status, 1);
    EXPECT_EQ(Stdin.OutLines(), (QStringList{QStringLiteral("<stdin>: warning: scenario 1 cannot be reached from "
                                                            "scenario 0")}));
    EXPECT_EQ(Stdin.Err, "");
}
