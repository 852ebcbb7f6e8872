#include "cli/Command.h"
#include "cli/Names.h"

#include "data/FieldCodec.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <system_error>

namespace {

struct CommandEntry {
    const char* name;
    const char* summary;
    CommandFunction run;
};

// One line per command; its file holds the rest.
constexpr std::array Commands{
    CommandEntry{"check", "run the integrity check on campaign files and folders", runCheck},
    CommandEntry{"lint", "the check, plus warnings on unreachable scenarios, traps and odd go-to values", runLint},
    CommandEntry{"show", "print a campaign's header, scenarios and outcomes for a person", runShow},
    CommandEntry{"map", "draw a campaign as a graph (SVG, PNG or DOT) with Graphviz", runMap},
    CommandEntry{"export", "write a campaign as JSON", runExport},
    CommandEntry{"import", "write a campaign file from its JSON", runImport},
    CommandEntry{"paths", "the battles and prestige on every route, for balancing a campaign", runPaths},
    CommandEntry{"diff", "what changed between two campaigns, field by field", runDiff},
};

QString usage()
{
    QString s =
        QStringLiteral("Usage: ironvale-cam COMMAND [OPTIONS] [FILE...]\n"
                       "       ironvale-cam help [COMMAND]\n"
                       "Checks, describes, compares, converts and draws the campaign files (.cam) of Ironvale.\n\n"
                       "Commands:\n");
    for (const CommandEntry& entry : Commands) {
        s += QStringLiteral("  %1  %2\n").arg(QLatin1String(entry.name), -8).arg(QLatin1String(entry.summary));
    }
    s += QStringLiteral("\nOptions:\n"
                        "  -h, --help     show this help; help COMMAND or COMMAND --help shows a command's\n"
                        "  -v, --version  show the version\n\n"
                        "Messages on standard error start with 'ironvale-cam: '.\n"
                        "Exit status: 0 all passed, 1 a campaign failed a check, 2 a file could not be\n"
                        "read or written, or the command line was wrong.\n");
    return s;
}

const CommandEntry* findCommand(const QString& name)
{
    const auto found = std::find_if(Commands.begin(), Commands.end(),
                                    [&name](const CommandEntry& entry) { return name == QLatin1String(entry.name); });
    return found != Commands.end() ? found : nullptr;
}

// help [COMMAND], as git has it: the tool's help, or the command's own.
int runHelp(const QStringList& names, CommandStreams& io)
{
    if (names.isEmpty()) {
        io.out.write(usage().toUtf8());
        return ExitStatus::Clean;
    }
    if (names.size() > 1) {
        return usageError(io, QString(), QStringLiteral("help takes one command"));
    }
    const CommandEntry* entry = findCommand(names.constFirst());
    if (entry == nullptr) {
        return usageError(io, QString(), QStringLiteral("'%1' is not a command").arg(names.constFirst()));
    }
    return entry->run({names.constFirst(), QStringLiteral("--help")}, io);
}

} // namespace

void writeLine(QIODevice& device, const QString& line)
{
    device.write((line + QLatin1Char('\n')).toUtf8());
}

void writeDiagnostic(QIODevice& err, const QString& message)
{
    writeLine(err, QStringLiteral("ironvale-cam: ") + message);
}

int usageError(CommandStreams& io, const QString& command, const QString& message)
{
    const QString help = command.isEmpty() ? QStringLiteral("ironvale-cam --help")
                                           : QStringLiteral("ironvale-cam %1 --help").arg(command);
    writeDiagnostic(io.err, QStringLiteral("%1. See '%2'.").arg(message, help));
    return ExitStatus::Trouble;
}

int parseArguments(QCommandLineParser& parser, const QStringList& arguments, CommandStreams& io)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!parser.parse(arguments)) {
        QString reason = terminalText(parser.errorText());
        if (reason.endsWith(QLatin1Char('.'))) {
            reason.chop(1);
        }
        return usageError(io, arguments.value(0), reason);
    }
    if (parser.isSet(help)) {
        // The parser's own text names the program; the tool names it with the command.
        QString helpText = parser.helpText();
        helpText.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                         QStringLiteral("Usage: ironvale-cam ") + arguments.value(0));
        io.out.write(helpText.toUtf8());
        return ExitStatus::Clean;
    }
    // An empty name would reach the file system as no name at all.
    const QStringList written = parser.optionNames();
    if (parser.positionalArguments().contains(QString()) ||
        ((written.contains(QStringLiteral("o")) || written.contains(QStringLiteral("output"))) &&
         parser.value(QStringLiteral("o")).isEmpty())) {
        return usageError(io, arguments.value(0), QStringLiteral("a file name is empty"));
    }
    return -1;
}

namespace {

namespace fs = std::filesystem;

void reportUnreadable(QIODevice& err, const fs::path& path, const QString& reason)
{
    writeDiagnostic(err, QStringLiteral("%1: cannot be read: %2").arg(displayName(path), reason));
}

// *.cam in any case: the game's own files are often in capitals.
bool isCampaignName(const fs::path& path)
{
    return textFromPath(path.extension()).toLower() == QLatin1String(".cam");
}

// Adds the campaign files below folder to files; false when an entry could
// not be read. Hidden entries are passed over, and links to folders are not
// followed, so that a walk never loops. Each folder is opened on its own:
// one that cannot be read must not end the walk of the others.
bool walkFolder(const fs::path& folder, std::vector<fs::path>& files, QIODevice& err)
{
    bool complete = true;
    std::vector<fs::path> folders;
    std::error_code walkError;
    for (fs::directory_iterator it(folder, walkError), end; !walkError && it != end; it.increment(walkError)) {
        const fs::path& path = it->path();
        if (path.filename().native().front() == '.') {
            continue;
        }
        std::error_code typeError;
        fs::file_status status = it->symlink_status(typeError);
        const bool link = !typeError && fs::is_symlink(status);
        if (link) {
            status = it->status(typeError);
        }
        if (typeError) {
            const QString reason = QString::fromStdString(typeError.message());
            reportUnreadable(err, path, link ? QStringLiteral("a broken link (%1)").arg(reason) : reason);
            complete = false;
        } else if (fs::is_directory(status)) {
            if (!link) {
                folders.push_back(path);
            }
        } else if (isCampaignName(path)) {
            if (fs::is_regular_file(status)) {
                files.push_back(path);
            } else {
                reportUnreadable(err, path, QStringLiteral("not a regular file"));
                complete = false;
            }
        }
    }
    if (walkError) {
        reportUnreadable(err, folder, QString::fromStdString(walkError.message()));
        complete = false;
    }
    for (const fs::path& sub : folders) {
        complete = walkFolder(sub, files, err) && complete;
    }
    return complete;
}

// The file descriptor behind a stream of the program, or -1 for a buffer.
int handleOf(QIODevice& device)
{
    const auto* file = qobject_cast<QFileDevice*>(&device);
    return file != nullptr ? file->handle() : -1;
}

} // namespace

CampaignFileList campaignFiles(const QStringList& paths, QIODevice& err)
{
    CampaignFileList list;
    for (const QString& argument : paths) {
        const fs::path path = pathFromText(argument);
        std::error_code typeError;
        if (path == "-" || !fs::is_directory(fs::status(path, typeError))) {
            list.files.push_back(path);
            continue;
        }
        std::vector<fs::path> found;
        const bool complete = walkFolder(path, found, err);
        // A folder that could not be read whole has had its lines already.
        if (complete && found.empty()) {
            writeDiagnostic(err, QStringLiteral("%1: no campaign file (*.cam) in this folder").arg(displayName(path)));
        }
        list.complete = list.complete && complete && !found.empty();
        std::sort(found.begin(), found.end(), [](const fs::path& one, const fs::path& other) {
            return one.native() < other.native();
        });
        list.files.insert(list.files.end(), found.begin(), found.end());
    }
    return list;
}

bool loadCampaign(const std::filesystem::path& path, CommandStreams& io, Campaign& campaign, QByteArray* file)
{
    // One byte past the campaign tells a longer file.
    QByteArray bytes;
    QFile named;
    QString reason = path == "-" ? QString() : openForReading(path, named);
    if (reason.isEmpty()) {
        reason = readDevice(path == "-" ? io.in : named, CampaignFileSize + 1, bytes);
    }
    if (reason.isEmpty()) {
        reason = readCampaignBytes(bytes, campaign);
    }
    if (file != nullptr) {
        *file = bytes;
    }
    if (!reason.isEmpty()) {
        reportUnreadable(io.err, path, reason);
    }
    return reason.isEmpty();
}

bool outputIsInput(const std::filesystem::path& input, const std::filesystem::path& output, CommandStreams& io)
{
    if (output == "-") {
        return false;
    }
    const std::optional<FileIdentity> outputFile = identityOf(output);
    const int inputHandle = input == "-" ? handleOf(io.in) : -1;
    const std::optional<FileIdentity> inputFile =
        input != "-" ? identityOf(input) : inputHandle >= 0 ? identityOfHandle(inputHandle) : std::nullopt;
    if (!outputFile || !inputFile || !(*outputFile == *inputFile)) {
        return false;
    }
    writeDiagnostic(io.err, QStringLiteral("the output %1 is the same file as the input %2: nothing written.")
                                .arg(quotedPath(output), displayName(input)));
    return true;
}

bool binaryToTerminal(const std::filesystem::path& output, bool force, CommandStreams& io)
{
    const int handle = handleOf(io.out);
    if (force || output != "-" || handle < 0 || !isTerminal(handle)) {
        return false;
    }
    writeDiagnostic(io.err, QStringLiteral("binary output is not written to a terminal: give -o FILE or redirect "
                                           "standard output (--force writes it anyway)."));
    return true;
}

bool writeOutput(const std::filesystem::path& path, const QByteArray& bytes, CommandStreams& io)
{
    if (path == "-") {
        if (io.out.write(bytes) == bytes.size()) {
            return true;
        }
        writeDiagnostic(io.err, QStringLiteral("<stdout>: cannot be written: standard output refused the bytes"));
        return false;
    }
    const SaveResult result = saveFileBytes(path, bytes);
    if (!result.saved()) {
        writeDiagnostic(io.err, QStringLiteral("%1: cannot be written: %2. %3")
                                    .arg(displayName(path), result.reason, result.aftermath));
    }
    return result.saved();
}

QString displayName(const std::filesystem::path& path)
{
    return path == "-" ? QStringLiteral("<stdin>") : quotedPath(path);
}

QString fromCampaignBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString shownText(const std::string& bytes)
{
    return terminalText(fromCampaignBytes(bytes));
}

namespace {

constexpr std::array<const char*, 4> NationNames{"Germany", "U.K", "U.R.S.S", "U.S.A"};

// The victory movie's field, by which the file names its nation.
constexpr int VictoryMovie = 4;

} // namespace

QString nationName(const Campaign& campaign, const QByteArray& file)
{
    const int32_t nation = campaign.nation();
    // A movie the editor does not know is read as the nation it had, and
    // a save would put another movie in its place.
    const bool known = decodeFileName(file.constData() + VictoryMovie) ==
                       decodeFileName(campaignBytes(campaign).constData() + VictoryMovie);
    if (!known || nation < 0 || nation >= static_cast<int32_t>(NationNames.size())) {
        return QStringLiteral("unknown (%1)").arg(nation);
    }
    return QLatin1String(NationNames[static_cast<std::size_t>(nation)]);
}

QString readWholeInput(const std::filesystem::path& path, CommandStreams& io, QByteArray& bytes)
{
    if (path == "-") {
        bytes = io.in.readAll();
        return {};
    }
    if (std::error_code error; std::filesystem::is_directory(path, error)) {
        return QStringLiteral("it is a folder, not a file");
    }
    QFile file;
    if (const QString reason = openForReading(path, file); !reason.isEmpty()) {
        return reason;
    }
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

int runTool(const QStringList& arguments, CommandStreams& io)
{
    const QString first = arguments.value(1);
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        io.out.write(usage().toUtf8());
        return ExitStatus::Clean;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        writeLine(io.out, QStringLiteral("ironvale-cam %1").arg(QStringLiteral(IRONVALE_VERSION)));
        return ExitStatus::Clean;
    }
    if (first == QLatin1String("help")) {
        return runHelp(arguments.mid(2), io);
    }
    if (const CommandEntry* entry = findCommand(first)) {
        return entry->run(arguments.mid(1), io);
    }
    return usageError(io, QString(),
                      arguments.size() < 2 ? QStringLiteral("no command given")
                                           : QStringLiteral("'%1' is not a command").arg(terminalText(first)));
}
