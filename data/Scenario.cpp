#include "data/Scenario.h"

#include "data/RecordBuffer.h"

namespace {

// Optional names are NUL when empty; the others always carry their extension.
void WriteOptionalName(RecordWriter& Record, const std::string& strS, const char* strExtension)
{
    if (strS.empty()) {
        Record.WriteZeros(20);
    } else {
        Record.WriteFileName(strS, strExtension);
    }
}

} // namespace

void Scenario::Clear()
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

void Scenario::Copy(const Scenario& scenario)
{
    if (&scenario != this) {
        *this = scenario;
    }
}

void Scenario::FileRead(std::istream& intHandle)
{
    RecordReader Record(intHandle, RecordSize);
    m_lngPrestige = Record.ReadWord();
    m_lngFirstUnknown = Record.ReadWord();
    m_lngSecondUnknown = Record.ReadWord();
    m_lngThirdUnknown = Record.ReadWord();
    m_strName = Record.ReadFileName();
    m_strMovie = Record.ReadFileName();
    m_strVoice = Record.ReadFileName();
    m_strText = Record.ReadFileName();
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        SetResultPrestige(intI, Record.ReadWord());
        Record.SkipBytes(20);
        SetResultVoice(intI, Record.ReadFileName());
        SetResultText(intI, Record.ReadFileName());
        SetResultMovie(intI, Record.ReadFileName());
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        SetResultScenario(intI, Record.ReadWord());
        Record.SkipBytes(28);
    }
    Record.SkipBytes(100);
}

void Scenario::FileWrite(std::ostream& intHandle) const
{
    RecordWriter Record(RecordSize);
    Record.WriteWord(m_lngPrestige);
    Record.WriteWord(m_lngFirstUnknown);
    Record.WriteWord(m_lngSecondUnknown);
    Record.WriteWord(m_lngThirdUnknown);
    Record.WriteFileName(m_strName, ".scn");
    WriteOptionalName(Record, m_strMovie, ".smk");
    Record.WriteFileName(m_strVoice, ".mus");
    Record.WriteFileName(m_strText, ".txt");
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        Record.WriteWord(ResultPrestige(intI));
        Record.WriteZeros(20);
        WriteOptionalName(Record, ResultVoice(intI), ".mus");
        WriteOptionalName(Record, ResultText(intI), ".txt");
        WriteOptionalName(Record, ResultMovie(intI), ".smk");
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        Record.WriteWord(ResultScenario(intI));
        Record.WriteZeros(28);
    }
    Record.WriteZeros(100);
    Record.Flush(intHandle);
}

bool operator==(const Scenario& a, const Scenario& b)
{
    return a.m_strMovie == b.m_strMovie && a.m_lngNumber == b.m_lngNumber && a.m_lngPrestige == b.m_lngPrestige &&
           a.m_strName == b.m_strName && a.m_strText == b.m_strText && a.m_strVoice == b.m_strVoice &&
           a.m_lngFirstUnknown == b.m_lngFirstUnknown && a.m_lngSecondUnknown == b.m_lngSecondUnknown &&
           a.m_lngThirdUnknown == b.m_lngThirdUnknown && a.m_strResultText == b.m_strResultText &&
           a.m_strResultVoice == b.m_strResultVoice && a.m_lngResultPrestige == b.m_lngResultPrestige &&
           a.m_lngResultScenario == b.m_lngResultScenario && a.m_strResultMovie == b.m_strResultMovie;
}
