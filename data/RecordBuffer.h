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
    // Reads up to intSize bytes at once. A field that lies beyond the end of
    // the stream throws as the primitives do, naming the byte where it ends;
    // the fields before it have been decoded by then.
    RecordReader(std::istream& intHandle, int16_t intSize);

    [[nodiscard]] int32_t readWord();
    [[nodiscard]] std::string readFileName();
    void skipBytes(int16_t intCount);

private:
    const char* take(int16_t intCount);

    std::istream& m_Handle;
    std::array<char, MaxRecordBytes> m_Bytes;
    int16_t m_intGot = 0;
    int16_t m_intPosition = 0;
};

class RecordWriter {
public:
    explicit RecordWriter(int16_t intSize) : m_intSize(intSize) {}

    void writeWord(int32_t lngN);
    // strBase followed by strExtension, cut at 20 bytes, then NUL bytes.
    void writeFileName(const std::string& strBase, const char* strExtension);
    void writeZeros(int16_t intCount);
    // Sends the whole record; throws as the primitives do when the stream
    // refuses any of it.
    void flush(std::ostream& intHandle) const;

private:
    char* take(int16_t intCount);

    int16_t m_intSize;
    std::array<char, MaxRecordBytes> m_Bytes{};
    int16_t m_intPosition = 0;
};
