#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/clsCampaign.h"

#include <QCommandLineParser>

#include <memory>

namespace {

QString Destination(const CampaignGraph& Graph, int32_t lngGoTo)
{
    switch (Graph.TargetOf(lngGoTo)) {
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

void WriteScenario(QIODevice& Out, const CampaignGraph& Graph, const clsScenario& Scenario)
{
    WriteLine(Out, QString());
    WriteLine(Out, QStringLiteral("Scenario %1").arg(Scenario.Number()));
    WriteLine(Out, Field(QStringLiteral("Name"), NameOrNone(Scenario.Name())));
    WriteLine(Out, Field(QStringLiteral("Movie"), NameOrNone(Scenario.Movie())));
    WriteLine(Out, Field(QStringLiteral("Voice"), NameOrNone(Scenario.Voice())));
    WriteLine(Out, Field(QStringLiteral("Text"), NameOrNone(Scenario.Text())));
    WriteLine(Out, Field(QStringLiteral("Prestige"), QString::number(Scenario.Prestige())));
    WriteLine(Out, Field(QStringLiteral("Values"), QStringLiteral("%1, %2, %3")
                                                       .arg(Scenario.FirstUnknown())
                                                       .arg(Scenario.SecondUnknown())
                                                       .arg(Scenario.ThirdUnknown())));
    for (int16_t intJ = 0; intJ < clsScenario::OutcomeCount; ++intJ) {
        QString strOutcome = Destination(Graph, Scenario.ResultScenario(intJ)) +
                             QStringLiteral(", prestige %1").arg(Scenario.ResultPrestige(intJ));
        QStringList Names;
        for (const auto& [pLabel, strName] : {std::pair{"text", &Scenario.ResultText(intJ)},
                                              std::pair{"voice", &Scenario.ResultVoice(intJ)},
                                              std::pair{"movie", &Scenario.ResultMovie(intJ)}}) {
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
    const auto Campaign = std::make_unique<clsCampaign>();
    QByteArray File;
    if (!LoadCampaign(strFile, Io, *Campaign, &File)) {
        return ExitStatus::Trouble;
    }
    const CampaignGraph Graph(*Campaign);
    WriteLine(Io.Out, QStringLiteral("Description: %1").arg(shownText(Campaign->Description())));
    WriteLine(Io.Out, QStringLiteral("Nation:      %1").arg(NationName(*Campaign, File)));
    WriteLine(Io.Out, QStringLiteral("Prestige:    %1").arg(Campaign->Prestige()));
    WriteLine(Io.Out, QStringLiteral("Scenarios:   %1").arg(Campaign->ScenarioCount()));
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        if (Graph.Used(intI)) {
            WriteScenario(Io.Out, Graph, Campaign->Scenarios(intI));
        }
    }
    return ExitStatus::Clean;
}
