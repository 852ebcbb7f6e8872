#include "ui/about/frmAbout.h"
#include "ui/services/AppIdentity.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The box shows the identity it is given; Enter and Esc both close it.
TEST(frmAboutTest, ShowsItsIdentityAndClosesWithEnterOrEsc)
{
    for (const Qt::Key intKey : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout Box(AppIdentity{"Test Title", 1, 10, 3, "Comments here"});
        QStringList strTexts{Box.windowTitle()};
        for (const char* strName : {"lblTitle", "lblVersion", "lblDescription"}) {
            strTexts << Box.findChild<QLabel*>(strName)->text();
        }
        EXPECT_EQ(strTexts.join('|').toStdString(),
                  "About Test Title|Test Title|Version 1.10.3 (Last Update: 04 Jan 1999)|Comments here");
        QTimer::singleShot(0, &Box, [&Box, intKey] {
            QTest::keyClick(&Box, intKey);
            Box.hide(); // a box left open ends Rejected instead of hanging
        });
        EXPECT_EQ(Box.exec(), QDialog::Accepted) << intKey;
    }
}

} // namespace
