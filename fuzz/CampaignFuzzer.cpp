#include "data/CampaignFileError.h"
#include "data/Campaign.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

constexpr std::size_t CampaignBytes = 31944;

// Lets the reader take the fuzzer's bytes where they lie; a string stream
// would copy 32 KB per input. The position is answered as a file would, so
// the reader's "ends at byte N" message is exercised too.
class InputBuffer : public std::streambuf {
public:
    InputBuffer(const uint8_t* pData, std::size_t lngSize)
    {
        char* pBegin = const_cast<char*>(reinterpret_cast<const char*>(pData));
        setg(pBegin, pBegin, pBegin + lngSize);
    }

protected:
    pos_type seekoff(off_type lngOffset, std::ios_base::seekdir Direction, std::ios_base::openmode Which) override
    {
        if (lngOffset != 0 || Direction != std::ios_base::cur || (Which & std::ios_base::in) == 0) {
            return pos_type(off_type(-1));
        }
        return pos_type(gptr() - eback());
    }
};

[[noreturn]] void fail(const std::string& strWhat)
{
    std::fprintf(stderr, "campaign_fuzzer: %s\n", strWhat.c_str());
    std::abort();
}

std::string written(const Campaign& campaign)
{
    std::ostringstream Stream;
    campaign.fileWrite(Stream);
    return Stream.str();
}

// Every campaign the editor reads must check, save and load again into a
// campaign that saves the very same bytes and checks the same way.
void checkRoundTrip(Campaign& campaign)
{
    const int16_t intErrors = campaign.check();
    if (intErrors != campaign.errorCount()) {
        fail("Check returned " + std::to_string(intErrors) + " but the list holds " +
             std::to_string(campaign.errorCount()) + " messages");
    }
    const std::string strFirst = written(campaign);
    if (strFirst.size() != CampaignBytes) {
        fail("the written campaign has " + std::to_string(strFirst.size()) + " bytes, not 31944");
    }
    Campaign Again;
    std::istringstream Stream(strFirst);
    try {
        Again.fileRead(Stream);
    } catch (const CampaignFileError& Error) {
        fail(std::string("the written campaign does not read back: ") + Error.what());
    }
    if (written(Again) != strFirst) {
        fail("the campaign read back from the written bytes writes different bytes");
    }
    if (Again.check() != intErrors) {
        fail("the campaign read back from the written bytes checks differently");
    }
    for (int16_t intI = 0; intI < intErrors; ++intI) {
        if (Again.errors(intI) != campaign.errors(intI)) {
            fail("check message " + std::to_string(intI) + " differs after the round trip");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, std::size_t lngSize)
{
    InputBuffer Buffer(pData, lngSize);
    std::istream Stream(&Buffer);
    Campaign campaign;
    try {
        campaign.fileRead(Stream);
    } catch (const CampaignFileError&) {
        // Refused with a message to the user: the expected end for most inputs.
        return 0;
    }
    checkRoundTrip(campaign);
    return 0;
}
