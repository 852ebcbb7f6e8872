#include "data/CampaignPaths.h"
#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

using Count = CampaignPaths::Count;

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
            std::array<int32_t, 4> goTos{};
            for (int32_t& goTo : goTos) {
                const auto roll = static_cast<int32_t>(random() % (slotCount + 3));
                goTo = roll < slotCount ? roll : roll == slotCount ? 254 : roll == slotCount + 1 ? 255 : 77;
            }
            layout.push_back({i, goTos});
        }
        const auto campaign = campaignOf(layout);
        campaign->setPrestige(500);
        // Each outcome of a used scenario: where it leads and the prestige it grants.
        std::vector<std::tuple<int, int32_t, int32_t>> outcomes;
        for (const auto& [from, goTos] : layout) {
            for (int16_t j = 0; j < 4; ++j) {
                const auto prestige = static_cast<int32_t>(random() % 3) * 10;
                campaign->scenarios(from).setResultPrestige(j, prestige);
                outcomes.emplace_back(from, goTos[static_cast<std::size_t>(j)], prestige);
            }
        }
        const CampaignPaths paths(*campaign);
        const auto used = [&](int32_t n) { return n < slotCount && campaign->scenarios(int16_t(n)).number() >= 0; };
        // linked[a][b]: a route of one battle or more leads from scenario a to scenario b.
        std::vector<std::vector<bool>> linked(slotCount, std::vector<bool>(slotCount));
        for (const auto& [from, goTo, prestige] : outcomes) {
            if (used(goTo)) {
                linked[from][goTo] = true;
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
            for (const auto& [from, goTo, prestige] : outcomes) {
                const int to = goTo == 254 ? slotCount : goTo == 255 ? slotCount + 1 : goTo;
                if (routes[k][from] == 0 || to >= nodes || (to < slotCount && !used(to))) {
                    continue;
                }
                routes[k + 1][to] += routes[k][from];
                least[k + 1][to] = std::min(least[k + 1][to], least[k][from] + prestige);
                most[k + 1][to] = std::max(most[k + 1][to], most[k][from] + prestige);
            }
        }
        for (int n = 0; n < nodes; ++n) {
            if (n < slotCount && !used(n)) {
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
