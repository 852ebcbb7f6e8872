#include "data/Campaign.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

// Mostly sound campaigns with the odd fault a designer leaves, so the check
// has real work and some messages to print. The same seed gives the same
// files.
Campaign generated(std::mt19937& Random, int16_t intCount)
{
    const auto Any = [&](uint32_t lngN) { return static_cast<int32_t>(Random() % lngN); };
    const std::string strLetters = "abcdefghijklmnopqrstuvwxyz0123456789\xE9\xE4";
    const auto Name = [&] { return strLetters.substr(static_cast<std::size_t>(Any(30)), 3 + Any(9)); };
    Campaign campaign;
    campaign.setNation(Any(4));
    campaign.setPrestige(Any(3000));
    campaign.setDescription(Name());
    for (int16_t intK = 0; intK < intCount; ++intK) {
        Scenario& scenario = campaign.scenarios(intK);
        scenario.setNumber(intK);
        scenario.setName(Name());
        scenario.setMovie(Name());
        scenario.setVoice(Name());
        scenario.setText(Name());
        scenario.setPrestige(Any(2000));
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            const int32_t lngRoll = Any(1000);
            const int32_t lngNext = intK + 1 < intCount ? intK + 1 : Campaign::VictoryScenario;
            scenario.setResultScenario(intJ, lngRoll < 2     ? 60 + Any(100)
                                             : intJ == 3     ? Campaign::LossScenario
                                             : lngRoll < 700 ? lngNext
                                                             : Any(intCount));
            scenario.setResultPrestige(intJ, Any(500));
            scenario.setResultText(intJ, Name());
            scenario.setResultVoice(intJ, Name());
            scenario.setResultMovie(intJ, Name());
        }
    }
    return campaign;
}

} // namespace

// generate_campaigns FOLDER COUNT [SCENARIOS]: writes COUNT campaign files
// into FOLDER (which must exist), each with SCENARIOS scenarios or, without
// it, 1 to 50.
int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "Usage: generate_campaigns FOLDER COUNT [SCENARIOS]\n");
        return 2;
    }
    const std::string strFolder = argv[1];
    const long lngCount = std::strtol(argv[2], nullptr, 10);
    const long lngScenarios = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 0;
    if (lngScenarios < 0 || lngScenarios > Campaign::MaxScenarios) {
        std::fprintf(stderr, "generate_campaigns: SCENARIOS must be 1..50\n");
        return 2;
    }
    std::mt19937 Random(20240601);
    for (long lngI = 0; lngI < lngCount; ++lngI) {
        const auto intScenarios = static_cast<int16_t>(lngScenarios > 0 ? lngScenarios : 1 + Random() % 50);
        std::ostringstream bytes;
        generated(Random, intScenarios).fileWrite(bytes);
        const std::string strNumber = std::to_string(lngI);
        const std::string strPath =
            strFolder + "/campaign-" + std::string(5 - std::min<std::size_t>(5, strNumber.size()), '0') + strNumber + ".cam";
        std::ofstream File(strPath, std::ios::binary);
        File << bytes.str();
        if (!File.flush()) {
            std::fprintf(stderr, "generate_campaigns: %s could not be written\n", strPath.c_str());
            return 2;
        }
    }
    return 0;
}
