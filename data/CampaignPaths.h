#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class Campaign;

// What a designer balancing a campaign asks of every road a player can take
// from scenario 0: how many battles and how much prestige lie on the way to
// each scenario and to either end. Worked out from the outcomes' go-to values
// and prestige alone, in time linear in the campaign's size.
//
// A route is the sequence of outcomes the player gets, so two outcomes that
// lead to the same scenario make two routes. An outcome that leads nowhere
// (a missing scenario, an odd go-to) ends no route. Where a cycle can be
// entered on the way, the player can replay it forever: the longest route is
// then unbounded, and so is the most prestige if the cycle grants any.
class CampaignPaths {
public:
    // Route counts grow to 4^50 in a full campaign without cycles.
    __extension__ typedef unsigned __int128 Count;

    struct Reach {
        bool reached = false;
        int fewestBattles = 0;
        std::optional<int> mostBattles;      // empty: unbounded
        int64_t leastPrestige = 0;
        std::optional<int64_t> mostPrestige; // empty: unbounded
        std::optional<Count> routes;         // empty: unbounded
        // The cycles (indexes into cycles()) that can be entered on the way.
        std::vector<int> cyclesOnTheWay;
    };

    explicit CampaignPaths(const Campaign& campaign);

    // Scenario i (0..49), on arrival: battles fought before it, prestige held.
    [[nodiscard]] const Reach& scenario(int i) const { return m_nodes.at(static_cast<std::size_t>(i)); }
    // The campaign's two ends, after the last battle's outcome.
    [[nodiscard]] const Reach& victory() const { return m_nodes[VictoryNode]; }
    [[nodiscard]] const Reach& loss() const { return m_nodes[LossNode]; }
    // The cycles a player can enter, each its scenarios ascending, in the
    // order of their lowest scenario.
    [[nodiscard]] const std::vector<std::vector<int>>& cycles() const { return m_cycles; }

private:
    static constexpr std::size_t ScenarioNodes = 50;
    static constexpr std::size_t VictoryNode = ScenarioNodes;
    static constexpr std::size_t LossNode = ScenarioNodes + 1;
    static constexpr std::size_t NodeCount = ScenarioNodes + 2;

    std::array<Reach, NodeCount> m_nodes;
    std::vector<std::vector<int>> m_cycles;
};
