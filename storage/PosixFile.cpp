// Reading and saving files with POSIX calls on the path's own bytes.

#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"
#include "storage/PlatformFile.h"

#include <QByteArrayView>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <limits>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte no
// sequence starts with.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xC2) {
        return 0;
    }
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

QString textFromBytes(std::string_view bytes)
{
    if (QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = sequenceLength(lead);
        const QByteArrayView sequence(bytes.data() + i, static_cast<qsizetype>(std::min(length, bytes.size() - i)));
        if (length > 0 && static_cast<std::size_t>(sequence.size()) == length && sequence.isValidUtf8()) {
            text += QString::fromUtf8(sequence);
            i += length;
        } else {
            text += QChar(static_cast<char16_t>(0xDC00 + lead));
            ++i;
        }
    }
    return text;
}

std::optional<FileIdentity> identityFrom(int result, const struct stat& status)
{
    if (result != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

QString notChanged()
{
    return QStringLiteral("The file was not changed.");
}

// Writes all of bytes, through interruptions and short writes. Returns 0, or
// the error that stopped it, with written telling how far it came.
int writeAll(int fd, const QByteArray& bytes, qint64& written)
{
    written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count > 0) {
            written += count;
        } else if (count == 0 || errno != EINTR) {
            return count == 0 ? EIO : errno;
        }
    }
    return 0;
}

QString reasonOf(int error, qint64 written, qint64 size)
{
    return writeFailure(qt_error_string(error), written, size);
}

// A pipe whose reader went away must fail the save, not end the program:
// SIGPIPE is held back while writing, and one the write raised is taken off.
class PipeSignalHeld final {
public:
    PipeSignalHeld()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        m_wasPending = pipePending();
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
    }
    ~PipeSignalHeld()
    {
        if (!m_wasPending && pipePending()) {
            const timespec noWait{};
            sigtimedwait(&m_pipe, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    static bool pipePending()
    {
        sigset_t pending;
        sigpending(&pending);
        return sigismember(&pending, SIGPIPE) == 1;
    }

    sigset_t m_pipe;
    sigset_t m_before;
    bool m_wasPending = false;
};

// A pipe or a device is written into as it is: it cannot be truncated, put
// back or replaced, and whoever reads it expects the bytes there.
SaveResult writeIntoSpecialFile(const fs::path& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {qt_error_string(errno), notChanged()};
    }
    qint64 written = 0;
    int error = 0;
    {
        const PipeSignalHeld held;
        error = writeAll(fd, bytes, written);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        return {};
    }
    return {reasonOf(error, written, bytes.size()),
            written > 0 ? QStringLiteral("Only part of the bytes reached it.") : notChanged()};
}

// Writes bytes over the regular file itself; empty on success, else the
// reason. Read back whole, since no temporary file protects the old one.
QString overwrite(const fs::path& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return qt_error_string(errno);
    }
    qint64 written = 0;
    int error = writeAll(fd, bytes, written);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        return reasonOf(error, written, bytes.size());
    }
    QByteArray readBack;
    if (const QString reason = readFileStart(path, bytes.size() + 1, readBack); !reason.isEmpty()) {
        return reason;
    }
    return readBack == bytes ? QString() : QStringLiteral("the file does not read back as it was written");
}

SaveResult saveInPlace(const fs::path& path, const QByteArray& bytes)
{
    QByteArray oldBytes;
    const bool kept = readFileStart(path, std::numeric_limits<qint64>::max(), oldBytes).isEmpty();
    const QString reason = overwrite(path, bytes);
    if (reason.isEmpty()) {
        return {};
    }
    if (kept && overwrite(path, oldBytes).isEmpty()) {
        return {reason, QStringLiteral("The file was put back as it was.")};
    }
    return {reason, QStringLiteral("The file may be damaged: its folder allows no safe save.")};
}

// The file a chain of symbolic links ends at, whether or not it exists yet:
// the save replaces that file and keeps the links, as editors do.
fs::path linkTarget(fs::path path)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = path.parent_path() / next;
    }
    return path;
}

// A new file beside the target under a random name no other save can take,
// made as any new file is, its mode from the umask.
int createTemporary(const fs::path& target, fs::path& temporary)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::string name = target.filename().native();
    // The name leaves room for the dot and the suffix within a file name's 255 bytes.
    const std::string stem = "." + name.substr(0, 200) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target.parent_path() / (stem + std::to_string(generator() % 1000000000));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The rename reaches the disk only with the folder that holds the name.
SaveResult syncFolder(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder one may write but not read cannot be synced, only trusted.
    if (fd < 0) {
        return {};
    }
    // Some file systems sync no folder (EINVAL); their renames are safe as they are.
    const int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    if (error != 0) {
        return {qt_error_string(error),
                QStringLiteral("The file holds the new bytes, but a crash may still lose them.")};
    }
    return {};
}

// Replaces the regular file at target, or makes it, through a temporary file
// renamed over it once every byte is on the disk. old is the file replaced,
// or null for a new file.
SaveResult replaceFile(const fs::path& target, const struct stat* old, const QByteArray& bytes)
{
    const QString unchanged = old != nullptr ? notChanged() : QStringLiteral("No file was created.");
    fs::path temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        const int error = errno;
        if (old != nullptr && (error == EACCES || error == EPERM) &&
            ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0) {
            return saveInPlace(target, bytes);
        }
        return {qt_error_string(error), unchanged};
    }
    int errorCode = 0;
    if (old != nullptr) {
        // The owner first, since a change of owner clears set-user-ID bits the
        // mode then puts back. Another owner is for root alone; the group may
        // still be kept.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            (void)!::fchown(fd, uid_t(-1), old->st_gid);
        }
        errorCode = ::fchmod(fd, old->st_mode & 07777) == 0 ? 0 : errno;
    }
    qint64 written = 0;
    if (errorCode == 0) {
        errorCode = writeAll(fd, bytes, written);
    }
    if (errorCode == 0 && ::fsync(fd) != 0) {
        errorCode = errno;
    }
    if (::close(fd) != 0 && errorCode == 0) {
        errorCode = errno;
    }
    if (errorCode == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        errorCode = errno;
    }
    if (errorCode != 0) {
        ::unlink(temporary.c_str());
        return {reasonOf(errorCode, written, bytes.size()), unchanged};
    }
    return syncFolder(target);
}

} // namespace

QString readFileStart(const fs::path& path, qint64 limit, QByteArray& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return qt_error_string(errno);
    }
    constexpr qint64 Chunk = 65536;
    qint64 have = 0;
    int error = 0;
    while (have < limit) {
        bytes.resize(std::min(limit, have + Chunk));
        const ssize_t count = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (count > 0) {
            have += count;
        } else if (count == 0 || errno != EINTR) {
            error = count == 0 ? 0 : errno;
            break;
        }
    }
    ::close(fd);
    bytes.truncate(have);
    return error == 0 ? QString() : qt_error_string(error);
}

SaveResult saveFileBytes(const fs::path& path, const QByteArray& bytes)
{
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) {
        if (errno != ENOENT) {
            return {qt_error_string(errno), QStringLiteral("No file was created.")};
        }
        return replaceFile(linkTarget(path), nullptr, bytes);
    }
    if (S_ISDIR(target.st_mode)) {
        return {qt_error_string(EISDIR), notChanged()};
    }
    if (!S_ISREG(target.st_mode)) {
        return writeIntoSpecialFile(path, bytes);
    }
    return replaceFile(linkTarget(path), &target, bytes);
}

QString textFromPath(const fs::path& path)
{
    return textFromBytes(path.native());
}

fs::path pathFromText(const QString& text)
{
    std::string bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isByteMark(text, i)) {
            bytes += QStringView(text).mid(start, i - start).toUtf8().toStdString();
            bytes += static_cast<char>(text[i].unicode() - 0xDC00);
            start = i + 1;
        }
    }
    bytes += QStringView(text).mid(start).toUtf8().toStdString();
    return fs::path(std::move(bytes));
}

QStringList programArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << textFromBytes(argv[i]);
    }
    return arguments;
}

void useBinaryStandardStreams() {}

QString openForReading(const fs::path& path, QFile& file)
{
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        return qt_error_string(errno);
    }
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return file.errorString();
    }
    return {};
}

std::optional<FileIdentity> identityOf(const fs::path& path)
{
    struct stat status {};
    return identityFrom(::stat(path.c_str(), &status), status);
}

std::optional<FileIdentity> identityOfHandle(int handle)
{
    struct stat status {};
    return identityFrom(::fstat(handle, &status), status);
}

bool isTerminal(int handle)
{
    return ::isatty(handle) != 0;
}
