#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

namespace {

QString destination(const CampaignGraph& graph, int32_t goTo)
{
    switch (graph.targetOf(goTo)) {
    case CampaignGraph::Target::Victory:
        return QStringLiteral("campaign won");
    case CampaignGraph::Target::Loss:
        return QStringLiteral("campaign lost");
    case CampaignGraph::Target::Scenario:
        return QStringLiteral("scenario %1").arg(goTo);
    case CampaignGraph::Target::Missing:
        break;
    }
    return QStringLiteral("scenario %1 (not in the campaign)").arg(goTo);
}

QString field(const QString& label, const QString& value)
{
    return QStringLiteral("  %1 %2").arg(label + QLatin1Char(':'), -19).arg(value);
}

QString nameOrNone(const std::string& name)
{
    return name.empty() ? QStringLiteral("(none)") : shownText(name);
}

void writeScenario(QIODevice& out, const CampaignGraph& graph, const Scenario& scenario)
{
    writeLine(out, QString());
    writeLine(out, QStringLiteral("Scenario %1").arg(scenario.number()));
    writeLine(out, field(QStringLiteral("Name"), nameOrNone(scenario.name())));
    writeLine(out, field(QStringLiteral("Movie"), nameOrNone(scenario.movie())));
    writeLine(out, field(QStringLiteral("Voice"), nameOrNone(scenario.voice())));
    writeLine(out, field(QStringLiteral("Text"), nameOrNone(scenario.text())));
    writeLine(out, field(QStringLiteral("Prestige"), QString::number(scenario.prestige())));
    writeLine(out, field(QStringLiteral("Values"), QStringLiteral("%1, %2, %3")
                                                       .arg(scenario.firstUnknown())
                                                       .arg(scenario.secondUnknown())
                                                       .arg(scenario.thirdUnknown())));
    for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
        QString outcome = destination(graph, scenario.resultScenario(j)) +
                          QStringLiteral(", prestige %1").arg(scenario.resultPrestige(j));
        QStringList names;
        for (const auto& [label, nameText] :
             {std::pair{"text", &scenario.resultText(j)}, std::pair{"voice", &scenario.resultVoice(j)},
              std::pair{"movie", &scenario.resultMovie(j)}}) {
            if (!nameText->empty()) {
                names << QLatin1String(label) + QLatin1Char(' ') + shownText(*nameText);
            }
        }
        if (!names.isEmpty()) {
            outcome += QStringLiteral(" (%1)").arg(names.join(QStringLiteral(", ")));
        }
        writeLine(out, field(QLatin1String(outcomeName(j)), outcome));
    }
}

} // namespace

// show FILE: the header and every used scenario with its outcomes, for a
// person to read.
int runShow(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a campaign for a person: its description, nation and starting prestige, then each\n"
                       "scenario with its names, values and the four outcomes with where each leads.\n"
                       "Exit status: 0 shown, 2 the file could not be read."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const std::filesystem::path input = pathFromText(parser.positionalArguments().constFirst());
    const auto campaign = std::make_unique<Campaign>();
    QByteArray file;
    if (!loadCampaign(input, io, *campaign, &file)) {
        return ExitStatus::Trouble;
    }
    const CampaignGraph graph(*campaign);
    writeLine(io.out, QStringLiteral("Description: %1").arg(shownText(campaign->description())));
    writeLine(io.out, QStringLiteral("Nation:      %1").arg(nationName(*campaign, file)));
    writeLine(io.out, QStringLiteral("Prestige:    %1").arg(campaign->prestige()));
    writeLine(io.out, QStringLiteral("Scenarios:   %1").arg(campaign->scenarioCount()));
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (graph.used(i)) {
            writeScenario(io.out, graph, campaign->scenarios(i));
        }
    }
    return ExitStatus::Clean;
}
