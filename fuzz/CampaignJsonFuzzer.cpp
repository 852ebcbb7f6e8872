#include "cli/CampaignJson.h"
#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

[[noreturn]] void fail(const std::string& strWhat)
{
    std::fprintf(stderr, "campaign_json_fuzzer: %s\n", strWhat.c_str());
    std::abort();
}

// The bytes of an imported campaign, which must be a whole campaign file.
QByteArray imported(const QByteArray& Json, Campaign& campaign, const char* strWhat)
{
    QByteArray file;
    const QString strReason = readCampaignJson(Json, campaign, file);
    if (!strReason.isEmpty()) {
        fail(std::string(strWhat) + " is refused: " + strReason.toStdString());
    }
    if (file.size() != CampaignFileSize) {
        fail(std::string(strWhat) + " gives " + std::to_string(file.size()) + " bytes, not " +
             std::to_string(CampaignFileSize));
    }
    return file;
}

} // namespace

// Whatever JSON import takes must give a whole campaign file that keeps all
// of it, unread runs included: its export imports to the very same bytes,
// and the file read back exports to the very same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, std::size_t lngSize)
{
    const QByteArray Json = QByteArray::fromRawData(reinterpret_cast<const char*>(pData), static_cast<qsizetype>(lngSize));
    const auto campaign = std::make_unique<Campaign>();
    QByteArray refused;
    if (!readCampaignJson(Json, *campaign, refused).isEmpty()) {
        return 0;
    }
    const QByteArray file = imported(Json, *campaign, "the input, taken once,");
    const QByteArray Exported = campaignJson(*campaign, file);
    const auto Again = std::make_unique<Campaign>();
    if (imported(Exported, *Again, "the export of the input") != file) {
        fail("the export of the input imports to different bytes");
    }
    const auto Reread = std::make_unique<Campaign>();
    std::istringstream Stream(file.toStdString());
    try {
        Reread->fileRead(Stream);
    } catch (const CampaignFileError& Error) {
        fail(std::string("the imported bytes do not read back: ") + Error.what());
    }
    if (campaignJson(*Reread, file) != Exported) {
        fail("the file read back exports different text");
    }
    return 0;
}
