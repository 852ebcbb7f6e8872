#include "ui/services/ProgramIcon.h"

#include <gtest/gtest.h>

namespace {

// The stored pixels the windows show are the drawing at every size offered.
TEST(ProgramIconTest, EverySizeOfferedIsTheDrawingPixelForPixel)
{
    const QIcon Icon = programIcon();
    ASSERT_FALSE(Icon.availableSizes().isEmpty());
    for (const QSize& Size : Icon.availableSizes()) {
        const QImage Shown = Icon.pixmap(Size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(Shown, programImage(Size.width())) << Size.width();
    }
}

} // namespace
