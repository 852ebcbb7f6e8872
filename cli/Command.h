#pragma once

#include "data/CampaignPaths.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QCommandLineParser;
class QFile;
class QIODevice;
class Campaign;

// The exit statuses every command keeps, for the scripts that call it.
namespace ExitStatus {
constexpr int Clean = 0;    // everything passed
constexpr int Findings = 1; // at least one campaign failed a check
constexpr int Trouble = 2;  // a file could not be read or written, or a usage error
} // namespace ExitStatus

// Where a command reads and writes: standard input, output and error in the
// program, buffers in the tests.
struct CommandStreams {
    QIODevice& in;
    QIODevice& out;
    QIODevice& err;
};

// A command takes its own arguments (its name first) and returns its exit status.
using CommandFunction = int (*)(const QStringList& arguments, CommandStreams& io);

int runCheck(const QStringList& arguments, CommandStreams& io);
int runLint(const QStringList& arguments, CommandStreams& io);
int runShow(const QStringList& arguments, CommandStreams& io);
int runMap(const QStringList& arguments, CommandStreams& io);
int runExport(const QStringList& arguments, CommandStreams& io);
int runImport(const QStringList& arguments, CommandStreams& io);
int runPaths(const QStringList& arguments, CommandStreams& io);
int runDiff(const QStringList& arguments, CommandStreams& io);

// The whole tool: argv as given, the program's name first.
int runTool(const QStringList& arguments, CommandStreams& io);

// Writes a line of text (UTF-8) and its line feed.
void writeLine(QIODevice& device, const QString& line);

// Writes a message to standard error, after "ironvale-cam: ".
void writeDiagnostic(QIODevice& err, const QString& message);

// A mistake on the command line: the message and where to look, as
// "ironvale-cam: MESSAGE. See 'ironvale-cam COMMAND --help'." (the tool's
// own --help for no command). Returns the exit status for it.
int usageError(CommandStreams& io, const QString& command, const QString& message);

// Parses a command's arguments: on --help prints the help to standard output,
// on a mistake, an empty file name among them, the usage error. Returns the
// status to exit with then, or -1 to go on.
int parseArguments(QCommandLineParser& parser, const QStringList& arguments, CommandStreams& io);

// The campaign files the arguments name: files as given ("-" for standard
// input), folders walked for *.cam in name order.
struct CampaignFileList {
    std::vector<std::filesystem::path> files;
    // False when a walk met an entry it could not read or a folder held no
    // campaign file; each got a line on standard error.
    bool complete = true;
};
[[nodiscard]] CampaignFileList campaignFiles(const QStringList& paths, QIODevice& err);

// Reads the campaign at path ("-" for standard input). False, after the
// line "ironvale-cam: FILE: cannot be read: reason" on standard error, when it cannot.
// File, when given, receives the bytes read: the campaign's and one more
// when the file is longer.
[[nodiscard]] bool loadCampaign(const std::filesystem::path& path, CommandStreams& io, Campaign& campaign,
                                QByteArray* file = nullptr);

// True, after a line on standard error, when output is the same file as
// input (through a link, or as standard input): writing would destroy what
// is being read.
[[nodiscard]] bool outputIsInput(const std::filesystem::path& input, const std::filesystem::path& output,
                                 CommandStreams& io);

// True, after a line on standard error, when bytes that are not text would
// go to standard output ("-") while it is a terminal, unless forced.
[[nodiscard]] bool binaryToTerminal(const std::filesystem::path& output, bool force, CommandStreams& io);

// Writes Bytes to path through the atomic save, or to standard output for
// "-". False, after the line "ironvale-cam: FILE: cannot be written: reason" with what
// became of the file on standard error, when it cannot.
[[nodiscard]] bool writeOutput(const std::filesystem::path& path, const QByteArray& bytes, CommandStreams& io);

// What lint adds to the check for one campaign read from File, a line each.
using WarningsFunction = QStringList (*)(const Campaign& campaign, const QByteArray& file);

// check and lint: reads each campaign file (folders walked), prints the
// check's messages and the warnings, or "FILE: ok" when there are none.
// Returns the exit status; warnings count as failures when warningsFail.
int checkEach(const QStringList& paths, CommandStreams& io, WarningsFunction warnings, bool warningsFail);

// The name a message gives the file: "-" reads as "<stdin>", any other
// name as quotedPath shows it.
[[nodiscard]] QString displayName(const std::filesystem::path& path);

// A campaign's text holds one byte per character; shown as Latin-1, as the
// editor shows it.
[[nodiscard]] QString fromCampaignBytes(const std::string& bytes);

// "battles 2..4, prestige 1550..1850" for a scenario reached on the way
// there; "unbounded" stands for the most where a cycle can be entered.
[[nodiscard]] QString balanceText(const CampaignPaths::Reach& reach);

// The same made safe for a terminal: a campaign's text may hold any byte.
[[nodiscard]] QString shownText(const std::string& bytes);

// The nation a campaign file names by its victory movie, or "unknown (N)"
// for a movie the editor does not know; File holds the file's bytes.
[[nodiscard]] QString nationName(const Campaign& campaign, const QByteArray& file);

// Every byte at path ("-" for standard input). Empty on success, else the reason.
[[nodiscard]] QString readWholeInput(const std::filesystem::path& path, CommandStreams& io, QByteArray& bytes);
