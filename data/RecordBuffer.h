#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

// A scenario record crosses the stream in one call and its fields are then
// decoded or encoded in memory, with the same rules as the field primitives.
// Field by field, the stream calls alone would cost more than a whole read
// and write of a campaign may take.

constexpr int16_t MaxRecordBytes = 636;

class RecordReader {
public:
    // Reads up to size bytes at once. A field that lies beyond the end of
    // the stream throws as the primitives do, naming the byte where it ends;
    // the fields before it have been decoded by then.
    RecordReader(std::istream& stream, int16_t size);

    [[nodiscard]] int32_t readWord();
    [[nodiscard]] std::string readFileName();
    void skipBytes(int16_t count);

private:
    const char* take(int16_t count);

    std::istream& m_handle;
    std::array<char, MaxRecordBytes> m_bytes;
    int16_t m_got = 0;
    int16_t m_position = 0;
};

class RecordWriter {
public:
    explicit RecordWriter(int16_t size) : m_size(size) {}

    void writeWord(int32_t n);
    // base followed by extension, cut at 20 bytes, then NUL bytes.
    void writeFileName(const std::string& base, const char* extension);
    void writeZeros(int16_t count);
    // Sends the whole record; throws as the primitives do when the stream
    // refuses any of it.
    void flush(std::ostream& stream) const;

private:
    char* take(int16_t count);

    int16_t m_size;
    std::array<char, MaxRecordBytes> m_bytes{};
    int16_t m_position = 0;
};
