#include "cli/Command.h"

#include "data/Campaign.h"

#include <QCommandLineParser>

#include <algorithm>
#include <memory>

// check FILE...: the editor's integrity check on every file, one line per
// message, as the editor's check list shows it. Writes nothing.
int runCheck(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Runs the editor's integrity check on each campaign file; a folder is searched for *.cam files.\n"
        "Prints 'FILE: ok' or one line 'FILE: message' per message. Exit status: 0 all passed,\n"
        "1 a campaign failed the check, 2 a file could not be read."));
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Campaign files or folders; - for standard input."),
                                 QStringLiteral("FILE..."));
    if (const int intStatus = parseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().isEmpty()) {
        return usageError(Io, Arguments.value(0), QStringLiteral("no campaign file given"));
    }

    return checkEach(Parser.positionalArguments(), Io, nullptr, false);
}

int checkEach(const QStringList& Paths, CommandStreams& Io, WarningsFunction Warnings, bool blnWarningsFail)
{
    const CampaignFileList list = campaignFiles(Paths, Io.Err);
    int intStatus = list.complete ? ExitStatus::Clean : ExitStatus::Trouble;
    // One document for the whole run: it is large and cleared by every read.
    const auto campaign = std::make_unique<Campaign>();
    QByteArray bytes;
    for (const std::filesystem::path& strFile : list.files) {
        if (!loadCampaign(strFile, Io, *campaign, &bytes)) {
            intStatus = ExitStatus::Trouble;
            continue;
        }
        const QString strName = displayName(strFile);
        const int16_t intCount = campaign->check();
        const QStringList Found = Warnings != nullptr ? Warnings(*campaign, bytes) : QStringList();
        if (intCount == 0 && Found.isEmpty()) {
            writeLine(Io.Out, strName + QStringLiteral(": ok"));
            continue;
        }
        for (int16_t intI = 0; intI < intCount; ++intI) {
            writeLine(Io.Out, strName + QStringLiteral(": ") + QString::fromLatin1(campaign->errors(intI)));
        }
        for (const QString& strWarning : Found) {
            writeLine(Io.Out, strName + QStringLiteral(": warning: ") + strWarning);
        }
        if (intCount > 0 || blnWarningsFail) {
            intStatus = std::max(intStatus, ExitStatus::Findings);
        }
    }
    return intStatus;
}
