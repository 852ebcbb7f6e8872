#include "cli/CampaignJson.h"
#include "cli/Command.h"
#include "cli/Names.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

// import JSON -o FILE [--no-check]: the campaign file the JSON describes.
// Writes nothing unless every step before the write has passed.
int runImport(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Writes the campaign file that JSON from 'ironvale-cam export' describes: its fields as the editor\n"
        "saves them, with its unread runs laid over them. Refuses, naming the place, JSON that does not\n"
        "describe a campaign the file can keep (a key given twice among them), and, unless --no-check, a\n"
        "campaign that fails the integrity check; then nothing is written.\n"
        "Exit status: 0 written, 1 the campaign failed the integrity check, 2 the JSON could not be read\n"
        "or was refused, or the file could not be written."));
    // The usage line shows -o, which the command needs.
    Parser.addPositionalArgument(QStringLiteral("JSON"), QStringLiteral("The JSON text; - for standard input."),
                                 QStringLiteral("JSON -o FILE"));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The campaign file to write (replaced in one step); - for standard "
                                                   "output."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption NoCheck(QStringLiteral("no-check"),
                                     QStringLiteral("Write the campaign even when it fails the integrity check."));
    const QCommandLineOption Force(QStringLiteral("force"),
                                   QStringLiteral("Write the campaign to standard output even when it is a terminal."));
    Parser.addOption(Output);
    Parser.addOption(NoCheck);
    Parser.addOption(Force);
    if (const int intStatus = parseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one JSON file"));
    }
    if (!Parser.isSet(Output)) {
        return usageError(Io, Arguments.value(0), QStringLiteral("no campaign file to write: give -o FILE"));
    }
    const std::filesystem::path strJson = pathFromArgument(Parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromArgument(Parser.value(Output));
    if (outputIsInput(strJson, output, Io) ||
        binaryToTerminal(output, Parser.isSet(Force), Io)) {
        return ExitStatus::Trouble;
    }
    const QString strName = displayName(strJson);
    QByteArray Json;
    if (const QString strReason = readWholeInput(strJson, Io, Json); !strReason.isEmpty()) {
        writeDiagnostic(Io.Err, QStringLiteral("%1: cannot be read: %2").arg(strName, strReason));
        return ExitStatus::Trouble;
    }
    const auto campaign = std::make_unique<Campaign>();
    QByteArray File;
    if (const QString strReason = readCampaignJson(Json, *campaign, File); !strReason.isEmpty()) {
        writeDiagnostic(Io.Err, QStringLiteral("%1: %2").arg(strName, terminalText(strReason)));
        return ExitStatus::Trouble;
    }
    if (!Parser.isSet(NoCheck)) {
        const int16_t intCount = campaign->check();
        for (int16_t intI = 0; intI < intCount; ++intI) {
            writeDiagnostic(Io.Err, strName + QStringLiteral(": ") + QString::fromLatin1(campaign->errors(intI)));
        }
        if (intCount > 0) {
            writeDiagnostic(Io.Err, QStringLiteral("nothing written: the campaign fails the integrity check "
                                                   "(--no-check writes it anyway)."));
            return ExitStatus::Findings;
        }
    }
    return writeOutput(output, File, Io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
