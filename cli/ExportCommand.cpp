#include "cli/CampaignJson.h"
#include "cli/Command.h"
#include "cli/Names.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

// export FILE [-o OUT]: the campaign as JSON, to standard output by default.
int runExport(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Writes the campaign file as JSON (UTF-8, a fixed key order, two-space indentation): the header, then\n"
        "each used slot with its number and every field of its record. In names each byte stands as the\n"
        "character of the same code. Bytes that no field carries, where they differ from what the editor\n"
        "writes, stand in 'unread' runs of a record or of the file (offset and hex). 'ironvale-cam import'\n"
        "turns the JSON back into the same campaign file, byte for byte.\n"
        "Exit status: 0 written, 2 the file could not be read or the JSON not written."));
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Campaign file; - for standard input."));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write the JSON to OUT (replaced in one step); - for standard output, "
                                                   "the default."),
                                    QStringLiteral("OUT"), QStringLiteral("-"));
    Parser.addOption(Output);
    if (const int intStatus = parseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const std::filesystem::path strFile = pathFromArgument(Parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromArgument(Parser.value(Output));
    if (outputIsInput(strFile, output, Io)) {
        return ExitStatus::Trouble;
    }
    const auto campaign = std::make_unique<Campaign>();
    QByteArray File;
    if (!loadCampaign(strFile, Io, *campaign, &File)) {
        return ExitStatus::Trouble;
    }
    return writeOutput(output, campaignJson(*campaign, File), Io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
