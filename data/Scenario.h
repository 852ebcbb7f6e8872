#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

// One scenario of a campaign: the files the game loads for it, the enemy's
// prestige, three values the editor keeps without interpreting them, and
// for each of the four outcomes (0 Brilliant Victory, 1 Victory, 2 Minor
// Victory, 3 Defeat) the scenario that follows and what is played.
class Scenario {
public:
    static constexpr int16_t OutcomeCount = 4;
    static constexpr int16_t RecordSize = 636;

    [[nodiscard]] const std::string& movie() const { return m_strMovie; }
    void setMovie(std::string strS) { m_strMovie = std::move(strS); }
    // -1 marks a free slot; otherwise the slot index 0..49.
    [[nodiscard]] int32_t number() const { return m_lngNumber; }
    void setNumber(int32_t lngN) { m_lngNumber = lngN; }
    [[nodiscard]] int32_t prestige() const { return m_lngPrestige; }
    void setPrestige(int32_t lngN) { m_lngPrestige = lngN; }
    [[nodiscard]] const std::string& name() const { return m_strName; }
    void setName(std::string strS) { m_strName = std::move(strS); }
    [[nodiscard]] const std::string& text() const { return m_strText; }
    void setText(std::string strS) { m_strText = std::move(strS); }
    [[nodiscard]] const std::string& voice() const { return m_strVoice; }
    void setVoice(std::string strS) { m_strVoice = std::move(strS); }
    [[nodiscard]] int32_t firstUnknown() const { return m_lngFirstUnknown; }
    void setFirstUnknown(int32_t lngN) { m_lngFirstUnknown = lngN; }
    [[nodiscard]] int32_t secondUnknown() const { return m_lngSecondUnknown; }
    void setSecondUnknown(int32_t lngN) { m_lngSecondUnknown = lngN; }
    [[nodiscard]] int32_t thirdUnknown() const { return m_lngThirdUnknown; }
    void setThirdUnknown(int32_t lngN) { m_lngThirdUnknown = lngN; }

    void clear();
    void copy(const Scenario& scenario);
    // Reads or writes the 636-byte record; Number is not part of it.
    void fileRead(std::istream& intHandle);
    void fileWrite(std::ostream& intHandle) const;

    // Outcome properties; intI must be 0..3 (std::out_of_range otherwise).
    [[nodiscard]] const std::string& resultText(int16_t intI) const { return m_strResultText.at(index(intI)); }
    void setResultText(int16_t intI, std::string strS) { m_strResultText.at(index(intI)) = std::move(strS); }
    [[nodiscard]] const std::string& resultVoice(int16_t intI) const { return m_strResultVoice.at(index(intI)); }
    void setResultVoice(int16_t intI, std::string strS) { m_strResultVoice.at(index(intI)) = std::move(strS); }
    [[nodiscard]] int32_t resultPrestige(int16_t intI) const { return m_lngResultPrestige.at(index(intI)); }
    void setResultPrestige(int16_t intI, int32_t lngN) { m_lngResultPrestige.at(index(intI)) = lngN; }
    // 0..49 the next scenario, 254 campaign victory, 255 campaign loss.
    [[nodiscard]] int32_t resultScenario(int16_t intI) const { return m_lngResultScenario.at(index(intI)); }
    void setResultScenario(int16_t intI, int32_t lngN) { m_lngResultScenario.at(index(intI)) = lngN; }
    [[nodiscard]] const std::string& resultMovie(int16_t intI) const { return m_strResultMovie.at(index(intI)); }
    void setResultMovie(int16_t intI, std::string strS) { m_strResultMovie.at(index(intI)) = std::move(strS); }

    friend bool operator==(const Scenario& a, const Scenario& b);
    friend bool operator!=(const Scenario& a, const Scenario& b) { return !(a == b); }

private:
    // A negative index becomes a huge one, so at() rejects it too.
    static std::size_t index(int16_t intI) { return static_cast<std::size_t>(static_cast<uint16_t>(intI)); }

    std::string m_strMovie;
    int32_t m_lngNumber = 0;
    int32_t m_lngPrestige = 0;
    std::string m_strName;
    std::string m_strText;
    std::string m_strVoice;
    int32_t m_lngFirstUnknown = 0;
    int32_t m_lngSecondUnknown = 0;
    int32_t m_lngThirdUnknown = 0;
    std::array<std::string, OutcomeCount> m_strResultText;
    std::array<std::string, OutcomeCount> m_strResultVoice;
    std::array<int32_t, OutcomeCount> m_lngResultPrestige{};
    std::array<int32_t, OutcomeCount> m_lngResultScenario{};
    std::array<std::string, OutcomeCount> m_strResultMovie;
};
