#include "cli/Command.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

#include <array>

namespace {

struct CommandEntry {
    const char* Name;
    const char* Summary;
    CommandFunction Run;
};

// One line per command; its file holds the rest.
constexpr std::array Commands{
    CommandEntry{"check", "run the integrity check on campaign files and folders", RunCheck},
    CommandEntry{"lint", "the check, plus warnings on unreachable scenarios, traps and odd go-to values", RunLint},
    CommandEntry{"show", "print a campaign's header, scenarios and outcomes for a person", RunShow},
    CommandEntry{"map", "draw a campaign as a graph (SVG, PNG or DOT) with Graphviz", RunMap},
    CommandEntry{"export", "write a campaign as JSON", RunExport},
    CommandEntry{"import", "write a campaign file from its JSON", RunImport},
};

QString Usage()
{
    QString strS = QStringLiteral("Usage: ironvale-cam COMMAND [OPTIONS] [FILE...]\n"
                                  "Checks, describes, converts and draws the campaign files (.cam) of Ironvale.\n\n"
                                  "Commands:\n");
    for (const CommandEntry& Entry : Commands) {
        strS += QStringLiteral("  %1  %2\n").arg(QLatin1String(Entry.Name), -8).arg(QLatin1String(Entry.Summary));
    }
    strS += QStringLiteral("\nOptions:\n"
                           "  -h, --help     show this help; COMMAND --help shows a command's\n"
                           "  -v, --version  show the version\n\n"
                           "Exit status: 0 all passed, 1 a campaign failed a check, 2 a file could not be\n"
                           "read or written, or the command line was wrong.\n");
    return strS;
}

} // namespace

void WriteLine(QIODevice& Device, const QString& strLine)
{
    Device.write((strLine + QLatin1Char('\n')).toUtf8());
}

int ParseArguments(QCommandLineParser& Parser, const QStringList& Arguments, CommandStreams& Io)
{
    const QCommandLineOption Help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    Parser.addOption(Help);
    Parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!Parser.parse(Arguments)) {
        WriteLine(Io.Err, QStringLiteral("ironvale-cam %1: %2").arg(Arguments.value(0), Parser.errorText()));
        WriteLine(Io.Err, QStringLiteral("Try 'ironvale-cam %1 --help'.").arg(Arguments.value(0)));
        return ExitStatus::Trouble;
    }
    if (Parser.isSet(Help)) {
        // The parser's own text names the program; the tool names it with the command.
        QString strHelp = Parser.helpText();
        strHelp.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                        QStringLiteral("Usage: ironvale-cam ") + Arguments.value(0));
        Io.Out.write(strHelp.toUtf8());
        return ExitStatus::Clean;
    }
    return -1;
}

QStringList CampaignFiles(const QStringList& Paths)
{
    QStringList Files;
    for (const QString& strPath : Paths) {
        if (strPath != QLatin1String("-") && QFileInfo(strPath).isDir()) {
            QStringList Found;
            QDirIterator It(strPath, {QStringLiteral("*.cam")}, QDir::Files, QDirIterator::Subdirectories);
            while (It.hasNext()) {
                Found << It.next();
            }
            Found.sort();
            Files << Found;
        } else {
            Files << strPath;
        }
    }
    return Files;
}

bool LoadCampaign(const QString& strPath, CommandStreams& Io, clsCampaign& Campaign)
{
    const QString strReason =
        strPath == QLatin1String("-") ? ReadCampaignDevice(Io.In, Campaign)
                                      : ReadCampaignFile(QFile::encodeName(strPath).toStdString(), Campaign);
    if (!strReason.isEmpty()) {
        WriteLine(Io.Err, QStringLiteral("%1: cannot be read: %2").arg(DisplayName(strPath), strReason));
    }
    return strReason.isEmpty();
}

bool WriteOutput(const QString& strPath, const QByteArray& Bytes, CommandStreams& Io)
{
    if (strPath == QLatin1String("-")) {
        if (Io.Out.write(Bytes) == Bytes.size()) {
            return true;
        }
        WriteLine(Io.Err, QStringLiteral("<stdout>: cannot be written: standard output refused the bytes"));
        return false;
    }
    const SaveResult Result = SaveFileBytes(QFile::encodeName(strPath).toStdString(), Bytes);
    if (!Result.Saved()) {
        WriteLine(Io.Err, QStringLiteral("%1: cannot be written: %2. %3").arg(strPath, Result.Reason, Result.Aftermath));
    }
    return Result.Saved();
}

QString DisplayName(const QString& strPath)
{
    return strPath == QLatin1String("-") ? QStringLiteral("<stdin>") : strPath;
}

QString FromCampaignBytes(const std::string& strBytes)
{
    return QString::fromLatin1(strBytes.data(), static_cast<qsizetype>(strBytes.size()));
}

int RunTool(const QStringList& Arguments, CommandStreams& Io)
{
    const QString strFirst = Arguments.value(1);
    if (strFirst == QLatin1String("-h") || strFirst == QLatin1String("--help")) {
        Io.Out.write(Usage().toUtf8());
        return ExitStatus::Clean;
    }
    if (strFirst == QLatin1String("-v") || strFirst == QLatin1String("--version")) {
        WriteLine(Io.Out, QStringLiteral("ironvale-cam %1").arg(QStringLiteral(IRONVALE_VERSION)));
        return ExitStatus::Clean;
    }
    for (const CommandEntry& Entry : Commands) {
        if (strFirst == QLatin1String(Entry.Name)) {
            return Entry.Run(Arguments.mid(1), Io);
        }
    }
    WriteLine(Io.Err, strFirst.isEmpty() ? QStringLiteral("ironvale-cam: a command is missing.")
                                         : QStringLiteral("ironvale-cam: '%1' is no command.").arg(strFirst));
    WriteLine(Io.Err, QStringLiteral("Try 'ironvale-cam --help'."));
    return ExitStatus::Trouble;
}
