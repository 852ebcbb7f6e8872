#include "cli/CampaignJson.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/cli/CamTestSupport.h"
#include "tests/support/RandomCampaignFile.h"
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

// The check's messages for the campaign, each on a line about the file "in".
QString checked(const Campaign& campaign, const QString& in)
{
    auto copy = std::make_unique<Campaign>(campaign);
    QString said;
    for (int16_t i = 0, count = copy->check(); i < count; ++i) {
        said += "ironvale-cam: " + in + ": " + QString::fromStdString(copy->errors(i)) + '\n';
    }
    return said;
}

} // namespace

// Every refusal of import and export, over an old file and where none is:
// the status, the messages on standard error (the check's are the editor's),
// the old file as it was and no new one, nor a temporary.
TEST(ImportExport, RefusalsWriteNothing)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in"));
    const QString checkFailed = "ironvale-cam: nothing written: the campaign fails the integrity check "
                                "(--no-check writes it anyway).\n";
    const QByteArray file = QByteArray::fromStdString(randomCampaignFile(7, 9));
    QByteArray tooMany = file;
    tooMany[0] = 51;
    const auto unread = [&](const QByteArray& bytes) {
        return "ironvale-cam: " + in + ": cannot be read: " + readCampaignBytes(bytes, *campaignOf({})) + '\n';
    };
    const struct {
        const char* fault;
        const char* command;
        QByteArray input;
        QStringList options;
        int status;
        QString err;
    } rows[] = {
        {"a JSON text that does not parse is taken", "import", "{", {}, 2,
         "ironvale-cam: " + in + ": line 1, column 2: unexpected end of input; expected string literal\n"},
        {"--no-check passes a JSON refusal", "import",
         campaignJson(*passing()).replace("\"slot\": 0", "\"slot\": 1"), {QStringLiteral("--no-check")}, 2,
         "ironvale-cam: " + in +
             ": scenarios[0].slot: 1 leaves slot 0 free, but a campaign file keeps its 1 scenarios in slots 0..0\n"},
        {"a campaign with a broken link is written", "import", campaignJson(*passing(3)), {}, 1,
         checked(*passing(3), in) + checkFailed},
        {"the check's messages are not all given", "import", campaignJson(*passing(0, 0)), {}, 1,
         checked(*passing(0, 0), in) + checkFailed},
        {"a short file is exported", "export", file.left(1000), {}, 2, unread(file.left(1000))},
        {"a file claiming 51 scenarios is exported", "export", tooMany, {}, 2, unread(tooMany)},
        {"an empty file is exported", "export", "", {}, 2, unread("")},
    };
    ASSERT_EQ(checked(*passing(0, 0), in).count('\n'), 3);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        ASSERT_TRUE(writeFile(in, row.input));
        ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("old.cam")), "old bytes"));
        for (const char* target : {"old.cam", "new.cam"}) {
            const ToolRun result =
                inProcess(QStringList{QLatin1String(row.command), in, "-o", dir.filePath(target)} + row.options);
            EXPECT_EQ(result.status, row.status);
            EXPECT_EQ(QString::fromUtf8(result.err), row.err);
            EXPECT_TRUE(result.out.isEmpty());
        }
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("old.cam"))), "old bytes");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"in", "old.cam"}));
    }
    // --no-check writes what the check refuses.
    ASSERT_TRUE(writeFile(in, campaignJson(*passing(0, 0))));
    const ToolRun written = inProcess({"import", in, "-o", dir.filePath("out.cam"), "--no-check"});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.err, "");
    EXPECT_TRUE(readFile(dir.filePath("out.cam")) == campaignBytes(*passing(0, 0)));
    // Export reads a long file by its first 31944 bytes, as the editor opens it.
    ASSERT_TRUE(writeFile(in, file + QByteArray(500, '\x7F')));
    const auto opened = std::make_unique<Campaign>();
    ASSERT_EQ(readCampaignBytes(file, *opened).toStdString(), "");
    EXPECT_TRUE(inProcess({"export", in}).out == campaignJson(*opened, file));
}

// A missing folder, and the faults every save through the shared storage
// meets, are trouble that keeps the old file whole.
TEST(ImportExport, WriteFailuresAreTrouble)
{
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("in.json"));
    const QString campaign = dir.filePath(QStringLiteral("a.cam"));
    ASSERT_TRUE(writeFile(json, campaignJson(*passing())) && writeFile(campaign, campaignBytes(*passing())));
    const auto unwritten = [&dir](const QString& name) {
        return ("ironvale-cam: " + dir.filePath(name) + ": cannot be written: ").toUtf8();
    };
    const QString nowhere = QStringLiteral("no-such-folder/out.cam");
    for (const QString& input : {json, campaign}) {
        const ToolRun failed =
            inProcess({input == json ? "import" : "export", input, "-o", dir.filePath(nowhere)});
        EXPECT_EQ(failed.status, 2);
        EXPECT_TRUE(failed.err.startsWith(unwritten(nowhere)) && failed.err.contains("No file was created."))
            << failed.err.data();
    }

    QDir(dir.path()).mkpath(QStringLiteral("faults"));
    // The child that is nobody reads the JSON through the test's folder.
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther);
    const QByteArray old(31944, 'o');
    prepareFaultFolder(dir.filePath(QStringLiteral("faults")), old);
    for (const SaveFault& fault : saveFaults(FaultRows::AboveStorage)) {
        SCOPED_TRACE(fault.name);
        const QString target = QStringLiteral("faults/") + QLatin1String(fault.target);
        EXPECT_TRUE(inChild(fault.setup, [&] {
            const ToolRun failed = inProcess({"import", json, "-o", dir.filePath(target)});
            return failed.status == 2 && failed.err.startsWith(unwritten(target)) &&
                   (fault.reason == nullptr || failed.err.contains(fault.reason));
        }));
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("faults/") + QLatin1String(fault.oldFile))), old);
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("faults/locked")), QFile::permissions(dir.path()));
}
