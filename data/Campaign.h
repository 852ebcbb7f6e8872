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

    [[nodiscard]] const std::string& description() const { return m_strDescription; }
    void setDescription(std::string strS) { m_strDescription = std::move(strS); }
    [[nodiscard]] const std::string& name() const { return m_strName; }
    void setName(std::string strS) { m_strName = std::move(strS); }
    // 0 Germany, 1 U.K, 2 U.R.S.S, 3 U.S.A.
    [[nodiscard]] int32_t nation() const { return m_lngNation; }
    void setNation(int32_t lngN) { m_lngNation = lngN; }
    [[nodiscard]] int32_t prestige() const { return m_lngPrestige; }
    void setPrestige(int32_t lngN) { m_lngPrestige = lngN; }
    [[nodiscard]] bool changed() const { return m_blnChanged; }
    void setChanged(bool blnValue) { m_blnChanged = blnValue; }
    [[nodiscard]] bool saved() const { return m_blnSaved; }
    void setSaved(bool blnValue) { m_blnSaved = blnValue; }

    // Refills the error list and returns how many messages it wrote.
    int16_t check();
    // Frees every slot and resets the header; flags and errors stay.
    void clear();
    [[nodiscard]] int16_t errorCount() const;
    [[nodiscard]] const std::string& errors(int16_t intI) const { return m_strErrors.at(static_cast<uint16_t>(intI)); }
    void setErrors(int16_t intI, std::string strS) { m_strErrors.at(static_cast<uint16_t>(intI)) = std::move(strS); }
    // Reads all 31944 bytes; throws CampaignFileError on a short or malformed
    // file, leaving whatever was read before the fault.
    void fileRead(std::istream& intHandle);
    // Writes all 31944 bytes; throws CampaignFileError when the stream fails.
    void fileWrite(std::ostream& intHandle) const;
    // The lowest free slot; only valid while scenarioCount() < 50.
    [[nodiscard]] int16_t nextFreeScenario() const;
    [[nodiscard]] int32_t scenarioCount() const;
    [[nodiscard]] Scenario& scenarios(int16_t intI) { return m_Scenarios.at(static_cast<uint16_t>(intI)); }
    [[nodiscard]] const Scenario& scenarios(int16_t intI) const
    {
        return m_Scenarios.at(static_cast<uint16_t>(intI));
    }

private:
    void addError(int16_t& intCount, std::string strS);

    std::string m_strDescription;
    std::string m_strName;
    int32_t m_lngNation = 0;
    int32_t m_lngPrestige = 0;
    bool m_blnChanged = false;
    bool m_blnSaved = false;
    std::array<Scenario, MaxScenarios> m_Scenarios;
    std::array<std::string, MaxErrors> m_strErrors;
};
