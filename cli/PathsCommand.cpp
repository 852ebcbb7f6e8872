#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignPaths.h"
#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>
#include <optional>

namespace {

using Count = CampaignPaths::Count;

constexpr Count TwoToThe64 = Count(1) << 64;

// Routes as a decimal number up to 2^64, words beyond it.
QString routesText(const std::optional<Count>& routes)
{
    if (!routes) {
        return QStringLiteral("unbounded");
    }
    if (*routes > TwoToThe64) {
        return QStringLiteral("more than 2^64");
    }
    QString digits;
    Count rest = *routes;
    do {
        digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(rest % 10))));
        rest /= 10;
    } while (rest > 0);
    return digits;
}

template <typename Number>
QString range(Number least, const std::optional<Number>& most)
{
    if (most && *most == least) {
        return QString::number(least);
    }
    return QString::number(least) + QStringLiteral("..") +
           (most ? QString::number(*most) : QStringLiteral("unbounded"));
}

QString scenarios(const std::vector<int>& members)
{
    QStringList numbers;
    for (int member : members) {
        numbers << QString::number(member);
    }
    return numbers.join(QStringLiteral(", "));
}

QString cycles(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    QStringList cycles;
    for (int cycle : reach.cyclesOnTheWay) {
        cycles << scenarios(paths.cycles()[static_cast<std::size_t>(cycle)]);
    }
    return cycles.isEmpty() ? QString()
                            : QStringLiteral(" (cycle: scenarios %1)").arg(cycles.join(QStringLiteral("; ")));
}

QString summary(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    if (!reach.reached) {
        return QStringLiteral("not reached");
    }
    return QStringLiteral("%1 %2, ").arg(routesText(reach.routes), reach.routes == Count(1)
                                                                       ? QStringLiteral("route")
                                                                       : QStringLiteral("routes")) +
           balanceText(reach) + cycles(paths, reach);
}

void writeText(QIODevice& out, const Campaign& campaign, const CampaignPaths& paths)
{
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (campaign.scenarios(i).number() >= 0) {
            writeLine(out, QStringLiteral("Scenario %1 %2: %3")
                               .arg(i)
                               .arg(shownText(campaign.scenarios(i).name()), summary(paths, paths.scenario(i))));
        }
    }
    writeLine(out, QStringLiteral("Campaign victory: ") + summary(paths, paths.victory()));
    writeLine(out, QStringLiteral("Campaign loss: ") + summary(paths, paths.loss()));
}

template <typename Number>
QString jsonNumber(const std::optional<Number>& value)
{
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString jsonReach(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    if (!reach.reached) {
        return QStringLiteral("\"reached\": false");
    }
    QStringList cycles;
    for (int cycle : reach.cyclesOnTheWay) {
        cycles << QLatin1Char('[') + scenarios(paths.cycles()[static_cast<std::size_t>(cycle)]) + QLatin1Char(']');
    }
    const QString routes = !reach.routes                ? QStringLiteral("null")
                           : *reach.routes > TwoToThe64 ? QStringLiteral("\"more than 2^64\"")
                                                        : routesText(reach.routes);
    return QStringLiteral("\"reached\": true, \"routes\": %1, \"fewestBattles\": %2, \"mostBattles\": %3, "
                          "\"leastPrestige\": %4, \"mostPrestige\": %5, \"cycles\": [%6]")
        .arg(routes, QString::number(reach.fewestBattles), jsonNumber(reach.mostBattles),
             QString::number(reach.leastPrestige), jsonNumber(reach.mostPrestige), cycles.join(QStringLiteral(", ")));
}

// A fixed key order, an object per line: a script reads it, a person can diff it.
void writeJson(QIODevice& out, const Campaign& campaign, const CampaignPaths& paths)
{
    writeLine(out, QStringLiteral("{"));
    writeLine(out, QStringLiteral("  \"prestige\": %1,").arg(campaign.prestige()));
    writeLine(out, QStringLiteral("  \"scenarios\": ["));
    QStringList lines;
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (campaign.scenarios(i).number() >= 0) {
            lines << QStringLiteral("    {\"slot\": %1, %2}").arg(i).arg(jsonReach(paths, paths.scenario(i)));
        }
    }
    if (!lines.isEmpty()) {
        writeLine(out, lines.join(QStringLiteral(",\n")));
    }
    writeLine(out, QStringLiteral("  ],"));
    writeLine(out, QStringLiteral("  \"victory\": {%1},").arg(jsonReach(paths, paths.victory())));
    writeLine(out, QStringLiteral("  \"loss\": {%1}").arg(jsonReach(paths, paths.loss())));
    writeLine(out, QStringLiteral("}"));
}

} // namespace

QString balanceText(const CampaignPaths::Reach& reach)
{
    return QStringLiteral("battles %1, prestige %2")
        .arg(range(reach.fewestBattles, reach.mostBattles), range(reach.leastPrestige, reach.mostPrestige));
}

// paths FILE: for balancing, the battles and prestige on every road from
// scenario 0 to each scenario and to either end.
int runPaths(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Follows every route a player can take from scenario 0, by the outcomes' go-to values and prestige.\n"
        "For each scenario: the fewest and most battles fought before it, and the least and most prestige\n"
        "held on arrival (the starting prestige plus what the outcomes on the way grant). For campaign\n"
        "victory and loss: the number of routes, their battles and the prestige at the end. Where a cycle\n"
        "can be entered on the way, the most is unbounded and the cycle's scenarios are named.\n"
        "Exit status: 0 shown, 2 the file could not be read."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print the same as JSON, for scripts."));
    parser.addOption(json);
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const auto campaign = std::make_unique<Campaign>();
    if (!loadCampaign(pathFromText(parser.positionalArguments().constFirst()), io, *campaign)) {
        return ExitStatus::Trouble;
    }
    const CampaignPaths paths(*campaign);
    if (parser.isSet(json)) {
        writeJson(io.out, *campaign, paths);
    } else {
        writeText(io.out, *campaign, paths);
    }
    return ExitStatus::Clean;
}
