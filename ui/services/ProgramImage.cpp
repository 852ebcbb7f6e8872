#include "ui/services/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QImage programImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32-unit grid, so every size shows the same picture.
    painter.scale(size / 32.0, size / 32.0);

    QPainterPath shield;
    shield.moveTo(4, 3);
    shield.lineTo(28, 3);
    shield.lineTo(28, 15);
    shield.cubicTo(28, 23, 22, 28, 16, 30);
    shield.cubicTo(10, 28, 4, 23, 4, 15);
    shield.closeSubpath();
    painter.setPen(QPen(QColor(0xd9, 0xb3, 0x4a), 2));
    painter.setBrush(QColor(0x2b, 0x4a, 0x6f));
    painter.drawPath(shield);

    QPainterPath keep;
    keep.moveTo(11, 24);
    keep.lineTo(11, 9);
    keep.lineTo(13, 9);
    keep.lineTo(13, 11);
    keep.lineTo(15, 11);
    keep.lineTo(15, 9);
    keep.lineTo(17, 9);
    keep.lineTo(17, 11);
    keep.lineTo(19, 11);
    keep.lineTo(19, 9);
    keep.lineTo(21, 9);
    keep.lineTo(21, 24);
    keep.lineTo(18, 24);
    keep.lineTo(18, 19);
    keep.cubicTo(18, 17.5, 14, 17.5, 14, 19);
    keep.lineTo(14, 24);
    keep.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0xb3, 0x4a));
    painter.drawPath(keep);
    painter.end();
    return image;
}

QPixmap programPixmap(int size)
{
    return QPixmap::fromImage(programImage(size));
}
