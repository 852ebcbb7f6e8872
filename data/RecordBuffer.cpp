#include "data/RecordBuffer.h"

#include "data/FieldCodec.h"
#include "data/BinaryFields.h"

#include <istream>
#include <ostream>
#include <stdexcept>

RecordReader::RecordReader(std::istream& intHandle, int16_t intSize) : m_Handle(intHandle)
{
    m_intGot = static_cast<int16_t>(readUpTo(m_Bytes.data(), std::min(intSize, MaxRecordBytes), intHandle));
}

const char* RecordReader::take(int16_t intCount)
{
    if (m_intPosition + intCount > m_intGot) {
        throwFileEnd(m_Handle);
    }
    const char* pField = m_Bytes.data() + m_intPosition;
    m_intPosition = static_cast<int16_t>(m_intPosition + intCount);
    return pField;
}

int32_t RecordReader::readWord()
{
    return decodeWord(take(2));
}

std::string RecordReader::readFileName()
{
    return decodeFileName(take(FileNameFieldSize));
}

void RecordReader::skipBytes(int16_t intCount)
{
    take(intCount);
}

char* RecordWriter::take(int16_t intCount)
{
    // Only the record's own layout decides the counts, never the file.
    if (m_intPosition + intCount > m_intSize) {
        throw std::logic_error("a record's fields overrun its size");
    }
    char* pField = m_Bytes.data() + m_intPosition;
    m_intPosition = static_cast<int16_t>(m_intPosition + intCount);
    return pField;
}

void RecordWriter::writeWord(int32_t lngN)
{
    encodeWord(lngN, take(2));
}

void RecordWriter::writeFileName(const std::string& strBase, const char* strExtension)
{
    encodeFileName(strBase, strExtension, take(FileNameFieldSize));
}

void RecordWriter::writeZeros(int16_t intCount)
{
    take(intCount);
}

void RecordWriter::flush(std::ostream& intHandle) const
{
    writeExactly(m_Bytes.data(), m_intSize, intHandle);
}
