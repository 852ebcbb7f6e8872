#include "ui/scenario/frmScenario.h"

#include "data/clsCampaign.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// One warning as the tests compare them: title, then the prompt's lines.
QStringList Warning(const QString& strTitle, const QStringList& strLines)
{
    return {strTitle + '|' + strLines.join(CR())};
}

QStringList GoToWarning(const QString& strOutcome, const QString& strValue)
{
    return Warning("Result",
                   {"Invalid " + strOutcome + " Go To value(" + strValue + ")",
                    "Value ranges from 0 to 49. Special values are 254 (Campaign Victory)and 255 (Campaign Loss)",
                    strOutcome + " Go To is reset to its previous value"});
}

QStringList RangeWarning(const QString& strTitle, const QString& strFirst, const QString& strLast)
{
    return Warning(strTitle, {strFirst, "Value ranges from 0 to 65535", strLast + " is reset to its previous value"});
}

// Scenarios 3 "alpha" and 5 "bravo" are stored in the campaign; the dialog
// edits copies of them. Each warning takes the activation away from the
// dialog and gives it back, as a real message box does.
class frmScenarioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const int16_t intI : {3, 5}) {
            clsScenario& Stored = Campaign.Scenarios(intI);
            Stored.SetNumber(intI);
            Stored.SetName(intI == 3 ? "alpha" : "bravo");
            Stored.SetText(intI == 3 ? "atext" : "btext");
            Stored.SetPrestige(100 + intI);
            Stored.SetFirstUnknown(1);
            Stored.SetSecondUnknown(2);
            Stored.SetThirdUnknown(3);
            Stored.SetResultScenario(2, 7);
        }
        dialog.SetCampaign(Campaign);
        Dialogs.WhileOpen = [this](const RecordedMsgBox&) {
            strTitleWhileOpen = dialog.windowTitle();
            if (dialog.isVisible()) {
                standIn.show();
                standIn.activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&standIn));
                standIn.hide();
                Activate();
            }
        };
    }

    void Open(const clsScenario& Record)
    {
        dialog.Scenario().Copy(Record);
        dialog.Update();
        dialog.show();
        Activate();
    }
    void Activate()
    {
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    TextBox* Box(const QString& strName) { return dialog.findChild<TextBox*>(strName); }
    QString Text(const QString& strName) { return Box(strName)->Text(); }
    QString Texts(const QStringList& strNames)
    {
        QStringList strTexts;
        for (const QString& strName : strNames) {
            strTexts += Text(strName);
        }
        return strTexts.join('|');
    }
    void Click(const char* strButton) { QTest::mouseClick(dialog.findChild<QPushButton*>(strButton), Qt::LeftButton); }
    // Clicks into the box, selects its whole text and types over it; gives
    // the text the box then shows.
    QString Type(const QString& strName, const QString& strKeys)
    {
        QTest::mouseClick(Box(strName), Qt::LeftButton);
        QTest::keyClick(Box(strName), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Box(strName), strKeys);
        return Text(strName);
    }
    QString Erase(const QString& strName) { return Type(strName, "\b"); }
    void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // The warnings shown since the last call.
    QStringList Warnings()
    {
        QStringList strShown;
        for (const RecordedMsgBox& Box : Dialogs.MsgBoxes) {
            EXPECT_EQ(Box.Style, MsgBoxStyle::Exclamation);
            strShown += Warning(Box.Title, Box.Prompt.split(CR()));
        }
        Dialogs.MsgBoxes.clear();
        return strShown;
    }

    ScriptedDialogs Dialogs;
    clsCampaign Campaign;
    frmScenario dialog{Dialogs};
    QWidget standIn;
    QString strTitleWhileOpen;
};

TEST_F(frmScenarioTest, NewScenarioOpensInTheFixedLayoutWithItsTabOrder)
{
    EXPECT_EQ(dialog.windowTitle(), "Campaign Scenario Data");
    EXPECT_EQ(dialog.minimumSize(), QSize(630, 371));
    EXPECT_EQ(dialog.maximumSize(), QSize(630, 371));
    EXPECT_EQ(Box("txtResultMovie3")->geometry(), QRect(488, 120, 81, 19));
    EXPECT_EQ(Box("txtResultMovie3")->parentWidget()->geometry(), QRect(16, 152, 593, 153));
    EXPECT_EQ(Box("txtResultScenario2")->toolTip(), "Type in next scenario for Minorl Victory");
    EXPECT_EQ(Box("txtPrestige")->accessibleName(), "Enemy prestige ?");
    EXPECT_EQ(Box("txtResultScenario0")->accessibleName(), "Brilliant victory Go to");
    EXPECT_EQ(Box("txtResultMovie3")->accessibleName(), "Defeat Movie file name");

    clsScenario Fresh;
    Fresh.Clear();
    Fresh.SetNumber(7);
    Fresh.SetName("new");
    Open(Fresh);
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - new");
    QStringList strNames;
    for (const TextBox* txt : dialog.findChildren<TextBox*>()) {
        strNames += txt->objectName();
    }
    EXPECT_EQ(Texts(strNames), "new|7|0|||0||0|0" + QString("|0|0|||").repeated(4));
    EXPECT_TRUE(Warnings().isEmpty());

    QStringList strOrder{"txtScenario", "txtAnimation", "txtVoice", "txtText", "txtPrestige", "txtSecondUnknown"};
    for (const char* strRow : {"0", "1", "2", "3"}) {
        for (const char* strColumn : {"Scenario", "Prestige", "Text", "Voice", "Movie"}) {
            strOrder += QString("txtResult") + strColumn + strRow;
        }
    }
    // Paste is left out of the order until the first Copy.
    strOrder += {"cmdOK", "cmdCancel", "cmdCopy", "txtNumber", "txtFirstUnknown", "txtThirdUnknown", "txtScenario"};
    QStringList strVisited;
    for (int intJ = 0; intJ < strOrder.size(); ++intJ) {
        strVisited += QApplication::focusWidget()->objectName();
        Tab();
    }
    EXPECT_EQ(strVisited, strOrder);
}

TEST_F(frmScenarioTest, NameBoxFiltersWarnsWhenEmptiedAndDrivesTheTitle)
{
    Open(Campaign.Scenarios(5));
    EXPECT_EQ(Type("txtScenario", "a. b-c_D9xyzQ"), "abcD9xyz");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - abcD9xyz");
    EXPECT_EQ(Erase("txtScenario"), "bravo");
    EXPECT_EQ(Warnings(),
              Warning("Scenario", {"Invalid Scenario name value", " Scenario is reset to its previous name"}));
    EXPECT_EQ(strTitleWhileOpen, "Scenario Data - abcD9xyz");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - bravo");
    EXPECT_EQ(QApplication::focusWidget(), Box("txtScenario"));

    Type("txtScenario", "Zulu");
    EXPECT_EQ(dialog.Scenario().Name(), "bravo");
    Tab();
    EXPECT_EQ(dialog.Scenario().Name(), "Zulu");
}

TEST_F(frmScenarioTest, NumericFieldsWarnAboveTheirRangeAndRestoreTheirOwnValue)
{
    Open(Campaign.Scenarios(3));
    EXPECT_EQ(Type("txtNumber", "50"), "3");
    EXPECT_EQ(Warnings(), Warning("Scenario", {"Invalid Number value (50)", "Number is reset to its previous value"}));
    EXPECT_EQ(Type("txtNumber", "49"), "49");
    EXPECT_EQ(Erase("txtNumber"), "0");
    EXPECT_EQ(Type("txtNumber", "1.2 3"), "12");

    const QStringList strFields{"Prestige", "FirstUnknown", "SecondUnknown", "ThirdUnknown"};
    const QStringList strWords{"Enemy Prestige", "First Unknown", "Second Unknown", "Third Unknown"};
    const QStringList strPrevious{"103", "1", "2", "3"};
    for (int intI = 0; intI < 4; ++intI) {
        const QString strBox = "txt" + strFields[intI];
        EXPECT_EQ(Type(strBox, "65535"), "65535");
        EXPECT_TRUE(Warnings().isEmpty());
        EXPECT_EQ(Type(strBox, "65536"), strPrevious[intI]);
        EXPECT_EQ(Warnings(), RangeWarning("Scenario", "Invalid " + strWords[intI] + " value (65536)", strWords[intI]));
        EXPECT_EQ(Type(strBox, "12345-6"), "12345");
        EXPECT_EQ(Erase(strBox), "0");
    }

    for (const char* strValid : {"0", "49", "254", "255"}) {
        EXPECT_EQ(Type("txtResultScenario0", strValid), strValid);
    }
    EXPECT_TRUE(Warnings().isEmpty());
    for (const char* strInvalid : {"50", "253", "256"}) {
        EXPECT_EQ(Type("txtResultScenario2", strInvalid), "7");
        EXPECT_EQ(Warnings(), GoToWarning("Minor Victory", strInvalid));
    }
    EXPECT_EQ(Type("txtResultScenario1", "050"), "0");
    EXPECT_EQ(Warnings(), GoToWarning("Victory", "50"));
    EXPECT_EQ(Text("txtResultScenario0"), "255");
    EXPECT_EQ(Erase("txtResultScenario0"), "0");

    EXPECT_EQ(Type("txtResultPrestige3", "65535"), "65535");
    EXPECT_EQ(Type("txtResultPrestige3", "65536"), "0");
    EXPECT_EQ(Warnings(), RangeWarning("Result", "Invalid Defeat Prestige value (65536)", "Defeat"));
    EXPECT_EQ(Type("txtResultPrestige3", "7"), "7");
    EXPECT_EQ(Erase("txtResultPrestige3"), "0");
    for (const char* strName : {"txtText", "txtResultText1", "txtResultVoice2", "txtResultMovie3"}) {
        EXPECT_EQ(Type(strName, "a.b c_12345678"), "abc12345");
    }
    EXPECT_TRUE(Warnings().isEmpty());
}

TEST_F(frmScenarioTest, NamesReachTheRecordOnOkOnlyNumbersOnLeavingTheirBox)
{
    Open(Campaign.Scenarios(5));
    for (const char* strName : {"txtText", "txtVoice", "txtAnimation", "txtResultText0", "txtResultMovie3"}) {
        Type(strName, "typed");
    }
    Type("txtPrestige", "007");
    EXPECT_EQ(dialog.Scenario().Prestige(), 105);
    Type("txtResultScenario1", "12");
    Type("txtResultPrestige0", "300");
    Type("txtNumber", "07");
    Tab();
    clsScenario Expected = Campaign.Scenarios(5);
    Expected.SetPrestige(7);
    Expected.SetResultScenario(1, 12);
    Expected.SetResultPrestige(0, 300);
    Expected.SetNumber(7);
    const clsScenario& Record = dialog.Scenario();
    EXPECT_EQ(Record, Expected);
    EXPECT_EQ(Text("txtPrestige"), "007");

    Click("cmdOK");
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(Record.Text() + Record.ResultText(0) + Record.ResultMovie(3), "typedtypedtyped");
    dialog.Update();
    EXPECT_FALSE(dialog.Changed());
    EXPECT_EQ(Texts({"txtNumber", "txtPrestige"}), "7|7");
}

TEST_F(frmScenarioTest, DuplicateNumberIsRefusedOnLeavingTheBoxAndOnEnter)
{
    Open(Campaign.Scenarios(5));
    const auto Duplicate = [](int intN) {
        return Warning("Scenario",
                       {QString("Number Already Exists (%1)").arg(intN), "Number is reset to its previous value"});
    };
    Type("txtNumber", "03");
    Tab();
    EXPECT_EQ(Warnings(), Duplicate(3));
    EXPECT_EQ(Text("txtNumber"), "5");
    Type("txtNumber", "5");
    Tab();
    Type("txtNumber", "7");
    Tab();
    EXPECT_TRUE(Warnings().isEmpty());
    EXPECT_EQ(dialog.Scenario().Number(), 7);
    // Slot 5 still holds this scenario in the campaign, so 5 is taken now.
    Type("txtNumber", "5");
    Tab();
    EXPECT_EQ(Warnings(), Duplicate(5));
    EXPECT_EQ(Text("txtNumber"), "7");
    EXPECT_EQ(dialog.Scenario().Number(), 7);

    Type("txtNumber", "3");
    QTest::keyClick(Box("txtNumber"), Qt::Key_Return);
    EXPECT_EQ(Warnings(), Duplicate(3));
    EXPECT_EQ(Text("txtNumber"), "7");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Changed());
    Type("txtNumber", "8");
    QTest::keyClick(Box("txtNumber"), Qt::Key_Return);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_EQ(dialog.Scenario().Number(), 8);
}

TEST_F(frmScenarioTest, EveryWayOutEndsTheModalShowingAndOnlyOkConfirms)
{
    const std::pair<std::function<void()>, bool> Ways[] = {
        {[this] { Click("cmdOK"); }, true},
        {[this] { QTest::keyClick(Box("txtVoice"), Qt::Key_Return); }, true},
        {[this] { Click("cmdCancel"); }, false},
        {[this] { QTest::keyClick(Box("txtVoice"), Qt::Key_Escape); }, false},
        {[this] { dialog.close(); }, false}};
    QTimer Guard;
    QObject::connect(&Guard, &QTimer::timeout, &dialog, [this] {
        ADD_FAILURE() << "the dialog stayed open";
        dialog.hide();
    });
    for (const auto& [Way, blnChanged] : Ways) {
        dialog.Scenario().Copy(Campaign.Scenarios(5));
        dialog.Update();
        QTimer::singleShot(0, &dialog, [this, Way = Way] {
            Activate();
            EXPECT_EQ(QApplication::focusWidget(), Box("txtScenario"));
            Type("txtVoice", "v1");
            Way();
        });
        Guard.start(5000);
        dialog.exec();
        Guard.stop();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Changed(), blnChanged);
        EXPECT_EQ(dialog.Scenario().Voice(), blnChanged ? "v1" : "");
    }
}

TEST_F(frmScenarioTest, CopyInOneUsePastesIntoTheNext)
{
    Open(Campaign.Scenarios(3));
    Type("txtPrestige", "999");
    Type("txtResultText0", "won");
    Click("cmdCopy");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdPaste");
    Click("cmdCancel");

    Open(Campaign.Scenarios(5));
    EXPECT_EQ(QApplication::focusWidget(), Box("txtScenario"));
    Type("txtVoice", "lost");
    Click("cmdPaste");
    EXPECT_EQ(Texts({"txtScenario", "txtText", "txtVoice", "txtPrestige", "txtResultText0", "txtNumber"}),
              "alpha|atext||999|won|5");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - alpha");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Changed());

    Click("cmdOK");
    EXPECT_EQ(dialog.Scenario().Number(), 5);
    EXPECT_EQ(dialog.Scenario().Name(), "alpha");
    EXPECT_EQ(dialog.Scenario().Prestige(), 999);
    EXPECT_EQ(Campaign.Scenarios(3).Prestige(), 103);
    EXPECT_TRUE(Warnings().isEmpty());
}

TEST_F(frmScenarioTest, StoredValuesOutOfRangeWarnOnceWhileFilling)
{
    Open(Campaign.Scenarios(5));
    clsScenario Odd = Campaign.Scenarios(5);
    Odd.SetName("");
    Odd.SetPrestige(70000);
    Odd.SetResultScenario(1, 100);
    dialog.Scenario().Copy(Odd);
    dialog.Update();
    EXPECT_EQ(Warnings(),
              Warning("Scenario", {"Invalid Scenario name value", " Scenario is reset to its previous name"}) +
                  RangeWarning("Scenario", "Invalid Enemy Prestige value (70000)", "Enemy Prestige") +
                  GoToWarning("Victory", "100"));
    EXPECT_EQ(Texts({"txtScenario", "txtPrestige", "txtResultScenario1"}), "|70000|100");
}

TEST_F(frmScenarioTest, LongNamesFromAFileShowWholeAndSurviveOk)
{
    clsScenario Read = Campaign.Scenarios(5);
    Read.SetName("LongName12\xE9");
    Read.SetResultMovie(2, "movie\xFF");
    Open(Read);
    EXPECT_EQ(Text("txtScenario"), QString::fromLatin1("LongName12\xE9"));
    Click("cmdOK");
    EXPECT_EQ(dialog.Scenario(), Read);
}

TEST_F(frmScenarioTest, PastedTextGoesThroughTheFiltersAndLimits)
{
    Open(Campaign.Scenarios(5));
    const auto Paste = [this](const char* strBox, const QString& strS) {
        QApplication::clipboard()->setText(strS);
        Type(strBox, "");
        QTest::keyClick(Box(strBox), Qt::Key_V, Qt::ControlModifier);
        return Text(strBox);
    };
    EXPECT_EQ(Paste("txtScenario", "ab.c d\u00e9ef-ghijk"), "abcdefgh");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - abcdefgh");
    EXPECT_EQ(Paste("txtResultVoice1", "x_y.mus"), "xymus");
    EXPECT_EQ(Paste("txtNumber", " 4-2x9"), "42");
    EXPECT_EQ(Paste("txtResultScenario0", "1.5"), "15");
    EXPECT_TRUE(Warnings().isEmpty());
    EXPECT_EQ(Paste("txtSecondUnknown", "99 999"), "2");
    EXPECT_EQ(Warnings(), RangeWarning("Scenario", "Invalid Second Unknown value (99999)", "Second Unknown"));
}

} // namespace
