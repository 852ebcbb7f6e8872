#include "data/clsScenario.h"

#include "data/basFields.h"

namespace {

// Optional names are NUL when empty; the others always carry their extension.
void WriteOptionalName(const std::string& strS, const char* strExtension, std::ostream& intHandle)
{
    WriteFileName(strS.empty() ? std::string() : strS + strExtension, intHandle);
}

} // namespace

void clsScenario::Clear()
{
    m_strMovie.clear();
    m_strName.clear();
    m_strText.clear();
    m_strVoice.clear();
    m_lngNumber = -1;
    m_lngPrestige = 0;
    m_lngFirstUnknown = 0;
    m_lngSecondUnknown = 0;
    m_lngThirdUnknown = 0;
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        SetResultText(intI, {});
        SetResultVoice(intI, {});
        SetResultMovie(intI, {});
        SetResultPrestige(intI, 0);
        SetResultScenario(intI, 0);
    }
}

void clsScenario::Copy(const clsScenario& Scenario)
{
    if (&Scenario != this) {
        *this = Scenario;
    }
}

void clsScenario::FileRead(std::istream& intHandle)
{
    m_lngPrestige = ReadWord(intHandle);
    m_lngFirstUnknown = ReadWord(intHandle);
    m_lngSecondUnknown = ReadWord(intHandle);
    m_lngThirdUnknown = ReadWord(intHandle);
    m_strName = ReadFileName(intHandle);
    m_strMovie = ReadFileName(intHandle);
    m_strVoice = ReadFileName(intHandle);
    m_strText = ReadFileName(intHandle);
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        SetResultPrestige(intI, ReadWord(intHandle));
        SkipBytes(20, intHandle);
        SetResultVoice(intI, ReadFileName(intHandle));
        SetResultText(intI, ReadFileName(intHandle));
        SetResultMovie(intI, ReadFileName(intHandle));
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        SetResultScenario(intI, ReadWord(intHandle));
        SkipBytes(28, intHandle);
    }
    SkipBytes(100, intHandle);
}

void clsScenario::FileWrite(std::ostream& intHandle) const
{
    WriteWord(m_lngPrestige, intHandle);
    WriteWord(m_lngFirstUnknown, intHandle);
    WriteWord(m_lngSecondUnknown, intHandle);
    WriteWord(m_lngThirdUnknown, intHandle);
    WriteFileName(m_strName + ".scn", intHandle);
    WriteOptionalName(m_strMovie, ".smk", intHandle);
    WriteFileName(m_strVoice + ".mus", intHandle);
    WriteFileName(m_strText + ".txt", intHandle);
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        WriteWord(ResultPrestige(intI), intHandle);
        WriteZeros(20, intHandle);
        WriteOptionalName(ResultVoice(intI), ".mus", intHandle);
        WriteOptionalName(ResultText(intI), ".txt", intHandle);
        WriteOptionalName(ResultMovie(intI), ".smk", intHandle);
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        WriteWord(ResultScenario(intI), intHandle);
        WriteZeros(28, intHandle);
    }
    WriteZeros(100, intHandle);
}

bool operator==(const clsScenario& a, const clsScenario& b)
{
    return a.m_strMovie == b.m_strMovie && a.m_lngNumber == b.m_lngNumber && a.m_lngPrestige == b.m_lngPrestige &&
           a.m_strName == b.m_strName && a.m_strText == b.m_strText && a.m_strVoice == b.m_strVoice &&
           a.m_lngFirstUnknown == b.m_lngFirstUnknown && a.m_lngSecondUnknown == b.m_lngSecondUnknown &&
           a.m_lngThirdUnknown == b.m_lngThirdUnknown && a.m_strResultText == b.m_strResultText &&
           a.m_strResultVoice == b.m_strResultVoice && a.m_lngResultPrestige == b.m_lngResultPrestige &&
           a.m_lngResultScenario == b.m_lngResultScenario && a.m_strResultMovie == b.m_strResultMovie;
}
