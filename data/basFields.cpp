#include "data/basFields.h"

#include "data/CampaignFileError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <ostream>

namespace {

// The stream buffer is used directly: the fields are tiny and many, and the
// per-call sentry of the formatted stream API would dominate a whole read.
std::streamoff Position(std::streambuf& buffer, std::ios_base::openmode which)
{
    return static_cast<std::streamoff>(buffer.pubseekoff(0, std::ios_base::cur, which));
}

void ReadExactly(char* pBytes, std::streamsize lngCount, std::istream& intHandle)
{
    std::streambuf* pBuffer = intHandle.rdbuf();
    const std::streamsize lngGot = pBuffer != nullptr && intHandle.good() ? pBuffer->sgetn(pBytes, lngCount) : 0;
    if (lngGot == lngCount) {
        return;
    }
    intHandle.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    const std::streamoff lngEnd = pBuffer != nullptr ? Position(*pBuffer, std::ios_base::in) : -1;
    const std::string strSize = std::to_string(CampaignFileSize);
    if (lngEnd >= 0) {
        throw CampaignFileError("The file ends at byte " + std::to_string(lngEnd) + ", but a campaign file has " +
                                strSize + " bytes.");
    }
    throw CampaignFileError("The file ends before its last byte: a campaign file has " + strSize + " bytes.");
}

void WriteExactly(const char* pBytes, std::streamsize lngCount, std::ostream& intHandle)
{
    std::streambuf* pBuffer = intHandle.rdbuf();
    const std::streamsize lngPut = pBuffer != nullptr && intHandle.good() ? pBuffer->sputn(pBytes, lngCount) : 0;
    if (lngPut == lngCount) {
        return;
    }
    intHandle.setstate(std::ios_base::badbit);
    const std::streamoff lngAt = pBuffer != nullptr ? Position(*pBuffer, std::ios_base::out) : -1;
    if (lngAt >= 0) {
        throw CampaignFileError("The campaign could not be written: writing stopped at byte " +
                                std::to_string(lngAt) + " of " + std::to_string(CampaignFileSize) + ".");
    }
    throw CampaignFileError("The campaign could not be written: the file refused the bytes.");
}

constexpr std::array<char, 636> Zeros{};

} // namespace

int32_t ReadWord(std::istream& intHandle)
{
    std::array<unsigned char, 2> bytes{};
    ReadExactly(reinterpret_cast<char*>(bytes.data()), 2, intHandle);
    return bytes[0] + 256 * bytes[1];
}

void WriteWord(int32_t lngN, std::ostream& intHandle)
{
    const int32_t lngHigh = lngN / 256;
    const int32_t lngLow = lngN - 256 * lngHigh;
    const std::array<char, 2> bytes{static_cast<char>(lngLow), static_cast<char>(lngHigh)};
    WriteExactly(bytes.data(), 2, intHandle);
}

std::string ReadFileName(std::istream& intHandle)
{
    std::array<char, FileNameFieldSize> field{};
    ReadExactly(field.data(), FileNameFieldSize, intHandle);
    const auto* pDot = static_cast<const char*>(std::memchr(field.data(), '.', field.size()));
    if (pDot == nullptr) {
        return {};
    }
    return std::string(field.data(), static_cast<std::size_t>(pDot - field.data()));
}

void WriteFileName(const std::string& strS, std::ostream& intHandle)
{
    std::array<char, FileNameFieldSize> field{};
    // A name from a file may carry more than the field holds: keep the first
    // 20 bytes so the file keeps its size and its "." stays inside the field.
    std::copy_n(strS.data(), std::min<std::size_t>(strS.size(), field.size()), field.data());
    WriteExactly(field.data(), FileNameFieldSize, intHandle);
}

void SkipBytes(int16_t intCount, std::istream& intHandle)
{
    std::array<char, Zeros.size()> scratch{};
    int16_t intLeft = intCount;
    while (intLeft > 0) {
        const auto intChunk = std::min<int16_t>(intLeft, static_cast<int16_t>(scratch.size()));
        ReadExactly(scratch.data(), intChunk, intHandle);
        intLeft = static_cast<int16_t>(intLeft - intChunk);
    }
}

void WriteZeros(int16_t intCount, std::ostream& intHandle)
{
    int16_t intLeft = intCount;
    while (intLeft > 0) {
        const auto intChunk = std::min<int16_t>(intLeft, static_cast<int16_t>(Zeros.size()));
        WriteExactly(Zeros.data(), intChunk, intHandle);
        intLeft = static_cast<int16_t>(intLeft - intChunk);
    }
}
