#include "ui/services/ProgramIcon.h"

#include "ui/services/ProgramIconPixels.h"

#include <QCoreApplication>

#include <optional>

namespace {

// Every window shows the same icon: it is made for the first window that asks
// and dropped with the application, while its pixmaps can still be freed.
std::optional<QIcon> SharedIcon;

} // namespace

QIcon programIcon()
{
    if (!SharedIcon) {
        SharedIcon.emplace();
        for (const StoredIconImage& Stored : StoredIconImages) {
            const QImage Image(reinterpret_cast<const uchar*>(Stored.Pixels), Stored.Size, Stored.Size,
                               Stored.Size * static_cast<qsizetype>(sizeof(quint32)),
                               QImage::Format_ARGB32_Premultiplied);
            SharedIcon->addPixmap(QPixmap::fromImage(Image));
        }
        qAddPostRoutine([] { SharedIcon.reset(); });
    }
    return *SharedIcon;
}
