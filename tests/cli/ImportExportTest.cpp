#include "cli/CampaignJson.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/cli/CamTestSupport.h"
#include "tests/cli/RandomCampaignFile.h"
#include "tests/support/SaveFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace CamTest;

namespace {

// One scenario that leads to both ends passes the check; with go-tos to
// itself or to an empty slot it fails it.
std::unique_ptr<Campaign> passing(int32_t lngGoTo = 254, int32_t lngOthers = 254)
{
    return campaignOf({{0, {lngGoTo, lngOthers, lngOthers, lngOthers == 254 ? 255 : lngOthers}}});
}

class ImportExport : public ::testing::Test {
protected:
    QString path(const char* strName) const { return m_Dir.filePath(QLatin1String(strName)); }
    // The tool in-process, "in.json", "a.cam", "out.cam" naming files of the folder.
    ToolRun tool(const QStringList& Arguments) const
    {
        QStringList Full;
        for (const QString& Each : Arguments) {
            Full << (Each.contains(QLatin1Char('.')) ? m_Dir.filePath(Each) : Each);
        }
        return inProcess(Full);
    }

    QByteArray unwritten(const QString& strName) const
    {
        return ("ironvale-cam: " + m_Dir.filePath(strName) + ": cannot be written: ").toUtf8();
    }

    QTemporaryDir m_Dir;
};

} // namespace

TEST_F(ImportExport, FilesComeBackThroughTheCommands)
{
    for (uint32_t lngSeed = 1; lngSeed <= 6; ++lngSeed) {
        SCOPED_TRACE(lngSeed);
        const QByteArray File = QByteArray::fromStdString(
            randomCampaignFile(lngSeed, lngSeed == 1 ? 0 : lngSeed == 2 ? 50 : static_cast<int>(lngSeed)));
        writeFile(path("a.cam"), File);
        const ToolRun Exported = tool({"export", "a.cam"});
        ASSERT_EQ(Exported.Status, 0) << Exported.Err.data();
        EXPECT_EQ(Exported.Err, "");
        ASSERT_EQ(tool({"export", "a.cam", "-o", "a.json"}).Status, 0);
        EXPECT_TRUE(contents(path("a.json")) == Exported.Out);
        const ToolRun Imported = tool({"import", "a.json", "-o", "b.cam", "--no-check"});
        ASSERT_EQ(Imported.Status, 0) << Imported.Err.data();
        EXPECT_TRUE(Imported.Out.isEmpty());
        EXPECT_TRUE(contents(path("b.cam")) == File);
    }
}

// The editor opens a file by its first 31944 bytes and refuses a shorter
// one or one that claims more than 50 scenarios; export does the same.
TEST_F(ImportExport, ExportReadsFilesAsTheEditorOpensThem)
{
    const QByteArray File = QByteArray::fromStdString(randomCampaignFile(7, 9));
    writeFile(path("long.cam"), File + QByteArray(500, '\x7F'));
    const auto opened = std::make_unique<Campaign>();
    ASSERT_EQ(readCampaignBytes(File, *opened).toStdString(), "");
    EXPECT_TRUE(tool({"export", "long.cam"}).Out == campaignJson(*opened, File));
    QByteArray TooMany = File;
    TooMany[0] = 51;
    for (const QByteArray& Unreadable : {File.left(1000), TooMany, QByteArray()}) {
        writeFile(path("bad.cam"), Unreadable);
        const QString strReason = readCampaignBytes(Unreadable, *campaignOf({}));
        ASSERT_FALSE(strReason.isEmpty());
        const ToolRun Exported = tool({"export", "bad.cam", "-o", "bad.json"});
        EXPECT_EQ(Exported.Status, 2);
        EXPECT_EQ(Exported.Err, "ironvale-cam: " + path("bad.cam") + ": cannot be read: " + strReason + '\n');
        EXPECT_FALSE(QFile::exists(path("bad.json")));
    }
}

// Every refusal leaves an old file as it was and creates no new one; the
// check's messages are the editor's, and --no-check writes the campaign anyway.
TEST_F(ImportExport, RefusalsWriteNothing)
{
    const QByteArray Good = campaignJson(*passing());
    const QString strIn = "ironvale-cam: " + path("in.json") + ": ";
    const QString strChecked = "ironvale-cam: nothing written: the campaign fails the integrity check "
                               "(--no-check writes it anyway).\n";
    const auto Checked = [&strIn](const Campaign& campaign) {
        auto Copy = std::make_unique<Campaign>(campaign);
        QString strSaid;
        for (int16_t intI = 0, intCount = Copy->check(); intI < intCount; ++intI) {
            strSaid += strIn + QString::fromStdString(Copy->errors(intI)) + '\n';
        }
        return strSaid;
    };
    const struct {
        QByteArray Json;
        QStringList Options;
        int intStatus;
        QString strErr;
    } cases[] = {
        {"{", {}, 2, strIn + "line 1, column 2: unexpected end of input; expected string literal\n"},
        {QByteArray(Good).replace("\"nation\": 0", "\"nation\": 9"), {}, 2, strIn + "nation: 9 is outside 0..3\n"},
        {QByteArray(Good).replace("\"slot\": 0", "\"slot\": 1"), {QStringLiteral("--no-check")}, 2,
         strIn + "scenarios[0].slot: 1 leaves slot 0 free, but a campaign file keeps its 1 scenarios in slots 0..0\n"},
        {campaignJson(*passing(3)), {}, 1, strIn + "Scenario 3 referenced but not found\n" + strChecked},
        {campaignJson(*passing(0, 0)), {}, 1, Checked(*passing(0, 0)) + strChecked},
    };
    for (const auto& caseValue : cases) {
        writeFile(path("in.json"), caseValue.Json);
        writeFile(path("old.cam"), "old bytes");
        for (const char* strTarget : {"old.cam", "new.cam"}) {
            const ToolRun Imported = tool(QStringList{"import", "in.json", "-o", strTarget} + caseValue.Options);
            EXPECT_EQ(Imported.Status, caseValue.intStatus) << caseValue.Json.toStdString();
            EXPECT_EQ(QString::fromUtf8(Imported.Err), caseValue.strErr);
            EXPECT_TRUE(Imported.Out.isEmpty());
        }
        EXPECT_EQ(contents(path("old.cam")), "old bytes");
        EXPECT_FALSE(QFile::exists(path("new.cam")));
    }
    EXPECT_EQ(QDir(m_Dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
    EXPECT_EQ(Checked(*passing(0, 0)).count('\n'), 3);
    const ToolRun Written = tool({"import", "in.json", "-o", "out.cam", "--no-check"});
    EXPECT_EQ(Written.Status, 0);
    EXPECT_EQ(Written.Err, "");
    EXPECT_TRUE(contents(path("out.cam")) == campaignBytes(*passing(0, 0)));
}

// A missing folder, and the faults every save through the shared storage
// meets, are trouble that keeps the old file whole.
TEST_F(ImportExport, WriteFailuresAreTrouble)
{
    writeFile(path("in.json"), campaignJson(*passing()));
    writeFile(path("a.cam"), campaignBytes(*passing()));
    const QString strNowhere = QStringLiteral("no-such-folder/out.cam");
    const ToolRun Imported = tool({"import", "in.json", "-o", strNowhere});
    EXPECT_EQ(Imported.Status, 2);
    EXPECT_TRUE(Imported.Err.startsWith(unwritten(strNowhere))) << Imported.Err.data();
    EXPECT_TRUE(Imported.Err.contains("No file was created.")) << Imported.Err.data();
    EXPECT_EQ(tool({"export", "a.cam", "-o", strNowhere}).Status, 2);

    QDir(m_Dir.path()).mkpath(QStringLiteral("faults"));
    // The child that is nobody reads the JSON through the test's folder.
    QFile::setPermissions(m_Dir.path(), QFile::permissions(m_Dir.path()) | QFile::ExeOther | QFile::ReadOther);
    const QByteArray Old(31944, 'o');
    prepareFaultFolder(path("faults"), Old);
    for (const SaveFault& Fault : saveFaults(FaultRows::AboveStorage)) {
        SCOPED_TRACE(Fault.strCase);
        const QString strTarget = QStringLiteral("faults/") + QLatin1String(Fault.strTarget);
        EXPECT_TRUE(inChild(Fault.Setup, [&] {
            const ToolRun Failed = tool({"import", "in.json", "-o", strTarget});
            return Failed.Status == 2 && Failed.Err.startsWith(unwritten(strTarget)) &&
                   (Fault.strReason == nullptr || Failed.Err.contains(Fault.strReason));
        }));
        EXPECT_EQ(contents(path("faults/") + QLatin1String(Fault.strOldFile)), Old);
    }
    QFile::setPermissions(path("faults/locked"), QFile::permissions(m_Dir.path()));
}
