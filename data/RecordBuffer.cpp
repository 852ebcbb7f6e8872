#include "data/RecordBuffer.h"

#include "data/FieldCodec.h"
#include "data/BinaryFields.h"

#include <istream>
#include <ostream>
#include <stdexcept>

RecordReader::RecordReader(std::istream& intHandle, int16_t intSize) : m_Handle(intHandle)
{
    m_intGot = static_cast<int16_t>(ReadUpTo(m_Bytes.data(), std::min(intSize, MaxRecordBytes), intHandle));
}

const char* RecordReader::Take(int16_t intCount)
{
    if (m_intPosition + intCount > m_intGot) {
        ThrowFileEnd(m_Handle);
    }
    const char* pField = m_Bytes.data() + m_intPosition;
    m_intPosition = static_cast<int16_t>(m_intPosition + intCount);
    return pField;
}

int32_t RecordReader::ReadWord()
{
    return DecodeWord(Take(2));
}

std::string RecordReader::ReadFileName()
{
    return DecodeFileName(Take(FileNameFieldSize));
}

void RecordReader::SkipBytes(int16_t intCount)
{
    Take(intCount);
}

char* RecordWriter::Take(int16_t intCount)
{
    // Only the record's own layout decides the counts, never the file.
    if (m_intPosition + intCount > m_intSize) {
        throw std::logic_error("a record's fields overrun its size");
    }
    char* pField = m_Bytes.data() + m_intPosition;
    m_intPosition = static_cast<int16_t>(m_intPosition + intCount);
    return pField;
}

void RecordWriter::WriteWord(int32_t lngN)
{
    EncodeWord(lngN, Take(2));
}

void RecordWriter::WriteFileName(const std::string& strBase, const char* strExtension)
{
    EncodeFileName(strBase, strExtension, Take(FileNameFieldSize));
}

void RecordWriter::WriteZeros(int16_t intCount)
{
    Take(intCount);
}

void RecordWriter::Flush(std::ostream& intHandle) const
{
    WriteExactly(m_Bytes.data(), m_intSize, intHandle);
}
