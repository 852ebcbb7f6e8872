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

// The answers worked out by hand; the ends are checked as the last two rows
// of Expected, after the scenarios in slot order.
struct Expected {
    bool reached;
    int fewest;
    std::optional<int> most;
    int64_t least;
    std::optional<int64_t> richest;
    std::optional<Count> routes;
    std::vector<std::vector<int>> cycles;
};

void expectReach(const CampaignPaths& paths, const CampaignPaths::Reach& reach, const Expected& want)
{
    ASSERT_EQ(reach.reached, want.reached);
    if (!want.reached) {
        return;
    }
    EXPECT_EQ(reach.fewestBattles, want.fewest);
    EXPECT_EQ(reach.mostBattles, want.most);
    EXPECT_EQ(reach.leastPrestige, want.least);
    EXPECT_EQ(reach.mostPrestige, want.richest);
    EXPECT_TRUE(reach.routes == want.routes);
    std::vector<std::vector<int>> named;
    for (int cycle : reach.cyclesOnTheWay) {
        named.push_back(paths.cycles().at(static_cast<std::size_t>(cycle)));
    }
    EXPECT_EQ(named, want.cycles);
}

} // namespace

TEST(CampaignPaths, AnswersWorkedOutByHand)
{
    constexpr int32_t V = Campaign::VictoryScenario;
    constexpr int32_t L = Campaign::LossScenario;
    const struct {
        const char* name;
        Layout layout;
        std::vector<Expected> want; // the used slots ascending, then victory, then loss
    } cases[] = {
        // 0 -> 1 by two outcomes (+100, +50), 0 wins at once (+10); 1 wins (+0, +5).
        // Victory: 0 directly (1 route, 1 battle, 1010), or by 1: 2 ways in
        // times 3 outcomes that win (1's defeat leads nowhere), 2 battles,
        // 1050..1105. Loss only from 0's defeat.
        {"two roads to one scenario",
         {{0, {{{1, 100}, {1, 50}, {V, 10}, {L, 0}}}}, {1, {{{V, 0}, {V, 5}, {V, 5}, {99, 7}}}}},
         {{true, 0, 0, 1000, 1000, 1, {}},
          {true, 1, 1, 1050, 1100, 2, {}},
          {true, 1, 2, 1010, 1105, 7, {}},
          {true, 1, 1, 1000, 1000, 1, {}}}},
        // 1 and 2 lead into each other for nothing: battles and routes are
        // unbounded past them, prestige is not.
        {"a cycle that grants nothing",
         {{0, {{{1, 30}, {1, 30}, {1, 30}, {1, 30}}}}, {1, {{{2, 0}, {2, 0}, {V, 20}, {V, 0}}}},
          {2, {{{1, 0}, {1, 0}, {1, 0}, {L, 0}}}}},
         {{true, 0, 0, 1000, 1000, 1, {}},
          {true, 1, std::nullopt, 1030, 1030, std::nullopt, {{1, 2}}},
          {true, 2, std::nullopt, 1030, 1030, std::nullopt, {{1, 2}}},
          {true, 2, std::nullopt, 1030, 1050, std::nullopt, {{1, 2}}},
          {true, 3, std::nullopt, 1030, 1030, std::nullopt, {{1, 2}}}}},
        // Scenario 0 replays itself for 5 prestige: everything is unbounded
        // above, the loss is never reached.
        {"scenario 0 loops and pays",
         {{0, {{{0, 5}, {0, 5}, {V, 0}, {V, 0}}}}},
         {{true, 0, std::nullopt, 1000, std::nullopt, std::nullopt, {{0}}},
          {true, 1, std::nullopt, 1000, std::nullopt, std::nullopt, {{0}}},
          {false, 0, 0, 0, 0, 0, {}}}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const auto campaign = build(1000, row.layout);
        const CampaignPaths paths(*campaign);
        std::size_t k = 0;
        for (const auto& [number, outcomes] : row.layout) {
            expectReach(paths, paths.scenario(number), row.want.at(k++));
        }
        expectReach(paths, paths.victory(), row.want.at(k++));
        expectReach(paths, paths.loss(), row.want.at(k++));
    }
}

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
        }
    }
}
