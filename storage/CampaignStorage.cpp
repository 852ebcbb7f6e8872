#include "storage/CampaignStorage.h"

#include "data/CampaignFileError.h"
#include "data/basFields.h"
#include "data/clsCampaign.h"
#include "storage/PlatformFile.h"

#include <QIODevice>

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

QString ReadCampaignFile(const std::filesystem::path& path, clsCampaign& Campaign)
{
    QByteArray Bytes;
    if (const QString strReason = readFileStart(path, CampaignFileSize, Bytes); !strReason.isEmpty()) {
        return strReason;
    }
    return ReadCampaignBytes(Bytes, Campaign);
}

QByteArray CampaignBytes(const clsCampaign& Campaign)
{
    std::ostringstream Stream;
    Campaign.FileWrite(Stream);
    return QByteArray::fromStdString(Stream.str());
}

SaveResult SaveCampaignFile(const std::filesystem::path& path, const clsCampaign& Campaign)
{
    return SaveFileBytes(path, CampaignBytes(Campaign));
}
