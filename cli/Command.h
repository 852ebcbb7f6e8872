#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QCommandLineParser;
class QIODevice;
class clsCampaign;

// The exit statuses every command keeps, for the scripts that call it.
namespace ExitStatus {
constexpr int Clean = 0;    // everything passed
constexpr int Findings = 1; // at least one campaign failed a check
constexpr int Trouble = 2;  // a file could not be read or written, or a usage error
} // namespace ExitStatus

// Where a command reads and writes: standard input, output and error in the
// program, buffers in the tests.
struct CommandStreams {
    QIODevice& In;
    QIODevice& Out;
    QIODevice& Err;
};

// A command takes its own arguments (its name first) and returns its exit status.
using CommandFunction = int (*)(const QStringList& Arguments, CommandStreams& Io);

int RunCheck(const QStringList& Arguments, CommandStreams& Io);
int RunLint(const QStringList& Arguments, CommandStreams& Io);
int RunShow(const QStringList& Arguments, CommandStreams& Io);
int RunMap(const QStringList& Arguments, CommandStreams& Io);
int RunExport(const QStringList& Arguments, CommandStreams& Io);
int RunImport(const QStringList& Arguments, CommandStreams& Io);

// The whole tool: argv as given, the program's name first.
int RunTool(const QStringList& Arguments, CommandStreams& Io);

// Writes a line of text (UTF-8) and its line feed.
void WriteLine(QIODevice& Device, const QString& strLine);

// Writes a message to standard error, after "ironvale-cam: ".
void writeDiagnostic(QIODevice& err, const QString& message);

// A mistake on the command line: the message and where to look, as
// "ironvale-cam: MESSAGE. See 'ironvale-cam COMMAND --help'." (the tool's
// own --help for no command). Returns the exit status for it.
int usageError(CommandStreams& Io, const QString& command, const QString& message);

// Parses a command's arguments: on --help prints the help to standard output,
// on a mistake, an empty file name among them, the usage error. Returns the
// status to exit with then, or -1 to go on.
int ParseArguments(QCommandLineParser& Parser, const QStringList& Arguments, CommandStreams& Io);

// The campaign files the arguments name: files as given ("-" for standard
// input), folders walked for *.cam in name order.
[[nodiscard]] QStringList CampaignFiles(const QStringList& Paths);

// Reads the campaign at strPath ("-" for standard input). False, after the
// line "ironvale-cam: FILE: cannot be read: reason" on standard error, when
// it cannot.
[[nodiscard]] bool LoadCampaign(const QString& strPath, CommandStreams& Io, clsCampaign& Campaign);

// Writes Bytes to strPath through the atomic save, or to standard output for
// "-". False, after the line "ironvale-cam: FILE: cannot be written: reason"
// with what became of the file on standard error, when it cannot.
[[nodiscard]] bool WriteOutput(const QString& strPath, const QByteArray& Bytes, CommandStreams& Io);

// What lint adds to the check for one campaign, a line each.
using WarningsFunction = QStringList (*)(const clsCampaign& Campaign);

// check and lint: reads each campaign file (folders walked), prints the
// check's messages and the warnings, or "FILE: ok" when there are none.
// Returns the exit status; warnings count as failures when blnWarningsFail.
int CheckEach(const QStringList& Paths, CommandStreams& Io, WarningsFunction Warnings, bool blnWarningsFail);

// The name a message gives the file: "-" reads as "<stdin>".
[[nodiscard]] QString DisplayName(const QString& strPath);

// A campaign's text holds one byte per character; shown as Latin-1, as the
// editor shows it.
[[nodiscard]] QString FromCampaignBytes(const std::string& strBytes);
