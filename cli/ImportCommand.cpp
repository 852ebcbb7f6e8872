#include "cli/CampaignJson.h"
#include "cli/Command.h"
#include "cli/Names.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

// import JSON -o FILE [--no-check]: the campaign file the JSON describes.
// Writes nothing unless every step before the write has passed.
int runImport(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the campaign file that JSON from 'ironvale-cam export' describes: its fields as the editor\n"
        "saves them, with its unread runs laid over them. Refuses, naming the place, JSON that does not\n"
        "describe a campaign the file can keep (a key given twice among them), and, unless --no-check, a\n"
        "campaign that fails the integrity check; then nothing is written.\n"
        "Exit status: 0 written, 1 the campaign failed the integrity check, 2 the JSON could not be read\n"
        "or was refused, or the file could not be written."));
    // The usage line shows -o, which the command needs.
    parser.addPositionalArgument(QStringLiteral("JSON"), QStringLiteral("The JSON text; - for standard input."),
                                 QStringLiteral("JSON -o FILE"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral(
                                              "The campaign file to write (replaced in one step); - for standard "
                                              "output."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption noCheck(QStringLiteral("no-check"),
                                     QStringLiteral("Write the campaign even when it fails the integrity check."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Write the campaign to standard output even when it is a terminal."));
    parser.addOption(outputOption);
    parser.addOption(noCheck);
    parser.addOption(force);
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one JSON file"));
    }
    if (!parser.isSet(outputOption)) {
        return usageError(io, arguments.value(0), QStringLiteral("no campaign file to write: give -o FILE"));
    }
    const std::filesystem::path jsonText = pathFromText(parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromText(parser.value(outputOption));
    if (outputIsInput(jsonText, output, io) || binaryToTerminal(output, parser.isSet(force), io)) {
        return ExitStatus::Trouble;
    }
    const QString name = displayName(jsonText);
    QByteArray json;
    if (const QString reason = readWholeInput(jsonText, io, json); !reason.isEmpty()) {
        writeDiagnostic(io.err, QStringLiteral("%1: cannot be read: %2").arg(name, reason));
        return ExitStatus::Trouble;
    }
    const auto campaign = std::make_unique<Campaign>();
    QByteArray file;
    if (const QString reason = readCampaignJson(json, *campaign, file); !reason.isEmpty()) {
        writeDiagnostic(io.err, QStringLiteral("%1: %2").arg(name, terminalText(reason)));
        return ExitStatus::Trouble;
    }
    if (!parser.isSet(noCheck)) {
        const int16_t count = campaign->check();
        for (int16_t i = 0; i < count; ++i) {
            writeDiagnostic(io.err, name + QStringLiteral(": ") + QString::fromLatin1(campaign->errors(i)));
        }
        if (count > 0) {
            writeDiagnostic(io.err, QStringLiteral("nothing written: the campaign fails the integrity check "
                                                   "(--no-check writes it anyway)."));
            return ExitStatus::Findings;
        }
    }
    return writeOutput(output, file, io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
