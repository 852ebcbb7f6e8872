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
QString RoutesText(const std::optional<Count>& routes)
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

template<typename Number>
QString Range(Number least, const std::optional<Number>& most)
{
    if (most && *most == least) {
        return QString::number(least);
    }
    return QString::number(least) + QStringLiteral("..") +
           (most ? QString::number(*most) : QStringLiteral("unbounded"));
}

QString Scenarios(const std::vector<int>& members)
{
    QStringList numbers;
    for (int member : members) {
        numbers << QString::number(member);
    }
    return numbers.join(QStringLiteral(", "));
}

QString Cycles(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    QStringList cycles;
    for (int cycle : reach.cyclesOnTheWay) {
        cycles << Scenarios(paths.cycles()[static_cast<std::size_t>(cycle)]);
    }
    return cycles.isEmpty() ? QString() : QStringLiteral(" (cycle: scenarios %1)").arg(cycles.join(QStringLiteral("; ")));
}

QString Summary(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    if (!reach.reached) {
        return QStringLiteral("not reached");
    }
    return QStringLiteral("%1 %2, ")
               .arg(RoutesText(reach.routes), reach.routes == Count(1) ? QStringLiteral("route") : QStringLiteral("routes")) +
           balanceText(reach) + Cycles(paths, reach);
}

void WriteText(QIODevice& out, const Campaign& campaign, const CampaignPaths& paths)
{
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (campaign.Scenarios(i).Number() >= 0) {
            WriteLine(out, QStringLiteral("Scenario %1 %2: %3")
                               .arg(i)
                               .arg(shownText(campaign.Scenarios(i).Name()), Summary(paths, paths.scenario(i))));
        }
    }
    WriteLine(out, QStringLiteral("Campaign victory: ") + Summary(paths, paths.victory()));
    WriteLine(out, QStringLiteral("Campaign loss: ") + Summary(paths, paths.loss()));
}

template<typename Number>
QString JsonNumber(const std::optional<Number>& value)
{
    return value ? QString::number(*value) : QStringLiteral("null");
}

QString JsonReach(const CampaignPaths& paths, const CampaignPaths::Reach& reach)
{
    if (!reach.reached) {
        return QStringLiteral("\"reached\": false");
    }
    QStringList cycles;
    for (int cycle : reach.cyclesOnTheWay) {
        cycles << QLatin1Char('[') + Scenarios(paths.cycles()[static_cast<std::size_t>(cycle)]) + QLatin1Char(']');
    }
    const QString routes = !reach.routes             ? QStringLiteral("null")
                           : *reach.routes > TwoToThe64 ? QStringLiteral("\"more than 2^64\"")
                                                        : RoutesText(reach.routes);
    return QStringLiteral("\"reached\": true, \"routes\": %1, \"fewestBattles\": %2, \"mostBattles\": %3, "
                          "\"leastPrestige\": %4, \"mostPrestige\": %5, \"cycles\": [%6]")
        .arg(routes, QString::number(reach.fewestBattles), JsonNumber(reach.mostBattles),
             QString::number(reach.leastPrestige), JsonNumber(reach.mostPrestige), cycles.join(QStringLiteral(", ")));
}

// A fixed key order, an object per line: a script reads it, a person can diff it.
void WriteJson(QIODevice& out, const Campaign& campaign, const CampaignPaths& paths)
{
    WriteLine(out, QStringLiteral("{"));
    WriteLine(out, QStringLiteral("  \"prestige\": %1,").arg(campaign.Prestige()));
    WriteLine(out, QStringLiteral("  \"scenarios\": ["));
    QStringList lines;
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (campaign.Scenarios(i).Number() >= 0) {
            lines << QStringLiteral("    {\"slot\": %1, %2}").arg(i).arg(JsonReach(paths, paths.scenario(i)));
        }
    }
    if (!lines.isEmpty()) {
        WriteLine(out, lines.join(QStringLiteral(",\n")));
    }
    WriteLine(out, QStringLiteral("  ],"));
    WriteLine(out, QStringLiteral("  \"victory\": {%1},").arg(JsonReach(paths, paths.victory())));
    WriteLine(out, QStringLiteral("  \"loss\": {%1}").arg(JsonReach(paths, paths.loss())));
    WriteLine(out, QStringLiteral("}"));
}

} // namespace

QString balanceText(const CampaignPaths::Reach& reach)
{
    return QStringLiteral("battles %1, prestige %2")
        .arg(Range(reach.fewestBattles, reach.mostBattles), Range(reach.leastPrestige, reach.mostPrestige));
}

// paths FILE: for balancing, the battles and prestige on every road from
// scenario 0 to each scenario and to either end.
int RunPaths(const QStringList& Arguments, CommandStreams& Io)
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
    if (const int status = ParseArguments(parser, Arguments, Io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const auto campaign = std::make_unique<Campaign>();
    if (!LoadCampaign(pathFromArgument(parser.positionalArguments().constFirst()), Io, *campaign)) {
        return ExitStatus::Trouble;
    }
    const CampaignPaths paths(*campaign);
    if (parser.isSet(json)) {
        WriteJson(Io.Out, *campaign, paths);
    } else {
        WriteText(Io.Out, *campaign, paths);
    }
    return ExitStatus::Clean;
}
