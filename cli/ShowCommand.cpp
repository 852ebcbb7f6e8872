#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

namespace {

QString destination(const CampaignGraph& graph, int32_t lngGoTo)
{
    switch (graph.targetOf(lngGoTo)) {
    case CampaignGraph::Target::Victory:
        return QStringLiteral("campaign won");
    case CampaignGraph::Target::Loss:
        return QStringLiteral("campaign lost");
    case CampaignGraph::Target::Scenario:
        return QStringLiteral("scenario %1").arg(lngGoTo);
    case CampaignGraph::Target::Missing:
        break;
    }
    return QStringLiteral("scenario %1 (not in the campaign)").arg(lngGoTo);
}

QString field(const QString& strLabel, const QString& strValue)
{
    return QStringLiteral("  %1 %2").arg(strLabel + QLatin1Char(':'), -19).arg(strValue);
}

QString nameOrNone(const std::string& strName)
{
    return strName.empty() ? QStringLiteral("(none)") : shownText(strName);
}

void writeScenario(QIODevice& Out, const CampaignGraph& graph, const Scenario& scenario)
{
    writeLine(Out, QString());
    writeLine(Out, QStringLiteral("Scenario %1").arg(scenario.number()));
    writeLine(Out, field(QStringLiteral("Name"), nameOrNone(scenario.name())));
    writeLine(Out, field(QStringLiteral("Movie"), nameOrNone(scenario.movie())));
    writeLine(Out, field(QStringLiteral("Voice"), nameOrNone(scenario.voice())));
    writeLine(Out, field(QStringLiteral("Text"), nameOrNone(scenario.text())));
    writeLine(Out, field(QStringLiteral("Prestige"), QString::number(scenario.prestige())));
    writeLine(Out, field(QStringLiteral("Values"), QStringLiteral("%1, %2, %3")
                                                       .arg(scenario.firstUnknown())
                                                       .arg(scenario.secondUnknown())
                                                       .arg(scenario.thirdUnknown())));
    for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
        QString strOutcome = destination(graph, scenario.resultScenario(intJ)) +
                             QStringLiteral(", prestige %1").arg(scenario.resultPrestige(intJ));
        QStringList Names;
        for (const auto& [pLabel, strName] : {std::pair{"text", &scenario.resultText(intJ)},
                                              std::pair{"voice", &scenario.resultVoice(intJ)},
                                              std::pair{"movie", &scenario.resultMovie(intJ)}}) {
            if (!strName->empty()) {
                Names << QLatin1String(pLabel) + QLatin1Char(' ') + shownText(*strName);
            }
        }
        if (!Names.isEmpty()) {
            strOutcome += QStringLiteral(" (%1)").arg(Names.join(QStringLiteral(", ")));
        }
        writeLine(Out, field(QLatin1String(outcomeName(intJ)), strOutcome));
    }
}

} // namespace

// show FILE: the header and every used scenario with its outcomes, for a
// person to read.
int runShow(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Prints a campaign for a person: its description, nation and starting prestige, then each\n"
        "scenario with its names, values and the four outcomes with where each leads.\n"
        "Exit status: 0 shown, 2 the file could not be read."));
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int intStatus = parseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const std::filesystem::path strFile = pathFromArgument(Parser.positionalArguments().constFirst());
    const auto campaign = std::make_unique<Campaign>();
    QByteArray File;
    if (!loadCampaign(strFile, Io, *campaign, &File)) {
        return ExitStatus::Trouble;
    }
    const CampaignGraph graph(*campaign);
    writeLine(Io.Out, QStringLiteral("Description: %1").arg(shownText(campaign->description())));
    writeLine(Io.Out, QStringLiteral("Nation:      %1").arg(nationName(*campaign, File)));
    writeLine(Io.Out, QStringLiteral("Prestige:    %1").arg(campaign->prestige()));
    writeLine(Io.Out, QStringLiteral("Scenarios:   %1").arg(campaign->scenarioCount()));
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        if (graph.used(intI)) {
            writeScenario(Io.Out, graph, campaign->scenarios(intI));
        }
    }
    return ExitStatus::Clean;
}
