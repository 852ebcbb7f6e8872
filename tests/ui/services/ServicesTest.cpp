#include "ui/services/ListBox.h"
#include "ui/services/UserDialogs.h"

#include <QTest>

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

TEST(ListBoxTest, ClickOnlyFromTheUserAndDataFollowsLines)
{
    ListBox list;
    int intClicks = 0;
    QObject::connect(&list, &ListBox::Click, [&] { ++intClicks; });
    list.AddItem(QStringLiteral("#000 a"), 0);
    list.AddItem(QStringLiteral("#003 b"), 3);
    list.SetListIndex(1);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.ItemData(1), 3);
    list.SetListIndex(-1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(intClicks, 0);

    list.resize(200, 100);
    list.show();
    const QRect rect = list.visualItemRect(list.item(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(intClicks, 1);
}

} // namespace
