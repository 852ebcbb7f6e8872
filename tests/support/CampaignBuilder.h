#pragma once

// Campaigns for the tests, built without Qt: the data tests link no Qt, the
// window tests use the same builders.

#include "data/Campaign.h"

#include <array>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The used slots, each with its four go-to values.
using Layout = std::vector<std::pair<int16_t, std::array<int32_t, 4>>>;

// Empties the campaign and fills the slots Layout names.
inline void fill(Campaign& campaign, const Layout& Scenarios)
{
    campaign.clear();
    for (const auto& [intNumber, goTos] : Scenarios) {
        campaign.scenarios(intNumber).setNumber(intNumber);
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            campaign.scenarios(intNumber).setResultScenario(intJ, goTos[static_cast<std::size_t>(intJ)]);
        }
    }
}

// Slots 0..count-1 used, as in every saved campaign; every word 0..65535, go-tos
// included; names of 1..16 characters, so the extension fits, a quarter of
// them bytes beyond ASCII, as a file made elsewhere may hold.
inline Campaign generated(uint32_t lngSeed, int16_t intCount)
{
    using S = Scenario;
    std::mt19937 Random(lngSeed);
    const auto Any = [&](uint32_t lngN) { return static_cast<int32_t>(Random() % lngN); };
    const std::string strLetters = "Ab3\xE9Gh6\xFFKl8\xE0Mn9\xA3Op0\xDFQr1\xB5St2\xF1uv4\x80wx5\xC4";
    const auto Name = [&] { return strLetters.substr(static_cast<std::size_t>(Any(20)), 1 + Any(16)); };
    Campaign campaign;
    campaign.setNation(static_cast<int32_t>(lngSeed % 4));
    campaign.setPrestige(Any(65536));
    campaign.setDescription(Name());
    for (int16_t intK = 0; intK < intCount; ++intK) {
        S& scenario = campaign.scenarios(intK);
        scenario.setNumber(intK);
        for (auto Set : {&S::setPrestige, &S::setFirstUnknown, &S::setSecondUnknown, &S::setThirdUnknown}) {
            (scenario.*Set)(Any(65536));
        }
        for (auto Set : {&S::setName, &S::setMovie, &S::setVoice, &S::setText}) {
            (scenario.*Set)(Name());
        }
        for (int16_t intI = 0; intI < S::OutcomeCount; ++intI) {
            scenario.setResultScenario(intI, Any(65536));
            scenario.setResultPrestige(intI, Any(65536));
            for (auto Set : {&S::setResultVoice, &S::setResultText, &S::setResultMovie}) {
                (scenario.*Set)(intI, Name());
            }
        }
    }
    return campaign;
}

// The bytes of the campaign's file.
inline std::string fileBytes(const Campaign& campaign)
{
    std::ostringstream Stream;
    campaign.fileWrite(Stream);
    return Stream.str();
}
