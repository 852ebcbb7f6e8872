#include "data/BinaryFields.h"

#include "data/CampaignFileError.h"
#include "data/FieldCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <ostream>

namespace {

std::streamoff position(std::streambuf* buffer, std::ios_base::openmode which)
{
    return buffer != nullptr ? static_cast<std::streamoff>(buffer->pubseekoff(0, std::ios_base::cur, which)) : -1;
}

void readExactly(char* bytes, std::streamsize count, std::istream& stream)
{
    if (readUpTo(bytes, count, stream) != count) {
        throwFileEnd(stream);
    }
}

constexpr std::size_t ChunkSize = 636;
constexpr std::array<char, ChunkSize> Zeros{};

} // namespace

int32_t decodeWord(const char* bytes)
{
    const auto* unsignedBytes = reinterpret_cast<const unsigned char*>(bytes);
    return unsignedBytes[0] + 256 * unsignedBytes[1];
}

void encodeWord(int32_t n, char* bytes)
{
    const int32_t high = n / 256;
    const int32_t low = n - 256 * high;
    bytes[0] = static_cast<char>(low);
    bytes[1] = static_cast<char>(high);
}

std::string decodeFileName(const char* bytes)
{
    const auto* dot = static_cast<const char*>(std::memchr(bytes, '.', FileNameFieldSize));
    return dot != nullptr ? std::string(bytes, static_cast<std::size_t>(dot - bytes)) : std::string();
}

void encodeFileName(const std::string& base, const char* extension, char* bytes)
{
    // A name from a file may carry more than the field holds: keep the first
    // 20 bytes so the file keeps its size and its "." stays inside the field.
    const std::size_t baseLength = std::min<std::size_t>(base.size(), FileNameFieldSize);
    std::memcpy(bytes, base.data(), baseLength);
    const std::size_t extensionLength = std::min(std::strlen(extension), FileNameFieldSize - baseLength);
    std::memcpy(bytes + baseLength, extension, extensionLength);
}

std::streamsize readUpTo(char* bytes, std::streamsize count, std::istream& stream)
{
    std::streambuf* buffer = stream.rdbuf();
    return buffer != nullptr && stream.good() ? buffer->sgetn(bytes, count) : 0;
}

void writeExactly(const char* bytes, std::streamsize count, std::ostream& stream)
{
    std::streambuf* buffer = stream.rdbuf();
    const std::streamsize put = buffer != nullptr && stream.good() ? buffer->sputn(bytes, count) : 0;
    if (put != count) {
        throwWriteFailure(stream);
    }
}

void throwFileEnd(std::istream& stream)
{
    stream.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    const std::streamoff end = position(stream.rdbuf(), std::ios_base::in);
    const std::string size = std::to_string(CampaignFileSize);
    if (end >= 0) {
        throw CampaignFileError("The file ends at byte " + std::to_string(end) + ", but a campaign file has " + size +
                                " bytes.");
    }
    throw CampaignFileError("The file ends before its last byte: a campaign file has " + size + " bytes.");
}

void throwWriteFailure(std::ostream& stream)
{
    stream.setstate(std::ios_base::badbit);
    const std::streamoff at = position(stream.rdbuf(), std::ios_base::out);
    if (at >= 0) {
        throw CampaignFileError("The campaign could not be written: writing stopped at byte " + std::to_string(at) +
                                " of " + std::to_string(CampaignFileSize) + ".");
    }
    throw CampaignFileError("The campaign could not be written: the file refused the bytes.");
}

int32_t readWord(std::istream& stream)
{
    std::array<char, 2> bytes{};
    readExactly(bytes.data(), 2, stream);
    return decodeWord(bytes.data());
}

void writeWord(int32_t n, std::ostream& stream)
{
    std::array<char, 2> bytes{};
    encodeWord(n, bytes.data());
    writeExactly(bytes.data(), 2, stream);
}

std::string readFileName(std::istream& stream)
{
    std::array<char, FileNameFieldSize> field{};
    readExactly(field.data(), FileNameFieldSize, stream);
    return decodeFileName(field.data());
}

void writeFileName(const std::string& s, std::ostream& stream)
{
    std::array<char, FileNameFieldSize> field{};
    encodeFileName(s, "", field.data());
    writeExactly(field.data(), FileNameFieldSize, stream);
}

void skipBytes(int16_t count, std::istream& stream)
{
    // Never looked at, so never cleared.
    std::array<char, ChunkSize> scratch;
    for (int16_t left = count; left > 0;) {
        const auto chunk = std::min<int16_t>(left, static_cast<int16_t>(ChunkSize));
        readExactly(scratch.data(), chunk, stream);
        left = static_cast<int16_t>(left - chunk);
    }
}

void writeZeros(int16_t count, std::ostream& stream)
{
    for (int16_t left = count; left > 0;) {
        const auto chunk = std::min<int16_t>(left, static_cast<int16_t>(ChunkSize));
        writeExactly(Zeros.data(), chunk, stream);
        left = static_cast<int16_t>(left - chunk);
    }
}
