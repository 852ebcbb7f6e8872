#include "tests/cli/CamTestSupport.h"

#include "cli/Command.h"
#include "storage/CampaignStorage.h"
#include "tests/support/SaveFaults.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>

namespace CamTest {

std::unique_ptr<Campaign> campaignOf(const Layout& Scenarios)
{
    auto campaign = std::make_unique<Campaign>();
    for (const auto& [intNumber, goTos] : Scenarios) {
        Scenario& scenario = campaign->scenarios(intNumber);
        scenario.setNumber(intNumber);
        scenario.setName("scen" + std::to_string(intNumber));
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            scenario.setResultScenario(intJ, goTos[static_cast<std::size_t>(intJ)]);
        }
    }
    return campaign;
}

QString saveCampaign(const QTemporaryDir& Dir, const QString& strName, const Campaign& campaign)
{
    const QString strPath = Dir.filePath(strName);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    const SaveResult Result = saveCampaignFile(QFile::encodeName(strPath).toStdString(), campaign);
    EXPECT_TRUE(Result.saved()) << strPath.toStdString() << ": " << Result.Reason.toStdString();
    return strPath;
}

QString saveLayout(const QTemporaryDir& Dir, const QString& strName, const Layout& Scenarios)
{
    return saveCampaign(Dir, strName, *campaignOf(Scenarios));
}

QString writeFile(const QString& strPath, const QByteArray& bytes)
{
    QFile File(strPath);
    EXPECT_TRUE(File.open(QIODevice::WriteOnly)) << strPath.toStdString();
    EXPECT_EQ(File.write(bytes), bytes.size());
    return strPath;
}

QByteArray contents(const QString& strPath)
{
    QFile File(strPath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
}

QStringList ToolRun::outLines() const
{
    QString strOut = QString::fromUtf8(Out);
    if (strOut.endsWith(QLatin1Char('\n'))) {
        strOut.chop(1);
    }
    return strOut.isEmpty() ? QStringList() : strOut.split(QLatin1Char('\n'));
}

ToolRun inProcess(const QStringList& Arguments, const QByteArray& In)
{
    QBuffer InBuffer;
    InBuffer.setData(In);
    QBuffer OutBuffer;
    QBuffer ErrBuffer;
    InBuffer.open(QIODevice::ReadOnly);
    OutBuffer.open(QIODevice::WriteOnly);
    ErrBuffer.open(QIODevice::WriteOnly);
    CommandStreams Io{InBuffer, OutBuffer, ErrBuffer};
    const int intStatus = runTool(QStringList{QStringLiteral("ironvale-cam")} + Arguments, Io);
    return {intStatus, OutBuffer.data(), ErrBuffer.data()};
}

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
                static constexpr char reason[] = "no user that file permissions stop can run the program here";
                static_cast<void>(!write(2, reason, sizeof reason - 1));
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
    const auto contents = [](const QByteArray& path) {
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, how == Launch::ToTerminal ? shown : contents(outFile),
            contents(errFile)};
}

} // namespace CamTest
