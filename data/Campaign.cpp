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
    Clear();
}

void Campaign::Clear()
{
    for (auto& scenario : m_Scenarios) {
        scenario.Clear();
    }
    m_strDescription = "new";
    m_strName = "New";
    m_lngNation = 0;
    m_lngPrestige = 0;
}

int16_t Campaign::ErrorCount() const
{
    int16_t intCount = 0;
    for (const auto& strError : m_strErrors) {
        if (!strError.empty()) {
            ++intCount;
        }
    }
    return intCount;
}

int32_t Campaign::ScenarioCount() const
{
    int32_t lngCount = 0;
    for (const auto& scenario : m_Scenarios) {
        if (scenario.Number() > -1) {
            ++lngCount;
        }
    }
    return lngCount;
}

int16_t Campaign::NextFreeScenario() const
{
    int16_t intI = 0;
    while (intI < MaxScenarios && m_Scenarios[static_cast<std::size_t>(intI)].Number() > -1) {
        ++intI;
    }
    return intI;
}

void Campaign::AddError(int16_t& intCount, std::string strS)
{
    SetErrors(intCount, std::move(strS));
    ++intCount;
}

int16_t Campaign::Check()
{
    for (auto& strError : m_strErrors) {
        strError.clear();
    }
    int16_t intCount = 0;
    int32_t lngPrevious = -1;
    bool blnVictory = false;
    bool blnLoss = false;
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        const Scenario& scenario = Scenarios(intI);
        const int32_t lngNumber = scenario.Number();
        if (lngNumber <= -1) {
            continue;
        }
        bool blnLooping = true;
        for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
            const int32_t lngGoTo = scenario.ResultScenario(intJ);
            if (lngGoTo != lngNumber) {
                blnLooping = false;
            }
            if (lngGoTo == VictoryScenario) {
                blnVictory = true;
            } else if (lngGoTo == LossScenario) {
                blnLoss = true;
            } else if (lngGoTo < 0 || lngGoTo >= MaxScenarios ||
                       Scenarios(static_cast<int16_t>(lngGoTo)).Number() <= -1) {
                // A value no slot can hold only comes from a file made
                // elsewhere; it is as missing as a free slot.
                AddError(intCount, "Scenario " + std::to_string(lngGoTo) + " referenced but not found");
            }
        }
        if (blnLooping) {
            AddError(intCount, "Scenario " + std::to_string(lngNumber) + " is looping");
        }
        for (int32_t lngK = lngPrevious + 1; lngK < lngNumber; ++lngK) {
            AddError(intCount, "Scenario " + std::to_string(lngK) + " not found");
        }
        lngPrevious = lngNumber;
    }
    if (!blnVictory) {
        AddError(intCount, "Victory Scenario (254) not referenced");
    }
    if (!blnLoss) {
        AddError(intCount, "Defeat Scenario (255) not referenced");
    }
    return intCount;
}

void Campaign::FileRead(std::istream& intHandle)
{
    for (auto& scenario : m_Scenarios) {
        scenario.Clear();
    }
    const int32_t lngCount = ReadWord(intHandle);
    if (lngCount > MaxScenarios) {
        throw CampaignFileError("The file claims " + std::to_string(lngCount) +
                                " scenarios, but a campaign holds at most " + std::to_string(MaxScenarios) + ".");
    }
    m_lngPrestige = ReadWord(intHandle);
    const std::string strVictory = ReadFileName(intHandle);
    for (std::size_t intN = 0; intN < Nations.size(); ++intN) {
        if (strVictory == Nations[intN].strVictory) {
            m_lngNation = static_cast<int32_t>(intN);
        }
    }
    SkipBytes(FileNameFieldSize, intHandle);
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        if (intI < lngCount) {
            Scenarios(intI).FileRead(intHandle);
            Scenarios(intI).SetNumber(intI);
        } else {
            SkipBytes(Scenario::RecordSize, intHandle);
        }
    }
    m_strDescription = ReadFileName(intHandle);
    SkipBytes(TrailerSize, intHandle);
}

void Campaign::FileWrite(std::ostream& intHandle) const
{
    const int32_t lngCount = ScenarioCount();
    WriteWord(lngCount, intHandle);
    WriteWord(m_lngPrestige, intHandle);
    // A nation no list entry shows would otherwise have no movie names.
    const bool blnKnown = m_lngNation >= 0 && m_lngNation < static_cast<int32_t>(Nations.size());
    const NationMovies& Movies = Nations[blnKnown ? static_cast<std::size_t>(m_lngNation) : 0];
    WriteFileName(std::string(Movies.strVictory) + ".smk", intHandle);
    WriteFileName(std::string(Movies.strDefeat) + ".smk", intHandle);
    for (int16_t intI = 0; intI < MaxScenarios; ++intI) {
        if (intI < lngCount) {
            Scenarios(intI).FileWrite(intHandle);
        } else {
            WriteZeros(Scenario::RecordSize, intHandle);
        }
    }
    WriteFileName(m_strDescription + ".txt", intHandle);
    WriteZeros(TrailerSize, intHandle);
}
