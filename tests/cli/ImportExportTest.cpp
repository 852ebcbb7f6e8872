#include "cli/CampaignJson.h"
#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"
#include "tests/cli/CamTestSupport.h"
#include "tests/cli/RandomCampaignFile.h"
#include "tests/support/SaveFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Result {
    int intStatus;
    QByteArray Out;
    std::string strErr;
};

// The tool in-process on buffers; standard error as text to compare.
Result Tool(const QStringList& Arguments, const QByteArray& In = {})
{
    const CamTest::ToolRun Run = CamTest::InProcess(Arguments, In);
    return {Run.Status, Run.Out, Run.Err.toStdString()};
}

QByteArray Contents(const QString& strPath)
{
    QFile File(strPath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<missing>");
}

void Put(const QString& strPath, const QByteArray& Bytes)
{
    QFile File(strPath);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    ASSERT_EQ(File.write(Bytes), Bytes.size());
}

QByteArray RandomFile(uint32_t lngSeed, int intCount)
{
    return QByteArray::fromStdString(RandomCampaignFile(lngSeed, intCount));
}

// One scenario that leads to both ends: passes the check. With a go-to to
// an empty slot it fails it.
std::unique_ptr<clsCampaign> Passing(int32_t lngGoTo = 254)
{
    auto Campaign = std::make_unique<clsCampaign>();
    clsScenario& Scenario = Campaign->Scenarios(0);
    Scenario.SetNumber(0);
    Scenario.SetName("first");
    Scenario.SetResultScenario(0, lngGoTo);
    Scenario.SetResultScenario(1, 254);
    Scenario.SetResultScenario(2, 254);
    Scenario.SetResultScenario(3, 255);
    return Campaign;
}

class ImportExport : public ::testing::Test {
protected:
    QString Path(const char* strName) const { return m_Dir.filePath(QLatin1String(strName)); }

    QTemporaryDir m_Dir;
};

} // namespace

TEST_F(ImportExport, FilesComeBackThroughTheCommands)
{
    for (uint32_t lngSeed = 1; lngSeed <= 12; ++lngSeed) {
        const QByteArray File = RandomFile(lngSeed, lngSeed == 1 ? 0 : lngSeed == 2 ? 50 : static_cast<int>(lngSeed));
        Put(Path("a.cam"), File);
        const Result Exported = Tool({QStringLiteral("export"), Path("a.cam")});
        ASSERT_EQ(Exported.intStatus, 0) << Exported.strErr;
        EXPECT_EQ(Exported.strErr, "");
        ASSERT_EQ(Tool({QStringLiteral("export"), Path("a.cam"), QStringLiteral("-o"), Path("a.json")}).intStatus, 0);
        EXPECT_TRUE(Contents(Path("a.json")) == Exported.Out);

        const Result Imported = Tool({QStringLiteral("import"), Path("a.json"), QStringLiteral("-o"), Path("b.cam"),
                                     QStringLiteral("--no-check")});
        ASSERT_EQ(Imported.intStatus, 0) << Imported.strErr;
        EXPECT_TRUE(Imported.Out.isEmpty());
        EXPECT_TRUE(Contents(Path("b.cam")) == File) << "seed " << lngSeed;
        EXPECT_TRUE(Tool({QStringLiteral("export"), Path("b.cam")}).Out == Exported.Out) << "seed " << lngSeed;
    }
}

// The editor opens a file by its first 31944 bytes and refuses a shorter
// one or one that claims more than 50 scenarios; export does the same.
TEST_F(ImportExport, ExportReadsFilesAsTheEditorOpensThem)
{
    const QByteArray File = RandomFile(7, 9);
    Put(Path("long.cam"), File + QByteArray(500, '\x7F'));
    const auto opened = std::make_unique<clsCampaign>();
    ASSERT_EQ(ReadCampaignBytes(File, *opened).toStdString(), "");
    EXPECT_TRUE(Tool({QStringLiteral("export"), Path("long.cam")}).Out == CampaignJson(*opened, File));

    QByteArray TooMany = File;
    TooMany[0] = 51;
    for (const QByteArray& Unreadable : {File.left(1000), TooMany, QByteArray()}) {
        Put(Path("bad.cam"), Unreadable);
        const auto Campaign = std::make_unique<clsCampaign>();
        const QString strReason = ReadCampaignBytes(Unreadable, *Campaign);
        ASSERT_FALSE(strReason.isEmpty());
        const Result Exported = Tool({QStringLiteral("export"), Path("bad.cam"), QStringLiteral("-o"), Path("bad.json")});
        EXPECT_EQ(Exported.intStatus, 2);
        const QString said = "ironvale-cam: " + Path("bad.cam") + ": cannot be read: " + strReason + '\n';
        EXPECT_EQ(Exported.strErr, said.toStdString());
        EXPECT_FALSE(QFile::exists(Path("bad.json")));
    }
}

// Every refusal leaves an old file as it was and creates no new one.
TEST_F(ImportExport, RefusalsWriteNothing)
{
    const QByteArray Good = CampaignJson(*Passing());
    const QByteArray Gap = QByteArray(Good).replace("\"slot\": 0", "\"slot\": 1");
    const std::string strIn = "ironvale-cam: " + Path("in.json").toStdString();
    const struct {
        QByteArray Json;
        QStringList Options;
        int intStatus;
        std::string strErr;
    } cases[] = {
        {"{", {}, 2, strIn + ": line 1, column 2: unexpected end of input; expected string literal\n"},
        {QByteArray(Good).replace("\"nation\": 0", "\"nation\": 9"), {}, 2, strIn + ": nation: 9 is outside 0..3\n"},
        {Gap, {QStringLiteral("--no-check")}, 2,
         strIn + ": scenarios[0].slot: 1 leaves slot 0 free, but a campaign file keeps its 1 scenarios in slots 0..0\n"},
        {CampaignJson(*Passing(3)), {}, 1,
         strIn + ": Scenario 3 referenced but not found\n"
                 "ironvale-cam: nothing written: the campaign fails the integrity check (--no-check writes it "
                 "anyway).\n"},
    };
    for (const auto& Case : cases) {
        Put(Path("in.json"), Case.Json);
        Put(Path("old.cam"), "old bytes");
        for (const char* strTarget : {"old.cam", "new.cam"}) {
            const Result Imported = Tool(QStringList{QStringLiteral("import"), Path("in.json"), QStringLiteral("-o"),
                                                    Path(strTarget)} +
                                        Case.Options);
            EXPECT_EQ(Imported.intStatus, Case.intStatus) << Case.Json.toStdString();
            EXPECT_EQ(Imported.strErr, Case.strErr);
            EXPECT_TRUE(Imported.Out.isEmpty());
        }
        EXPECT_EQ(Contents(Path("old.cam")), "old bytes");
        EXPECT_FALSE(QFile::exists(Path("new.cam")));
    }
    EXPECT_EQ(QDir(m_Dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

// The check's messages are the editor's; --no-check writes the campaign anyway.
TEST_F(ImportExport, NoCheckWritesACampaignThatFailsTheCheck)
{
    const auto Failing = Passing(0);
    Failing->Scenarios(0).SetResultScenario(1, 0);
    Failing->Scenarios(0).SetResultScenario(2, 0);
    Failing->Scenarios(0).SetResultScenario(3, 0);
    Put(Path("in.json"), CampaignJson(*Failing));
    const Result Refused = Tool({QStringLiteral("import"), Path("in.json"), QStringLiteral("-o"), Path("out.cam")});
    EXPECT_EQ(Refused.intStatus, 1);
    std::string strMessages;
    const int16_t intCount = Failing->Check();
    ASSERT_EQ(intCount, 3);
    for (int16_t intI = 0; intI < intCount; ++intI) {
        strMessages += "ironvale-cam: " + Path("in.json").toStdString() + ": " + Failing->Errors(intI) + "\n";
    }
    EXPECT_EQ(Refused.strErr, strMessages + "ironvale-cam: nothing written: the campaign fails the integrity "
                                            "check (--no-check writes it anyway).\n");
    EXPECT_FALSE(QFile::exists(Path("out.cam")));

    const Result Written = Tool({QStringLiteral("import"), Path("in.json"), QStringLiteral("-o"), Path("out.cam"),
                                QStringLiteral("--no-check")});
    EXPECT_EQ(Written.intStatus, 0);
    EXPECT_EQ(Written.strErr, "");
    EXPECT_TRUE(Contents(Path("out.cam")) == CampaignBytes(*Failing));
}

TEST_F(ImportExport, WriteFailuresAreTrouble)
{
    Put(Path("in.json"), CampaignJson(*Passing()));
    Put(Path("a.cam"), CampaignBytes(*Passing()));
    const QString strNowhere = Path("no-such-folder/out.cam");
    const Result Imported = Tool({QStringLiteral("import"), Path("in.json"), QStringLiteral("-o"), strNowhere});
    EXPECT_EQ(Imported.intStatus, 2);
    EXPECT_EQ(Imported.strErr.rfind("ironvale-cam: " + strNowhere.toStdString() + ": cannot be written: ", 0), 0U)
        << Imported.strErr;
    EXPECT_NE(Imported.strErr.find("No file was created."), std::string::npos) << Imported.strErr;
    EXPECT_EQ(Tool({QStringLiteral("export"), Path("a.cam"), QStringLiteral("-o"), strNowhere}).intStatus, 2);

    // The faults every save through the shared storage meets keep the old file whole.
    QDir(m_Dir.path()).mkpath(QStringLiteral("faults"));
    // The child that is nobody reads the JSON through the test's folder.
    QFile::setPermissions(m_Dir.path(), QFile::permissions(m_Dir.path()) | QFile::ExeOther | QFile::ReadOther);
    const QByteArray Old(31944, 'o');
    PrepareFaultFolder(Path("faults"), Old);
    for (const SaveFault& Fault : SaveFaults(FaultRows::AboveStorage)) {
        SCOPED_TRACE(Fault.strCase);
        const QString strTarget = Path("faults/") + QLatin1String(Fault.strTarget);
        EXPECT_TRUE(InChild(Fault.Setup, [&] {
            const Result Failed = Tool({QStringLiteral("import"), Path("in.json"), QStringLiteral("-o"), strTarget});
            const bool blnSaid =
                Failed.strErr.rfind("ironvale-cam: " + strTarget.toStdString() + ": cannot be written: ", 0) == 0;
            return Failed.intStatus == 2 && blnSaid &&
                   (Fault.strReason == nullptr || Failed.strErr.find(Fault.strReason) != std::string::npos);
        }));
        EXPECT_EQ(Contents(Path("faults/") + QLatin1String(Fault.strOldFile)), Old);
    }
    QFile::setPermissions(Path("faults/locked"), QFile::permissions(m_Dir.path()));
}
