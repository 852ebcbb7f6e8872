#pragma once

#include <array>
#include <cstdint>
#include <vector>

class Campaign;

// The campaign as a graph: each used scenario leads by its four outcomes to
// another scenario, to campaign victory (254) or to campaign loss (255).
// It answers what a designer needs beyond the integrity check: which
// scenarios the player never meets, where the player is kept forever, and
// which go-to values no campaign can hold. A snapshot: it does not follow
// later changes of the campaign.
class CampaignGraph {
public:
    // Where a go-to value leads in this campaign.
    enum class Target { Scenario, Victory, Loss, Missing };

    // An outcome whose go-to is neither a slot (0..49) nor 254 nor 255.
    struct OddGoTo {
        int16_t scenario;
        int16_t outcome;
        int32_t GoTo;
    };

    explicit CampaignGraph(const Campaign& campaign);

    [[nodiscard]] static bool isOddGoTo(int32_t lngGoTo);
    [[nodiscard]] Target targetOf(int32_t lngGoTo) const;

    [[nodiscard]] bool used(int16_t intI) const { return m_blnUsed.at(slot(intI)); }
    // All four outcomes lead back to the scenario itself, as the check says.
    [[nodiscard]] bool looping(int16_t intI) const { return m_blnLooping.at(slot(intI)); }
    // Some path from scenario 0 leads to the used scenario intI.
    [[nodiscard]] bool reachable(int16_t intI) const { return m_blnReachable.at(slot(intI)); }
    // Used scenarios from which neither victory nor loss can be reached.
    [[nodiscard]] bool trapped(int16_t intI) const { return m_blnTrapped.at(slot(intI)); }

    [[nodiscard]] bool victoryReferenced() const { return m_blnVictoryReferenced; }
    [[nodiscard]] bool victoryReachable() const { return m_blnVictoryReachable; }
    [[nodiscard]] bool lossReferenced() const { return m_blnLossReferenced; }
    [[nodiscard]] bool lossReachable() const { return m_blnLossReachable; }

    // Used scenarios no path from scenario 0 reaches, ascending.
    [[nodiscard]] const std::vector<int16_t>& unreachable() const { return m_Unreachable; }
    // The trapped scenarios, split into groups that lead into each other
    // (directly or by way of the group); each group and the list ascending.
    [[nodiscard]] const std::vector<std::vector<int16_t>>& traps() const { return m_Traps; }
    // In scenario then outcome order.
    [[nodiscard]] const std::vector<OddGoTo>& oddGoTos() const { return m_OddGoTos; }

private:
    static constexpr std::size_t SlotCount = 50;
    using Flags = std::array<bool, SlotCount>;
    // For each slot, the scenarios its outcomes lead to (or come from).
    using Arrows = std::array<std::vector<int16_t>, SlotCount>;

    // A negative index becomes a huge one, so at() rejects it too.
    static std::size_t slot(int16_t intI) { return static_cast<std::size_t>(static_cast<uint16_t>(intI)); }
    // Marks every slot the arrows lead to from a slot already marked.
    static void spread(const Arrows& Edges, Flags& blnMarked);
    void findTraps(const Arrows& Next, const Flags& blnEnds);

    Flags m_blnUsed{};
    Flags m_blnLooping{};
    Flags m_blnReachable{};
    Flags m_blnTrapped{};
    bool m_blnVictoryReferenced = false;
    bool m_blnVictoryReachable = false;
    bool m_blnLossReferenced = false;
    bool m_blnLossReachable = false;
    std::vector<int16_t> m_Unreachable;
    std::vector<std::vector<int16_t>> m_Traps;
    std::vector<OddGoTo> m_OddGoTos;
};

// "Brilliant Victory", "Victory", "Minor Victory" or "Defeat" for 0..3.
[[nodiscard]] const char* outcomeName(int16_t intI);
