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
    InputBuffer(const uint8_t* data, std::size_t size)
    {
        char* begin = const_cast<char*>(reinterpret_cast<const char*>(data));
        setg(begin, begin, begin + size);
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) override
    {
        if (offset != 0 || direction != std::ios_base::cur || (which & std::ios_base::in) == 0) {
            return pos_type(off_type(-1));
        }
        return pos_type(gptr() - eback());
    }
};

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "campaign_fuzzer: %s\n", what.c_str());
    std::abort();
}

std::string written(const Campaign& campaign)
{
    std::ostringstream stream;
    campaign.fileWrite(stream);
    return stream.str();
}

// Every campaign the editor reads must check, save and load again into a
// campaign that saves the very same bytes and checks the same way.
void checkRoundTrip(Campaign& campaign)
{
    const int16_t errorCount = campaign.check();
    if (errorCount != campaign.errorCount()) {
        fail("Check returned " + std::to_string(errorCount) + " but the list holds " +
             std::to_string(campaign.errorCount()) + " messages");
    }
    const std::string first = written(campaign);
    if (first.size() != CampaignBytes) {
        fail("the written campaign has " + std::to_string(first.size()) + " bytes, not 31944");
    }
    Campaign again;
    std::istringstream stream(first);
    try {
        again.fileRead(stream);
    } catch (const CampaignFileError& error) {
        fail(std::string("the written campaign does not read back: ") + error.what());
    }
    if (written(again) != first) {
        fail("the campaign read back from the written bytes writes different bytes");
    }
    if (again.check() != errorCount) {
        fail("the campaign read back from the written bytes checks differently");
    }
    for (int16_t i = 0; i < errorCount; ++i) {
        if (again.errors(i) != campaign.errors(i)) {
            fail("check message " + std::to_string(i) + " differs after the round trip");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    InputBuffer buffer(data, size);
    std::istream stream(&buffer);
    Campaign campaign;
    try {
        campaign.fileRead(stream);
    } catch (const CampaignFileError&) {
        // Refused with a message to the user: the expected end for most inputs.
        return 0;
    }
    checkRoundTrip(campaign);
    return 0;
}
