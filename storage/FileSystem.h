#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <optional>

class QFile;

// What the two programs need of the platform's file system besides reading
// and saving campaigns: names, standard streams and the identity of a file.

// A file name as text and back, byte for byte. On Linux a name is bytes that
// need not be UTF-8: each byte outside valid UTF-8 becomes the lone
// surrogate U+DC80..U+DCFF and comes back as the same byte. On Windows a
// name is UTF-16 already.
[[nodiscard]] QString textFromPath(const std::filesystem::path& path);
[[nodiscard]] std::filesystem::path pathFromText(const QString& text);

// Whether text[i] stands for such a byte: a surrogate U+DC80..U+DCFF that
// ends no pair.
[[nodiscard]] inline bool isByteMark(const QString& text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

// The program's arguments with file names whole: on Linux from argv's bytes
// (QCoreApplication::arguments() would change a name that is not UTF-8), on
// Windows from the wide command line.
[[nodiscard]] QStringList programArguments(int argc, char** argv);

// Standard input and output carry bytes as they are; on Windows they would
// turn line feeds into carriage return and line feed pairs.
void useBinaryStandardStreams();

// Opens the file at path for reading as file. Empty on success, else the reason.
[[nodiscard]] QString openForReading(const std::filesystem::path& path, QFile& file);

// What tells two names of one file apart from two files: the device and the
// inode, or the volume and the file index.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity& one, const FileIdentity& other)
    {
        return one.device == other.device && one.index == other.index;
    }
};
[[nodiscard]] std::optional<FileIdentity> identityOf(const std::filesystem::path& path);
// The same for an open file descriptor, such as standard input's.
[[nodiscard]] std::optional<FileIdentity> identityOfHandle(int handle);

[[nodiscard]] bool isTerminal(int handle);
