#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

namespace {

QString Destination(const CampaignGraph& graph, int32_t lngGoTo)
{
    switch (graph.TargetOf(lngGoTo)) {
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

QString Field(const QString& strLabel, const QString& strValue)
{
    return QStringLiteral("  %1 %2").arg(strLabel + QLatin1Char(':'), -19).arg(strValue);
}

QString NameOrNone(const std::string& strName)
{
    return strName.empty() ? QStringLiteral("(none)") : shownText(strName);
}

void WriteScenario(QIODevice& Out, const CampaignGraph& graph, const Scenario& scenario)
{
    WriteLine(Out, QString());
    WriteLine(Out, QStringLiteral("Scenario %1").arg(scenario.Number()));
    WriteLine(Out, Field(QStringLiteral("Name"), NameOrNone(scenario.Name())));
    WriteLine(Out, Field(QStringLiteral("Movie"), NameOrNone(scenario.Movie())));
    WriteLine(Out, Field(QStringLiteral("Voice"), NameOrNone(scenario.Voice())));
    WriteLine(Out, Field(QStringLiteral("Text"), NameOrNone(scenario.Text())));
    WriteLine(Out, Field(QStringLiteral("Prestige"), QString::number(scenario.Prestige())));
    WriteLine(Out, Field(QStringLiteral("Values"), QStringLiteral("%1, %2, %3")
                                                       .arg(scenario.FirstUnknown())
                                                       .arg(scenario.SecondUnknown())
                                                       .arg(scenario.ThirdUnknown())));
    for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
        QString strOutcome = Destination(graph, scenario.ResultScenario(intJ)) +
                             QStringLiteral(", prestige %1").arg(scenario.ResultPrestige(intJ));
        QStringList Names;
        for (const auto& [pLabel, strName] : {std::pair{"text", &scenario.ResultText(intJ)},
                                              std::pair{"voice", &scenario.ResultVoice(intJ)},
                                              std::pair{"movie", &scenario.ResultMovie(intJ)}}) {
            if (!strName->empty()) {
                Names << QLatin1String(pLabel) + QLatin1Char(' ') + shownText(*strName);
            }
        }
        if (!Names.isEmpty()) {
            strOutcome += QStringLiteral(" (%1)").arg(Names.join(QStringLiteral(", ")));
        }
        WriteLine(Out, Field(QLatin1String(OutcomeName(intJ)), strOutcome));
    }
}

} // namespace

// show FILE: the header and every used scenario with its outcomes, for a
// person to read.
int RunShow(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Prints a campaign for a person: its description, nation and starting prestige, then each\n"
        "scenario with its names, values and the four outcomes with where each leads.\n"
        "Exit status: 0 shown, 2 the file could not be read."));
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int intStatus = ParseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const std::filesystem::path strFile = pathFromArgument(Parser.positionalArguments().constFirst());
    const auto campaign = std::make_unique<Campaign>();
    QByteArray File;
    if (!LoadCampaign(strFile, Io, *campaign, &File)) {
        return ExitStatus::Trouble;
    }
    const CampaignGraph graph(*campaign);
    WriteLine(Io.Out, QStringLiteral("Description: %1").arg(shownText(campaign->Description())));
    WriteLine(Io.Out, QStringLiteral("Nation:      %1").arg(NationName(*campaign, File)));
    WriteLine(Io.Out, QStringLiteral("Prestige:    %1").arg(campaign->Prestige()));
    WriteLine(Io.Out, QStringLiteral("Scenarios:   %1").arg(campaign->ScenarioCount()));
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        if (graph.Used(intI)) {
            WriteScenario(Io.Out, graph, campaign->Scenarios(intI));
        }
    }
    return ExitStatus::Clean;
}
