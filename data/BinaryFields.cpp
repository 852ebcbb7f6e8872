#include "data/BinaryFields.h"

#include "data/CampaignFileError.h"
#include "data/FieldCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <ostream>

namespace {

std::streamoff position(std::streambuf* pBuffer, std::ios_base::openmode Which)
{
    return pBuffer != nullptr ? static_cast<std::streamoff>(pBuffer->pubseekoff(0, std::ios_base::cur, Which)) : -1;
}

void readExactly(char* pBytes, std::streamsize lngCount, std::istream& intHandle)
{
    if (readUpTo(pBytes, lngCount, intHandle) != lngCount) {
        throwFileEnd(intHandle);
    }
}

constexpr std::size_t ChunkSize = 636;
constexpr std::array<char, ChunkSize> Zeros{};

} // namespace

int32_t decodeWord(const char* pBytes)
{
    const auto* pUnsigned = reinterpret_cast<const unsigned char*>(pBytes);
    return pUnsigned[0] + 256 * pUnsigned[1];
}

void encodeWord(int32_t lngN, char* pBytes)
{
    const int32_t lngHigh = lngN / 256;
    const int32_t lngLow = lngN - 256 * lngHigh;
    pBytes[0] = static_cast<char>(lngLow);
    pBytes[1] = static_cast<char>(lngHigh);
}

std::string decodeFileName(const char* pBytes)
{
    const auto* pDot = static_cast<const char*>(std::memchr(pBytes, '.', FileNameFieldSize));
    return pDot != nullptr ? std::string(pBytes, static_cast<std::size_t>(pDot - pBytes)) : std::string();
}

void encodeFileName(const std::string& strBase, const char* strExtension, char* pBytes)
{
    // A name from a file may carry more than the field holds: keep the first
    // 20 bytes so the file keeps its size and its "." stays inside the field.
    const std::size_t lngBase = std::min<std::size_t>(strBase.size(), FileNameFieldSize);
    std::memcpy(pBytes, strBase.data(), lngBase);
    const std::size_t lngExtension = std::min(std::strlen(strExtension), FileNameFieldSize - lngBase);
    std::memcpy(pBytes + lngBase, strExtension, lngExtension);
}

std::streamsize readUpTo(char* pBytes, std::streamsize lngCount, std::istream& intHandle)
{
    std::streambuf* pBuffer = intHandle.rdbuf();
    return pBuffer != nullptr && intHandle.good() ? pBuffer->sgetn(pBytes, lngCount) : 0;
}

void writeExactly(const char* pBytes, std::streamsize lngCount, std::ostream& intHandle)
{
    std::streambuf* pBuffer = intHandle.rdbuf();
    const std::streamsize lngPut = pBuffer != nullptr && intHandle.good() ? pBuffer->sputn(pBytes, lngCount) : 0;
    if (lngPut != lngCount) {
        throwWriteFailure(intHandle);
    }
}

void throwFileEnd(std::istream& intHandle)
{
    intHandle.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    const std::streamoff lngEnd = position(intHandle.rdbuf(), std::ios_base::in);
    const std::string strSize = std::to_string(CampaignFileSize);
    if (lngEnd >= 0) {
        throw CampaignFileError("The file ends at byte " + std::to_string(lngEnd) + ", but a campaign file has " +
                                strSize + " bytes.");
    }
    throw CampaignFileError("The file ends before its last byte: a campaign file has " + strSize + " bytes.");
}

void throwWriteFailure(std::ostream& intHandle)
{
    intHandle.setstate(std::ios_base::badbit);
    const std::streamoff lngAt = position(intHandle.rdbuf(), std::ios_base::out);
    if (lngAt >= 0) {
        throw CampaignFileError("The campaign could not be written: writing stopped at byte " + std::to_string(lngAt) +
                                " of " + std::to_string(CampaignFileSize) + ".");
    }
    throw CampaignFileError("The campaign could not be written: the file refused the bytes.");
}

int32_t readWord(std::istream& intHandle)
{
    std::array<char, 2> bytes{};
    readExactly(bytes.data(), 2, intHandle);
    return decodeWord(bytes.data());
}

void writeWord(int32_t lngN, std::ostream& intHandle)
{
    std::array<char, 2> bytes{};
    encodeWord(lngN, bytes.data());
    writeExactly(bytes.data(), 2, intHandle);
}

std::string readFileName(std::istream& intHandle)
{
    std::array<char, FileNameFieldSize> field{};
    readExactly(field.data(), FileNameFieldSize, intHandle);
    return decodeFileName(field.data());
}

void writeFileName(const std::string& strS, std::ostream& intHandle)
{
    std::array<char, FileNameFieldSize> field{};
    encodeFileName(strS, "", field.data());
    writeExactly(field.data(), FileNameFieldSize, intHandle);
}

void skipBytes(int16_t intCount, std::istream& intHandle)
{
    // Never looked at, so never cleared.
    std::array<char, ChunkSize> scratch;
    for (int16_t intLeft = intCount; intLeft > 0;) {
        const auto intChunk = std::min<int16_t>(intLeft, static_cast<int16_t>(ChunkSize));
        readExactly(scratch.data(), intChunk, intHandle);
        intLeft = static_cast<int16_t>(intLeft - intChunk);
    }
}

void writeZeros(int16_t intCount, std::ostream& intHandle)
{
    for (int16_t intLeft = intCount; intLeft > 0;) {
        const auto intChunk = std::min<int16_t>(intLeft, static_cast<int16_t>(ChunkSize));
        writeExactly(Zeros.data(), intChunk, intHandle);
        intLeft = static_cast<int16_t>(intLeft - intChunk);
    }
}
