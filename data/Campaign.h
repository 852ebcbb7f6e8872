#pragma once

#include "data/Scenario.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

// The campaign document: header, name, the two flags behind the save
// question, 50 scenario slots (slot i holds scenario i or a free record
// numbered -1) and the messages of the last integrity check.
class Campaign {
public:
    static constexpr int16_t MaxScenarios = 50;
    static constexpr int16_t MaxErrors = 256;
    static constexpr int32_t VictoryScenario = 254;
    static constexpr int32_t LossScenario = 255;

    Campaign();

    [[nodiscard]] const std::string& description() const { return m_description; }
    void setDescription(std::string s) { m_description = std::move(s); }
    [[nodiscard]] const std::string& name() const { return m_name; }
    void setName(std::string s) { m_name = std::move(s); }
    // 0 Germany, 1 U.K, 2 U.R.S.S, 3 U.S.A.
    [[nodiscard]] int32_t nation() const { return m_nation; }
    void setNation(int32_t n) { m_nation = n; }
    [[nodiscard]] int32_t prestige() const { return m_prestige; }
    void setPrestige(int32_t n) { m_prestige = n; }
    [[nodiscard]] bool changed() const { return m_changed; }
    void setChanged(bool value) { m_changed = value; }
    [[nodiscard]] bool saved() const { return m_saved; }
    void setSaved(bool value) { m_saved = value; }

    // Refills the error list and returns how many messages it wrote.
    int16_t check();
    // Frees every slot and resets the header; flags and errors stay.
    void clear();
    [[nodiscard]] int16_t errorCount() const;
    [[nodiscard]] const std::string& errors(int16_t i) const { return m_errors.at(static_cast<uint16_t>(i)); }
    void setErrors(int16_t i, std::string s) { m_errors.at(static_cast<uint16_t>(i)) = std::move(s); }
    // Reads all 31944 bytes; throws CampaignFileError on a short or malformed
    // file, leaving whatever was read before the fault.
    void fileRead(std::istream& stream);
    // Writes all 31944 bytes; throws CampaignFileError when the stream fails.
    void fileWrite(std::ostream& stream) const;
    // The lowest free slot; only valid while scenarioCount() < 50.
    [[nodiscard]] int16_t nextFreeScenario() const;
    [[nodiscard]] int32_t scenarioCount() const;
    [[nodiscard]] Scenario& scenarios(int16_t i) { return m_scenarios.at(static_cast<uint16_t>(i)); }
    [[nodiscard]] const Scenario& scenarios(int16_t i) const { return m_scenarios.at(static_cast<uint16_t>(i)); }

private:
    void addError(int16_t& count, std::string s);

    std::string m_description;
    std::string m_name;
    int32_t m_nation = 0;
    int32_t m_prestige = 0;
    bool m_changed = false;
    bool m_saved = false;
    std::array<Scenario, MaxScenarios> m_scenarios;
    std::array<std::string, MaxErrors> m_errors;
};
