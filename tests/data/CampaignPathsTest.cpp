#include "data/CampaignPaths.h"
#include "data/Campaign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>

namespace {

using Count = CampaignPaths::Count;
struct Outcome {
    int32_t goTo;
    int32_t prestige;
};
using Layout = std::vector<std::pair<int16_t, std::array<Outcome, 4>>>;

std::unique_ptr<Campaign> build(int32_t start, const Layout& layout)
{
    auto campaign = std::make_unique<Campaign>();
    campaign->setPrestige(start);
    for (const auto& [number, outcomes] : layout) {
        Scenario& scenario = campaign->scenarios(number);
        scenario.setNumber(number);
        for (int16_t j = 0; j < 4; ++j) {
            scenario.setResultScenario(j, outcomes[static_cast<std::size_t>(j)].goTo);
            scenario.setResultPrestige(j, outcomes[static_cast<std::size_t>(j)].prestige);
        }
    }
    return campaign;
}

} // namespace

// Against an independent count of every route by its length, on random small
// campaigns (cycles, missing scenarios and odd go-tos included).
TEST(CampaignPaths, AgreesWithEveryRouteCountedByLength)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 400; ++trial) {
        const int slotCount = 1 + static_cast<int>(random() % 6);
        Layout layout;
        for (int16_t i = 0; i < slotCount; ++i) {
            if (i > 0 && random() % 5 == 0) {
                continue; // a missing scenario
            }
            std::array<Outcome, 4> outcomes{};
            for (Outcome& outcome : outcomes) {
                const int32_t roll = static_cast<int32_t>(random() % (slotCount + 3));
                outcome.goTo = roll < slotCount ? roll : roll == slotCount ? 254 : roll == slotCount + 1 ? 255 : 77;
                outcome.prestige = static_cast<int32_t>(random() % 3) * 10;
            }
            layout.push_back({i, outcomes});
        }
        const auto campaign = build(500, layout);
        const CampaignPaths paths(*campaign);
        // linked[a][b]: a route of one battle or more leads from scenario a to scenario b.
        std::vector<std::vector<bool>> linked(slotCount, std::vector<bool>(slotCount));
        for (const auto& [from, outcomes] : layout) {
            for (const Outcome& outcome : outcomes) {
                if (outcome.goTo < slotCount && campaign->scenarios(static_cast<int16_t>(outcome.goTo)).number() >= 0) {
                    linked[from][outcome.goTo] = true;
                }
            }
        }
        for (int k = 0; k < slotCount; ++k) {
            for (int i = 0; i < slotCount; ++i) {
                for (int j = 0; j < slotCount; ++j) {
                    linked[i][j] = linked[i][j] || (linked[i][k] && linked[k][j]);
                }
            }
        }

        // Node slots + 0 and + 1 are the ends; routes[k][n] counts routes of k
        // battles, least and most their prestige. Long enough for a cycle that
        // grants prestige to outgrow every route without one.
        const int nodes = slotCount + 2;
        const int longest = 2 * nodes * nodes;
        std::vector<std::vector<Count>> routes(longest + 1, std::vector<Count>(nodes));
        std::vector<std::vector<int64_t>> least(longest + 1, std::vector<int64_t>(nodes, INT64_MAX));
        std::vector<std::vector<int64_t>> most(longest + 1, std::vector<int64_t>(nodes, INT64_MIN));
        routes[0][0] = 1;
        least[0][0] = most[0][0] = 500;
        for (int k = 0; k < longest; ++k) {
            for (const auto& [from, outcomes] : layout) {
                if (routes[k][from] == 0) {
                    continue;
                }
                for (const Outcome& outcome : outcomes) {
                    const int to = outcome.goTo == 254 ? slotCount : outcome.goTo == 255 ? slotCount + 1 : outcome.goTo;
                    if (to >= nodes || (to < slotCount && campaign->scenarios(static_cast<int16_t>(to)).number() < 0)) {
                        continue;
                    }
                    routes[k + 1][to] += routes[k][from];
                    least[k + 1][to] = std::min(least[k + 1][to], least[k][from] + outcome.prestige);
                    most[k + 1][to] = std::max(most[k + 1][to], most[k][from] + outcome.prestige);
                }
            }
        }
        for (int n = 0; n < nodes; ++n) {
            if (n < slotCount && campaign->scenarios(static_cast<int16_t>(n)).number() < 0) {
                continue;
            }
            const CampaignPaths::Reach& reach = n == slotCount       ? paths.victory()
                                                : n == slotCount + 1 ? paths.loss()
                                                                     : paths.scenario(n);
            SCOPED_TRACE("trial " + std::to_string(trial) + " node " + std::to_string(n));
            // A route of more battles than there are scenarios repeats one.
            Count total = 0;
            int fewest = -1;
            int mostBattles = 0;
            int64_t lowest = INT64_MAX;
            int64_t simpleMost = INT64_MIN;
            int64_t anyMost = INT64_MIN;
            for (int k = 0; k <= longest; ++k) {
                if (routes[k][n] == 0) {
                    continue;
                }
                fewest = fewest < 0 ? k : fewest;
                mostBattles = k;
                total += routes[k][n];
                lowest = std::min(lowest, least[k][n]);
                int64_t& richest = k <= slotCount ? simpleMost : anyMost;
                richest = std::max(richest, most[k][n]);
            }
            ASSERT_EQ(reach.reached, fewest >= 0);
            if (fewest < 0) {
                continue;
            }
            const bool endless = mostBattles > slotCount;
            EXPECT_EQ(reach.fewestBattles, fewest);
            EXPECT_EQ(reach.leastPrestige, lowest);
            EXPECT_EQ(reach.mostBattles, endless ? std::nullopt : std::optional<int>(mostBattles));
            EXPECT_TRUE(reach.routes == (endless ? std::nullopt : std::optional<Count>(total)));
            EXPECT_EQ(reach.mostPrestige, anyMost > simpleMost ? std::nullopt : std::optional<int64_t>(simpleMost));
            EXPECT_EQ(!reach.cyclesOnTheWay.empty(), endless);
            // A cycle on the way: the scenarios that lead to each other, in slot order.
            for (const int index : reach.cyclesOnTheWay) {
                const std::vector<int>& cycle = paths.cycles().at(static_cast<std::size_t>(index));
                ASSERT_FALSE(cycle.empty());
                std::vector<int> together;
                for (int m = 0; m < slotCount; ++m) {
                    if (linked[cycle.front()][m] && linked[m][cycle.front()]) {
                        together.push_back(m);
                    }
                }
                EXPECT_EQ(cycle, together);
            }
        }
    }
}
