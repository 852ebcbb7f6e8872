#include "ui/services/ProgramIcon.h"

#include <gtest/gtest.h>

namespace {

// The stored pixels the windows show are the drawing at every size offered.
TEST(ProgramIconTest, EverySizeOfferedIsTheDrawingPixelForPixel)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.availableSizes().isEmpty());
    for (const QSize& size : icon.availableSizes()) {
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, programImage(size.width())) << size.width();
    }
}

} // namespace
