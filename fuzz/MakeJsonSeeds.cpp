// Writes the import fuzzer's starting points into the folder given as the
// only argument: the exports of generated campaign files of every size, one
// with unread bytes in a record and in the rest of the file, two the import
// refuses late, after most of the text has been walked, and two with a key
// given twice.

#include "cli/CampaignJson.h"
#include "data/CampaignFileError.h"
#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "tests/support/RandomCampaignFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

namespace {

QByteArray exported(uint32_t seed, int count)
{
    const auto campaign = std::make_unique<Campaign>();
    std::istringstream stream(randomCampaignFile(seed, count));
    campaign->fileRead(stream);
    return campaignJson(*campaign);
}

// A campaign the editor saved, with bytes changed that it does not keep
// (the reserved space of a used record, an unused record, the defeat movie,
// the trailer), or may keep (a name's last byte), read back and exported.
QByteArray withUnread(uint32_t seed)
{
    const auto campaign = std::make_unique<Campaign>();
    std::istringstream stream(randomCampaignFile(seed, 2));
    campaign->fileRead(stream);
    QByteArray file = campaignBytes(*campaign);
    for (const int at : {26, 44 + 90, 44 + 600, 44 + 636 + 27, 44 + 636 * 7, 31900, 31943}) {
        file[at] = static_cast<char>(file[at] ^ 0x5A);
    }
    if (const QString reason = readCampaignBytes(file, *campaign); !reason.isEmpty()) {
        throw CampaignFileError(reason.toStdString());
    }
    return campaignJson(*campaign, file);
}

bool save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_json_seeds FOLDER\n");
        return 2;
    }
    std::vector<std::pair<const char*, QByteArray>> seeds;
    try {
        seeds = {
            {"empty.json", exported(1, 0)},
            {"one.json", exported(2, 1)},
            {"three.json", exported(3, 3)},
            {"twelve.json", exported(4, 12)},
            {"full.json", exported(5, 50)},
            {"gap.json", exported(6, 2).replace("\"slot\": 1", "\"slot\": 7")},
            {"long-name.json", exported(7, 1).replace("\"name\": \"", "\"name\": \"abcdefghijklmnopqrst")},
            {"unread.json", withUnread(8)},
            {"repeated-top.json", exported(9, 2).replace("\"version\": 1,", "\"version\": 1, \"version\": 1,")},
            {"repeated-outcome.json", exported(10, 2).replace("\"goto\": ", "\"goto\": 0, \"goto\": ")},
        };
    } catch (const CampaignFileError& error) {
        std::fprintf(stderr, "make_json_seeds: a generated campaign does not read: %s\n", error.what());
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const auto& [name, bytes] : seeds) {
        if (!save(folder + QLatin1Char('/') + QLatin1String(name), bytes)) {
            std::fprintf(stderr, "make_json_seeds: cannot write %s/%s\n", argv[1], name);
            return 1;
        }
    }
    return 0;
}
