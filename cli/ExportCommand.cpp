#include "cli/CampaignJson.h"
#include "cli/Command.h"
#include "cli/Names.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <memory>

// export FILE [-o OUT]: the campaign as JSON, to standard output by default.
int runExport(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the campaign file as JSON (UTF-8, a fixed key order, two-space indentation): the header, then\n"
        "each used slot with its number and every field of its record. In names each byte stands as the\n"
        "character of the same code. Bytes that no field carries, where they differ from what the editor\n"
        "writes, stand in 'unread' runs of a record or of the file (offset and hex). 'ironvale-cam import'\n"
        "turns the JSON back into the same campaign file, byte for byte.\n"
        "Exit status: 0 written, 2 the file could not be read or the JSON not written."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Campaign file; - for standard input."));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral(
                                              "Write the JSON to OUT (replaced in one step); - for standard output, "
                                              "the default."),
                                          QStringLiteral("OUT"), QStringLiteral("-"));
    parser.addOption(outputOption);
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const std::filesystem::path input = pathFromText(parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromText(parser.value(outputOption));
    if (outputIsInput(input, output, io)) {
        return ExitStatus::Trouble;
    }
    const auto campaign = std::make_unique<Campaign>();
    QByteArray file;
    if (!loadCampaign(input, io, *campaign, &file)) {
        return ExitStatus::Trouble;
    }
    return writeOutput(output, campaignJson(*campaign, file), io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
