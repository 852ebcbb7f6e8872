#include "storage/CampaignStorage.h"

#include "data/CampaignFileError.h"
#include "data/BinaryFields.h"
#include "data/Campaign.h"
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

QString readCampaignBytes(const QByteArray& bytes, Campaign& campaign)
{
    // Bytes past the campaign's size are never looked at.
    ByteView View(bytes.constData(), std::min<qsizetype>(bytes.size(), CampaignFileSize));
    std::istream Stream(&View);
    try {
        campaign.fileRead(Stream);
    } catch (const CampaignFileError& e) {
        return QString::fromLatin1(e.what());
    }
    return {};
}

QString readCampaignDevice(QIODevice& Device, Campaign& campaign)
{
    // Bytes past the campaign's size are never looked at.
    QByteArray bytes(CampaignFileSize, '\0');
    qint64 lngHave = 0;
    while (lngHave < CampaignFileSize) {
        const qint64 lngRead = Device.read(bytes.data() + lngHave, CampaignFileSize - lngHave);
        if (lngRead < 0) {
            return Device.errorString();
        }
        if (lngRead == 0 && !Device.waitForReadyRead(-1)) {
            break;
        }
        lngHave += lngRead;
    }
    bytes.truncate(lngHave);
    return readCampaignBytes(bytes, campaign);
}

QString readCampaignFile(const std::filesystem::path& path, Campaign& campaign)
{
    QByteArray bytes;
    if (const QString strReason = readFileStart(path, CampaignFileSize, bytes); !strReason.isEmpty()) {
        return strReason;
    }
    return readCampaignBytes(bytes, campaign);
}

QByteArray campaignBytes(const Campaign& campaign)
{
    std::ostringstream Stream;
    campaign.fileWrite(Stream);
    return QByteArray::fromStdString(Stream.str());
}

SaveResult saveCampaignFile(const std::filesystem::path& path, const Campaign& campaign)
{
    return saveFileBytes(path, campaignBytes(campaign));
}
