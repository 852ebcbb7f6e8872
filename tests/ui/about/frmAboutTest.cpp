#include "ui/about/frmAbout.h"
#include "ui/services/AppIdentity.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, ShowsTheIdentityItIsGivenInItsLayout)
{
    const frmAbout Box(AppIdentity{QStringLiteral("Test Title"), 1, 10, 3, QStringLiteral("Comments here")});
    QStringList strTexts;
    for (const char* strName : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        strTexts << Box.findChild<QLabel*>(strName)->text();
    }
    EXPECT_EQ(strTexts, QStringList({"Test Title", "Version 1.10.3 (Last Update: 04 Jan 1999)", "Comments here",
                                     "Please report any bug/suggestion to Marrowby at the following E.mail: "}));
    EXPECT_EQ(Box.windowTitle(), QStringLiteral("About Test Title"));
    EXPECT_TRUE(Box.findChild<QLabel*>("lblEmail")->text().contains('@'));
    EXPECT_EQ(Box.size(), QSize(382, 242));
    EXPECT_FALSE(Box.windowIcon().isNull());
    EXPECT_EQ(Box.findChild<QLabel*>("picIcon")->pixmap().size(), QSize(32, 32));
    const std::pair<const char*, QRect> Places[] = {
        {"picIcon", {16, 16, 36, 36}},         {"lblTitle", {70, 16, 259, 32}},   {"lblVersion", {70, 52, 259, 15}},
        {"lblDescription", {70, 75, 259, 78}}, {"Line1_1", {6, 163, 371, 1}},     {"Line1_0", {7, 164, 370, 2}},
        {"lblDisclaimer", {17, 175, 258, 28}}, {"lblEmail", {16, 208, 257, 25}}, {"cmdOK", {283, 208, 84, 23}}};
    for (const auto& [strName, Rect] : Places) {
        EXPECT_EQ(Box.findChild<QWidget*>(strName)->geometry(), Rect) << strName;
    }
}

TEST(frmAboutTest, EnterEscAndOkAllClose)
{
    for (const int intKey : {int(Qt::Key_Return), int(Qt::Key_Escape), 0}) {
        frmAbout Box(IronvaleIdentity());
        QTimer::singleShot(0, &Box, [&Box, intKey] {
            intKey != 0 ? QTest::keyClick(&Box, static_cast<Qt::Key>(intKey))
                        : QTest::mouseClick(Box.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            if (Box.isVisible()) {
                ADD_FAILURE() << "still open after key " << intKey;
                Box.done(QDialog::Rejected);
            }
        });
        EXPECT_EQ(Box.exec(), QDialog::Accepted);
    }
}

} // namespace
