#include "ui/services/ProgramIcon.h"

#include "ui/services/ProgramIconPixels.h"

#include <QCoreApplication>

#include <optional>

namespace {

// Every window shows the same icon: it is made for the first window that asks
// and dropped with the application, while its pixmaps can still be freed.
std::optional<QIcon> sharedIcon;

} // namespace

QIcon programIcon()
{
    if (!sharedIcon) {
        sharedIcon.emplace();
        for (const StoredIconImage& stored : StoredIconImages) {
            const QImage image(reinterpret_cast<const uchar*>(stored.pixels), stored.size, stored.size,
                               stored.size * static_cast<qsizetype>(sizeof(quint32)),
                               QImage::Format_ARGB32_Premultiplied);
            sharedIcon->addPixmap(QPixmap::fromImage(image));
        }
        qAddPostRoutine([] { sharedIcon.reset(); });
    }
    return *sharedIcon;
}
