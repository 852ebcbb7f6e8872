#include "cli/CampaignJson.h"
#include "cli/Command.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

// The JSON text at strPath ("-" for standard input). Empty on success, else the reason.
QString ReadJson(const QString& strPath, CommandStreams& Io, QByteArray& Json)
{
    if (strPath == QLatin1String("-")) {
        Json = Io.In.readAll();
        return {};
    }
    if (QFileInfo(strPath).isDir()) {
        return QStringLiteral("it is a folder, not a JSON file");
    }
    QFile File(strPath);
    if (!File.open(QIODevice::ReadOnly)) {
        return File.errorString();
    }
    Json = File.readAll();
    return File.error() == QFileDevice::NoError ? QString() : File.errorString();
}

} // namespace

// import JSON -o FILE [--no-check]: the campaign file the JSON describes.
// Writes nothing unless every step before the write has passed.
int RunImport(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Writes the campaign file that JSON from 'ironvale-cam export' describes, byte for byte as the\n"
        "editor saves it. Refuses, naming the place, JSON that does not describe a campaign the file can\n"
        "keep, and, unless --no-check, a campaign that fails the integrity check; then nothing is written.\n"
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
    Parser.addOption(Output);
    Parser.addOption(NoCheck);
    if (const int intStatus = ParseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one JSON file"));
    }
    if (!Parser.isSet(Output)) {
        return usageError(Io, Arguments.value(0), QStringLiteral("no campaign file to write: give -o FILE"));
    }
    const QString strJson = Parser.positionalArguments().constFirst();
    const QString strName = DisplayName(strJson);
    QByteArray Json;
    if (const QString strReason = ReadJson(strJson, Io, Json); !strReason.isEmpty()) {
        writeDiagnostic(Io.Err, QStringLiteral("%1: cannot be read: %2").arg(strName, strReason));
        return ExitStatus::Trouble;
    }
    const auto Campaign = std::make_unique<clsCampaign>();
    if (const QString strReason = ReadCampaignJson(Json, *Campaign); !strReason.isEmpty()) {
        writeDiagnostic(Io.Err, QStringLiteral("%1: %2").arg(strName, strReason));
        return ExitStatus::Trouble;
    }
    if (!Parser.isSet(NoCheck)) {
        const int16_t intCount = Campaign->Check();
        for (int16_t intI = 0; intI < intCount; ++intI) {
            writeDiagnostic(Io.Err, strName + QStringLiteral(": ") + QString::fromLatin1(Campaign->Errors(intI)));
        }
        if (intCount > 0) {
            writeDiagnostic(Io.Err, QStringLiteral("nothing written: the campaign fails the integrity check "
                                                   "(--no-check writes it anyway)."));
            return ExitStatus::Findings;
        }
    }
    return WriteOutput(Parser.value(Output), CampaignBytes(*Campaign), Io) ? ExitStatus::Clean : ExitStatus::Trouble;
}
