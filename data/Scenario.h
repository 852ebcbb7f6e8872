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

    [[nodiscard]] const std::string& movie() const { return m_movie; }
    void setMovie(std::string s) { m_movie = std::move(s); }
    // -1 marks a free slot; otherwise the slot index 0..49.
    [[nodiscard]] int32_t number() const { return m_number; }
    void setNumber(int32_t n) { m_number = n; }
    [[nodiscard]] int32_t prestige() const { return m_prestige; }
    void setPrestige(int32_t n) { m_prestige = n; }
    [[nodiscard]] const std::string& name() const { return m_name; }
    void setName(std::string s) { m_name = std::move(s); }
    [[nodiscard]] const std::string& text() const { return m_text; }
    void setText(std::string s) { m_text = std::move(s); }
    [[nodiscard]] const std::string& voice() const { return m_voice; }
    void setVoice(std::string s) { m_voice = std::move(s); }
    [[nodiscard]] int32_t firstUnknown() const { return m_firstUnknown; }
    void setFirstUnknown(int32_t n) { m_firstUnknown = n; }
    [[nodiscard]] int32_t secondUnknown() const { return m_secondUnknown; }
    void setSecondUnknown(int32_t n) { m_secondUnknown = n; }
    [[nodiscard]] int32_t thirdUnknown() const { return m_thirdUnknown; }
    void setThirdUnknown(int32_t n) { m_thirdUnknown = n; }

    void clear();
    void copy(const Scenario& scenario);
    // Reads or writes the 636-byte record; Number is not part of it.
    void fileRead(std::istream& stream);
    void fileWrite(std::ostream& stream) const;

    // Outcome properties; i must be 0..3 (std::out_of_range otherwise).
    [[nodiscard]] const std::string& resultText(int16_t i) const { return m_resultText.at(index(i)); }
    void setResultText(int16_t i, std::string s) { m_resultText.at(index(i)) = std::move(s); }
    [[nodiscard]] const std::string& resultVoice(int16_t i) const { return m_resultVoice.at(index(i)); }
    void setResultVoice(int16_t i, std::string s) { m_resultVoice.at(index(i)) = std::move(s); }
    [[nodiscard]] int32_t resultPrestige(int16_t i) const { return m_resultPrestige.at(index(i)); }
    void setResultPrestige(int16_t i, int32_t n) { m_resultPrestige.at(index(i)) = n; }
    // 0..49 the next scenario, 254 campaign victory, 255 campaign loss.
    [[nodiscard]] int32_t resultScenario(int16_t i) const { return m_resultScenario.at(index(i)); }
    void setResultScenario(int16_t i, int32_t n) { m_resultScenario.at(index(i)) = n; }
    [[nodiscard]] const std::string& resultMovie(int16_t i) const { return m_resultMovie.at(index(i)); }
    void setResultMovie(int16_t i, std::string s) { m_resultMovie.at(index(i)) = std::move(s); }

    friend bool operator==(const Scenario& a, const Scenario& b);
    friend bool operator!=(const Scenario& a, const Scenario& b) { return !(a == b); }

private:
    // A negative index becomes a huge one, so at() rejects it too.
    static std::size_t index(int16_t i) { return static_cast<std::size_t>(static_cast<uint16_t>(i)); }

    std::string m_movie;
    int32_t m_number = 0;
    int32_t m_prestige = 0;
    std::string m_name;
    std::string m_text;
    std::string m_voice;
    int32_t m_firstUnknown = 0;
    int32_t m_secondUnknown = 0;
    int32_t m_thirdUnknown = 0;
    std::array<std::string, OutcomeCount> m_resultText;
    std::array<std::string, OutcomeCount> m_resultVoice;
    std::array<int32_t, OutcomeCount> m_resultPrestige{};
    std::array<int32_t, OutcomeCount> m_resultScenario{};
    std::array<std::string, OutcomeCount> m_resultMovie;
};
