#include "data/CampaignGraph.h"

#include "data/Campaign.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<const char*, Scenario::OutcomeCount> OutcomeNames{"Brilliant Victory", "Victory", "Minor Victory",
                                                                       "Defeat"};

} // namespace

const char* outcomeName(int16_t i)
{
    return OutcomeNames.at(static_cast<std::size_t>(static_cast<uint16_t>(i)));
}

bool CampaignGraph::isOddGoTo(int32_t goTo)
{
    return (goTo < 0 || goTo >= Campaign::MaxScenarios) && goTo != Campaign::VictoryScenario &&
           goTo != Campaign::LossScenario;
}

CampaignGraph::Target CampaignGraph::targetOf(int32_t goTo) const
{
    if (goTo == Campaign::VictoryScenario) {
        return Target::Victory;
    }
    if (goTo == Campaign::LossScenario) {
        return Target::Loss;
    }
    if (goTo >= 0 && goTo < Campaign::MaxScenarios && m_used[static_cast<std::size_t>(goTo)]) {
        return Target::Scenario;
    }
    return Target::Missing;
}

CampaignGraph::CampaignGraph(const Campaign& campaign)
{
    static_assert(SlotCount == Campaign::MaxScenarios);
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        m_used[slot(i)] = campaign.scenarios(i).number() > -1;
    }
    Arrows next;
    Flags wins{};
    Flags loses{};
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (!used(i)) {
            continue;
        }
        const Scenario& scenario = campaign.scenarios(i);
        bool loopsOnItself = true;
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            const int32_t goTo = scenario.resultScenario(j);
            loopsOnItself = loopsOnItself && goTo == scenario.number();
            switch (targetOf(goTo)) {
            case Target::Scenario:
                next[slot(i)].push_back(static_cast<int16_t>(goTo));
                break;
            case Target::Victory:
                wins[slot(i)] = true;
                break;
            case Target::Loss:
                loses[slot(i)] = true;
                break;
            case Target::Missing:
                break;
            }
            if (isOddGoTo(goTo)) {
                m_oddGoTos.push_back({i, j, goTo});
            }
        }
        m_looping[slot(i)] = loopsOnItself;
    }

    m_reachable[0] = m_used[0];
    spread(next, m_reachable);

    Flags ends{};
    for (std::size_t i = 0; i < SlotCount; ++i) {
        m_victoryReferenced = m_victoryReferenced || wins[i];
        m_lossReferenced = m_lossReferenced || loses[i];
        m_victoryReachable = m_victoryReachable || (wins[i] && m_reachable[i]);
        m_lossReachable = m_lossReachable || (loses[i] && m_reachable[i]);
        ends[i] = wins[i] || loses[i];
        if (m_used[i] && !m_reachable[i]) {
            m_unreachable.push_back(static_cast<int16_t>(i));
        }
    }
    findTraps(next, ends);
}

void CampaignGraph::spread(const Arrows& edges, Flags& marked)
{
    std::vector<int16_t> pending;
    for (std::size_t i = 0; i < SlotCount; ++i) {
        if (marked[i]) {
            pending.push_back(static_cast<int16_t>(i));
        }
    }
    while (!pending.empty()) {
        const int16_t i = pending.back();
        pending.pop_back();
        for (const int16_t k : edges[slot(i)]) {
            if (!marked[slot(k)]) {
                marked[slot(k)] = true;
                pending.push_back(k);
            }
        }
    }
}

void CampaignGraph::findTraps(const Arrows& next, const Flags& ends)
{
    Arrows previous;
    for (std::size_t i = 0; i < SlotCount; ++i) {
        for (const int16_t k : next[i]) {
            previous[slot(k)].push_back(static_cast<int16_t>(i));
        }
    }

    // Walk backwards from every scenario that ends the campaign: whatever is
    // met can escape, the rest of the used scenarios is trapped.
    Flags escapes = ends;
    spread(previous, escapes);
    for (std::size_t i = 0; i < SlotCount; ++i) {
        m_trapped[i] = m_used[i] && !escapes[i];
    }

    // A group is what the trapped scenarios join, arrows taken either way:
    // a scenario that leads into a loop belongs with the loop.
    Flags grouped{};
    for (std::size_t first = 0; first < SlotCount; ++first) {
        if (!m_trapped[first] || grouped[first]) {
            continue;
        }
        std::vector<int16_t> group{static_cast<int16_t>(first)};
        grouped[first] = true;
        for (std::size_t at = 0; at < group.size(); ++at) {
            const std::size_t i = slot(group[at]);
            for (const std::vector<int16_t>* neighbours : {&next[i], &std::as_const(previous[i])}) {
                for (const int16_t k : *neighbours) {
                    if (m_trapped[slot(k)] && !grouped[slot(k)]) {
                        grouped[slot(k)] = true;
                        group.push_back(k);
                    }
                }
            }
        }
        std::sort(group.begin(), group.end());
        m_traps.push_back(std::move(group));
    }
}
