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
    ByteView(const char* bytes, qsizetype size)
    {
        char* start = const_cast<char*>(bytes);
        setg(start, start, start + size);
    }

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode mode) override
    {
        if (off != 0 || dir != std::ios_base::cur || !(mode & std::ios_base::in)) {
            return pos_type(off_type(-1));
        }
        return pos_type(off_type(gptr() - eback()));
    }
};

} // namespace

QString readCampaignBytes(const QByteArray& bytes, Campaign& campaign)
{
    // Bytes past the campaign's size are never looked at.
    ByteView view(bytes.constData(), std::min<qsizetype>(bytes.size(), CampaignFileSize));
    std::istream stream(&view);
    try {
        campaign.fileRead(stream);
    } catch (const CampaignFileError& e) {
        return QString::fromLatin1(e.what());
    }
    return {};
}

QString readDevice(QIODevice& device, qint64 limit, QByteArray& bytes)
{
    bytes.resize(limit);
    qint64 have = 0;
    while (have < limit) {
        const qint64 read = device.read(bytes.data() + have, limit - have);
        if (read < 0) {
            return device.errorString();
        }
        if (read == 0 && !device.waitForReadyRead(-1)) {
            break;
        }
        have += read;
    }
    bytes.truncate(have);
    return {};
}

QString readCampaignFile(const std::filesystem::path& path, Campaign& campaign)
{
    QByteArray bytes;
    if (const QString reason = readFileStart(path, CampaignFileSize, bytes); !reason.isEmpty()) {
        return reason;
    }
    return readCampaignBytes(bytes, campaign);
}

QByteArray campaignBytes(const Campaign& campaign)
{
    std::ostringstream stream;
    campaign.fileWrite(stream);
    return QByteArray::fromStdString(stream.str());
}

SaveResult saveCampaignFile(const std::filesystem::path& path, const Campaign& campaign)
{
    return saveFileBytes(path, campaignBytes(campaign));
}

QString writeFailure(const QString& cause, qint64 written, qint64 size)
{
    if (written > 0 && written < size) {
        return QStringLiteral("only %1 of %2 bytes could be written: %3").arg(written).arg(size).arg(cause);
    }
    return cause;
}
