#include "tests/ui/main/CampaignWindow.h"

namespace {

TEST_F(CampaignWindowTest, DescriptionTakesLettersAndDigitsAndNeverStaysEmpty)
{
    TextBox* pBox = Child<TextBox>("txtDescription");
    QTest::keyClicks(pBox, QStringLiteral(". -"));
    EXPECT_EQ(pBox->Text(), QStringLiteral("new"));
    Type(pBox, QStringLiteral("ab"));
    QTest::keyClick(pBox, Qt::Key_Backspace);
    EXPECT_TRUE(Doc.Description() == "a" && Dialogs.MsgBoxes.empty());
    QTest::keyClick(pBox, Qt::Key_Backspace);
    EXPECT_EQ(pBox->Text(), QStringLiteral("a"));
    const QString strWarning =
        "Campaign Editor|48|Invalid Description " + CR() + "Descriptione is reset to its previous value";
    EXPECT_EQ(LastBox(), strWarning);

    // A file without a description warns once while it is shown, and stays empty.
    Doc.SetDescription("");
    WriteBytes(Path("bare.cam"), FileOf(Doc));
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {Path("bare.cam")};
    Menu("mnuFileOpen");
    EXPECT_TRUE(Dialogs.MsgBoxes.size() == 3 && LastBox() == strWarning && pBox->Text().isEmpty());
}

TEST_F(CampaignWindowTest, StartingPrestigeIsCheckedAsTypedAndStoredOnLeaving)
{
    TextBox* pBox = Child<TextBox>("txtPrestige");
    Leave("txtPrestige", QStringLiteral("1x00"));
    EXPECT_EQ(Doc.Prestige(), 100);
    Type(pBox, QStringLiteral("70000"));
    EXPECT_EQ(pBox->Text(), QStringLiteral("100"));
    const QString strLines[] = {"Invalid Starting Prestige value (70000)", "Value ranges from 0 to 65535",
                                "Starting Prestige is reset to its previous value"};
    EXPECT_EQ(LastBox(), "Campaign Editor|48|" + strLines[0] + CR() + strLines[1] + CR() + strLines[2]);
    Leave("txtPrestige", QStringLiteral("00012"));
    EXPECT_TRUE(Doc.Prestige() == 12 && pBox->Text() == QStringLiteral("00012"));
    Window.Update(-1);
    EXPECT_EQ(pBox->Text(), QStringLiteral("12"));
    pBox->selectAll();
    QTest::keyClick(pBox, Qt::Key_Delete);
    EXPECT_EQ(pBox->Text(), QStringLiteral("0"));

    // A number still being typed is not part of the document a menu command saves.
    MakeChain(Doc, 1);
    Type(pBox, QStringLiteral("999"));
    Dialogs.Files = {Path("p.cam")};
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes(Path("p.cam")).mid(2, 2), QByteArray("\x0c\x00", 2));
    EXPECT_EQ(pBox->Text(), QStringLiteral("12"));
}

TEST_F(CampaignWindowTest, NationFollowsTheChoiceAndTheFile)
{
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    QTest::keyClick(Child("cmbNation"), Qt::Key_Down);
    EXPECT_EQ(Doc.Nation(), 2);
    clsCampaign American;
    American.SetNation(3);
    WriteBytes(Path("usa.cam"), FileOf(American));
    Dialogs.Answers = {MsgBoxAnswer::No};
    Dialogs.Files = {Path("usa.cam")};
    Menu("mnuFileOpen");
    EXPECT_EQ(Child<QComboBox>("cmbNation")->currentText(), QStringLiteral("U.S.A"));
}

} // namespace
