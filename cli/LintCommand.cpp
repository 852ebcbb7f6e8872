#include "cli/Command.h"

#include "data/CampaignGraph.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>

#include <vector>

namespace {

// "scenario 3" or "scenarios 3, 4, 5".
QString scenarios(const std::vector<int16_t>& numbers)
{
    QStringList parts;
    for (const int16_t i : numbers) {
        parts << QString::number(i);
    }
    return (numbers.size() == 1 ? QStringLiteral("scenario ") : QStringLiteral("scenarios ")) +
           parts.join(QStringLiteral(", "));
}

// What a designer should know beyond the integrity check, one line each.
QStringList warnings(const Campaign& campaign, const QByteArray& file)
{
    const CampaignGraph graph(campaign);
    QStringList lines;
    if (file.size() > CampaignFileSize) {
        lines << QStringLiteral("the file is longer than %1 bytes: the extra bytes are ignored by the game and dropped "
                                "by a save")
                     .arg(CampaignFileSize);
    }
    const QByteArray saved = campaignBytes(campaign);
    qsizetype unkept = 0;
    qsizetype first = 0;
    for (qsizetype at = 0; at < CampaignFileSize; ++at) {
        if (file.at(at) != saved.at(at) && unkept++ == 0) {
            first = at;
        }
    }
    if (unkept > 0) {
        lines << QStringLiteral("bytes the editor does not keep hold data (%1 of them, the first at offset %2): a save "
                                "from the editor would drop them")
                     .arg(unkept)
                     .arg(first);
    }
    if (!graph.unreachable().empty()) {
        lines << scenarios(graph.unreachable()) + QStringLiteral(" cannot be reached from scenario 0");
    }
    for (const std::vector<int16_t>& trap : graph.traps()) {
        lines << scenarios(trap) +
                     (trap.size() == 1
                          ? QStringLiteral(
                                " is a trap: neither campaign victory nor campaign loss can be reached from it")
                          : QStringLiteral(
                                " are a trap: neither campaign victory nor campaign loss can be reached from them"));
    }
    if (graph.victoryReferenced() && !graph.victoryReachable()) {
        lines << QStringLiteral("campaign victory (254) is referenced but cannot be reached from scenario 0");
    }
    if (graph.lossReferenced() && !graph.lossReachable()) {
        lines << QStringLiteral("campaign loss (255) is referenced but cannot be reached from scenario 0");
    }
    for (const CampaignGraph::OddGoTo& odd : graph.oddGoTos()) {
        lines << QStringLiteral("scenario %1, %2: go-to %3 is outside 0..49, 254 and 255")
                     .arg(odd.scenario)
                     .arg(QLatin1String(outcomeName(odd.outcome)))
                     .arg(odd.goTo);
    }
    return lines;
}

} // namespace

// lint FILE...: the check's messages, then the warnings of the campaign
// graph, each line "FILE: message" or "FILE: warning: message".
int runLint(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints what 'check' prints, then warnings on the campaign's paths, each 'FILE: warning: message':\n"
        "scenarios no path from scenario 0 reaches; traps, scenarios from which neither campaign victory\n"
        "(254) nor campaign loss (255) can be reached; victory or loss referenced but not reachable from\n"
        "scenario 0; go-to values outside 0..49, 254 and 255; a file longer than a campaign; bytes the\n"
        "editor does not keep (and a save drops) that hold data. A folder is searched for *.cam files.\n"
        "Exit status: 0 all passed, 1 a campaign failed the check (or has warnings, with --strict),\n"
        "2 a file could not be read, or a folder held no campaign file or could not be searched whole."));
    const QCommandLineOption strict(QStringLiteral("strict"), QStringLiteral("Count warnings as failures."));
    parser.addOption(strict);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Campaign files or folders; - for standard input."),
                                 QStringLiteral("FILE..."));
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().isEmpty()) {
        return usageError(io, arguments.value(0), QStringLiteral("no campaign file given"));
    }

    return checkEach(parser.positionalArguments(), io, warnings, parser.isSet(strict));
}
