#include "cli/Command.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <algorithm>
#include <memory>

// check FILE...: the editor's integrity check on every file, one line per
// message, as the editor's check list shows it. Writes nothing.
int runCheck(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs the editor's integrity check on each campaign file; a folder is searched for *.cam files.\n"
        "Prints 'FILE: ok' or one line 'FILE: message' per message. Exit status: 0 all passed,\n"
        "1 a campaign failed the check, 2 a file could not be read, or a folder held no campaign file or\n"
        "could not be searched whole."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Campaign files or folders; - for standard input."),
                                 QStringLiteral("FILE..."));
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().isEmpty()) {
        return usageError(io, arguments.value(0), QStringLiteral("no campaign file given"));
    }

    return checkEach(parser.positionalArguments(), io, nullptr, false);
}

int checkEach(const QStringList& paths, CommandStreams& io, WarningsFunction warnings, bool warningsFail)
{
    const CampaignFileList list = campaignFiles(paths, io.err);
    int status = list.complete ? ExitStatus::Clean : ExitStatus::Trouble;
    // One document for the whole run: it is large and cleared by every read.
    const auto campaign = std::make_unique<Campaign>();
    QByteArray bytes;
    for (const std::filesystem::path& file : list.files) {
        if (!loadCampaign(file, io, *campaign, &bytes)) {
            status = ExitStatus::Trouble;
            continue;
        }
        const QString name = displayName(file);
        const int16_t count = campaign->check();
        const QStringList found = warnings != nullptr ? warnings(*campaign, bytes) : QStringList();
        if (count == 0 && found.isEmpty()) {
            writeLine(io.out, name + QStringLiteral(": ok"));
            continue;
        }
        for (int16_t i = 0; i < count; ++i) {
            writeLine(io.out, name + QStringLiteral(": ") + QString::fromLatin1(campaign->errors(i)));
        }
        for (const QString& warning : found) {
            writeLine(io.out, name + QStringLiteral(": warning: ") + warning);
        }
        if (count > 0 || warningsFail) {
            status = std::max(status, ExitStatus::Findings);
        }
    }
    return status;
}
