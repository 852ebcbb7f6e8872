#include "cli/Command.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
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
                                  "       ironvale-cam help [COMMAND]\n"
                                  "Checks, describes, converts and draws the campaign files (.cam) of Ironvale.\n\n"
                                  "Commands:\n");
    for (const CommandEntry& Entry : Commands) {
        strS += QStringLiteral("  %1  %2\n").arg(QLatin1String(Entry.Name), -8).arg(QLatin1String(Entry.Summary));
    }
    strS += QStringLiteral("\nOptions:\n"
                           "  -h, --help     show this help; help COMMAND or COMMAND --help shows a command's\n"
                           "  -v, --version  show the version\n\n"
                           "Messages on standard error start with 'ironvale-cam: '.\n"
                           "Exit status: 0 all passed, 1 a campaign failed a check, 2 a file could not be\n"
                           "read or written, or the command line was wrong.\n");
    return strS;
}

const CommandEntry* findCommand(const QString& name)
{
    const auto found = std::find_if(Commands.begin(), Commands.end(),
                                    [&name](const CommandEntry& entry) { return name == QLatin1String(entry.Name); });
    return found != Commands.end() ? found : nullptr;
}

// help [COMMAND], as git has it: the tool's help, or the command's own.
int runHelp(const QStringList& names, CommandStreams& Io)
{
    if (names.isEmpty()) {
        Io.Out.write(Usage().toUtf8());
        return ExitStatus::Clean;
    }
    if (names.size() > 1) {
        return usageError(Io, QString(), QStringLiteral("help takes one command"));
    }
    const CommandEntry* entry = findCommand(names.constFirst());
    if (entry == nullptr) {
        return usageError(Io, QString(), QStringLiteral("'%1' is not a command").arg(names.constFirst()));
    }
    return entry->Run({names.constFirst(), QStringLiteral("--help")}, Io);
}

} // namespace

void WriteLine(QIODevice& Device, const QString& strLine)
{
    Device.write((strLine + QLatin1Char('\n')).toUtf8());
}

void writeDiagnostic(QIODevice& err, const QString& message)
{
    WriteLine(err, QStringLiteral("ironvale-cam: ") + message);
}

int usageError(CommandStreams& Io, const QString& command, const QString& message)
{
    const QString help = command.isEmpty() ? QStringLiteral("ironvale-cam --help")
                                           : QStringLiteral("ironvale-cam %1 --help").arg(command);
    writeDiagnostic(Io.Err, QStringLiteral("%1. See '%2'.").arg(message, help));
    return ExitStatus::Trouble;
}

int ParseArguments(QCommandLineParser& Parser, const QStringList& Arguments, CommandStreams& Io)
{
    const QCommandLineOption Help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    Parser.addOption(Help);
    Parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!Parser.parse(Arguments)) {
        QString reason = Parser.errorText();
        if (reason.endsWith(QLatin1Char('.'))) {
            reason.chop(1);
        }
        return usageError(Io, Arguments.value(0), reason);
    }
    if (Parser.isSet(Help)) {
        // The parser's own text names the program; the tool names it with the command.
        QString strHelp = Parser.helpText();
        strHelp.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                        QStringLiteral("Usage: ironvale-cam ") + Arguments.value(0));
        Io.Out.write(strHelp.toUtf8());
        return ExitStatus::Clean;
    }
    // An empty name would reach the file system as no name at all.
    const QStringList written = Parser.optionNames();
    if (Parser.positionalArguments().contains(QString()) ||
        ((written.contains(QStringLiteral("o")) || written.contains(QStringLiteral("output"))) &&
         Parser.value(QStringLiteral("o")).isEmpty())) {
        return usageError(Io, Arguments.value(0), QStringLiteral("a file name is empty"));
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
        strPath == QLatin1String("-") ? ReadCampaignDevice(Io.In, Campaign) : ReadCampaignFile(strPath, Campaign);
    if (!strReason.isEmpty()) {
        writeDiagnostic(Io.Err, QStringLiteral("%1: cannot be read: %2").arg(DisplayName(strPath), strReason));
    }
    return strReason.isEmpty();
}

bool WriteOutput(const QString& strPath, const QByteArray& Bytes, CommandStreams& Io)
{
    if (strPath == QLatin1String("-")) {
        if (Io.Out.write(Bytes) == Bytes.size()) {
            return true;
        }
        writeDiagnostic(Io.Err, QStringLiteral("<stdout>: cannot be written: standard output refused the bytes"));
        return false;
    }
    const SaveResult Result = SaveFileBytes(strPath, Bytes);
    if (!Result.Saved()) {
        writeDiagnostic(Io.Err,
                        QStringLiteral("%1: cannot be written: %2. %3").arg(strPath, Result.Reason, Result.Aftermath));
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
    if (strFirst == QLatin1String("help")) {
        return runHelp(Arguments.mid(2), Io);
    }
    if (const CommandEntry* entry = findCommand(strFirst)) {
        return entry->Run(Arguments.mid(1), Io);
    }
    return usageError(Io, QString(),
                      Arguments.size() < 2 ? QStringLiteral("no command given")
                                           : QStringLiteral("'%1' is not a command").arg(strFirst));
}
