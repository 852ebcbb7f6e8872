#pragma once

#include <cstdint>
#include <ios>
#include <string>

// The byte rules of the three field kinds and the two failures, shared by
// the stream primitives and the record buffers so both read and write alike.

[[nodiscard]] int32_t decodeWord(const char* bytes);
void encodeWord(int32_t n, char* bytes);
// The text before the first "." of the 20 bytes; empty without a ".".
[[nodiscard]] std::string decodeFileName(const char* bytes);
// base then extension into 20 bytes that are NUL already; whatever
// lies beyond the 20th byte is left out, so the field keeps its size.
void encodeFileName(const std::string& base, const char* extension, char* bytes);

// Reads up to count bytes straight from the stream's buffer (the sentry of
// the formatted API would cost more than the bytes); returns how many came.
[[nodiscard]] std::streamsize readUpTo(char* bytes, std::streamsize count, std::istream& stream);
// Writes all count bytes or throws as ThrowWriteFailure does.
void writeExactly(const char* bytes, std::streamsize count, std::ostream& stream);

// Throws the error of a stream that ended early, naming where it ended.
[[noreturn]] void throwFileEnd(std::istream& stream);
// Throws the error of a stream that refused bytes, naming where it stopped.
[[noreturn]] void throwWriteFailure(std::ostream& stream);
