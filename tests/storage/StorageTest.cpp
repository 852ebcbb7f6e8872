#include "storage/CampaignStorage.h"

#include "tests/support/CampaignBuilder.h"
#include "tests/support/SaveFaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

QByteArray contentsOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return file ? QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(file), {})) : "<none>";
}

void write(const fs::path& path, const QByteArray& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(file.write(bytes.constData(), bytes.size()).flush());
}

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther);
        QDir(dir.path()).mkpath("locked");
    }
    void TearDown() override
    {
        fs::permissions(path("locked"), fs::perms(0755));
        // QTemporaryDir cannot remove a name that is not UTF-8.
        fs::remove_all(dir.path().toStdString());
    }

    fs::path path(const std::string& name) const { return fs::path(dir.path().toStdString()) / name; }
    QStringList files(const QString& folder) const
    {
        return QDir(dir.filePath(folder)).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir;
    const QByteArray old = QByteArray(31944, 'o');
    const QByteArray replacement = QByteArray(31944, 'n');
};

// A folder that refuses the temporary file: the file itself is written, read
// back, and put back as it was when the write fails part-way; the aftermath
// tells which. Each row saves the replacement over locked/mine.cam as nobody.
TEST_F(StorageTest, ALockedFolderTakesAWritableFileDirectlyAndGetsItBackOnFailure)
{
    const struct {
        const char* name;
        QByteArray before;
        int mode;
        // A file-size limit in bytes, or 0 for none.
        rlim_t limit;
        // The aftermath, or "" for a save that succeeds.
        QString aftermath;
    } cases[] = {
        {"a writable file takes the bytes", old, 0606, 0, ""},
        {"a shorter old file comes back", old.left(1000), 0606, 2000, "The file was put back as it was."},
        {"an old file beyond the limit cannot come back", old, 0606, 2000,
         "The file may be damaged: its folder allows no safe save."},
        {"a file it may not write stays, however the folder stands", old.left(1000), 0404, 0,
         "The file was not changed."},
    };
    fs::permissions(path("locked"), fs::perms(0505));
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        write(path("locked/mine.cam"), testCase.before);
        fs::permissions(path("locked/mine.cam"), fs::perms(testCase.mode));
        const auto limited = [&] {
            becomeNobody();
            if (testCase.limit != 0) {
                limitFileSize(testCase.limit);
            }
        };
        const QString cut = QString("only %1 of 31944 bytes could be written").arg(testCase.limit);
        EXPECT_TRUE(inChild(limited, [&] {
            const SaveResult result = saveFileBytes(path("locked/mine.cam"), replacement);
            return result.aftermath == testCase.aftermath && (testCase.limit == 0 || result.reason.startsWith(cut));
        }));
        // A damaged file holds whatever the failed writes left.
        if (!testCase.aftermath.contains("damaged")) {
            EXPECT_EQ(contentsOf(path("locked/mine.cam")),
                      testCase.aftermath.isEmpty() ? replacement : testCase.before);
        }
        EXPECT_EQ(files("locked"), QStringList({"mine.cam"}));
    }
    EXPECT_TRUE(inChild(becomeNobody, [&] {
        return saveFileBytes(path("locked/new.cam"), replacement).aftermath == "No file was created.";
    }));
}

TEST_F(StorageTest, EveryFaultOfTheTableKeepsTheOldFileWhole)
{
    QDir(dir.path()).mkpath("faults");
    prepareFaultFolder(dir.filePath("faults"), old);
    for (const SaveFault& fault : saveFaults()) {
        SCOPED_TRACE(fault.name);
        const fs::path target = path("faults") / fault.target;
        EXPECT_TRUE(inChild(fault.setup, [&] {
            const SaveResult result = saveFileBytes(target, replacement);
            return !result.saved() && result.aftermath == "The file was not changed." &&
                   (fault.reason == nullptr || result.reason.contains(QLatin1String(fault.reason)));
        }));
        EXPECT_EQ(contentsOf(path("faults") / fault.oldFile), old);
        EXPECT_EQ(files("faults"), QStringList({"old.cam"}));
        EXPECT_EQ(files("faults/locked"), QStringList({"old.cam"}));
    }
    fs::permissions(path("faults/locked"), fs::perms(0755));
    // Bytes fewer than any write buffer holds meet the full disk as well.
    EXPECT_TRUE(inChild(onAFullFileSystem, [&] { return !saveFileBytes(path("faults/full/old.cam"), "{}").saved(); }));
}

// A save replaces a file whole, keeping its mode and owner, or makes one with
// its mode from the umask, and leaves no temporary; without a folder to hold
// it the aftermath says that no file was created.
TEST_F(StorageTest, ASaveKeepsTheModeAndOwnerOfTheFileItReplaces)
{
    // Only root may give a file to another user; others keep their own.
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    const gid_t group = geteuid() == 0 ? 65534 : getegid();
    for (const auto& [name, mode] : {std::pair<const char*, mode_t>{"group-readable.cam", 0640},
                                     {"read-only.cam", 0444}, {"new.cam", 0}}) {
        SCOPED_TRACE(name);
        if (mode != 0) {
            write(path(name), old);
            ASSERT_EQ(chmod(path(name).c_str(), mode), 0);
            ASSERT_EQ(chown(path(name).c_str(), owner, group), 0);
        }
        EXPECT_TRUE(
            inChild([] { umask(002); }, [&, name = name] { return saveFileBytes(path(name), replacement).saved(); }));
        struct stat saved {};
        ASSERT_EQ(stat(path(name).c_str(), &saved), 0);
        EXPECT_EQ(saved.st_mode & 07777, mode != 0 ? mode : 0664);
        EXPECT_EQ(saved.st_uid, mode != 0 ? owner : geteuid());
        EXPECT_EQ(saved.st_gid, mode != 0 ? group : getegid());
        EXPECT_EQ(contentsOf(path(name)), replacement);
    }
    EXPECT_EQ(files("."), QStringList({"group-readable.cam", "new.cam", "read-only.cam"}));
    EXPECT_EQ(saveFileBytes(path("gone/new.cam"), replacement).aftermath, "No file was created.");
    EXPECT_FALSE(fs::exists(path("gone")));
}

// A pipe or a device gets the bytes and stays what it is; a link stays and
// the file it leads to gets them; a name that is not UTF-8 keeps its bytes.
TEST_F(StorageTest, ASaveWritesIntoPipesAndDevicesAndKeepsLinksAndNameBytes)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", path("stdout"));
    write(path("real.cam"), old);
    fs::create_symlink("real.cam", path("link.cam"));
    const bool device = mknod(path("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    // Open before the saves, a reader that never waits lets the bytes into the pipe's buffer.
    const int reader = open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    const QByteArray bytes = campaignBytes(Campaign());
    const struct {
        const char* target;
        fs::file_type kind;
        const char* holder;
    } cases[] = {{"pipe", fs::file_type::fifo, "pipe"},
                 {"stdout", fs::file_type::symlink, "pipe"},
                 {"null", fs::file_type::character, nullptr},
                 {"link.cam", fs::file_type::symlink, "real.cam"},
                 {"bad\xff.cam", fs::file_type::regular, "bad\xff.cam"}};
    for (const auto& file : cases) {
        SCOPED_TRACE(file.target);
        if (file.kind == fs::file_type::character && !device) {
            std::puts("Skipped the device: making one needs root.");
            continue;
        }
        const SaveResult result = saveFileBytes(path(file.target), bytes);
        QByteArray arrived(bytes.size() + 1, '\0');
        arrived.truncate(std::max<ssize_t>(read(reader, arrived.data(), size_t(arrived.size())), 0));
        EXPECT_EQ(result.reason, QString());
        EXPECT_EQ(fs::symlink_status(path(file.target)).type(), file.kind);
        if (file.holder != nullptr) {
            EXPECT_EQ(fs::is_fifo(path(file.holder)) ? arrived : contentsOf(path(file.holder)), bytes);
        }
    }
    close(reader);
    // A reader that goes away fails the save, and the program goes on.
    std::thread quitter([&] { close(open(path("pipe").c_str(), O_RDONLY)); });
    EXPECT_FALSE(saveFileBytes(path("pipe"), QByteArray(1 << 20, 'x')).saved());
    quitter.join();
}

TEST_F(StorageTest, ReadingGivesTheReasonAndLooksAtNoByteBeyondTheCampaign)
{
    const QByteArray written = QByteArray::fromStdString(fileBytes(opened(3, 50)));
    write(path("long\xff.cam"), written + "trailing bytes");
    Campaign campaign;
    EXPECT_EQ(readCampaignFile(path("long\xff.cam"), campaign), QString());
    EXPECT_EQ(campaignBytes(campaign), written);
    EXPECT_EQ(readCampaignFile(path("none.cam"), campaign), "No such file or directory");
    EXPECT_FALSE(readCampaignFile(path("."), campaign).isEmpty());
}

} // namespace
