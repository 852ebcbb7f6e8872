#include "tests/ui/main/CampaignWindow.h"

namespace {

TEST_F(CampaignWindowTest, AddChangeRemoveAndRemoveAllKeepSlotsAndSelection)
{
    QString strSeen;
    AddScenario(QStringLiteral("new"), {});
    EXPECT_EQ(Lines("lstScenario"), QStringList({"#000 new"}));
    EXPECT_TRUE(List()->ListIndex() == -1 && On("cmdRemoveAll") && !On("cmdChange") && Doc.Changed());
    Doc.SetChanged(false);
    const QStringList strBefore = State();
    InDialog([this] { Click("cmdAdd"); }, [&] { Type(DialogBox(QStringLiteral("txtScenario")), QStringLiteral("x")); },
             false);
    EXPECT_EQ(State(), strBefore);

    AddScenario(QStringLiteral("b"), {});
    InDialog([this] { Click("cmdAdd"); }, [&] { Type(DialogBox(QStringLiteral("txtNumber")), QStringLiteral("3")); });
    InDialog([this] { Click("cmdAdd"); }, [&] { strSeen = DialogBox(QStringLiteral("txtNumber"))->Text(); });
    EXPECT_EQ(strSeen, QStringLiteral("2"));
    EXPECT_EQ(Lines("lstScenario"), QStringList({"#000 new", "#001 b", "#002 new", "#003 new"}));

    // Slot 3 moves to 7; the selection keeps its position.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(3)).center());
    EXPECT_TRUE(On("cmdChange") && On("cmdRemove"));
    InDialog([this] { Click("cmdChange"); },
             [&] { Type(DialogBox(QStringLiteral("txtNumber")), QStringLiteral("7")); });
    EXPECT_EQ(Lines("lstScenario"), QStringList({"#000 new", "#001 b", "#002 new", "#007 new"}));
    EXPECT_TRUE(List()->ListIndex() == 3 && Doc.Scenarios(3).Number() == -1 && Doc.Scenarios(7).Number() == 7);

    // A double click opens the line's scenario; Cancel keeps the line selected.
    const QPoint Second = List()->visualItemRect(List()->item(1)).center();
    InDialog(
        [&] {
            QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Second);
            QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, Second);
        },
        [&] { strSeen = DialogBox(QStringLiteral("txtScenario"))->Text(); }, false);
    EXPECT_TRUE(strSeen == QStringLiteral("b") && List()->ListIndex() == 1);

    List()->SetListIndex(2);
    Click("cmdRemove");
    EXPECT_EQ(Lines("lstScenario"), QStringList({"#000 new", "#001 b", "#007 new"}));
    EXPECT_EQ(List()->ListIndex(), 1);
    List()->SetListIndex(0);
    Click("cmdRemove");
    EXPECT_TRUE(List()->ListIndex() == -1 && !On("cmdChange") && !On("cmdRemove") && Doc.NextFreeScenario() == 0);

    Type(Child<TextBox>("txtDescription"), QStringLiteral("keep"));
    Doc.SetChanged(false);
    Click("cmdRemoveAll");
    EXPECT_EQ(State().mid(1, 5), QStringList({"keep", "0", "Germany", "", ""}));
    EXPECT_TRUE(Doc.Changed() && On("cmdAdd") && !On("cmdRemoveAll"));
}

TEST_F(CampaignWindowTest, AddIsOffWhileAllFiftySlotsAreUsed)
{
    MakeChain(Doc, 50);
    Window.Update(2);
    EXPECT_TRUE(List()->ListIndex() == 2 && On("cmdChange") && On("cmdRemove") && !On("cmdAdd"));
    Click("cmdRemove");
    EXPECT_TRUE(On("cmdAdd") && Lines("lstScenario").at(2) == QStringLiteral("#003 s3"));
}

TEST_F(CampaignWindowTest, CheckAndARefusedSaveListTheMessagesUntilClear)
{
    Click("cmdCheck");
    EXPECT_EQ(LastBox(), QStringLiteral("Integrity Check|48|Integrity Check Failed"));
    EXPECT_EQ(Lines("lstError"),
              QStringList({"Victory Scenario (254) not referenced", "Defeat Scenario (255) not referenced"}));
    MakeChain(Doc, 2);
    Click("cmdCheck");
    EXPECT_EQ(LastBox(), QStringLiteral("Integrity Check|64|Integrity Check Passed"));
    EXPECT_TRUE(Lines("lstError").isEmpty() && On("cmdClear"));
    Click("cmdClear");
    EXPECT_FALSE(On("cmdClear"));

    Doc.Scenarios(1).SetResultScenario(0, 5);
    Menu("mnuFileSave");
    EXPECT_EQ(Lines("lstError"), QStringList({"Scenario 5 referenced but not found"}));
    EXPECT_EQ(LastBox(), QStringLiteral("Save Campaign|48|Integrity Check Failed. Save Operation Aborted"));
    EXPECT_TRUE(On("cmdClear") && Dialogs.FileDialogs.empty());
}

} // namespace
