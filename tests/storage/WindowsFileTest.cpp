// What differs on Windows: the read-only attribute, a file another program
// holds open, drive letters and backslashes, names outside the ANSI code
// page, and names that differ only in case.

#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"
#include "tests/cli/CamTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

namespace {

namespace fs = std::filesystem;

const QByteArray OldBytes(31944, 'o');
const QByteArray NewBytes(31944, 'n');

// A name with letters from several scripts and one beyond the BMP, written
// with the drive letter and backslashes a Windows user types.
fs::path windowsName(const QTemporaryDir& folder, const QString& name)
{
    return pathFromText(QDir::toNativeSeparators(QDir(folder.path()).absoluteFilePath(name)));
}

struct SaveCase {
    const char* fault;
    DWORD attributes;      // given to the old file; 0 for no old file
    bool heldOpen;         // another handle holds the file without sharing it
    bool saved;
    const char* aftermath; // empty when saved
};

TEST(WindowsFile, SavesReplaceOnlyWhatWindowsLetsGo)
{
    const SaveCase cases[] = {
        {"a new file under a name beyond the ANSI code page", 0, false, true, ""},
        {"an old file: replaced, its hidden attribute kept", FILE_ATTRIBUTE_HIDDEN, false, true, ""},
        {"a read-only file is left as it is", FILE_ATTRIBUTE_READONLY, false, false, "The file was not changed."},
        {"a file held open without sharing stays", FILE_ATTRIBUTE_NORMAL, true, false, "The file was not changed."},
    };
    for (const SaveCase& row : cases) {
        SCOPED_TRACE(row.fault);
        QTemporaryDir folder;
        const fs::path path = windowsName(folder, QStringLiteral("Kämpfe ΑΒΓ 戦役 \U0001F600.cam"));
        if (row.attributes != 0) {
            ASSERT_TRUE(writeFile(textFromPath(path), OldBytes));
            ASSERT_NE(SetFileAttributesW(path.c_str(), row.attributes), 0);
        }
        HANDLE holder = row.heldOpen ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        ASSERT_EQ(holder != INVALID_HANDLE_VALUE, row.heldOpen);
        const SaveResult result = saveFileBytes(path, NewBytes);
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        EXPECT_EQ(result.saved(), row.saved) << result.reason.toStdString();
        EXPECT_EQ(result.aftermath.toStdString(), row.aftermath);
        EXPECT_EQ(readFile(textFromPath(path)), row.saved ? NewBytes : OldBytes);
        // A failed save leaves no temporary file behind.
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{textFromPath(path.filename())});
        if (row.attributes != 0) {
            EXPECT_EQ(GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
                      row.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The tool names a file as the user typed it, backslashes and all, and
// knows a name in other case for the same file.
TEST(WindowsFile, ToolNamesFilesAsTypedAndKnowsOneFileByAnyCase)
{
    QTemporaryDir folder;
    const fs::path path = windowsName(folder, QStringLiteral("Ämter.cam"));
    ASSERT_TRUE(writeFile(textFromPath(path), QByteArray(31944, '\0')));
    const QString typed = textFromPath(path);
    // The file named, then found in its folder.
    for (const QString& argument : {typed, QDir::toNativeSeparators(folder.path())}) {
        const CamTest::ToolRun run = CamTest::inProcess({QStringLiteral("check"), argument});
        EXPECT_TRUE(run.out.startsWith(typed.toUtf8() + ": ")) << run.out.toStdString() << run.err.toStdString();
    }
    const QString otherCase = textFromPath(windowsName(folder, QStringLiteral("äMTER.CAM")));
    const CamTest::ToolRun run = CamTest::inProcess({QStringLiteral("export"), typed, QStringLiteral("-o"), otherCase});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("is the same file as the input")) << run.err.toStdString();
    EXPECT_EQ(readFile(textFromPath(path)), QByteArray(31944, '\0'));
}

} // namespace
