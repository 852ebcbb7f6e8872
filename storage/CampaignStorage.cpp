#include "storage/CampaignStorage.h"

#include "data/CampaignFileError.h"
#include "data/basFields.h"
#include "data/clsCampaign.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// The bytes of a campaign read where they lie, without copying them into a
// string first; the position it reports lets a short file's error name the
// byte where it ends. Nothing is ever written through it.
class ByteView final : public std::streambuf {
public:
    ByteView(const char* pBytes, qsizetype lngSize)
    {
        char* pStart = const_cast<char*>(pBytes);
        setg(pStart, pStart, pStart + lngSize);
    }

protected:
    pos_type seekoff(off_type lngOff, std::ios_base::seekdir Dir, std::ios_base::openmode Mode) override
    {
        if (lngOff != 0 || Dir != std::ios_base::cur || !(Mode & std::ios_base::in)) {
            return pos_type(off_type(-1));
        }
        return pos_type(off_type(gptr() - eback()));
    }
};

QString PartlyWritten(qint64 lngWritten, qint64 lngSize)
{
    return QStringLiteral("only %1 of %2 bytes could be written").arg(lngWritten).arg(lngSize);
}

// Writes Bytes over the file itself; empty on success, else the reason.
// Read back whole, since no temporary file protects the old one.
QString WriteInPlace(const QString& strPath, const QByteArray& Bytes)
{
    QFile File(strPath);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return File.errorString();
    }
    const qint64 lngWritten = File.write(Bytes);
    const bool blnFlushed = File.flush();
    if (lngWritten != Bytes.size()) {
        return lngWritten < 0 ? File.errorString() : PartlyWritten(lngWritten, Bytes.size());
    }
    if (!blnFlushed) {
        return File.errorString();
    }
    File.close();
    if (!File.open(QIODevice::ReadOnly)) {
        return File.errorString();
    }
    if (File.readAll() != Bytes) {
        return QStringLiteral("the file does not read back as it was written");
    }
    return {};
}

// The folder refuses the temporary file, but the file itself may be written.
bool OnlyTheFolderIsLocked(const QFileInfo& Info)
{
    return Info.isFile() && Info.isWritable() && !QFileInfo(Info.absolutePath()).isWritable();
}

SaveResult SaveInPlace(const QString& strPath, const QByteArray& Bytes)
{
    QFile Old(strPath);
    const bool blnKept = Old.open(QIODevice::ReadOnly);
    const QByteArray OldBytes = blnKept ? Old.readAll() : QByteArray();
    Old.close();
    const QString strReason = WriteInPlace(strPath, Bytes);
    if (strReason.isEmpty()) {
        return {};
    }
    if (blnKept && WriteInPlace(strPath, OldBytes).isEmpty()) {
        return {strReason, QStringLiteral("The file was put back as it was.")};
    }
    return {strReason, QStringLiteral("The file may be damaged: its folder allows no safe save.")};
}

} // namespace

QString ReadCampaignBytes(const QByteArray& Bytes, clsCampaign& Campaign)
{
    // Bytes past the campaign's size are never looked at.
    ByteView View(Bytes.constData(), std::min<qsizetype>(Bytes.size(), CampaignFileSize));
    std::istream Stream(&View);
    try {
        Campaign.FileRead(Stream);
    } catch (const CampaignFileError& e) {
        return QString::fromLatin1(e.what());
    }
    return {};
}

QString ReadCampaignDevice(QIODevice& Device, clsCampaign& Campaign)
{
    // Bytes past the campaign's size are never looked at.
    QByteArray Bytes(CampaignFileSize, '\0');
    qint64 lngHave = 0;
    while (lngHave < CampaignFileSize) {
        const qint64 lngRead = Device.read(Bytes.data() + lngHave, CampaignFileSize - lngHave);
        if (lngRead < 0) {
            return Device.errorString();
        }
        if (lngRead == 0 && !Device.waitForReadyRead(-1)) {
            break;
        }
        lngHave += lngRead;
    }
    Bytes.truncate(lngHave);
    return ReadCampaignBytes(Bytes, Campaign);
}

QString ReadCampaignFile(const QString& strPath, clsCampaign& Campaign)
{
    QFile File(strPath);
    if (!File.open(QIODevice::ReadOnly)) {
        return File.errorString();
    }
    const QByteArray Bytes = File.read(CampaignFileSize);
    if (File.error() != QFileDevice::NoError) {
        return File.errorString();
    }
    return ReadCampaignBytes(Bytes, Campaign);
}

QByteArray CampaignBytes(const clsCampaign& Campaign)
{
    std::ostringstream Stream;
    Campaign.FileWrite(Stream);
    return QByteArray::fromStdString(Stream.str());
}

SaveResult SaveFileBytes(const QString& strPath, const QByteArray& Bytes)
{
    const QFileInfo Info(strPath);
    const QString strUnchanged =
        Info.exists() ? QStringLiteral("The file was not changed.") : QStringLiteral("No file was created.");
    QSaveFile File(strPath);
    if (!File.open(QIODevice::WriteOnly)) {
        if (OnlyTheFolderIsLocked(Info)) {
            return SaveInPlace(strPath, Bytes);
        }
        return {File.errorString(), strUnchanged};
    }
    const qint64 lngWritten = File.write(Bytes);
    if (lngWritten != Bytes.size()) {
        const QString strReason = lngWritten < 0 ? File.errorString() : PartlyWritten(lngWritten, Bytes.size());
        File.cancelWriting();
        return {strReason, strUnchanged};
    }
    if (!File.commit()) {
        return {File.errorString(), strUnchanged};
    }
    return {};
}

SaveResult SaveCampaignFile(const QString& strPath, const clsCampaign& Campaign)
{
    return SaveFileBytes(strPath, CampaignBytes(Campaign));
}
