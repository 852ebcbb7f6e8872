#include "ui/scenario/frmScenario.h"

#include "data/clsCampaign.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

// Warnings are compared as "style|title|prompt", the prompt exactly as built.
const QString strNameWarning = "48|Scenario|Invalid Scenario name value\r Scenario is reset to its previous name";
const QString strNumberWarning = "48|Scenario|Invalid Number value (%1)\rNumber is reset to its previous value";
const QString strTakenWarning = "48|Scenario|Number Already Exists (%1)\rNumber is reset to its previous value";
const QString strWordWarning =
    "48|%1|Invalid %2 value (%3)\rValue ranges from 0 to 65535\r%4 is reset to its previous value";
const QString strGoToWarning = "48|Result|Invalid %1 Go To value(%2)\rValue ranges from 0 to 49. Special values are "
                               "254 (Campaign Victory)and 255 (Campaign Loss)\r%1 Go To is reset to its previous value";

// Scenarios 3 "alpha" and 5 "bravo" are stored in the campaign; in alpha
// every number field holds a value of its own.
class frmScenarioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clsScenario& Alpha = Campaign.Scenarios(3);
        Alpha.SetNumber(3);
        Alpha.SetName("alpha");
        Alpha.SetPrestige(103);
        Alpha.SetFirstUnknown(1);
        Alpha.SetSecondUnknown(2);
        Alpha.SetThirdUnknown(3);
        for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
            Alpha.SetResultScenario(intI, 10 + intI);
            Alpha.SetResultPrestige(intI, 200 + intI);
        }
        Campaign.Scenarios(5).SetNumber(5);
        Campaign.Scenarios(5).SetName("bravo");
        dialog.SetCampaign(Campaign);
        // Like a real message box, each warning takes the activation away
        // from the dialog and gives it back.
        Dialogs.WhileOpen = [this](const RecordedMsgBox&) {
            strTitleWhileOpen = dialog.windowTitle();
            standIn.show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&standIn));
            standIn.hide();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        };
    }

    void Open(const clsScenario& Record)
    {
        dialog.Scenario().Copy(Record);
        dialog.Update();
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    TextBox* Box(const QString& strName) { return dialog.findChild<TextBox*>(strName); }
    QString Text(const QString& strName) { return Box(strName)->Text(); }
    QString AllTexts()
    {
        QStringList strTexts;
        for (const TextBox* txt : dialog.findChildren<TextBox*>()) {
            strTexts += txt->Text();
        }
        return strTexts.join('|');
    }
    void Click(const char* strButton) { QTest::mouseClick(dialog.findChild<QPushButton*>(strButton), Qt::LeftButton); }
    // Clicks into the box, selects its whole text and types over it.
    QString Type(const QString& strName, const QString& strKeys)
    {
        QTest::mouseClick(Box(strName), Qt::LeftButton);
        QTest::keyClick(Box(strName), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Box(strName), strKeys);
        return Text(strName);
    }
    // What the box keeps of the keys typed, then pasted with an "é" in front
    // (which QTest cannot type).
    QStringList Kept(const QString& strName, const QString& strKeys)
    {
        const QString strTyped = Type(strName, strKeys);
        QApplication::clipboard()->setText("\u00e9" + strKeys);
        Type(strName, "");
        QTest::keyClick(Box(strName), Qt::Key_V, Qt::ControlModifier);
        return {strTyped, Text(strName)};
    }
    // The warnings shown since the last call.
    QStringList Warnings()
    {
        QStringList strShown;
        for (const RecordedMsgBox& Shown : std::exchange(Dialogs.MsgBoxes, {})) {
            strShown += QString::number(Shown.Style) + '|' + Shown.Title + '|' + Shown.Prompt;
        }
        return strShown;
    }

    ScriptedDialogs Dialogs;
    clsCampaign Campaign;
    frmScenario dialog{Dialogs};
    QWidget standIn;
    QString strTitleWhileOpen;
};

TEST_F(frmScenarioTest, UpdateFillsTheBoxesInOrderAndTheTitleFollowsTheNameBox)
{
    EXPECT_EQ(Box("txtResultScenario2")->toolTip(), "Type in next scenario for Minorl Victory");
    EXPECT_FALSE(dialog.findChild<QPushButton*>("cmdPaste")->isEnabled());
    Open(Campaign.Scenarios(5));
    EXPECT_EQ(AllTexts(), "bravo|5|0|||0||0|0" + QString("|0|0|||").repeated(4));

    EXPECT_EQ(Type("txtScenario", "abc"), "abc");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - abc");
    EXPECT_EQ(Type("txtScenario", "\b"), "bravo");
    EXPECT_EQ(Warnings(), QStringList{strNameWarning});
    EXPECT_EQ(strTitleWhileOpen, "Scenario Data - abc");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - bravo");

    dialog.Scenario().SetName("");
    dialog.Scenario().SetPrestige(70000);
    dialog.Scenario().SetResultScenario(1, 100);
    dialog.Update();
    EXPECT_EQ(Warnings(),
              QStringList({strNameWarning, strWordWarning.arg("Scenario", "Enemy Prestige", "70000", "Enemy Prestige"),
                           strGoToWarning.arg("Victory", "100")}));
    EXPECT_EQ(Text("txtScenario") + "|" + Text("txtPrestige") + "|" + Text("txtResultScenario1"), "|70000|100");
}

TEST_F(frmScenarioTest, EveryBoxFiltersChecksAndReachesTheRecordAtItsTime)
{
    Open(Campaign.Scenarios(3));
    QStringList strNumeric;
    // Takes strGood; refuses strBad (%1 in the warning: the refused number)
    // and shows the record value again; cuts typed and pasted keys down;
    // turns empty into "0".
    const auto Check = [&](const QString& strBox, const QStringList& strGood, const QStringList& strBad,
                           const QString& strWarning, const QString& strKept) {
        SCOPED_TRACE(strBox.toStdString());
        strNumeric += strBox;
        const QString strStored = Text(strBox);
        for (const QString& strS : strGood) {
            EXPECT_EQ(Type(strBox, strS), strS);
        }
        for (const QString& strS : strBad) {
            EXPECT_EQ(Type(strBox, strS), strStored);
            EXPECT_EQ(Warnings(), QStringList{QString(strWarning).replace("%1", QString::number(strS.toInt()))});
            EXPECT_EQ(QApplication::focusWidget(), Box(strBox));
        }
        EXPECT_EQ(Kept(strBox, "2.5-5 x555"), QStringList(2, strKept));
        EXPECT_EQ(Type(strBox, "\b"), "0");
    };
    Check("txtNumber", {"0", "49"}, {"50", "99"}, strNumberWarning, "25");
    const QStringList strWords{"Enemy Prestige", "First Unknown", "Second Unknown", "Third Unknown"};
    const QStringList strOutcomes{"Brilliant Victory", "Victory", "Minor Victory", "Defeat"};
    for (int intI = 0; intI < 4; ++intI) {
        const QString &strWord = strWords[intI], &strOutcome = strOutcomes[intI], strI = QString::number(intI);
        Check("txt" + QString(strWord).remove("Enemy ").remove(' '), {"65535"}, {"65536", "99999"},
              strWordWarning.arg("Scenario", strWord, "%1", strWord), "25555");
        Check("txtResultScenario" + strI, {"0", "49", "254", "255"}, {"50", "050", "253", "256"},
              strGoToWarning.arg(strOutcome, "%1"), "255");
        Check("txtResultPrestige" + strI, {"65535"}, {"65536"},
              strWordWarning.arg("Result", strOutcome + " Prestige", "%1", strOutcome), "25555");
    }
    for (const TextBox* txt : dialog.findChildren<TextBox*>()) {
        if (!strNumeric.contains(txt->objectName())) {
            EXPECT_EQ(Kept(txt->objectName(), "a. b-c_{~D9xyzQ"), QStringList(2, "abcD9xyz"));
        }
    }
    EXPECT_EQ(Warnings(), QStringList());

    // The name and the numbers went in on leaving their boxes; the file
    // names go in with OK, which writes every box.
    clsScenario Expected;
    Expected.Clear();
    Expected.SetNumber(0);
    Expected.SetName("abcD9xyz");
    EXPECT_EQ(dialog.Scenario(), Expected);
    const QString strShown = AllTexts();
    Click("cmdOK");
    dialog.Update();
    EXPECT_EQ(AllTexts(), strShown);
}

// Every numeric box: the number box, the enemy prestige and the three further
// values, and each row's go-to and prestige.
QStringList NumericBoxes()
{
    QStringList strBoxes{"txtNumber", "txtPrestige", "txtFirstUnknown", "txtSecondUnknown", "txtThirdUnknown"};
    for (int intI = 0; intI < 4; ++intI) {
        strBoxes << "txtResultScenario" + QString::number(intI) << "txtResultPrestige" + QString::number(intI);
    }
    return strBoxes;
}

// Emptying a box puts "0" in it; the digits typed next replace it, whether
// the box was emptied over a selection or key by key from its end.
TEST_F(frmScenarioTest, TheZeroOfAnEmptiedBoxGivesWayToTheNextDigits)
{
    Open(Campaign.Scenarios(3));
    const std::function<void(TextBox*)> Empty[] = {
        [](TextBox* pBox) {
            QTest::keyClick(pBox, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(pBox, Qt::Key_Delete);
        },
        [](TextBox* pBox) {
            QTest::keyClick(pBox, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(pBox, Qt::Key_Backspace);
        },
        [](TextBox* pBox) {
            QTest::keyClick(pBox, Qt::Key_End);
            for (int intI = 0; intI < 5; ++intI) {
                QTest::keyClick(pBox, Qt::Key_Backspace);
            }
        }};
    for (const QString& strBox : NumericBoxes()) {
        const QString strDigits =
            strBox == "txtNumber" ? "34" : strBox.startsWith("txtResultScenario") ? "255" : "12345";
        for (const auto& EmptyBox : Empty) {
            SCOPED_TRACE(strBox.toStdString());
            QTest::mouseClick(Box(strBox), Qt::LeftButton);
            EmptyBox(Box(strBox));
            EXPECT_EQ(Text(strBox), "0");
            QTest::keyClicks(Box(strBox), strDigits);
            EXPECT_EQ(Text(strBox), strDigits);
        }
    }
    EXPECT_EQ(Warnings(), QStringList());
    Click("cmdOK");
    EXPECT_EQ(dialog.Scenario().Number(), 34);
    EXPECT_EQ(dialog.Scenario().ResultScenario(2), 255);
    EXPECT_EQ(dialog.Scenario().ThirdUnknown(), 12345);
}

// A refused value brings back what the box last committed on losing the
// focus, not what the dialog was opened with.
TEST_F(frmScenarioTest, ARestoreBringsBackTheLastCommittedValue)
{
    Open(Campaign.Scenarios(3));
    for (const QString& strBox : NumericBoxes()) {
        SCOPED_TRACE(strBox.toStdString());
        const bool blnNumber = strBox == "txtNumber";
        const bool blnGoTo = strBox.startsWith("txtResultScenario");
        const QString strCommitted = blnNumber ? "7" : blnGoTo ? "254" : "4321";
        Type(strBox, strCommitted);
        QTest::keyClick(Box(strBox), Qt::Key_Tab);
        Type(strBox, blnNumber ? "50" : blnGoTo ? "100" : "70000");
        EXPECT_EQ(Warnings().size(), 1);
        EXPECT_EQ(Text(strBox), strCommitted);
    }
}

TEST_F(frmScenarioTest, DuplicateNumberIsRefusedOnLeavingTheBoxAndOnEnter)
{
    Open(Campaign.Scenarios(5));
    // The warnings, then the text the number box shows.
    const auto Leave = [this](const char* strS, Qt::Key Key) {
        Type("txtNumber", strS);
        QTest::keyClick(Box("txtNumber"), Key);
        return Warnings() << Text("txtNumber");
    };
    EXPECT_EQ(Leave("03", Qt::Key_Tab), QStringList({strTakenWarning.arg(3), "5"}));
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList{"5"});
    EXPECT_EQ(Leave("07", Qt::Key_Tab), QStringList{"07"});
    EXPECT_EQ(dialog.Scenario().Number(), 7);
    // Slot 5 still holds this scenario in the campaign, so 5 is taken now.
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList({strTakenWarning.arg(5), "7"}));

    EXPECT_EQ(Leave("3", Qt::Key_Return), QStringList({strTakenWarning.arg(3), "7"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Changed());
    EXPECT_EQ(Leave("08", Qt::Key_Return), QStringList{"08"});
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(dialog.Scenario().Number(), 8);
}

TEST_F(frmScenarioTest, EveryWayOutHidesTheDialogAndOnlyOkConfirms)
{
    // Longer than the box allows, as a file may hold it: OK must keep it.
    clsScenario Read = Campaign.Scenarios(5);
    Read.SetName("LongName12\xE9");
    const std::pair<std::function<void()>, bool> Ways[] = {
        {[this] { Click("cmdOK"); }, true},
        {[this] { QTest::keyClick(Box("txtVoice"), Qt::Key_Return); }, true},
        {[this] { Click("cmdCancel"); }, false},
        {[this] { QTest::keyClick(Box("txtVoice"), Qt::Key_Escape); }, false},
        {[this] { dialog.close(); }, false}};
    for (const auto& [Way, blnChanged] : Ways) {
        Open(Read);
        EXPECT_EQ(QApplication::focusWidget(), Box("txtScenario"));
        Type("txtVoice", "v1");
        Way();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Changed(), blnChanged);
        clsScenario Expected = Read;
        Expected.SetVoice(blnChanged ? "v1" : "");
        EXPECT_EQ(dialog.Scenario(), Expected);
    }
}

TEST_F(frmScenarioTest, CopyTakesTheBoxesAndPasteKeepsTheOwnNumberInALaterUse)
{
    Open(Campaign.Scenarios(3));
    Type("txtPrestige", "999");
    Type("txtResultText0", "won");
    Click("cmdCopy");
    Click("cmdCancel");

    Open(Campaign.Scenarios(5));
    Type("txtVoice", "lost");
    Click("cmdPaste");
    EXPECT_EQ(Text("txtNumber") + "|" + Text("txtPrestige") + "|" + Text("txtResultText0") + "|" + Text("txtVoice"),
              "5|999|won|");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - alpha");
    EXPECT_FALSE(dialog.Changed());
}

} // namespace
