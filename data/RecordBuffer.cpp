#include "data/RecordBuffer.h"

#include "data/FieldCodec.h"
#include "data/BinaryFields.h"

#include <istream>
#include <ostream>
#include <stdexcept>

RecordReader::RecordReader(std::istream& stream, int16_t size) : m_handle(stream)
{
    m_got = static_cast<int16_t>(readUpTo(m_bytes.data(), std::min(size, MaxRecordBytes), stream));
}

const char* RecordReader::take(int16_t count)
{
    if (m_position + count > m_got) {
        throwFileEnd(m_handle);
    }
    const char* field = m_bytes.data() + m_position;
    m_position = static_cast<int16_t>(m_position + count);
    return field;
}

int32_t RecordReader::readWord()
{
    return decodeWord(take(2));
}

std::string RecordReader::readFileName()
{
    return decodeFileName(take(FileNameFieldSize));
}

void RecordReader::skipBytes(int16_t count)
{
    take(count);
}

char* RecordWriter::take(int16_t count)
{
    // Only the record's own layout decides the counts, never the file.
    if (m_position + count > m_size) {
        throw std::logic_error("a record's fields overrun its size");
    }
    char* field = m_bytes.data() + m_position;
    m_position = static_cast<int16_t>(m_position + count);
    return field;
}

void RecordWriter::writeWord(int32_t n)
{
    encodeWord(n, take(2));
}

void RecordWriter::writeFileName(const std::string& base, const char* extension)
{
    encodeFileName(base, extension, take(FileNameFieldSize));
}

void RecordWriter::writeZeros(int16_t count)
{
    take(count);
}

void RecordWriter::flush(std::ostream& stream) const
{
    writeExactly(m_bytes.data(), m_size, stream);
}
