#include "cli/Command.h"
#include "cli/Names.h"

#include "data/basFields.h"
#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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
        WriteLine(Io.Err,
                  QStringLiteral("ironvale-cam %1: %2").arg(Arguments.value(0), terminalText(Parser.errorText())));
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

namespace {

namespace fs = std::filesystem;

void reportUnreadable(QIODevice& err, const fs::path& path, const QString& reason)
{
    WriteLine(err, QStringLiteral("%1: cannot be read: %2").arg(DisplayName(path), reason));
}

// *.cam in any case: the game's own files are often in capitals.
bool isCampaignName(const fs::path& path)
{
    return QByteArray::fromStdString(path.extension().native()).toLower() == ".cam";
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

bool sameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// The file descriptor behind a stream of the program, or -1 for a buffer.
int handleOf(QIODevice& device)
{
    const auto* file = qobject_cast<QFileDevice*>(&device);
    return file != nullptr ? file->handle() : -1;
}

} // namespace

CampaignFileList CampaignFiles(const QStringList& Paths, QIODevice& err)
{
    CampaignFileList list;
    for (const QString& argument : Paths) {
        const fs::path path = pathFromArgument(argument);
        std::error_code typeError;
        if (path == "-" || !fs::is_directory(fs::status(path, typeError))) {
            list.files.push_back(path);
            continue;
        }
        std::vector<fs::path> found;
        const bool complete = walkFolder(path, found, err);
        // A folder that could not be read whole has had its lines already.
        if (complete && found.empty()) {
            WriteLine(err, QStringLiteral("%1: no campaign file (*.cam) in this folder").arg(DisplayName(path)));
        }
        list.complete = list.complete && complete && !found.empty();
        std::sort(found.begin(), found.end(), [](const fs::path& one, const fs::path& other) {
            return one.native() < other.native();
        });
        list.files.insert(list.files.end(), found.begin(), found.end());
    }
    return list;
}

QString openInput(const std::filesystem::path& path, QFile& file)
{
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        return QString::fromStdString(std::generic_category().message(errno));
    }
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return file.errorString();
    }
    return {};
}

namespace {

// Up to limit bytes from the device, waiting for a pipe's. Empty on
// success, else the reason.
QString readUpTo(QIODevice& device, qint64 limit, QByteArray& bytes)
{
    bytes.resize(limit);
    qint64 have = 0;
    while (have < limit) {
        const qint64 got = device.read(bytes.data() + have, limit - have);
        if (got < 0) {
            return device.errorString();
        }
        if (got == 0 && !device.waitForReadyRead(-1)) {
            break;
        }
        have += got;
    }
    bytes.truncate(have);
    return {};
}

} // namespace

bool LoadCampaign(const std::filesystem::path& path, CommandStreams& Io, clsCampaign& Campaign, QByteArray* File)
{
    // One byte past the campaign tells a longer file.
    QByteArray bytes;
    QFile named;
    QString reason = path == "-" ? QString() : openInput(path, named);
    if (reason.isEmpty()) {
        reason = readUpTo(path == "-" ? Io.In : named, CampaignFileSize + 1, bytes);
    }
    if (reason.isEmpty()) {
        reason = ReadCampaignBytes(bytes, Campaign);
    }
    if (File != nullptr) {
        *File = bytes;
    }
    if (!reason.isEmpty()) {
        reportUnreadable(Io.Err, path, reason);
    }
    return reason.isEmpty();
}

bool outputIsInput(const QString& command, const std::filesystem::path& input, const std::filesystem::path& output,
                   CommandStreams& io)
{
    struct stat outputStat {};
    struct stat inputStat {};
    if (output == "-" || ::stat(output.c_str(), &outputStat) != 0) {
        return false;
    }
    const int inputHandle = input == "-" ? handleOf(io.In) : -1;
    const bool known = input == "-" ? inputHandle >= 0 && ::fstat(inputHandle, &inputStat) == 0
                                    : ::stat(input.c_str(), &inputStat) == 0;
    if (!known || !sameFile(inputStat, outputStat)) {
        return false;
    }
    WriteLine(io.Err, QStringLiteral("ironvale-cam %1: the output %2 is the same file as the input %3: nothing "
                                     "written.")
                          .arg(command, quotedPath(output), DisplayName(input)));
    return true;
}

bool binaryToTerminal(const QString& command, const std::filesystem::path& output, bool force, CommandStreams& io)
{
    const int handle = handleOf(io.Out);
    if (force || output != "-" || handle < 0 || ::isatty(handle) == 0) {
        return false;
    }
    WriteLine(io.Err, QStringLiteral("ironvale-cam %1: binary output is not written to a terminal: give -o FILE or "
                                     "redirect standard output (--force writes it anyway).")
                          .arg(command));
    return true;
}

bool WriteOutput(const std::filesystem::path& path, const QByteArray& Bytes, CommandStreams& Io)
{
    if (path == "-") {
        if (Io.Out.write(Bytes) == Bytes.size()) {
            return true;
        }
        WriteLine(Io.Err, QStringLiteral("<stdout>: cannot be written: standard output refused the bytes"));
        return false;
    }
    const SaveResult Result = SaveFileBytes(path, Bytes);
    if (!Result.Saved()) {
        WriteLine(Io.Err, QStringLiteral("%1: cannot be written: %2. %3")
                              .arg(DisplayName(path), Result.Reason, Result.Aftermath));
    }
    return Result.Saved();
}

QString DisplayName(const std::filesystem::path& path)
{
    return path == "-" ? QStringLiteral("<stdin>") : quotedPath(path);
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
                                         : QStringLiteral("ironvale-cam: '%1' is no command.")
                                               .arg(terminalText(strFirst)));
    WriteLine(Io.Err, QStringLiteral("Try 'ironvale-cam --help'."));
    return ExitStatus::Trouble;
}
