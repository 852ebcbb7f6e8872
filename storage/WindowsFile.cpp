// Reading and saving files with the Windows API on the path's UTF-16 name.

#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"
#include "storage/PlatformFile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

QString notChanged()
{
    return QStringLiteral("The file was not changed.");
}

// Windows' own words for an error, without the full stop they end with: the
// messages they go into put their own, as on Linux.
QString systemMessage(DWORD error)
{
    QString message = qt_error_string(static_cast<int>(error)).trimmed();
    if (message.endsWith(QLatin1Char('.'))) {
        message.chop(1);
    }
    return message;
}

// Closes a handle when it goes out of scope.
class Handle final {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    [[nodiscard]] bool isValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE get() const { return m_handle; }
    // False when closing failed: the last bytes may not have been written.
    bool close()
    {
        const bool closed = !isValid() || CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

// Writes all of bytes; 0, or the error that stopped it, with written telling
// how far it came.
DWORD writeAll(HANDLE file, const QByteArray& bytes, qint64& written)
{
    written = 0;
    while (written < bytes.size()) {
        DWORD count = 0;
        const auto chunk = static_cast<DWORD>(std::min<qint64>(bytes.size() - written, 1 << 20));
        if (WriteFile(file, bytes.constData() + written, chunk, &count, nullptr) == 0) {
            return GetLastError();
        }
        if (count == 0) {
            return ERROR_WRITE_FAULT;
        }
        written += count;
    }
    return 0;
}

QString reasonOf(DWORD error, qint64 written, qint64 size)
{
    return writeFailure(systemMessage(error), written, size);
}

// A new file beside the target under a random name no other save can take.
HANDLE createTemporary(const fs::path& target, fs::path& temporary)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::wstring stem = L"." + target.filename().native().substr(0, 200) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target.parent_path() / (stem + std::to_wstring(generator() % 1000000000));
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

std::optional<FileIdentity> identityFrom(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (file == INVALID_HANDLE_VALUE || GetFileInformationByHandle(file, &information) == 0) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber,
                        (std::uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

} // namespace

QString readFileStart(const fs::path& path, qint64 limit, QByteArray& bytes)
{
    bytes.clear();
    QFile file;
    if (const QString reason = openForReading(path, file); !reason.isEmpty()) {
        return reason;
    }
    bytes = file.read(limit);
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

// Replaces the file at path, or makes it, through a temporary file beside it
// that is flushed to the disk and then renamed over it. A read-only file is
// left alone, as Windows programs leave it; so is one another program holds
// open without letting it be replaced.
SaveResult saveFileBytes(const fs::path& path, const QByteArray& bytes)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const QString unchanged = exists ? notChanged() : QStringLiteral("No file was created.");
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {QStringLiteral("It is a folder"), unchanged};
    }
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return {QStringLiteral("The file is read-only"), unchanged};
    }
    fs::path temporary;
    Handle file(createTemporary(path, temporary));
    if (!file.isValid()) {
        return {systemMessage(GetLastError()), unchanged};
    }
    qint64 written = 0;
    DWORD error = writeAll(file.get(), bytes, written);
    if (error == 0 && FlushFileBuffers(file.get()) == 0) {
        error = GetLastError();
    }
    if (!file.close() && error == 0) {
        error = GetLastError();
    }
    // The old file's attributes (hidden, archive, ...) go to the new one.
    if (error == 0 && exists && SetFileAttributesW(temporary.c_str(), attributes) == 0) {
        error = GetLastError();
    }
    if (error == 0 &&
        MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        error = GetLastError();
    }
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        return {reasonOf(error, written, bytes.size()), unchanged};
    }
    return {};
}

QString textFromPath(const fs::path& path)
{
    return QString::fromStdWString(path.native());
}

fs::path pathFromText(const QString& text)
{
    return fs::path(text.toStdWString());
}

QStringList programArguments(int, char**)
{
    // Qt reads the wide command line: argv holds the names in the ANSI code
    // page, which has no room for most of them.
    return QCoreApplication::arguments();
}

void useBinaryStandardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

QString openForReading(const fs::path& path, QFile& file)
{
    file.setFileName(textFromPath(path));
    if (file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString reason = file.errorString();
    return reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason;
}

std::optional<FileIdentity> identityOf(const fs::path& path)
{
    // Backup semantics open a folder too; no access is asked, so a file
    // another program holds open can still be looked at.
    const Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return identityFrom(file.get());
}

std::optional<FileIdentity> identityOfHandle(int handle)
{
    return identityFrom(reinterpret_cast<HANDLE>(_get_osfhandle(handle)));
}

bool isTerminal(int handle)
{
    return _isatty(handle) != 0;
}
