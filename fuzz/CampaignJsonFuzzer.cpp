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

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "campaign_json_fuzzer: %s\n", what.c_str());
    std::abort();
}

// The bytes of an imported campaign, which must be a whole campaign file.
QByteArray imported(const QByteArray& json, Campaign& campaign, const char* what)
{
    QByteArray file;
    const QString reason = readCampaignJson(json, campaign, file);
    if (!reason.isEmpty()) {
        fail(std::string(what) + " is refused: " + reason.toStdString());
    }
    if (file.size() != CampaignFileSize) {
        fail(std::string(what) + " gives " + std::to_string(file.size()) + " bytes, not " +
             std::to_string(CampaignFileSize));
    }
    return file;
}

} // namespace

// Whatever JSON import takes must give a whole campaign file that keeps all
// of it, unread runs included: its export imports to the very same bytes,
// and the file read back exports to the very same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray json = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto campaign = std::make_unique<Campaign>();
    QByteArray refused;
    if (!readCampaignJson(json, *campaign, refused).isEmpty()) {
        return 0;
    }
    const QByteArray file = imported(json, *campaign, "the input, taken once,");
    const QByteArray exported = campaignJson(*campaign, file);
    const auto again = std::make_unique<Campaign>();
    if (imported(exported, *again, "the export of the input") != file) {
        fail("the export of the input imports to different bytes");
    }
    const auto reread = std::make_unique<Campaign>();
    std::istringstream stream(file.toStdString());
    try {
        reread->fileRead(stream);
    } catch (const CampaignFileError& error) {
        fail(std::string("the imported bytes do not read back: ") + error.what());
    }
    if (campaignJson(*reread, file) != exported) {
        fail("the file read back exports different text");
    }
    return 0;
}
