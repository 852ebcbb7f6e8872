#include "tests/cli/RandomCampaignFile.h"

#include <array>
#include <random>

namespace {

class FileMaker {
public:
    explicit FileMaker(uint32_t lngSeed) : m_Random(lngSeed) {}

    uint32_t any(uint32_t lngN) { return m_Random() % lngN; }
    void word(uint32_t lngN)
    {
        m_strOut += static_cast<char>(lngN & 0xFF);
        m_strOut += static_cast<char>(lngN >> 8);
    }
    void word() { word(any(65536)); }
    void bytes(int intCount)
    {
        for (int intI = 0; intI < intCount; ++intI) {
            m_strOut += static_cast<char>(any(256));
        }
    }
    // A base of 0..19 bytes without ".", then "." and anything; now and then
    // a field with no "." or nothing but NUL bytes.
    void name()
    {
        const uint32_t lngKind = any(10);
        if (lngKind == 0) {
            m_strOut.append(20, '\0');
            return;
        }
        const int intBase = lngKind == 1 ? 20 : static_cast<int>(lngKind < 5 ? 16 + any(4) : any(20));
        for (int intI = 0; intI < intBase; ++intI) {
            const auto chByte = static_cast<char>(any(256));
            m_strOut += chByte == '.' ? '\0' : chByte;
        }
        if (intBase < 20) {
            m_strOut += '.';
            bytes(19 - intBase);
        }
    }
    void text(const std::string& strField) { m_strOut += strField + std::string(20 - strField.size(), '\0'); }
    [[nodiscard]] const std::string& out() const { return m_strOut; }

private:
    std::mt19937 m_Random;
    std::string m_strOut;
};

void record(FileMaker& File, uint32_t lngCount)
{
    for (int intI = 0; intI < 4; ++intI) {
        File.word();
    }
    for (int intI = 0; intI < 4; ++intI) {
        File.name();
    }
    for (int intI = 0; intI < 4; ++intI) {
        File.word();
        File.bytes(20);
        File.name();
        File.name();
        File.name();
    }
    // Half the go-tos lead somewhere, so some campaigns pass the check.
    for (int intI = 0; intI < 4; ++intI) {
        const uint32_t lngPick = File.any(lngCount + 2);
        File.word(File.any(2) == 0 ? File.any(65536) : lngPick < lngCount ? lngPick : 254 + lngPick - lngCount);
        File.bytes(28);
    }
    File.bytes(100);
}

} // namespace

std::string randomCampaignFile(uint32_t lngSeed, int intCount)
{
    static constexpr std::array<const char*, 5> Victories{"germwin.smk", "ukwin.smk", "ruwin.smk", "amerwin.x",
                                                          "Ukwin.smk"};
    FileMaker File(lngSeed);
    File.word(static_cast<uint32_t>(intCount));
    File.word();
    File.text(Victories.at(File.any(Victories.size())));
    File.name();
    for (int intI = 0; intI < 50; ++intI) {
        if (intI < intCount) {
            record(File, static_cast<uint32_t>(intCount));
        } else {
            File.bytes(636);
        }
    }
    File.name();
    File.bytes(80);
    return File.out();
}
