#include "data/Scenario.h"

#include "data/RecordBuffer.h"

namespace {

// Optional names are NUL when empty; the others always carry their extension.
void writeOptionalName(RecordWriter& record, const std::string& s, const char* extension)
{
    if (s.empty()) {
        record.writeZeros(20);
    } else {
        record.writeFileName(s, extension);
    }
}

} // namespace

void Scenario::clear()
{
    m_movie.clear();
    m_name.clear();
    m_text.clear();
    m_voice.clear();
    m_number = -1;
    m_prestige = 0;
    m_firstUnknown = 0;
    m_secondUnknown = 0;
    m_thirdUnknown = 0;
    for (int16_t i = 0; i < OutcomeCount; ++i) {
        setResultText(i, {});
        setResultVoice(i, {});
        setResultMovie(i, {});
        setResultPrestige(i, 0);
        setResultScenario(i, 0);
    }
}

void Scenario::copy(const Scenario& scenario)
{
    if (&scenario != this) {
        *this = scenario;
    }
}

void Scenario::fileRead(std::istream& stream)
{
    RecordReader record(stream, RecordSize);
    m_prestige = record.readWord();
    m_firstUnknown = record.readWord();
    m_secondUnknown = record.readWord();
    m_thirdUnknown = record.readWord();
    m_name = record.readFileName();
    m_movie = record.readFileName();
    m_voice = record.readFileName();
    m_text = record.readFileName();
    for (int16_t i = 0; i < OutcomeCount; ++i) {
        setResultPrestige(i, record.readWord());
        record.skipBytes(20);
        setResultVoice(i, record.readFileName());
        setResultText(i, record.readFileName());
        setResultMovie(i, record.readFileName());
    }
    for (int16_t i = 0; i < OutcomeCount; ++i) {
        setResultScenario(i, record.readWord());
        record.skipBytes(28);
    }
    record.skipBytes(100);
}

void Scenario::fileWrite(std::ostream& stream) const
{
    RecordWriter record(RecordSize);
    record.writeWord(m_prestige);
    record.writeWord(m_firstUnknown);
    record.writeWord(m_secondUnknown);
    record.writeWord(m_thirdUnknown);
    record.writeFileName(m_name, ".scn");
    writeOptionalName(record, m_movie, ".smk");
    record.writeFileName(m_voice, ".mus");
    record.writeFileName(m_text, ".txt");
    for (int16_t i = 0; i < OutcomeCount; ++i) {
        record.writeWord(resultPrestige(i));
        record.writeZeros(20);
        writeOptionalName(record, resultVoice(i), ".mus");
        writeOptionalName(record, resultText(i), ".txt");
        writeOptionalName(record, resultMovie(i), ".smk");
    }
    for (int16_t i = 0; i < OutcomeCount; ++i) {
        record.writeWord(resultScenario(i));
        record.writeZeros(28);
    }
    record.writeZeros(100);
    record.flush(stream);
}

bool operator==(const Scenario& a, const Scenario& b)
{
    return a.m_movie == b.m_movie && a.m_number == b.m_number && a.m_prestige == b.m_prestige && a.m_name == b.m_name &&
           a.m_text == b.m_text && a.m_voice == b.m_voice && a.m_firstUnknown == b.m_firstUnknown &&
           a.m_secondUnknown == b.m_secondUnknown && a.m_thirdUnknown == b.m_thirdUnknown &&
           a.m_resultText == b.m_resultText && a.m_resultVoice == b.m_resultVoice &&
           a.m_resultPrestige == b.m_resultPrestige && a.m_resultScenario == b.m_resultScenario &&
           a.m_resultMovie == b.m_resultMovie;
}
