#include "data/Campaign.h"

#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"

namespace {

struct NationMovies {
    const char* victory;
    const char* defeat;
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
    for (auto& scenario : m_scenarios) {
        scenario.clear();
    }
    m_description = "new";
    m_name = "New";
    m_nation = 0;
    m_prestige = 0;
}

int16_t Campaign::errorCount() const
{
    int16_t count = 0;
    for (const auto& error : m_errors) {
        if (!error.empty()) {
            ++count;
        }
    }
    return count;
}

int32_t Campaign::scenarioCount() const
{
    int32_t count = 0;
    for (const auto& scenario : m_scenarios) {
        if (scenario.number() > -1) {
            ++count;
        }
    }
    return count;
}

int16_t Campaign::nextFreeScenario() const
{
    int16_t i = 0;
    while (i < MaxScenarios && m_scenarios[static_cast<std::size_t>(i)].number() > -1) {
        ++i;
    }
    return i;
}

void Campaign::addError(int16_t& count, std::string s)
{
    setErrors(count, std::move(s));
    ++count;
}

int16_t Campaign::check()
{
    for (auto& error : m_errors) {
        error.clear();
    }
    int16_t count = 0;
    int32_t previous = -1;
    bool victory = false;
    bool loss = false;
    for (int16_t i = 0; i < MaxScenarios; ++i) {
        const Scenario& scenario = scenarios(i);
        const int32_t number = scenario.number();
        if (number <= -1) {
            continue;
        }
        bool looping = true;
        for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
            const int32_t goTo = scenario.resultScenario(j);
            if (goTo != number) {
                looping = false;
            }
            if (goTo == VictoryScenario) {
                victory = true;
            } else if (goTo == LossScenario) {
                loss = true;
            } else if (goTo < 0 || goTo >= MaxScenarios || scenarios(static_cast<int16_t>(goTo)).number() <= -1) {
                // A value no slot can hold only comes from a file made
                // elsewhere; it is as missing as a free slot.
                addError(count, "Scenario " + std::to_string(goTo) + " referenced but not found");
            }
        }
        if (looping) {
            addError(count, "Scenario " + std::to_string(number) + " is looping");
        }
        for (int32_t k = previous + 1; k < number; ++k) {
            addError(count, "Scenario " + std::to_string(k) + " not found");
        }
        previous = number;
    }
    if (!victory) {
        addError(count, "Victory Scenario (254) not referenced");
    }
    if (!loss) {
        addError(count, "Defeat Scenario (255) not referenced");
    }
    return count;
}

void Campaign::fileRead(std::istream& stream)
{
    for (auto& scenario : m_scenarios) {
        scenario.clear();
    }
    const int32_t count = readWord(stream);
    if (count > MaxScenarios) {
        throw CampaignFileError("The file claims " + std::to_string(count) +
                                " scenarios, but a campaign holds at most " + std::to_string(MaxScenarios) + ".");
    }
    m_prestige = readWord(stream);
    const std::string victoryText = readFileName(stream);
    for (std::size_t n = 0; n < Nations.size(); ++n) {
        if (victoryText == Nations[n].victory) {
            m_nation = static_cast<int32_t>(n);
        }
    }
    skipBytes(FileNameFieldSize, stream);
    for (int16_t i = 0; i < MaxScenarios; ++i) {
        if (i < count) {
            scenarios(i).fileRead(stream);
            scenarios(i).setNumber(i);
        } else {
            skipBytes(Scenario::RecordSize, stream);
        }
    }
    m_description = readFileName(stream);
    skipBytes(TrailerSize, stream);
}

void Campaign::fileWrite(std::ostream& stream) const
{
    const int32_t count = scenarioCount();
    writeWord(count, stream);
    writeWord(m_prestige, stream);
    // A nation no list entry shows would otherwise have no movie names.
    const bool known = m_nation >= 0 && m_nation < static_cast<int32_t>(Nations.size());
    const NationMovies& movies = Nations[known ? static_cast<std::size_t>(m_nation) : 0];
    writeFileName(std::string(movies.victory) + ".smk", stream);
    writeFileName(std::string(movies.defeat) + ".smk", stream);
    for (int16_t i = 0; i < MaxScenarios; ++i) {
        if (i < count) {
            scenarios(i).fileWrite(stream);
        } else {
            writeZeros(Scenario::RecordSize, stream);
        }
    }
    writeFileName(m_description + ".txt", stream);
    writeZeros(TrailerSize, stream);
}
