#include "cli/CampaignJson.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/cli/CamTestSupport.h"
#include "tests/support/RandomCampaignFile.h"

#include <QDir>
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
        {"the check's messages are not all given", "import", campaignJson(*passing(0, 0)), {}, 1,
         checked(*passing(0, 0), in) + checkFailed},
        {"a short file is exported", "export", file.left(1000), {}, 2, unread(file.left(1000))},
    };
    ASSERT_EQ(checked(*passing(0, 0), in).count('\n'), 3);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        ASSERT_TRUE(writeFile(in, row.input));
        ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("old.cam")), "old bytes"));
        for (const char* target : {"old.cam", "new.cam"}) {
            const ToolRun result = inProcess(QStringList{row.command, in, "-o", dir.filePath(target)} + row.options);
            EXPECT_EQ(result.status, row.status);
            EXPECT_EQ(QString::fromUtf8(result.err), row.err);
            EXPECT_TRUE(result.out.isEmpty());
        }
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("old.cam"))), "old bytes");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"in", "old.cam"}));
    }
    // Export reads a long file by its first 31944 bytes, as the editor opens it.
    ASSERT_TRUE(writeFile(in, file + QByteArray(500, '\x7F')));
    const auto opened = std::make_unique<Campaign>();
    ASSERT_EQ(readCampaignBytes(file, *opened).toStdString(), "");
    EXPECT_TRUE(inProcess({"export", in}).out == campaignJson(*opened, file));
}
