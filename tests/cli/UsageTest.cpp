#include "tests/cli/CamTestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace CamTest;

// Every way of calling the tool, right or wrong. Help and the version go to
// standard output with status 0, "help COMMAND" as "COMMAND --help" does; a
// mistake gets status 2 and one line on standard error that starts with
// "ironvale-cam: ", names what is wrong and, where a look at the help is
// what the user needs, points at it.
TEST(Usage, EveryCommandAnswersHelpAndMistakesAlike)
{
    QTemporaryDir dir;
    const QString campaign = saveCampaign(dir, QStringLiteral("a.cam"), *campaignOf({{0, {254, 254, 255, 255}}}));
    const QString written = dir.filePath(QStringLiteral("written.cam"));
    struct Case {
        const char* fault;
        QStringList arguments;
        int status;
        // The start of standard output; of the one line on standard error, a part.
        QString out;
        QString err;
    };
    const std::vector<Case> cases{
        {"missing command", {}, 2, {}, "'ironvale-cam --help'"},
        {"unknown command", {"frob"}, 2, {}, "'frob' is not a command. See 'ironvale-cam --help'"},
        {"tool's help", {"--help"}, 0, "Usage: ironvale-cam COMMAND", {}},
        {"help", {"help"}, 0, "Usage: ironvale-cam COMMAND", {}},
        {"a command's help runs the command", {"map", "--help"}, 0, "Usage: ironvale-cam map [options] FILE", {}},
        {"help of no command", {"help", "frob"}, 2, {}, "'frob' is not a command. See 'ironvale-cam --help'"},
        {"version", {"--version"}, 0, "ironvale-cam ", {}},
        {"import's usage line without -o", {"import", "--help"}, 0,
         "Usage: ironvale-cam import [options] JSON -o FILE\n", {}},
        {"check without a file", {"check"}, 2, {}, "'ironvale-cam check --help'"},
        {"lint without a file", {"lint", "--strict"}, 2, {}, "'ironvale-cam lint --help'"},
        {"show of two files", {"show", campaign, campaign}, 2, {}, "'ironvale-cam show --help'"},
        {"map without a file", {"map", "-o", written}, 2, {}, "'ironvale-cam map --help'"},
        {"export without a file", {"export"}, 2, {}, "'ironvale-cam export --help'"},
        {"import without JSON", {"import", "-o", written}, 2, {}, "'ironvale-cam import --help'"},
        {"import without -o", {"import", campaign}, 2, {}, "give -o FILE. See 'ironvale-cam import --help'"},
        {"unknown option", {"map", campaign, "--check"}, 2, {}, "'check'. See 'ironvale-cam map --help'"},
        {"empty file name", {"check", campaign, {}}, 2, {}, "a file name is empty"},
        {"empty output name", {"export", campaign, "-o", {}}, 2, {}, "a file name is empty"},
        {"folder to import", {"import", dir.path(), "-o", written}, 2, {},
         dir.path() + ": cannot be read: it is a folder"},
        {"unknown format", {"map", campaign, "--format", "jpeg"}, 2, {}, "'jpeg' is no format"},
    };
    for (const Case& each : cases) {
        const ToolRun result = inProcess(each.arguments);
        EXPECT_EQ(result.status, each.status) << each.fault;
        EXPECT_TRUE(QString::fromUtf8(result.out).startsWith(each.out)) << each.fault << ": " << result.out.data();
        EXPECT_EQ(result.out.isEmpty(), each.out.isEmpty()) << each.fault;
        const QString err = QString::fromUtf8(result.err);
        EXPECT_TRUE(each.err.isEmpty() ? err.isEmpty()
                                       : err.startsWith("ironvale-cam: ") && err.count(QLatin1Char('\n')) == 1 &&
                                             err.endsWith(QLatin1Char('\n')) && err.contains(each.err))
            << each.fault << ": " << result.err.data();
    }
    EXPECT_EQ(inProcess({"help"}).out, inProcess({"--help"}).out);
    EXPECT_EQ(inProcess({"help", "map"}).out, inProcess({"map", "--help"}).out);
    EXPECT_FALSE(QFileInfo::exists(written));
    // Each command that the tool's help lists ends its help well and says under its usage line what it does.
    const QString commands = QString::fromUtf8(inProcess({"--help"}).out).section("Commands:\n", 1);
    for (const QString& line : commands.section("\n\n", 0, 0).split(QLatin1Char('\n'))) {
        const QString command = line.simplified().section(QLatin1Char(' '), 0, 0);
        const ToolRun help = inProcess({"help", command});
        EXPECT_TRUE(help.status == 0 && !help.outLines().value(1).isEmpty()) << command.toStdString();
    }
}
