#include "storage/CampaignStorage.h"

#include "data/clsCampaign.h"
#include "tests/support/SaveFaults.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray Read(const QString& strPath)
{
    QFile File(strPath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<none>");
}

void Write(const QString& strPath, const QByteArray& Bytes)
{
    QFile File(strPath);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    ASSERT_EQ(File.write(Bytes), Bytes.size());
}

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::setPermissions(Dir.path(), QFile::permissions(Dir.path()) | QFile::ExeOther | QFile::ReadOther);
        QDir(Dir.path()).mkpath("locked");
        Write(Path("locked/mine.cam"), Old);
        QFile::setPermissions(Path("locked/mine.cam"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                                           QFile::WriteOther);
        QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    }
    void TearDown() override { QFile::setPermissions(Path("locked"), QFile::permissions(Dir.path())); }

    QString Path(const QString& strName) const { return Dir.filePath(strName); }
    QStringList Files(const QString& strFolder) const
    {
        return QDir(Path(strFolder)).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir Dir;
    const QByteArray Old = QByteArray(31944, 'o');
    const QByteArray New = QByteArray(31944, 'n');
};

TEST_F(StorageTest, ASaveReplacesOrCreatesTheFileWhole)
{
    Write(Path("a.cam"), "short old file");
    EXPECT_TRUE(SaveFileBytes(Path("a.cam"), New).Saved());
    EXPECT_TRUE(SaveFileBytes(Path("b.cam"), New).Saved());
    EXPECT_EQ(Read(Path("a.cam")), New);
    EXPECT_EQ(Read(Path("b.cam")), New);
    EXPECT_EQ(Files("."), QStringList({"a.cam", "b.cam"}));
}

// The aftermath says what became of the chosen file: an old one kept, or
// none created.
TEST_F(StorageTest, AFailedSaveSaysWhetherAnOldFileWasKeptOrNoneCreated)
{
    QDir(Dir.path()).mkpath("folder.cam");
    const SaveResult Folder = SaveFileBytes(Path("folder.cam"), New);
    EXPECT_EQ(Folder.Aftermath, "The file was not changed.");
    EXPECT_FALSE(Folder.Saved());
    const SaveResult Missing = SaveFileBytes(Path("gone/new.cam"), New);
    EXPECT_EQ(Missing.Aftermath, "No file was created.");
    EXPECT_FALSE(QFile::exists(Path("gone")));
    Write(Path("old.cam"), Old);
    EXPECT_TRUE(InChild([] { LimitFileSize(16384); }, [&] {
        const SaveResult Result = SaveFileBytes(Path("old.cam"), New);
        return Result.Reason == "only 16384 of 31944 bytes could be written" &&
               Result.Aftermath == "The file was not changed.";
    }));
    EXPECT_EQ(Read(Path("old.cam")), Old);
    EXPECT_EQ(Files("."), QStringList({"old.cam"}));
}

// A folder that refuses the temporary file: the file itself is written,
// read back, and put back as it was when the write fails part-way.
TEST_F(StorageTest, ALockedFolderTakesAWritableFileDirectlyAndGetsItBackOnFailure)
{
    EXPECT_TRUE(InChild(BecomeNobody, [&] {
        const SaveResult NoFile = SaveFileBytes(Path("locked/new.cam"), New);
        return SaveFileBytes(Path("locked/mine.cam"), New).Saved() && !NoFile.Saved() &&
               NoFile.Aftermath == "No file was created.";
    }));
    EXPECT_EQ(Read(Path("locked/mine.cam")), New);
    // Shorter than the old file: the limit lets the old bytes back in.
    Write(Path("locked/mine.cam"), Old.left(1000));
    EXPECT_TRUE(InChild(
        [] {
            BecomeNobody();
            LimitFileSize(2000);
        },
        [&] {
            const SaveResult Result = SaveFileBytes(Path("locked/mine.cam"), New);
            return Result.Reason == "only 2000 of 31944 bytes could be written" &&
                   Result.Aftermath == "The file was put back as it was.";
        }));
    EXPECT_EQ(Read(Path("locked/mine.cam")), Old.left(1000));
    EXPECT_EQ(Files("locked"), QStringList({"mine.cam"}));
    // Larger than the limit, the old bytes cannot come back, and the user is told.
    Write(Path("locked/mine.cam"), Old);
    EXPECT_TRUE(InChild(
        [] {
            BecomeNobody();
            LimitFileSize(2000);
        },
        [&] {
            return SaveFileBytes(Path("locked/mine.cam"), New).Aftermath ==
                   "The file may be damaged: its folder allows no safe save.";
        }));
    Write(Path("locked/mine.cam"), Old.left(1000));
    // A file it may not write stays as it is, however the folder stands.
    QFile::setPermissions(Path("locked/mine.cam"), QFile::ReadOwner | QFile::ReadOther);
    EXPECT_TRUE(InChild(BecomeNobody, [&] {
        return SaveFileBytes(Path("locked/mine.cam"), New).Aftermath == "The file was not changed.";
    }));
    EXPECT_EQ(Read(Path("locked/mine.cam")), Old.left(1000));
}

TEST_F(StorageTest, EveryFaultOfTheTableKeepsTheOldFileWhole)
{
    QDir(Dir.path()).mkpath("faults");
    PrepareFaultFolder(Path("faults"), Old);
    for (const SaveFault& Fault : SaveFaults()) {
        SCOPED_TRACE(Fault.strCase);
        const QString strTarget = Path("faults/") + QLatin1String(Fault.strTarget);
        EXPECT_TRUE(InChild(Fault.Setup, [&] {
            const SaveResult Result = SaveFileBytes(strTarget, New);
            return !Result.Saved() && Result.Aftermath == "The file was not changed." &&
                   (Fault.strReason == nullptr || Result.Reason.contains(QLatin1String(Fault.strReason)));
        }));
        EXPECT_EQ(Read(Path("faults/") + QLatin1String(Fault.strOldFile)), Old);
        EXPECT_EQ(Files("faults"), QStringList({"old.cam"}));
        EXPECT_EQ(Files("faults/locked"), QStringList({"old.cam"}));
    }
    QFile::setPermissions(Path("faults/locked"), QFile::permissions(Dir.path()));
}

TEST_F(StorageTest, ReadingGivesTheReasonAndLooksAtNoByteBeyondTheCampaign)
{
    clsCampaign Written;
    Written.SetPrestige(1200);
    Written.SetDescription("intro");
    Write(Path("long.cam"), CampaignBytes(Written) + "trailing bytes");
    Write(Path("short.cam"), CampaignBytes(Written).left(1000));
    const auto Campaign = std::make_unique<clsCampaign>();
    EXPECT_EQ(ReadCampaignFile(Path("long.cam"), *Campaign), QString());
    EXPECT_EQ(Campaign->Prestige(), 1200);
    EXPECT_EQ(Campaign->Description(), "intro");
    EXPECT_EQ(ReadCampaignFile(Path("short.cam"), *Campaign),
              "The file ends at byte 1000, but a campaign file has 31944 bytes.");
    EXPECT_EQ(ReadCampaignFile(Path("none.cam"), *Campaign), "No such file or directory");
    EXPECT_FALSE(ReadCampaignFile(Dir.path(), *Campaign).isEmpty());
    // A device delivers the same campaign, however it is cut into reads.
    QBuffer Buffer;
    Buffer.setData(CampaignBytes(Written));
    ASSERT_TRUE(Buffer.open(QIODevice::ReadOnly));
    Campaign->Clear();
    EXPECT_EQ(ReadCampaignDevice(Buffer, *Campaign), QString());
    EXPECT_EQ(CampaignBytes(*Campaign), CampaignBytes(Written));
}

} // namespace
