#include "ui/services/LayoutFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool IsLayoutFont(const QFont& Font)
{
    return Font.pixelSize() == 11 && Font.stretch() == QFont::SemiCondensed;
}

// A window made meanwhile keeps the layout font; what is made afterwards
// has the desktop's fonts, the one it gives to message boxes included.
TEST(LayoutFontTest, OnlyWindowsMadeMeanwhileTakeTheLayoutFont)
{
    const QFont Desktop = QApplication::font();
    QFont DesktopBoxFont = Desktop;
    DesktopBoxFont.setItalic(true);
    QApplication::setFont(DesktopBoxFont, "QMessageBox");

    auto pWindow = std::make_unique<QWidget>();
    QLineEdit* pBox = nullptr;
    {
        const LayoutFontWhileMaking Making;
        EXPECT_TRUE(IsLayoutFont(QApplication::font()));
        UseLayoutFont(pWindow.get());
        pBox = new QLineEdit(pWindow.get());
    }
    EXPECT_EQ(QApplication::font().toString(), Desktop.toString());
    EXPECT_TRUE(IsLayoutFont(pWindow->font()));
    EXPECT_TRUE(IsLayoutFont(pBox->font()));
    EXPECT_EQ(pBox->font().family(), Desktop.family());

    QMessageBox Box;
    // Showing polishes a box, and only then it takes the font of its kind.
    Box.ensurePolished();
    EXPECT_EQ(Box.font().toString(), DesktopBoxFont.toString());
    const QWidget Later;
    EXPECT_EQ(Later.font().toString(), Desktop.toString());
    QApplication::setFont(Desktop, "QMessageBox");
}

} // namespace
