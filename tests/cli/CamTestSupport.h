#pragma once

#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"
#include "tests/support/Files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTemporaryDir;

// What the tests of check, lint, show and map share: campaigns laid out by
// their go-tos, saved as real files, and the tool run in-process or (but
// on Windows) as a process.
namespace CamTest {

// Saves the campaign under name in Dir through the editor's own save and
// returns the path.
[[nodiscard]] QString saveCampaign(const QTemporaryDir& dir, const QString& name, const Campaign& campaign);

struct ToolRun {
    int status;
    QByteArray out;
    QByteArray err;
    // The lines of standard output, without the last line feed.
    [[nodiscard]] QStringList outLines() const;
};

// The tool in-process on buffers; Arguments start with the command.
[[nodiscard]] ToolRun inProcess(const QStringList& arguments, const QByteArray& in = {});

#ifndef _WIN32
// How InShell runs: standard output to a file or to a pseudo-terminal of its
// own, or as a reader that file permissions stop (nobody, when the test is
// root). Status 77, with the reason on standard error, when the terminal or
// the reader cannot be had.
enum class Launch { ToFile, ToTerminal, AsReader };
// The real program, where the file system, the terminal and the exit status
// matter: script runs with /bin/sh in folder, "cam" starting the program,
// on an empty standard input.
[[nodiscard]] ToolRun inShell(const QString& folder, const QByteArray& script, Launch how = Launch::ToFile);
#endif

} // namespace CamTest
