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
Campaign generated(std::mt19937& random, int16_t count)
{
    const auto any = [&](uint32_t n) { return static_cast<int32_t>(random() % n); };
    const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789\xE9\xE4";
    const auto name = [&] { return letters.substr(static_cast<std::size_t>(any(30)), 3 + any(9)); };
    Campaign campaign;
    campaign.setNation(any(4));
    campaign.setPrestige(any(3000));
    campaign.setDescription(name());
    for (int16_t k = 0; k < count; ++k) {
        Scenario& scenario = campaign.scenarios(k);
        scenario.setNumber(k);
        scenario.setName(name());
        scenario.setMovie(name());
        scenario.setVoice(name());
        scenario.setText(name());
        scenario.setPrestige(any(2000));
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            const int32_t roll = any(1000);
            const int32_t next = k + 1 < count ? k + 1 : Campaign::VictoryScenario;
            scenario.setResultScenario(j, roll < 2     ? 60 + any(100)
                                          : j == 3     ? Campaign::LossScenario
                                          : roll < 700 ? next
                                                       : any(count));
            scenario.setResultPrestige(j, any(500));
            scenario.setResultText(j, name());
            scenario.setResultVoice(j, name());
            scenario.setResultMovie(j, name());
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
    const std::string folder = argv[1];
    const long fileCount = std::strtol(argv[2], nullptr, 10);
    const long requestedScenarios = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 0;
    if (requestedScenarios < 0 || requestedScenarios > Campaign::MaxScenarios) {
        std::fprintf(stderr, "generate_campaigns: SCENARIOS must be 1..50\n");
        return 2;
    }
    std::mt19937 random(20240601);
    for (long i = 0; i < fileCount; ++i) {
        const auto scenarioCount =
            static_cast<int16_t>(requestedScenarios > 0 ? requestedScenarios : 1 + random() % 50);
        std::ostringstream bytes;
        generated(random, scenarioCount).fileWrite(bytes);
        const std::string numberText = std::to_string(i);
        const std::string path = folder + "/campaign-" +
                                 std::string(5 - std::min<std::size_t>(5, numberText.size()), '0') + numberText +
                                 ".cam";
        std::ofstream file(path, std::ios::binary);
        file << bytes.str();
        if (!file.flush()) {
            std::fprintf(stderr, "generate_campaigns: %s could not be written\n", path.c_str());
            return 2;
        }
    }
    return 0;
}
