#pragma once

// The 31944 bytes of a campaign file the editor opens, laid out from the file
// format alone so that they owe nothing to the writer under test: count
// (0..50) used records, every word 0..65535, name fields of every kind a file
// may hold (any byte but "." before the first dot, a dot as late as the 20th
// byte, no dot at all, all NUL), a nation's movie or none the editor knows,
// and random bytes wherever the reader does not look.

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace RandomFile {

class FileMaker {
public:
    explicit FileMaker(uint32_t seed) : m_random(seed) {}

    uint32_t any(uint32_t n) { return m_random() % n; }
    void word(uint32_t n)
    {
        m_out += static_cast<char>(n & 0xFF);
        m_out += static_cast<char>(n >> 8);
    }
    void word() { word(any(65536)); }
    void bytes(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_out += static_cast<char>(any(256));
        }
    }
    // A base of 0..19 bytes without ".", then "." and anything; now and then
    // a field with no "." or nothing but NUL bytes.
    void name()
    {
        const uint32_t kind = any(10);
        if (kind == 0) {
            m_out.append(20, '\0');
            return;
        }
        const int base = kind == 1 ? 20 : static_cast<int>(kind < 5 ? 16 + any(4) : any(20));
        for (int i = 0; i < base; ++i) {
            const auto byte = static_cast<char>(any(256));
            m_out += byte == '.' ? '\0' : byte;
        }
        if (base < 20) {
            m_out += '.';
            bytes(19 - base);
        }
    }
    void text(const std::string& field) { m_out += field + std::string(20 - field.size(), '\0'); }
    [[nodiscard]] const std::string& out() const { return m_out; }

private:
    std::mt19937 m_random;
    std::string m_out;
};

inline void record(FileMaker& file, uint32_t count)
{
    for (int i = 0; i < 4; ++i) {
        file.word();
    }
    for (int i = 0; i < 4; ++i) {
        file.name();
    }
    for (int i = 0; i < 4; ++i) {
        file.word();
        file.bytes(20);
        file.name();
        file.name();
        file.name();
    }
    // Half the go-tos lead somewhere, so some campaigns pass the check.
    for (int i = 0; i < 4; ++i) {
        const uint32_t pick = file.any(count + 2);
        file.word(file.any(2) == 0 ? file.any(65536) : pick < count ? pick : 254 + pick - count);
        file.bytes(28);
    }
    file.bytes(100);
}

} // namespace RandomFile

inline std::string randomCampaignFile(uint32_t seed, int count)
{
    using RandomFile::FileMaker;
    static constexpr std::array<const char*, 5> Victories{"germwin.smk", "ukwin.smk", "ruwin.smk", "amerwin.x",
                                                          "Ukwin.smk"};
    FileMaker file(seed);
    file.word(static_cast<uint32_t>(count));
    file.word();
    file.text(Victories.at(file.any(Victories.size())));
    file.name();
    for (int i = 0; i < 50; ++i) {
        if (i < count) {
            RandomFile::record(file, static_cast<uint32_t>(count));
        } else {
            file.bytes(636);
        }
    }
    file.name();
    file.bytes(80);
    return file.out();
}
