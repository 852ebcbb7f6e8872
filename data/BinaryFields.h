#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

// The three kinds of field a campaign file is made of: the little-endian
// 16-bit word, the 20-byte file-name field and the run of NUL bytes. Each
// call moves the stream by exactly the size of its field; a short read or a
// refused write throws CampaignFileError.

constexpr int16_t FileNameFieldSize = 20;
constexpr int32_t CampaignFileSize = 31944;

[[nodiscard]] int32_t readWord(std::istream& stream);
void writeWord(int32_t n, std::ostream& stream);

// The text before the first "." of the 20 bytes, or the empty text when the
// field holds no "." at all.
[[nodiscard]] std::string readFileName(std::istream& stream);
// Writes at most the first 20 characters, then NUL bytes up to 20.
void writeFileName(const std::string& s, std::ostream& stream);

void skipBytes(int16_t count, std::istream& stream);
void writeZeros(int16_t count, std::ostream& stream);
