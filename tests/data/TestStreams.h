#pragma once

#include "data/clsCampaign.h"

#include <cstddef>
#include <sstream>
#include <streambuf>
#include <string>

constexpr std::size_t RecordSize = 636;
constexpr std::size_t DescriptionOffset = 31844;
constexpr std::size_t FileSize = 31944;

constexpr std::size_t SlotOffset(std::size_t intK) { return 44 + RecordSize * intK; }

inline std::string Nuls(std::size_t lngCount) { return std::string(lngCount, '\0'); }
// A 20-byte file-name field as the game stores it.
inline std::string Field(const std::string& strS) { return strS + Nuls(20 - strS.size()); }
inline std::string Word(int32_t lngN) { return {static_cast<char>(lngN % 256), static_cast<char>(lngN / 256)}; }

inline std::string WriteCampaign(const clsCampaign& Campaign)
{
    std::ostringstream Stream;
    Campaign.FileWrite(Stream);
    return Stream.str();
}

inline void ReadCampaign(clsCampaign& Campaign, const std::string& strBytes)
{
    std::istringstream Stream(strBytes);
    Campaign.FileRead(Stream);
}

// Takes a fixed number of bytes and refuses the rest, like a disk that
// fills up in the middle of a save.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t lngLimit) : m_lngLimit(lngLimit) {}

protected:
    int_type overflow(int_type intC) override
    {
        if (traits_type::eq_int_type(intC, traits_type::eof()) || m_lngTaken == m_lngLimit) {
            return traits_type::eof();
        }
        ++m_lngTaken;
        return intC;
    }
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override
    {
        return static_cast<pos_type>(static_cast<off_type>(m_lngTaken));
    }

private:
    std::size_t m_lngLimit;
    std::size_t m_lngTaken = 0;
};
