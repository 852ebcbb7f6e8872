#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>

class QIODevice;
class Campaign;

// Reading and saving campaign files, for the editor and the command-line
// tool alike. Every failure comes back as a reason a user can read; nothing
// here shows a message or throws.

// Paths are std::filesystem::path, which keeps a Linux file name's bytes as
// they are, whether or not they are UTF-8.

// Reads the file at path into Campaign. Empty on success, else the reason.
// Campaign should be a document of its own: a file that fails half-way
// leaves it partly filled.
[[nodiscard]] QString readCampaignFile(const std::filesystem::path& path, Campaign& campaign);
// Up to limit bytes from the device, waiting for a pipe's, into bytes.
// Empty on success, else the reason.
[[nodiscard]] QString readDevice(QIODevice& device, qint64 limit, QByteArray& bytes);
// A campaign from bytes already in memory; only the first 31944 are looked at.
[[nodiscard]] QString readCampaignBytes(const QByteArray& bytes, Campaign& campaign);

// The 31944 bytes the campaign is saved as.
[[nodiscard]] QByteArray campaignBytes(const Campaign& campaign);

// How a save ended. On failure Reason says why and Aftermath what became of
// the file that was chosen ("The file was not changed.").
struct SaveResult {
    QString reason;
    QString aftermath;
    [[nodiscard]] bool saved() const { return reason.isEmpty(); }
};

// Replaces the file at path with Bytes in one step, keeping its mode and,
// where the process may, its owner: a failure anywhere, down to the sync to
// the disk, leaves an old file as it was and no temporary behind. A symbolic
// link stays and the file it leads to is replaced. A pipe or a device is
// written into, never replaced. Only where the folder refuses the temporary
// file but the file itself may be written, the bytes are written into the
// file directly, read back and compared; should that fail, the old bytes are
// put back.
[[nodiscard]] SaveResult saveFileBytes(const std::filesystem::path& path, const QByteArray& bytes);
[[nodiscard]] SaveResult saveCampaignFile(const std::filesystem::path& path, const Campaign& campaign);
