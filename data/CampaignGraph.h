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
        int32_t goTo;
    };

    explicit CampaignGraph(const Campaign& campaign);

    [[nodiscard]] static bool isOddGoTo(int32_t goTo);
    [[nodiscard]] Target targetOf(int32_t goTo) const;

    [[nodiscard]] bool used(int16_t i) const { return m_used.at(slot(i)); }
    // All four outcomes lead back to the scenario itself, as the check says.
    [[nodiscard]] bool looping(int16_t i) const { return m_looping.at(slot(i)); }
    // Some path from scenario 0 leads to the used scenario i.
    [[nodiscard]] bool reachable(int16_t i) const { return m_reachable.at(slot(i)); }
    // Used scenarios from which neither victory nor loss can be reached.
    [[nodiscard]] bool trapped(int16_t i) const { return m_trapped.at(slot(i)); }

    [[nodiscard]] bool victoryReferenced() const { return m_victoryReferenced; }
    [[nodiscard]] bool victoryReachable() const { return m_victoryReachable; }
    [[nodiscard]] bool lossReferenced() const { return m_lossReferenced; }
    [[nodiscard]] bool lossReachable() const { return m_lossReachable; }

    // Used scenarios no path from scenario 0 reaches, ascending.
    [[nodiscard]] const std::vector<int16_t>& unreachable() const { return m_unreachable; }
    // The trapped scenarios, split into groups that lead into each other
    // (directly or by way of the group); each group and the list ascending.
    [[nodiscard]] const std::vector<std::vector<int16_t>>& traps() const { return m_traps; }
    // In scenario then outcome order.
    [[nodiscard]] const std::vector<OddGoTo>& oddGoTos() const { return m_oddGoTos; }

private:
    static constexpr std::size_t SlotCount = 50;
    using Flags = std::array<bool, SlotCount>;
    // For each slot, the scenarios its outcomes lead to (or come from).
    using Arrows = std::array<std::vector<int16_t>, SlotCount>;

    // A negative index becomes a huge one, so at() rejects it too.
    static std::size_t slot(int16_t i) { return static_cast<std::size_t>(static_cast<uint16_t>(i)); }
    // Marks every slot the arrows lead to from a slot already marked.
    static void spread(const Arrows& edges, Flags& marked);
    void findTraps(const Arrows& next, const Flags& ends);

    Flags m_used{};
    Flags m_looping{};
    Flags m_reachable{};
    Flags m_trapped{};
    bool m_victoryReferenced = false;
    bool m_victoryReachable = false;
    bool m_lossReferenced = false;
    bool m_lossReachable = false;
    std::vector<int16_t> m_unreachable;
    std::vector<std::vector<int16_t>> m_traps;
    std::vector<OddGoTo> m_oddGoTos;
};

// "Brilliant Victory", "Victory", "Minor Victory" or "Defeat" for 0..3.
[[nodiscard]] const char* outcomeName(int16_t i);
