#include "ui/services/UserDialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(UserDialogsTest, LoneCarriageReturnsBecomeLineBreaks)
{
    const QString strPrompt = QStringLiteral("one") + QChar(13) + QStringLiteral("two\r\nthree\r");
    EXPECT_EQ(ToLineBreaks(strPrompt), QStringLiteral("one\ntwo\nthree\n"));
}

TEST(UserDialogsTest, FilterPairsBecomeQtFilters)
{
    EXPECT_EQ(ToQtFilter(QStringLiteral("Campaign (*.cam)|*.cam")), QStringLiteral("Campaign (*.cam)"));
    EXPECT_EQ(ToQtFilter(QStringLiteral("Campaign|*.cam|All|*")), QStringLiteral("Campaign (*.cam);;All (*)"));
}

} // namespace
