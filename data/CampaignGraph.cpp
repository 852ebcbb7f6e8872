#include "data/CampaignGraph.h"

#include "data/Campaign.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<const char*, Scenario::OutcomeCount> OutcomeNames{"Brilliant Victory", "Victory",
                                                                          "Minor Victory", "Defeat"};

} // namespace

const char* outcomeName(int16_t intI)
{
    return OutcomeNames.at(static_cast<std::size_t>(static_cast<uint16_t>(intI)));
}

bool CampaignGraph::isOddGoTo(int32_t lngGoTo)
{
    return (lngGoTo < 0 || lngGoTo >= Campaign::MaxScenarios) && lngGoTo != Campaign::VictoryScenario &&
           lngGoTo != Campaign::LossScenario;
}

CampaignGraph::Target CampaignGraph::targetOf(int32_t lngGoTo) const
{
    if (lngGoTo == Campaign::VictoryScenario) {
        return Target::Victory;
    }
    if (lngGoTo == Campaign::LossScenario) {
        return Target::Loss;
    }
    if (lngGoTo >= 0 && lngGoTo < Campaign::MaxScenarios && m_blnUsed[static_cast<std::size_t>(lngGoTo)]) {
        return Target::Scenario;
    }
    return Target::Missing;
}

CampaignGraph::CampaignGraph(const Campaign& campaign)
{
    static_assert(SlotCount == Campaign::MaxScenarios);
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        m_blnUsed[slot(intI)] = campaign.scenarios(intI).number() > -1;
    }
    Arrows Next;
    Flags blnWins{};
    Flags blnLoses{};
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        if (!used(intI)) {
            continue;
        }
        const Scenario& scenario = campaign.scenarios(intI);
        bool blnLooping = true;
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            const int32_t lngGoTo = scenario.resultScenario(intJ);
            blnLooping = blnLooping && lngGoTo == scenario.number();
            switch (targetOf(lngGoTo)) {
            case Target::Scenario:
                Next[slot(intI)].push_back(static_cast<int16_t>(lngGoTo));
                break;
            case Target::Victory:
                blnWins[slot(intI)] = true;
                break;
            case Target::Loss:
                blnLoses[slot(intI)] = true;
                break;
            case Target::Missing:
                break;
            }
            if (isOddGoTo(lngGoTo)) {
                m_OddGoTos.push_back({intI, intJ, lngGoTo});
            }
        }
        m_blnLooping[slot(intI)] = blnLooping;
    }

    m_blnReachable[0] = m_blnUsed[0];
    spread(Next, m_blnReachable);

    Flags blnEnds{};
    for (std::size_t lngI = 0; lngI < SlotCount; ++lngI) {
        m_blnVictoryReferenced = m_blnVictoryReferenced || blnWins[lngI];
        m_blnLossReferenced = m_blnLossReferenced || blnLoses[lngI];
        m_blnVictoryReachable = m_blnVictoryReachable || (blnWins[lngI] && m_blnReachable[lngI]);
        m_blnLossReachable = m_blnLossReachable || (blnLoses[lngI] && m_blnReachable[lngI]);
        blnEnds[lngI] = blnWins[lngI] || blnLoses[lngI];
        if (m_blnUsed[lngI] && !m_blnReachable[lngI]) {
            m_Unreachable.push_back(static_cast<int16_t>(lngI));
        }
    }
    findTraps(Next, blnEnds);
}

void CampaignGraph::spread(const Arrows& Edges, Flags& blnMarked)
{
    std::vector<int16_t> Pending;
    for (std::size_t lngI = 0; lngI < SlotCount; ++lngI) {
        if (blnMarked[lngI]) {
            Pending.push_back(static_cast<int16_t>(lngI));
        }
    }
    while (!Pending.empty()) {
        const int16_t intI = Pending.back();
        Pending.pop_back();
        for (const int16_t intK : Edges[slot(intI)]) {
            if (!blnMarked[slot(intK)]) {
                blnMarked[slot(intK)] = true;
                Pending.push_back(intK);
            }
        }
    }
}

void CampaignGraph::findTraps(const Arrows& Next, const Flags& blnEnds)
{
    Arrows Previous;
    for (std::size_t lngI = 0; lngI < SlotCount; ++lngI) {
        for (const int16_t intK : Next[lngI]) {
            Previous[slot(intK)].push_back(static_cast<int16_t>(lngI));
        }
    }

    // Walk backwards from every scenario that ends the campaign: whatever is
    // met can escape, the rest of the used scenarios is trapped.
    Flags blnEscapes = blnEnds;
    spread(Previous, blnEscapes);
    for (std::size_t lngI = 0; lngI < SlotCount; ++lngI) {
        m_blnTrapped[lngI] = m_blnUsed[lngI] && !blnEscapes[lngI];
    }

    // A group is what the trapped scenarios join, arrows taken either way:
    // a scenario that leads into a loop belongs with the loop.
    Flags blnGrouped{};
    for (std::size_t lngFirst = 0; lngFirst < SlotCount; ++lngFirst) {
        if (!m_blnTrapped[lngFirst] || blnGrouped[lngFirst]) {
            continue;
        }
        std::vector<int16_t> Group{static_cast<int16_t>(lngFirst)};
        blnGrouped[lngFirst] = true;
        for (std::size_t lngAt = 0; lngAt < Group.size(); ++lngAt) {
            const std::size_t lngI = slot(Group[lngAt]);
            for (const std::vector<int16_t>* pNeighbours : {&Next[lngI], &std::as_const(Previous[lngI])}) {
                for (const int16_t intK : *pNeighbours) {
                    if (m_blnTrapped[slot(intK)] && !blnGrouped[slot(intK)]) {
                        blnGrouped[slot(intK)] = true;
                        Group.push_back(intK);
                    }
                }
            }
        }
        std::sort(Group.begin(), Group.end());
        m_Traps.push_back(std::move(Group));
    }
}
