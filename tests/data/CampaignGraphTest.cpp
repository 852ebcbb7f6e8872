#include "data/CampaignGraph.h"
#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

using Groups = std::vector<std::vector<int16_t>>;

struct GraphCase {
    const char* name;
    Layout scenarios;
    std::vector<int16_t> unreachable;
    Groups traps;
    // Victory referenced, reached; loss referenced, reached.
    std::array<bool, 4> ends;
};

} // namespace

TEST(CampaignGraph, FindsUnreachableScenariosTrapsAndUnreachedEnds)
{
    // Every slot points to the next, the last back to the first: fifty
    // scenarios the player walks around forever, all of them one trap.
    Layout circle;
    std::vector<int16_t> all;
    for (int16_t i = 0; i < 50; ++i) {
        circle.push_back({i, {(i + 1) % 50, (i + 1) % 50, (i + 1) % 50, (i + 1) % 50}});
        all.push_back(i);
    }
    const std::vector<GraphCase> cases{
        {"sound chain", {{0, {1, 1, 0, 255}}, {1, {254, 2, 2, 255}}, {2, {254, 1, 0, 255}}}, {}, {}, {1, 1, 1, 1}},
        {"no scenarios", {}, {}, {}, {0, 0, 0, 0}},
        {"a scenario leading into a loop joins its trap",
         {{0, {3, 254, 255, 0}}, {1, {2, 2, 2, 2}}, {2, {1, 1, 1, 1}}, {3, {1, 1, 1, 1}}},
         {},
         {{1, 2, 3}},
         {1, 1, 1, 1}},
        {"separate loops are separate traps",
         {{0, {4, 2, 254, 255}}, {1, {1, 1, 1, 1}}, {2, {3, 3, 3, 3}}, {3, {2, 2, 2, 2}}, {4, {1, 1, 1, 1}}},
         {},
         {{1, 4}, {2, 3}},
         {1, 1, 1, 1}},
        {"a missing target is a dead end", {{0, {7, 7, 9, 9}}}, {}, {{0}}, {0, 0, 0, 0}},
        {"unreached scenario that still escapes", {{0, {254, 255, 0, 0}}, {3, {0, 0, 0, 0}}}, {3}, {}, {1, 1, 1, 1}},
        {"without scenario 0 nothing is reached",
         {{1, {254, 255, 2, 2}}, {2, {2, 2, 2, 2}}},
         {1, 2},
         {{2}},
         {1, 0, 1, 0}},
        {"fifty scenarios in a circle", circle, {}, {all}, {0, 0, 0, 0}},
    };
    Campaign campaign;
    for (const GraphCase& testCase : cases) {
        fill(campaign, testCase.scenarios);
        const CampaignGraph graph(campaign);
        EXPECT_EQ(graph.unreachable(), testCase.unreachable) << testCase.name;
        EXPECT_EQ(graph.traps(), testCase.traps) << testCase.name;
        EXPECT_EQ((std::array<bool, 4>{graph.victoryReferenced(), graph.victoryReachable(), graph.lossReferenced(),
                                       graph.lossReachable()}),
                  testCase.ends)
            << testCase.name;
        for (int16_t i = 0; i < 50; ++i) {
            const bool used = campaign.scenarios(i).number() == i;
            const auto in = [i](const std::vector<int16_t>& list) {
                return std::find(list.begin(), list.end(), i) != list.end();
            };
            const bool trapped = std::any_of(testCase.traps.begin(), testCase.traps.end(), in);
            EXPECT_EQ(graph.used(i), used) << testCase.name << " " << i;
            EXPECT_EQ(graph.reachable(i), used && !in(testCase.unreachable)) << testCase.name << " " << i;
            EXPECT_EQ(graph.trapped(i), trapped) << testCase.name << " " << i;
        }
    }
}

TEST(CampaignGraph, NamesOddGoTosAndWhereEachValueLeads)
{
    Campaign campaign;
    fill(campaign, {{0, {300, 254, 49, 255}}, {1, {50, 253, -1, 65535}}, {2, {2, 2, 2, 2}}, {3, {2, 2, 2, 255}}});
    const CampaignGraph graph(campaign);
    std::vector<std::array<int32_t, 3>> odd;
    for (const CampaignGraph::OddGoTo& oddGoTo : graph.oddGoTos()) {
        odd.push_back({oddGoTo.scenario, oddGoTo.outcome, oddGoTo.goTo});
    }
    EXPECT_EQ(odd,
              (std::vector<std::array<int32_t, 3>>{{0, 0, 300}, {1, 0, 50}, {1, 1, 253}, {1, 2, -1}, {1, 3, 65535}}));

    using T = CampaignGraph::Target;
    const std::vector<std::pair<int32_t, T>> targets{{0, T::Scenario}, {2, T::Scenario}, {4, T::Missing},
                                                     {49, T::Missing}, {254, T::Victory}, {255, T::Loss},
                                                     {300, T::Missing}, {-1, T::Missing}};
    for (const auto& [goTo, expected] : targets) {
        EXPECT_EQ(graph.targetOf(goTo), expected) << goTo;
    }
    // Looping as the check words it: all four outcomes, not just some.
    const std::array<bool, 3> looping{graph.looping(2), graph.looping(3), graph.looping(4)};
    EXPECT_EQ(looping, (std::array{true, false, false}));
    EXPECT_THROW(static_cast<void>(outcomeName(4)), std::out_of_range);
}
