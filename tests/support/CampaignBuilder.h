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
inline void Fill(Campaign& campaign, const Layout& Scenarios)
{
    campaign.Clear();
    for (const auto& [intNumber, goTos] : Scenarios) {
        campaign.Scenarios(intNumber).SetNumber(intNumber);
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            campaign.Scenarios(intNumber).SetResultScenario(intJ, goTos[static_cast<std::size_t>(intJ)]);
        }
    }
}

// Slots 0..count-1 used, as in every saved campaign; every word 0..65535, go-tos
// included; names of 1..16 characters, so the extension fits, a quarter of
// them bytes beyond ASCII, as a file made elsewhere may hold.
inline Campaign Generated(uint32_t lngSeed, int16_t intCount)
{
    using S = Scenario;
    std::mt19937 Random(lngSeed);
    const auto Any = [&](uint32_t lngN) { return static_cast<int32_t>(Random() % lngN); };
    const std::string strLetters = "Ab3\xE9Gh6\xFFKl8\xE0Mn9\xA3Op0\xDFQr1\xB5St2\xF1uv4\x80wx5\xC4";
    const auto Name = [&] { return strLetters.substr(static_cast<std::size_t>(Any(20)), 1 + Any(16)); };
    Campaign campaign;
    campaign.SetNation(static_cast<int32_t>(lngSeed % 4));
    campaign.SetPrestige(Any(65536));
    campaign.SetDescription(Name());
    for (int16_t intK = 0; intK < intCount; ++intK) {
        S& scenario = campaign.Scenarios(intK);
        scenario.SetNumber(intK);
        for (auto Set : {&S::SetPrestige, &S::SetFirstUnknown, &S::SetSecondUnknown, &S::SetThirdUnknown}) {
            (scenario.*Set)(Any(65536));
        }
        for (auto Set : {&S::SetName, &S::SetMovie, &S::SetVoice, &S::SetText}) {
            (scenario.*Set)(Name());
        }
        for (int16_t intI = 0; intI < S::OutcomeCount; ++intI) {
            scenario.SetResultScenario(intI, Any(65536));
            scenario.SetResultPrestige(intI, Any(65536));
            for (auto Set : {&S::SetResultVoice, &S::SetResultText, &S::SetResultMovie}) {
                (scenario.*Set)(intI, Name());
            }
        }
    }
    return campaign;
}

// The bytes of the campaign's file.
inline std::string FileBytes(const Campaign& campaign)
{
    std::ostringstream Stream;
    campaign.FileWrite(Stream);
    return Stream.str();
}
