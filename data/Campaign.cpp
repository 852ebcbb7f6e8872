#include "data/Campaign.h"

#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"

namespace {

struct NationMovies {
    const char* strVictory;
    const char* strDefeat;
};

constexpr std::array<NationMovies, 4> Nations{{
    {"germwin", "gerloss"},
    {"ukwin", "ukloss"},
    {"ruwin", "ruloss"},
    {"amerwin", "amerloss"},
}};

constexpr int16_t TrailerSize = 80;

} // namespace

Campaign::Campaign()
{
    clear();
}

void Campaign::clear()
{
    for (auto& scenario : m_Scenarios) {
        scenario.clear();
    }
    m_strDescription = "new";
    m_strName = "New";
    m_lngNation = 0;
    m_lngPrestige = 0;
}

int16_t Campaign::errorCount() const
{
    int16_t intCount = 0;
    for (const auto& strError : m_strErrors) {
        if (!strError.empty()) {
            ++intCount;
        }
    }
    return intCount;
}

int32_t Campaign::scenarioCount() const
{
    int32_t lngCount = 0;
    for (const auto& scenario : m_Scenarios) {
        if (scenario.number() > -1) {
            ++lngCount;
        }
    }
    return lngCount;
}

int16_t Campaign::nextFreeScenario() const
{
    int16_t intI = 0;
    while (intI < MaxScenarios && m_Scenarios[static_cast<std::size_t>(intI)].number() > -1) {
        ++intI;
    }
    return intI;
}

void Campaign::addError(int16_t& intCount, std::string strS)
{
    setErrors(intCount, std::move(strS));
    ++intCount;
}

int16_t Campaign::check()
{
    for (auto& strError : m_strErrors) {
        strError.clear();
    }
    int16_t intCount = 0;
    int32_t lngPrevious = -1;
    bool blnVictory = false;
    bool blnLoss = false;
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        const Scenario& scenario = scenarios(intI);
        const int32_t lngNumber = scenario.number();
        if (lngNumber <= -1) {
            continue;
        }
        bool blnLooping = true;
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            const int32_t lngGoTo = scenario.resultScenario(intJ);
            if (lngGoTo != lngNumber) {
                blnLooping = false;
            }
            if (lngGoTo == VictoryScenario) {
                blnVictory = true;
            } else if (lngGoTo == LossScenario) {
                blnLoss = true;
            } else if (lngGoTo < 0 || lngGoTo >= MaxScenarios ||
                       scenarios(static_cast<int16_t>(lngGoTo)).number() <= -1) {
                // A value no slot can hold only comes from a file made
                // elsewhere; it is as missing as a free slot.
                addError(intCount, "Scenario " + std::to_string(lngGoTo) + " referenced but not found");
            }
        }
        if (blnLooping) {
            addError(intCount, "Scenario " + std::to_string(lngNumber) + " is looping");
        }
        for (int32_t lngK = lngPrevious + 1; lngK < lngNumber; ++lngK) {
            addError(intCount, "Scenario " + std::to_string(lngK) + " not found");
        }
        lngPrevious = lngNumber;
    }
    if (!blnVictory) {
        addError(intCount, "Victory Scenario (254) not referenced");
    }
    if (!blnLoss) {
        addError(intCount, "Defeat Scenario (255) not referenced");
    }
    return intCount;
}

void Campaign::fileRead(std::istream& intHandle)
{
    for (auto& scenario : m_Scenarios) {
        scenario.clear();
    }
    const int32_t lngCount = readWord(intHandle);
    if (lngCount > MaxScenarios) {
        throw CampaignFileError("The file claims " + std::to_string(lngCount) +
                                " scenarios, but a campaign holds at most " + std::to_string(MaxScenarios) + ".");
    }
    m_lngPrestige = readWord(intHandle);
    const std::string strVictory = readFileName(intHandle);
    for (std::size_t intN = 0; intN < Nations.size(); ++intN) {
        if (strVictory == Nations[intN].strVictory) {
            m_lngNation = static_cast<int32_t>(intN);
        }
    }
    skipBytes(FileNameFieldSize, intHandle);
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        if (intI < lngCount) {
            scenarios(intI).fileRead(intHandle);
            scenarios(intI).setNumber(intI);
        } else {
            skipBytes(Scenario::RecordSize, intHandle);
        }
    }
    m_strDescription = readFileName(intHandle);
    skipBytes(TrailerSize, intHandle);
}

void Campaign::fileWrite(std::ostream& intHandle) const
{
    const int32_t lngCount = scenarioCount();
    writeWord(lngCount, intHandle);
    writeWord(m_lngPrestige, intHandle);
    // A nation no list entry shows would otherwise have no movie names.
    const bool blnKnown = m_lngNation >= 0 && m_lngNation < static_cast<int32_t>(Nations.size());
    const NationMovies& Movies = Nations[blnKnown ? static_cast<std::size_t>(m_lngNation) : 0];
    writeFileName(std::string(Movies.strVictory) + ".smk", intHandle);
    writeFileName(std::string(Movies.strDefeat) + ".smk", intHandle);
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        if (intI < lngCount) {
            scenarios(intI).fileWrite(intHandle);
        } else {
            writeZeros(Scenario::RecordSize, intHandle);
        }
    }
    writeFileName(m_strDescription + ".txt", intHandle);
    writeZeros(TrailerSize, intHandle);
}
