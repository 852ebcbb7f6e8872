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
    const QFont desktop = QApplication::font();
    QFont boxFont = desktop;
    boxFont.setItalic(true);
    QApplication::setFont(boxFont, "QMessageBox");
    QWidget window;
    QLineEdit* lineEdit = nullptr;
    QFont layout;
    {
        const LayoutFontWhileMaking making;
        layout = QApplication::font();
        useLayoutFont(&window);
        lineEdit = new QLineEdit(&window);
    }
    QMessageBox box;
    // Showing polishes a box, and only then it takes the font of its kind.
    box.ensurePolished();
    const QWidget later;
    EXPECT_TRUE(layout != desktop && layout.family() == desktop.family());
    EXPECT_EQ(QStringList({QApplication::font().toString(), window.font().toString(), lineEdit->font().toString(),
                           box.font().toString(), later.font().toString()}),
              QStringList(
                  {desktop.toString(), layout.toString(), layout.toString(), boxFont.toString(), desktop.toString()}));
    QApplication::setFont(desktop, "QMessageBox");
}

} // namespace
