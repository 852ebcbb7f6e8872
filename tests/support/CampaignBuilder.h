#pragma once

// Campaigns for the tests, built without Qt: the data tests link no Qt, the
// window tests use the same builders.

#include "data/Campaign.h"

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The used slots, each with its four go-to values (Brilliant Victory,
// Victory, Minor Victory, Defeat).
using Layout = std::vector<std::pair<int16_t, std::array<int32_t, 4>>>;

// Empties the campaign and fills the slots Layout names; scenario N is named "scenN".
inline void fill(Campaign& campaign, const Layout& layout)
{
    campaign.clear();
    for (const auto& [number, goTos] : layout) {
        campaign.scenarios(number).setNumber(number);
        campaign.scenarios(number).setName("scen" + std::to_string(number));
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            campaign.scenarios(number).setResultScenario(j, goTos[static_cast<std::size_t>(j)]);
        }
    }
}

// A campaign is too big for the stack of a test.
inline std::unique_ptr<Campaign> campaignOf(const Layout& layout)
{
    auto campaign = std::make_unique<Campaign>();
    fill(*campaign, layout);
    return campaign;
}

// Slots 0..count-1 used, as in every saved campaign; every word 0..65535, go-tos
// included; names of 1..16 characters, so the extension fits, a quarter of
// them bytes beyond ASCII, as a file made elsewhere may hold.
inline Campaign generated(uint32_t seed, int16_t count)
{
    using S = Scenario;
    std::mt19937 random(seed);
    const auto any = [&](uint32_t n) { return static_cast<int32_t>(random() % n); };
    const std::string letters = "Ab3\xE9Gh6\xFFKl8\xE0Mn9\xA3Op0\xDFQr1\xB5St2\xF1uv4\x80wx5\xC4";
    const auto name = [&] { return letters.substr(static_cast<std::size_t>(any(20)), 1 + any(16)); };
    Campaign campaign;
    campaign.setNation(static_cast<int32_t>(seed % 4));
    campaign.setPrestige(any(65536));
    campaign.setDescription(name());
    for (int16_t k = 0; k < count; ++k) {
        S& scenario = campaign.scenarios(k);
        scenario.setNumber(k);
        for (auto set : {&S::setPrestige, &S::setFirstUnknown, &S::setSecondUnknown, &S::setThirdUnknown}) {
            (scenario.*set)(any(65536));
        }
        for (auto set : {&S::setName, &S::setMovie, &S::setVoice, &S::setText}) {
            (scenario.*set)(name());
        }
        for (int16_t i = 0; i < S::OutcomeCount; ++i) {
            scenario.setResultScenario(i, any(65536));
            scenario.setResultPrestige(i, any(65536));
            for (auto set : {&S::setResultVoice, &S::setResultText, &S::setResultMovie}) {
                (scenario.*set)(i, name());
            }
        }
    }
    return campaign;
}

// The bytes of the campaign's file.
inline std::string fileBytes(const Campaign& campaign)
{
    std::ostringstream stream;
    campaign.fileWrite(stream);
    return stream.str();
}
