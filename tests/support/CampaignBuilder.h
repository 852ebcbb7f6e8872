#pragma once

// Campaigns for the tests, built without Qt: the data tests link no Qt, the
// window tests use the same builders.

#include "data/Campaign.h"
#include "tests/support/RandomCampaignFile.h"

#include <array>
#include <cstdint>
#include <memory>
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

// The campaign the editor opens from randomCampaignFile(seed, count).
inline Campaign opened(uint32_t seed, int count)
{
    std::istringstream stream(randomCampaignFile(seed, count));
    Campaign campaign;
    campaign.fileRead(stream);
    return campaign;
}

// The bytes of the campaign's file.
inline std::string fileBytes(const Campaign& campaign)
{
    std::ostringstream stream;
    campaign.fileWrite(stream);
    return stream.str();
}
