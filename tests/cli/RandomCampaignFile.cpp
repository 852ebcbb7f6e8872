#include "tests/cli/RandomCampaignFile.h"

#include <array>
#include <random>

namespace {

class FileMaker {
public:
    explicit FileMaker(uint32_t lngSeed) : m_Random(lngSeed) {}

    uint32_t Any(uint32_t lngN) { return m_Random() % lngN; }
    void Word(uint32_t lngN)
    {
        m_strOut += static_cast<char>(lngN & 0xFF);
        m_strOut += static_cast<char>(lngN >> 8);
    }
    void Word() { Word(Any(65536)); }
    void bytes(int intCount)
    {
        for (int intI = 0; intI < intCount; ++intI) {
            m_strOut += static_cast<char>(Any(256));
        }
    }
    // A base of 0..19 bytes without ".", then "." and anything; now and then
    // a field with no "." or nothing but NUL bytes.
    void Name()
    {
        const uint32_t lngKind = Any(10);
        if (lngKind == 0) {
            m_strOut.append(20, '\0');
            return;
        }
        const int intBase = lngKind == 1 ? 20 : static_cast<int>(lngKind < 5 ? 16 + Any(4) : Any(20));
        for (int intI = 0; intI < intBase; ++intI) {
            const auto chByte = static_cast<char>(Any(256));
            m_strOut += chByte == '.' ? '\0' : chByte;
        }
        if (intBase < 20) {
            m_strOut += '.';
            bytes(19 - intBase);
        }
    }
    void Text(const std::string& strField) { m_strOut += strField + std::string(20 - strField.size(), '\0'); }
    [[nodiscard]] const std::string& Out() const { return m_strOut; }

private:
    std::mt19937 m_Random;
    std::string m_strOut;
};

void Record(FileMaker& File, uint32_t lngCount)
{
    for (int intI = 0; intI < 4; ++intI) {
        File.Word();
    }
    for (int intI = 0; intI < 4; ++intI) {
        File.Name();
    }
    for (int intI = 0; intI < 4; ++intI) {
        File.Word();
        File.bytes(20);
        File.Name();
        File.Name();
        File.Name();
    }
    // Half the go-tos lead somewhere, so some campaigns pass the check.
    for (int intI = 0; intI < 4; ++intI) {
        const uint32_t lngPick = File.Any(lngCount + 2);
        File.Word(File.Any(2) == 0 ? File.Any(65536) : lngPick < lngCount ? lngPick : 254 + lngPick - lngCount);
        File.bytes(28);
    }
    File.bytes(100);
}

} // namespace

std::string RandomCampaignFile(uint32_t lngSeed, int intCount)
{
    static constexpr std::array<const char*, 5> Victories{"germwin.smk", "ukwin.smk", "ruwin.smk", "amerwin.x",
                                                          "Ukwin.smk"};
    FileMaker File(lngSeed);
    File.Word(static_cast<uint32_t>(intCount));
    File.Word();
    File.Text(Victories.at(File.Any(Victories.size())));
    File.Name();
    for (int intI = 0; intI < 50; ++intI) {
        if (intI < intCount) {
            Record(File, static_cast<uint32_t>(intCount));
        } else {
            File.bytes(636);
        }
    }
    File.Name();
    File.bytes(80);
    return File.Out();
}
