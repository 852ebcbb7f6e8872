// Writes the import fuzzer's starting points into the folder given as the
// only argument: the exports of generated campaign files of every size, and
// two the import refuses late, after most of the text has been walked.

#include "cli/CampaignJson.h"
#include "data/CampaignFileError.h"
#include "data/clsCampaign.h"
#include "tests/cli/RandomCampaignFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

namespace {

QByteArray Exported(uint32_t lngSeed, int intCount)
{
    const auto Campaign = std::make_unique<clsCampaign>();
    std::istringstream Stream(RandomCampaignFile(lngSeed, intCount));
    Campaign->FileRead(Stream);
    return CampaignJson(*Campaign);
}

bool Save(const QString& strPath, const QByteArray& Bytes)
{
    QFile File(strPath);
    return File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size() && File.flush();
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
            {"empty.json", Exported(1, 0)},
            {"one.json", Exported(2, 1)},
            {"three.json", Exported(3, 3)},
            {"twelve.json", Exported(4, 12)},
            {"full.json", Exported(5, 50)},
            {"gap.json", Exported(6, 2).replace("\"slot\": 1", "\"slot\": 7")},
            {"long-name.json", Exported(7, 1).replace("\"name\": \"", "\"name\": \"abcdefghijklmnopqrst")},
        };
    } catch (const CampaignFileError& Error) {
        std::fprintf(stderr, "make_json_seeds: a generated campaign does not read: %s\n", Error.what());
        return 1;
    }
    const QString strFolder = QString::fromLocal8Bit(argv[1]);
    for (const auto& [strName, Bytes] : seeds) {
        if (!Save(strFolder + QLatin1Char('/') + QLatin1String(strName), Bytes)) {
            std::fprintf(stderr, "make_json_seeds: cannot write %s/%s\n", argv[1], strName);
            return 1;
        }
    }
    return 0;
}
