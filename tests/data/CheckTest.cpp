#include "data/clsCampaign.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

using Layout = std::vector<std::pair<int16_t, std::array<int32_t, 4>>>;

const std::string Victory = "Victory Scenario (254) not referenced";
const std::string Defeat = "Defeat Scenario (255) not referenced";
std::string Ref(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " referenced but not found"; }
std::string Loop(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " is looping"; }
std::string Missing(int32_t lngN) { return "Scenario " + std::to_string(lngN) + " not found"; }

void Place(clsCampaign& Campaign, const Layout& scenarios)
{
    for (const auto& [intNumber, goTos] : scenarios) {
        Campaign.Scenarios(intNumber).SetNumber(intNumber);
        for (int16_t intJ = 0; intJ < 4; ++intJ) {
            Campaign.Scenarios(intNumber).SetResultScenario(intJ, goTos[static_cast<std::size_t>(intJ)]);
        }
    }
}

// The messages of one check; the list must hold exactly as many as the
// result says, with nothing left over behind them.
std::vector<std::string> RunCheck(clsCampaign& Campaign)
{
    const int16_t intResult = Campaign.Check();
    EXPECT_EQ(Campaign.ErrorCount(), intResult);
    std::vector<std::string> messages;
    for (int16_t intI = 0; intI < clsCampaign::MaxErrors; ++intI) {
        if (intI < intResult) {
            messages.push_back(Campaign.Errors(intI));
        } else {
            EXPECT_EQ(Campaign.Errors(intI), "") << intI;
        }
    }
    return messages;
}

} // namespace

TEST(Check, ReportsEachDefectInSlotThenOutcomeOrder)
{
    const std::vector<std::pair<Layout, std::vector<std::string>>> cases{
        {{}, {Victory, Defeat}},
        {{{0, {0, 0, 0, 0}}}, {Loop(0), Victory, Defeat}},
        {{{2, {254, 255, 254, 255}}}, {Missing(0), Missing(1)}},
        {{{0, {1, 1, 0, 255}}, {1, {3, 3, 2, 255}}, {3, {254, 254, 254, 3}}}, {Ref(2), Missing(2)}},
        {{{0, {5, 5, 5, 5}}, {1, {254, 255, 0, 1}}}, {Ref(5), Ref(5), Ref(5), Ref(5)}},
        {{{0, {1, 0, 0, 0}}, {1, {2, 1, 1, 255}}, {2, {254, 2, 0, 1}}}, {}},
        {{{0, {254, 255, 0, 0}}, {2, {2, 2, 2, 2}}, {5, {7, 5, 254, 8}}},
         {Loop(2), Missing(1), Ref(7), Ref(8), Missing(3), Missing(4)}},
        {{{0, {9, 9, 9, 9}}}, {Ref(9), Ref(9), Ref(9), Ref(9), Victory, Defeat}},
        {{{0, {0, 0, 0, 255}}}, {Victory}},
        {{{0, {0, 254, 0, 0}}}, {Defeat}},
        // Go-to values no slot can hold, as a file made elsewhere may carry.
        {{{0, {300, 254, 65535, 255}}, {1, {7, 50, 253, -1}}, {3, {1, 1, 1, 1}}},
         {Ref(300), Ref(65535), Ref(7), Ref(50), Ref(253), Ref(-1), Missing(2)}},
    };
    for (std::size_t intN = 0; intN < cases.size(); ++intN) {
        clsCampaign Campaign;
        Place(Campaign, cases[intN].first);
        EXPECT_EQ(RunCheck(Campaign), cases[intN].second) << "case " << intN;
    }
}

TEST(Check, FullCampaignsPassOrFillTheListWithoutOverflow)
{
    clsCampaign Campaign;
    for (int16_t intK = 0; intK < 50; ++intK) {
        Place(Campaign, {{intK, {intK < 49 ? intK + 1 : 254, 254, 255, intK}}});
    }
    EXPECT_EQ(RunCheck(Campaign), std::vector<std::string>{});

    // The most a campaign can produce: 49 scenarios sending all four
    // outcomes to the one free slot.
    Campaign.Scenarios(0).Clear();
    for (int16_t intK = 1; intK < 50; ++intK) {
        Place(Campaign, {{intK, {0, 0, 0, 0}}});
    }
    std::vector<std::string> expected(4, Ref(0));
    expected.push_back(Missing(0));
    expected.insert(expected.end(), 4 * 48, Ref(0));
    expected.push_back(Victory);
    expected.push_back(Defeat);
    EXPECT_EQ(RunCheck(Campaign), expected);
}

TEST(Check, RerunsGiveTheSameMessagesAndChangeNothingElse)
{
    clsCampaign Campaign;
    Place(Campaign, {{0, {254, 255, 0, 0}}, {2, {2, 2, 2, 2}}, {5, {7, 5, 254, 8}}});
    const clsScenario Before = Campaign.Scenarios(5);
    const std::vector<std::string> first = RunCheck(Campaign);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(RunCheck(Campaign), first);
    EXPECT_EQ(Campaign.Scenarios(5), Before);

    // Fixed: the looping scenario and the gaps are gone; a free slot's own
    // go-to values are never looked at.
    Campaign.Scenarios(2).Clear();
    Campaign.Scenarios(5).Clear();
    Campaign.Scenarios(5).SetResultScenario(0, 40);
    EXPECT_EQ(RunCheck(Campaign), std::vector<std::string>{});
}
