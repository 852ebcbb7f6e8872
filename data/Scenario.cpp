#include "data/Scenario.h"

#include "data/RecordBuffer.h"

namespace {

// Optional names are NUL when empty; the others always carry their extension.
void writeOptionalName(RecordWriter& Record, const std::string& strS, const char* strExtension)
{
    if (strS.empty()) {
        Record.writeZeros(20);
    } else {
        Record.writeFileName(strS, strExtension);
    }
}

} // namespace

void Scenario::clear()
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
        setResultText(intI, {});
        setResultVoice(intI, {});
        setResultMovie(intI, {});
        setResultPrestige(intI, 0);
        setResultScenario(intI, 0);
    }
}

void Scenario::copy(const Scenario& scenario)
{
    if (&scenario != this) {
        *this = scenario;
    }
}

void Scenario::fileRead(std::istream& intHandle)
{
    RecordReader Record(intHandle, RecordSize);
    m_lngPrestige = Record.readWord();
    m_lngFirstUnknown = Record.readWord();
    m_lngSecondUnknown = Record.readWord();
    m_lngThirdUnknown = Record.readWord();
    m_strName = Record.readFileName();
    m_strMovie = Record.readFileName();
    m_strVoice = Record.readFileName();
    m_strText = Record.readFileName();
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        setResultPrestige(intI, Record.readWord());
        Record.skipBytes(20);
        setResultVoice(intI, Record.readFileName());
        setResultText(intI, Record.readFileName());
        setResultMovie(intI, Record.readFileName());
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        setResultScenario(intI, Record.readWord());
        Record.skipBytes(28);
    }
    Record.skipBytes(100);
}

void Scenario::fileWrite(std::ostream& intHandle) const
{
    RecordWriter Record(RecordSize);
    Record.writeWord(m_lngPrestige);
    Record.writeWord(m_lngFirstUnknown);
    Record.writeWord(m_lngSecondUnknown);
    Record.writeWord(m_lngThirdUnknown);
    Record.writeFileName(m_strName, ".scn");
    writeOptionalName(Record, m_strMovie, ".smk");
    Record.writeFileName(m_strVoice, ".mus");
    Record.writeFileName(m_strText, ".txt");
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        Record.writeWord(resultPrestige(intI));
        Record.writeZeros(20);
        writeOptionalName(Record, resultVoice(intI), ".mus");
        writeOptionalName(Record, resultText(intI), ".txt");
        writeOptionalName(Record, resultMovie(intI), ".smk");
    }
    for (int16_t intI = 0; intI < OutcomeCount; ++intI) {
        Record.writeWord(resultScenario(intI));
        Record.writeZeros(28);
    }
    Record.writeZeros(100);
    Record.flush(intHandle);
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
