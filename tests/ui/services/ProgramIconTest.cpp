#include "ui/services/ProgramIcon.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramIconTest, WindowsShareOneDrawing)
{
    EXPECT_EQ(ProgramIcon().cacheKey(), ProgramIcon().cacheKey());
}

TEST(ProgramIconTest, OffersEverySizeAsDrawn)
{
    const QIcon Icon = ProgramIcon();
    const QList<QSize> Expected{{16, 16}, {32, 32}, {48, 48}, {64, 64}};
    EXPECT_EQ(Icon.availableSizes(), Expected);
    for (const QSize& Size : Expected) {
        const QImage Shown = Icon.pixmap(Size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(Shown, ProgramImage(Size.width())) << Size.width();
    }
}

} // namespace
