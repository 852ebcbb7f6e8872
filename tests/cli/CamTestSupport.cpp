#include "tests/cli/CamTestSupport.h"

#include "cli/Command.h"
#include "storage/CampaignStorage.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace CamTest {

std::unique_ptr<clsCampaign> CampaignOf(const Layout& Scenarios)
{
    auto Campaign = std::make_unique<clsCampaign>();
    for (const auto& [intNumber, goTos] : Scenarios) {
        clsScenario& Scenario = Campaign->Scenarios(intNumber);
        Scenario.SetNumber(intNumber);
        Scenario.SetName("scen" + std::to_string(intNumber));
        for (int16_t intJ = 0; intJ < clsScenario::OutcomeCount; ++intJ) {
            Scenario.SetResultScenario(intJ, goTos[static_cast<std::size_t>(intJ)]);
        }
    }
    return Campaign;
}

QString SaveCampaign(const QTemporaryDir& Dir, const QString& strName, const clsCampaign& Campaign)
{
    const QString strPath = Dir.filePath(strName);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    const SaveResult Result = SaveCampaignFile(QFile::encodeName(strPath).toStdString(), Campaign);
    EXPECT_TRUE(Result.Saved()) << strPath.toStdString() << ": " << Result.Reason.toStdString();
    return strPath;
}

QString SaveLayout(const QTemporaryDir& Dir, const QString& strName, const Layout& Scenarios)
{
    // A file keeps the slots 0..count-1 alone: a layout with a gap would
    // not read back as laid out.
    for (std::size_t lngI = 0; lngI < Scenarios.size(); ++lngI) {
        EXPECT_EQ(Scenarios[lngI].first, static_cast<int16_t>(lngI)) << strName.toStdString();
    }
    return SaveCampaign(Dir, strName, *CampaignOf(Scenarios));
}

QStringList ToolRun::OutLines() const
{
    QString strOut = QString::fromUtf8(Out);
    if (strOut.endsWith(QLatin1Char('\n'))) {
        strOut.chop(1);
    }
    return strOut.isEmpty() ? QStringList() : strOut.split(QLatin1Char('\n'));
}

ToolRun InProcess(const QStringList& Arguments, const QByteArray& In)
{
    QBuffer InBuffer;
    InBuffer.setData(In);
    QBuffer OutBuffer;
    QBuffer ErrBuffer;
    InBuffer.open(QIODevice::ReadOnly);
    OutBuffer.open(QIODevice::WriteOnly);
    ErrBuffer.open(QIODevice::WriteOnly);
    CommandStreams Io{InBuffer, OutBuffer, ErrBuffer};
    const int intStatus = RunTool(QStringList{QStringLiteral("ironvale-cam")} + Arguments, Io);
    return {intStatus, OutBuffer.data(), ErrBuffer.data()};
}

ToolRun Program(const QStringList& Arguments, const QByteArray& In)
{
    QProcess Process;
    Process.start(QStringLiteral(IRONVALE_CAM), Arguments);
    Process.write(In);
    Process.closeWriteChannel();
    EXPECT_TRUE(Process.waitForFinished(30000)) << Arguments.join(' ').toStdString();
    EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
    return {Process.exitCode(), Process.readAllStandardOutput(), Process.readAllStandardError()};
}

} // namespace CamTest
