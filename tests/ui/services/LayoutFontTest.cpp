#include "ui/services/LayoutFont.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window made meanwhile keeps the layout font (the desktop's family), its
// boxes too; what is made afterwards has the desktop's fonts, the one it
// gives to message boxes included.
TEST(LayoutFontTest, OnlyWindowsMadeMeanwhileTakeTheLayoutFont)
{
    const QFont Desktop = QApplication::font();
    QFont BoxFont = Desktop;
    BoxFont.setItalic(true);
    QApplication::setFont(BoxFont, "QMessageBox");
    QWidget Window;
    QLineEdit* pBox = nullptr;
    QFont layout;
    {
        const LayoutFontWhileMaking Making;
        layout = QApplication::font();
        useLayoutFont(&Window);
        pBox = new QLineEdit(&Window);
    }
    QMessageBox Box;
    // Showing polishes a box, and only then it takes the font of its kind.
    Box.ensurePolished();
    const QWidget Later;
    EXPECT_TRUE(layout != Desktop && layout.family() == Desktop.family());
    EXPECT_EQ(QStringList({QApplication::font().toString(), Window.font().toString(), pBox->font().toString(),
                           Box.font().toString(), Later.font().toString()}),
              QStringList({Desktop.toString(), layout.toString(), layout.toString(), BoxFont.toString(),
                           Desktop.toString()}));
    QApplication::setFont(Desktop, "QMessageBox");
}

} // namespace
