#include "data/CampaignPaths.h"

#include "data/Campaign.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <limits>
#include <queue>

namespace {

struct Edge {
    std::size_t to;
    int64_t prestige;
};

} // namespace

CampaignPaths::CampaignPaths(const Campaign& campaign)
{
    std::array<std::vector<Edge>, NodeCount> next;
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        const Scenario& scenario = campaign.scenarios(i);
        if (scenario.number() < 0) {
            continue;
        }
        for (int16_t outcome = 0; outcome < Scenario::OutcomeCount; ++outcome) {
            const int32_t goTo = scenario.resultScenario(outcome);
            std::size_t to = NodeCount;
            if (goTo == Campaign::VictoryScenario) {
                to = VictoryNode;
            } else if (goTo == Campaign::LossScenario) {
                to = LossNode;
            } else if (goTo >= 0 && goTo < Campaign::MaxScenarios && campaign.scenarios(goTo).number() >= 0) {
                to = static_cast<std::size_t>(goTo);
            }
            if (to != NodeCount) {
                next[static_cast<std::size_t>(i)].push_back({to, scenario.resultPrestige(outcome)});
            }
        }
    }
    if (campaign.scenarios(0).number() < 0) {
        return;
    }

    // Fewest battles and least prestige: shortest routes; the grants are
    // words, never negative, so the least prestige needs no cycle care.
    using Entry = std::pair<int64_t, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    std::deque<std::size_t> frontier{0};
    m_nodes[0].reached = true;
    m_nodes[0].leastPrestige = campaign.prestige();
    std::array<bool, NodeCount> settled{};
    queue.push({campaign.prestige(), 0});
    while (!frontier.empty()) {
        const std::size_t node = frontier.front();
        frontier.pop_front();
        for (const Edge& edge : next[node]) {
            if (!m_nodes[edge.to].reached) {
                m_nodes[edge.to].reached = true;
                m_nodes[edge.to].fewestBattles = m_nodes[node].fewestBattles + 1;
                m_nodes[edge.to].leastPrestige = std::numeric_limits<int64_t>::max();
                frontier.push_back(edge.to);
            }
        }
    }
    while (!queue.empty()) {
        const auto [prestige, node] = queue.top();
        queue.pop();
        if (settled[node]) {
            continue;
        }
        settled[node] = true;
        for (const Edge& edge : next[node]) {
            if (prestige + edge.prestige < m_nodes[edge.to].leastPrestige) {
                m_nodes[edge.to].leastPrestige = prestige + edge.prestige;
                queue.push({m_nodes[edge.to].leastPrestige, edge.to});
            }
        }
    }

    // Strongly connected components (Tarjan), found sinks first; only what
    // scenario 0 reaches takes part.
    constexpr int Unvisited = -1;
    std::array<int, NodeCount> index;
    std::array<int, NodeCount> low{};
    std::array<int, NodeCount> component;
    index.fill(Unvisited);
    component.fill(Unvisited);
    std::vector<std::size_t> stack;
    std::array<bool, NodeCount> onStack{};
    std::vector<std::vector<std::size_t>> components;
    int counter = 0;
    const std::function<void(std::size_t)> visit = [&](std::size_t node) {
        index[node] = low[node] = counter++;
        stack.push_back(node);
        onStack[node] = true;
        for (const Edge& edge : next[node]) {
            if (index[edge.to] == Unvisited) {
                visit(edge.to);
                low[node] = std::min(low[node], low[edge.to]);
            } else if (onStack[edge.to]) {
                low[node] = std::min(low[node], index[edge.to]);
            }
        }
        if (low[node] == index[node]) {
            std::vector<std::size_t> members;
            std::size_t member = 0;
            do {
                member = stack.back();
                stack.pop_back();
                onStack[member] = false;
                component[member] = static_cast<int>(components.size());
                members.push_back(member);
            } while (member != node);
            components.push_back(std::move(members));
        }
    };
    visit(0);

    // Which components are cycles, and which of those grant prestige.
    std::vector<bool> looping(components.size());
    std::vector<bool> granting(components.size());
    for (std::size_t node = 0; node < NodeCount; ++node) {
        for (const Edge& edge : next[node]) {
            if (m_nodes[node].reached && component[node] == component[edge.to]) {
                looping[static_cast<std::size_t>(component[node])] = true;
                if (edge.prestige > 0) {
                    granting[static_cast<std::size_t>(component[node])] = true;
                }
            }
        }
    }
    std::vector<int> cycleOf(components.size(), Unvisited);
    std::vector<std::size_t> order;
    for (std::size_t c = 0; c < components.size(); ++c) {
        if (looping[c]) {
            order.push_back(c);
        }
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return *std::min_element(components[a].begin(), components[a].end()) <
               *std::min_element(components[b].begin(), components[b].end());
    });
    for (std::size_t c : order) {
        cycleOf[c] = static_cast<int>(m_cycles.size());
        std::vector<int> members(components[c].begin(), components[c].end());
        std::sort(members.begin(), members.end());
        m_cycles.push_back(std::move(members));
    }

    // The most battles, the most prestige and the routes: one pass over the
    // components in the order the player meets them. Every member of a cycle
    // that grants nothing holds the same most prestige as its way in.
    struct Most {
        std::optional<int> battles;
        std::optional<int64_t> prestige;
        std::optional<Count> routes;
        std::vector<bool> cycles;
    };
    std::vector<Most> most(components.size());
    std::vector<std::vector<std::pair<std::size_t, const Edge*>>> into(components.size());
    for (std::size_t node = 0; node < NodeCount; ++node) {
        for (const Edge& edge : next[node]) {
            if (m_nodes[node].reached && component[node] != component[edge.to]) {
                into[static_cast<std::size_t>(component[edge.to])].push_back({node, &edge});
            }
        }
    }
    for (std::size_t c = components.size(); c-- > 0;) {
        Most& here = most[c];
        here.cycles.assign(m_cycles.size(), false);
        const bool start = component[0] == static_cast<int>(c);
        here.battles = 0;
        here.prestige = start ? std::optional<int64_t>(campaign.prestige()) : std::nullopt;
        here.routes = start ? 1 : 0;
        bool endless = looping[c];
        bool richer = granting[c];
        for (const auto& [from, edge] : into[c]) {
            const Most& before = most[static_cast<std::size_t>(component[from])];
            endless = endless || !before.routes;
            richer = richer || !before.prestige;
            for (std::size_t k = 0; k < m_cycles.size(); ++k) {
                here.cycles[k] = here.cycles[k] || before.cycles[k];
            }
            if (before.routes && here.routes) {
                here.battles = std::max(*here.battles, *before.battles + 1);
                here.routes = *here.routes + *before.routes;
            }
            if (before.prestige) {
                here.prestige = std::max(here.prestige.value_or(std::numeric_limits<int64_t>::min()),
                                         *before.prestige + edge->prestige);
            }
        }
        if (looping[c]) {
            here.cycles[static_cast<std::size_t>(cycleOf[c])] = true;
        }
        if (endless) {
            here.battles.reset();
            here.routes.reset();
        }
        if (richer) {
            here.prestige.reset();
        }
        for (std::size_t node : components[c]) {
            Reach& reach = m_nodes[node];
            reach.mostBattles = here.battles;
            reach.mostPrestige = here.prestige;
            reach.routes = here.routes;
            for (std::size_t k = 0; k < m_cycles.size(); ++k) {
                if (here.cycles[k]) {
                    reach.cyclesOnTheWay.push_back(static_cast<int>(k));
                }
            }
        }
    }
}
