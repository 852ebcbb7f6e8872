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
    const auto q = [](const char* text) { return QString::fromUtf8(text); };
    const std::vector<Case> cases{
        {"missing command", {}, 2, {}, q("'ironvale-cam --help'")},
        {"unknown command", {q("frob")}, 2, {}, q("'frob' is not a command. See 'ironvale-cam --help'")},
        {"tool's help", {q("--help")}, 0, q("Usage: ironvale-cam COMMAND"), {}},
        {"help", {q("help")}, 0, q("Usage: ironvale-cam COMMAND"), {}},
        {"a command's help runs the command", {q("map"), q("--help")}, 0, q("Usage: ironvale-cam map [options] FILE"),
         {}},
        {"help of no command", {q("help"), q("frob")}, 2, {}, q("'frob' is not a command. See 'ironvale-cam --help'")},
        {"version", {q("--version")}, 0, q("ironvale-cam "), {}},
        {"import's usage line without -o", {q("import"), q("--help")}, 0,
         q("Usage: ironvale-cam import [options] JSON -o FILE\n"), {}},
        {"check without a file", {q("check")}, 2, {}, q("'ironvale-cam check --help'")},
        {"lint without a file", {q("lint"), q("--strict")}, 2, {}, q("'ironvale-cam lint --help'")},
        {"show of two files", {q("show"), campaign, campaign}, 2, {}, q("'ironvale-cam show --help'")},
        {"map without a file", {q("map"), q("-o"), written}, 2, {}, q("'ironvale-cam map --help'")},
        {"export without a file", {q("export")}, 2, {}, q("'ironvale-cam export --help'")},
        {"import without JSON", {q("import"), q("-o"), written}, 2, {}, q("'ironvale-cam import --help'")},
        {"import without -o", {q("import"), campaign}, 2, {}, q("give -o FILE")},
        {"unknown option", {q("map"), campaign, q("--check")}, 2, {}, q("'check'. See 'ironvale-cam map --help'")},
        {"empty file name", {q("check"), campaign, {}}, 2, {}, q("a file name is empty")},
        {"empty output name", {q("export"), campaign, q("-o"), {}}, 2, {}, q("a file name is empty")},
        {"folder to import", {q("import"), dir.path(), q("-o"), written}, 2, {},
         dir.path() + q(": cannot be read: it is a folder")},
        {"unknown format", {q("map"), campaign, q("--format"), q("jpeg")}, 2, {}, q("'jpeg' is no format")},
    };
    for (const Case& each : cases) {
        const ToolRun result = inProcess(each.arguments);
        EXPECT_EQ(result.status, each.status) << each.fault;
        EXPECT_TRUE(QString::fromUtf8(result.out).startsWith(each.out)) << each.fault << ": " << result.out.data();
        EXPECT_EQ(result.out.isEmpty(), each.out.isEmpty()) << each.fault;
        const QString err = QString::fromUtf8(result.err);
        EXPECT_TRUE(each.err.isEmpty() ? err.isEmpty()
                                       : err.startsWith(q("ironvale-cam: ")) && err.count(QLatin1Char('\n')) == 1 &&
                                             err.endsWith(QLatin1Char('\n')) && err.contains(each.err))
            << each.fault << ": " << result.err.data();
    }
    EXPECT_EQ(inProcess({QStringLiteral("help")}).out, inProcess({QStringLiteral("--help")}).out);
    EXPECT_EQ(inProcess({QStringLiteral("help"), QStringLiteral("map")}).out,
              inProcess({QStringLiteral("map"), QStringLiteral("--help")}).out);
    EXPECT_FALSE(QFileInfo::exists(written));
    // Each command that the tool's help lists says under its usage line what it does.
    const QString commands = QString::fromUtf8(inProcess({QStringLiteral("--help")}).out).section(q("Commands:\n"), 1);
    for (const QString& line : commands.section(q("\n\n"), 0, 0).split(QLatin1Char('\n'))) {
        const QString command = line.simplified().section(QLatin1Char(' '), 0, 0);
        const QStringList help = inProcess({QStringLiteral("help"), command}).outLines();
        EXPECT_FALSE(help.value(1).isEmpty()) << command.toStdString();
    }
}
