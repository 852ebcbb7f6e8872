#include "ui/services/LayoutFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window made meanwhile keeps the layout font, its boxes too; what is made
// afterwards has the desktop's fonts, the one it gives to message boxes
// included.
TEST(LayoutFontTest, OnlyWindowsMadeMeanwhileTakeTheLayoutFont)
{
    const QFont Desktop = QApplication::font();
    QFont DesktopBoxFont = Desktop;
    DesktopBoxFont.setItalic(true);
    QApplication::setFont(DesktopBoxFont, "QMessageBox");

    auto pWindow = std::make_unique<QWidget>();
    QLineEdit* pBox = nullptr;
    QFont Layout;
    {
        const LayoutFontWhileMaking Making;
        Layout = QApplication::font();
        UseLayoutFont(pWindow.get());
        pBox = new QLineEdit(pWindow.get());
    }
    EXPECT_NE(Layout.toString(), Desktop.toString());
    EXPECT_EQ(Layout.family(), Desktop.family());
    EXPECT_EQ(QApplication::font().toString(), Desktop.toString());
    EXPECT_EQ(pWindow->font().toString(), Layout.toString());
    EXPECT_EQ(pBox->font().toString(), Layout.toString());

    QMessageBox Box;
    // Showing polishes a box, and only then it takes the font of its kind.
    Box.ensurePolished();
    EXPECT_EQ(Box.font().toString(), DesktopBoxFont.toString());
    const QWidget Later;
    EXPECT_EQ(Later.font().toString(), Desktop.toString());
    QApplication::setFont(Desktop, "QMessageBox");
}

} // namespace
