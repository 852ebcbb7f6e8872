#include "tests/cli/CamTestSupport.h"

#include "cli/Command.h"
#include "storage/CampaignStorage.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "tests/support/SaveFaults.h"

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#endif

namespace CamTest {

QString saveCampaign(const QTemporaryDir& dir, const QString& name, const Campaign& campaign)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const SaveResult result = saveCampaignFile(QFile::encodeName(path).toStdString(), campaign);
    EXPECT_TRUE(result.saved()) << path.toStdString() << ": " << result.reason.toStdString();
    return path;
}

QStringList ToolRun::outLines() const
{
    QString outText = QString::fromUtf8(out);
    if (outText.endsWith(QLatin1Char('\n'))) {
        outText.chop(1);
    }
    return outText.isEmpty() ? QStringList() : outText.split(QLatin1Char('\n'));
}

ToolRun inProcess(const QStringList& arguments, const QByteArray& in)
{
    QBuffer inBuffer, outBuffer, errBuffer;
    inBuffer.setData(in);
    inBuffer.open(QIODevice::ReadOnly);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    CommandStreams io{inBuffer, outBuffer, errBuffer};
    const int status = runTool(QStringList{QStringLiteral("ironvale-cam")} + arguments, io);
    return {status, outBuffer.data(), errBuffer.data()};
}

#ifndef _WIN32
ToolRun inShell(const QString& folder, const QByteArray& script, Launch how)
{
    QTemporaryDir streams;
    const QByteArray outFile = QFile::encodeName(streams.filePath(QStringLiteral("out")));
    const QByteArray errFile = QFile::encodeName(streams.filePath(QStringLiteral("err")));
    const QByteArray where = QFile::encodeName(folder);
    const QByteArray full = "cam() { '" IRONVALE_CAM "' \"$@\"; }\n" + script;
    int terminal = -1;
    int screen = -1;
    if (how == Launch::ToTerminal && openpty(&screen, &terminal, nullptr, nullptr, nullptr) != 0) {
        return {77, {}, QByteArray("no pseudo-terminal can be opened: ") + std::strerror(errno)};
    }
    int empty[2];
    EXPECT_EQ(pipe(empty), 0);
    const pid_t child = fork();
    if (child == 0) {
        const int out = how == Launch::ToTerminal ? terminal : open(outFile.constData(), O_WRONLY | O_CREAT, 0600);
        const int err = open(errFile.constData(), O_WRONLY | O_CREAT, 0600);
        close(empty[1]);
        if (dup2(empty[0], 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(where.constData()) != 0) {
            _exit(126);
        }
        if (how == Launch::AsReader) {
            becomeNobody();
            if (geteuid() == 0 || access(IRONVALE_CAM, X_OK) != 0) {
                static constexpr char Reason[] = "no user that file permissions stop can run the program here";
                static_cast<void>(!write(2, Reason, sizeof Reason - 1));
                _exit(77);
            }
        }
        execl("/bin/sh", "sh", "-c", full.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(empty[0]);
    close(empty[1]);
    QByteArray shown;
    if (how == Launch::ToTerminal) {
        // The screen reads until the last holder of the terminal is gone.
        close(terminal);
        char buffer[4096];
        for (ssize_t count; (count = read(screen, buffer, sizeof buffer)) != 0;) {
            if (count < 0 && errno != EINTR) {
                break;
            }
            shown.append(buffer, std::max<ssize_t>(count, 0));
        }
        close(screen);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            how == Launch::ToTerminal ? shown : readFile(streams.filePath(QStringLiteral("out"))),
            readFile(streams.filePath(QStringLiteral("err")))};
}
#endif

} // namespace CamTest
