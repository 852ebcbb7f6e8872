#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class clsCampaign;

// Reading and saving campaign files, for the editor and the command-line
// tool alike. Every failure comes back as a reason a user can read; nothing
// here shows a message or throws.

// Reads the file at strPath into Campaign. Empty on success, else the reason.
// Campaign should be a document of its own: a file that fails half-way
// leaves it partly filled.
[[nodiscard]] QString ReadCampaignFile(const QString& strPath, clsCampaign& Campaign);
// The same from an open device (standard input, say).
[[nodiscard]] QString ReadCampaignDevice(QIODevice& Device, clsCampaign& Campaign);
// The same from bytes already in memory; only the first 31944 are looked at.
[[nodiscard]] QString ReadCampaignBytes(const QByteArray& Bytes, clsCampaign& Campaign);

// The 31944 bytes the campaign is saved as.
[[nodiscard]] QByteArray CampaignBytes(const clsCampaign& Campaign);

// How a save ended. On failure Reason says why and Aftermath what became of
// the file that was chosen ("The file was not changed.").
struct SaveResult {
    QString Reason;
    QString Aftermath;
    [[nodiscard]] bool Saved() const { return Reason.isEmpty(); }
};

// Replaces the file at strPath with Bytes in one step: a failure anywhere
// leaves an old file as it was and no temporary behind. Only where the folder
// refuses the temporary file but the file itself may be written, the bytes
// are written into the file directly, read back and compared; should that
// fail, the old bytes are put back.
[[nodiscard]] SaveResult SaveFileBytes(const QString& strPath, const QByteArray& Bytes);
[[nodiscard]] SaveResult SaveCampaignFile(const QString& strPath, const clsCampaign& Campaign);
