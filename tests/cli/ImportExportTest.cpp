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
std::unique_ptr<Campaign> passing(int32_t goTo = 254, int32_t others = 254)
{
    return campaignOf({{0, {goTo, others, others, others == 254 ? 255 : others}}});
}

class ImportExport : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    // The tool in-process, "in.json", "a.cam", "out.cam" naming files of the folder.
    ToolRun tool(const QStringList& arguments) const
    {
        QStringList full;
        for (const QString& each : arguments) {
            full << (each.contains(QLatin1Char('.')) ? m_dir.filePath(each) : each);
        }
        return inProcess(full);
    }

    QByteArray unwritten(const QString& name) const
    {
        return ("ironvale-cam: " + m_dir.filePath(name) + ": cannot be written: ").toUtf8();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ImportExport, FilesComeBackThroughTheCommands)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        const QByteArray file =
            QByteArray::fromStdString(randomCampaignFile(seed, seed == 1   ? 0
                                                               : seed == 2 ? 50
                                                                           : static_cast<int>(seed)));
        writeFile(path("a.cam"), file);
        const ToolRun exported = tool({"export", "a.cam"});
        ASSERT_EQ(exported.status, 0) << exported.err.data();
        EXPECT_EQ(exported.err, "");
        ASSERT_EQ(tool({"export", "a.cam", "-o", "a.json"}).status, 0);
        EXPECT_TRUE(contents(path("a.json")) == exported.out);
        const ToolRun imported = tool({"import", "a.json", "-o", "b.cam", "--no-check"});
        ASSERT_EQ(imported.status, 0) << imported.err.data();
        EXPECT_TRUE(imported.out.isEmpty());
        EXPECT_TRUE(contents(path("b.cam")) == file);
    }
}

// The editor opens a file by its first 31944 bytes and refuses a shorter
// one or one that claims more than 50 scenarios; export does the same.
TEST_F(ImportExport, ExportReadsFilesAsTheEditorOpensThem)
{
    const QByteArray file = QByteArray::fromStdString(randomCampaignFile(7, 9));
    writeFile(path("long.cam"), file + QByteArray(500, '\x7F'));
    const auto opened = std::make_unique<Campaign>();
    ASSERT_EQ(readCampaignBytes(file, *opened).toStdString(), "");
    EXPECT_TRUE(tool({"export", "long.cam"}).out == campaignJson(*opened, file));
    QByteArray tooMany = file;
    tooMany[0] = 51;
    for (const QByteArray& unreadable : {file.left(1000), tooMany, QByteArray()}) {
        writeFile(path("bad.cam"), unreadable);
        const QString reason = readCampaignBytes(unreadable, *campaignOf({}));
        ASSERT_FALSE(reason.isEmpty());
        const ToolRun exported = tool({"export", "bad.cam", "-o", "bad.json"});
        EXPECT_EQ(exported.status, 2);
        EXPECT_EQ(exported.err, "ironvale-cam: " + path("bad.cam") + ": cannot be read: " + reason + '\n');
        EXPECT_FALSE(QFile::exists(path("bad.json")));
    }
}

// Every refusal leaves an old file as it was and creates no new one; the
// check's messages are the editor's, and --no-check writes the campaign anyway.
TEST_F(ImportExport, RefusalsWriteNothing)
{
    const QByteArray good = campaignJson(*passing());
    const QString in = "ironvale-cam: " + path("in.json") + ": ";
    const QString checkedText = "ironvale-cam: nothing written: the campaign fails the integrity check "
                                "(--no-check writes it anyway).\n";
    const auto checked = [&in](const Campaign& campaign) {
        auto copy = std::make_unique<Campaign>(campaign);
        QString said;
        for (int16_t i = 0, count = copy->check(); i < count; ++i) {
            said += in + QString::fromStdString(copy->errors(i)) + '\n';
        }
        return said;
    };
    const struct {
        QByteArray json;
        QStringList options;
        int status;
        QString err;
    } cases[] = {
        {"{", {}, 2, in + "line 1, column 2: unexpected end of input; expected string literal\n"},
        {QByteArray(good).replace("\"nation\": 0", "\"nation\": 9"), {}, 2, in + "nation: 9 is outside 0..3\n"},
        {QByteArray(good).replace("\"slot\": 0", "\"slot\": 1"),
         {QStringLiteral("--no-check")},
         2,
         in + "scenarios[0].slot: 1 leaves slot 0 free, but a campaign file keeps its 1 scenarios in slots 0..0\n"},
        {campaignJson(*passing(3)), {}, 1, in + "Scenario 3 referenced but not found\n" + checkedText},
        {campaignJson(*passing(0, 0)), {}, 1, checked(*passing(0, 0)) + checkedText},
    };
    for (const auto& testCase : cases) {
        writeFile(path("in.json"), testCase.json);
        writeFile(path("old.cam"), "old bytes");
        for (const char* target : {"old.cam", "new.cam"}) {
            const ToolRun imported = tool(QStringList{"import", "in.json", "-o", target} + testCase.options);
            EXPECT_EQ(imported.status, testCase.status) << testCase.json.toStdString();
            EXPECT_EQ(QString::fromUtf8(imported.err), testCase.err);
            EXPECT_TRUE(imported.out.isEmpty());
        }
        EXPECT_EQ(contents(path("old.cam")), "old bytes");
        EXPECT_FALSE(QFile::exists(path("new.cam")));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
    EXPECT_EQ(checked(*passing(0, 0)).count('\n'), 3);
    const ToolRun written = tool({"import", "in.json", "-o", "out.cam", "--no-check"});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.err, "");
    EXPECT_TRUE(contents(path("out.cam")) == campaignBytes(*passing(0, 0)));
}

// A missing folder, and the faults every save through the shared storage
// meets, are trouble that keeps the old file whole.
TEST_F(ImportExport, WriteFailuresAreTrouble)
{
    writeFile(path("in.json"), campaignJson(*passing()));
    writeFile(path("a.cam"), campaignBytes(*passing()));
    const QString nowhere = QStringLiteral("no-such-folder/out.cam");
    const ToolRun imported = tool({"import", "in.json", "-o", nowhere});
    EXPECT_EQ(imported.status, 2);
    EXPECT_TRUE(imported.err.startsWith(unwritten(nowhere))) << imported.err.data();
    EXPECT_TRUE(imported.err.contains("No file was created.")) << imported.err.data();
    EXPECT_EQ(tool({"export", "a.cam", "-o", nowhere}).status, 2);

    QDir(m_dir.path()).mkpath(QStringLiteral("faults"));
    // The child that is nobody reads the JSON through the test's folder.
    QFile::setPermissions(m_dir.path(), QFile::permissions(m_dir.path()) | QFile::ExeOther | QFile::ReadOther);
    const QByteArray old(31944, 'o');
    prepareFaultFolder(path("faults"), old);
    for (const SaveFault& fault : saveFaults(FaultRows::AboveStorage)) {
        SCOPED_TRACE(fault.name);
        const QString targetText = QStringLiteral("faults/") + QLatin1String(fault.target);
        EXPECT_TRUE(inChild(fault.setup, [&] {
            const ToolRun failed = tool({"import", "in.json", "-o", targetText});
            return failed.status == 2 && failed.err.startsWith(unwritten(targetText)) &&
                   (fault.reason == nullptr || failed.err.contains(fault.reason));
        }));
        EXPECT_EQ(contents(path("faults/") + QLatin1String(fault.oldFile)), old);
    }
    QFile::setPermissions(path("faults/locked"), QFile::permissions(m_dir.path()));
}
