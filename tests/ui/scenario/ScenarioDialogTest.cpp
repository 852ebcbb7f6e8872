#include "tests/ui/support/ProgramTest.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>

#include <functional>
#include <utility>
#include <vector>

namespace {

using S = Scenario;

// Warnings as "title|style|prompt", the prompt exactly as built.
const QString strNameWarning = "Scenario|48|Invalid Scenario name value\r Scenario is reset to its previous name";
const QString strTakenWarning = "Scenario|48|Number Already Exists (%1)\rNumber is reset to its previous value";
const QString strWordWarning =
    "%1|48|Invalid %2 value (%3)\rValue ranges from 0 to 65535\r%4 is reset to its previous value";
const QString strGoToWarning = "Result|48|Invalid %1 Go To value(%2)\rValue ranges from 0 to 49. Special values are "
                               "254 (Campaign Victory)and 255 (Campaign Loss)\r%1 Go To is reset to its previous value";

// A number box of the dialog: the values it takes and refuses (%1 in the
// warning stands for the refused number) and the field of the record it goes into.
struct NumberBox {
    QString strBox;
    QStringList strGood;
    QStringList strBad;
    QString strWarning;
    std::function<void(S&, int32_t)> Set;
};

std::vector<NumberBox> NumberBoxes()
{
    std::vector<NumberBox> Boxes{{"txtNumber", {"0", "49"}, {"50", "99"},
                                  "Scenario|48|Invalid Number value (%1)\rNumber is reset to its previous value",
                                  [](S& s, int32_t n) { s.SetNumber(n); }}};
    const std::pair<QString, void (S::*)(int32_t)> Words[] = {{"Enemy Prestige", &S::SetPrestige},
                                                               {"First Unknown", &S::SetFirstUnknown},
                                                               {"Second Unknown", &S::SetSecondUnknown},
                                                               {"Third Unknown", &S::SetThirdUnknown}};
    for (const auto& [strWord, Set] : Words) {
        Boxes.push_back({"txt" + QString(strWord).remove("Enemy ").remove(' '), {"65535"}, {"65536", "99999"},
                         strWordWarning.arg("Scenario", strWord, "%1", strWord),
                         [Set = Set](S& s, int32_t n) { (s.*Set)(n); }});
    }
    const QStringList strOutcomes{"Brilliant Victory", "Victory", "Minor Victory", "Defeat"};
    for (int16_t intI = 0; intI < 4; ++intI) {
        const QString &strOutcome = strOutcomes[intI], strI = QString::number(intI);
        Boxes.push_back({"txtResultScenario" + strI, {"0", "49", "254", "255"}, {"50", "050", "253", "256"},
                         strGoToWarning.arg(strOutcome, "%1"),
                         [intI](S& s, int32_t n) { s.SetResultScenario(intI, n); }});
        Boxes.push_back({"txtResultPrestige" + strI, {"65535"}, {"65536"},
                         strWordWarning.arg("Result", strOutcome + " Prestige", "%1", strOutcome),
                         [intI](S& s, int32_t n) { s.SetResultPrestige(intI, n); }});
    }
    return Boxes;
}

// Scenarios 3 "alpha" and 5 "bravo" are stored in the campaign; in alpha
// every number field holds a value of its own, all of them good go-tos.
class ScenarioDialogTest : public ProgramTest {
protected:
    void SetUp() override
    {
        S& Alpha = Doc.Scenarios(3);
        int32_t lngValue = 3;
        for (const NumberBox& row : NumberBoxes()) {
            row.Set(Alpha, lngValue++);
        }
        Alpha.SetName("alpha");
        Doc.Scenarios(5).SetNumber(5);
        Doc.Scenarios(5).SetName("bravo");
        // Like a real message box, each warning takes the activation away
        // from the dialog and gives it back.
        Dialogs.WhileOpen = [this](const RecordedMsgBox&) {
            strTitleWhileOpen = Dialog.windowTitle();
            EXPECT_TRUE(Reactivate(&Dialog));
        };
    }

    void Open(const S& Record)
    {
        Dialog.scenario().Copy(Record);
        Dialog.Update();
        Dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    }
    // The main window has boxes of the same names.
    TextBox* Box(const QString& strName) const { return Dialog.findChild<TextBox*>(strName); }
    QString Text(const QString& strName) const { return Box(strName)->Text(); }
    QString AllTexts() const
    {
        QStringList strTexts;
        for (const TextBox* txt : Dialog.findChildren<TextBox*>()) {
            strTexts += txt->Text();
        }
        return strTexts.join('|');
    }
    void Click(const char* strButton) { QTest::mouseClick(Child(strButton), Qt::LeftButton); }
    QString Typed(const QString& strName, const QString& strKeys)
    {
        type(Box(strName), strKeys);
        return Text(strName);
    }

    QString strTitleWhileOpen;
};

// Update fills every box and the title follows the name box; Copy takes the
// boxes as shown, and Paste, on in a later showing, keeps the own number.
TEST_F(ScenarioDialogTest, UpdateFillsTheBoxesTheTitleFollowsTheNameAndCopyPasteKeepTheNumber)
{
    EXPECT_FALSE(Child("cmdPaste")->isEnabled());
    Open(Doc.Scenarios(3));
    type(Box("txtPrestige"), "999");
    type(Box("txtResultText0"), "won");
    Click("cmdCopy");
    Click("cmdCancel");
    Open(Doc.Scenarios(5));
    EXPECT_EQ(QApplication::focusWidget(), Box("txtScenario"));
    EXPECT_EQ(AllTexts(), "bravo|5|0|||0||0|0" + QString("|0|0|||").repeated(4));
    EXPECT_EQ(Typed("txtScenario", "abc"), "abc");
    EXPECT_EQ(Dialog.windowTitle(), "Scenario Data - abc");
    EXPECT_EQ(Typed("txtScenario", "\b"), "bravo");
    EXPECT_EQ(Dialogs.TakeMessages(), QStringList{strNameWarning});
    EXPECT_EQ(strTitleWhileOpen, "Scenario Data - abc");
    EXPECT_EQ(Dialog.windowTitle(), "Scenario Data - bravo");

    Dialog.scenario().SetName("");
    Dialog.scenario().SetPrestige(70000);
    Dialog.scenario().SetResultScenario(1, 100);
    Dialog.Update();
    EXPECT_EQ(Dialogs.TakeMessages(),
              QStringList({strNameWarning, strWordWarning.arg("Scenario", "Enemy Prestige", "70000", "Enemy Prestige"),
                           strGoToWarning.arg("Victory", "100")}));
    EXPECT_EQ(Text("txtScenario") + "|" + Text("txtPrestige") + "|" + Text("txtResultScenario1"), "|70000|100");

    Click("cmdPaste");
    EXPECT_EQ(Text("txtNumber") + "|" + Text("txtPrestige") + "|" + Text("txtResultText0") + "|" + Dialog.windowTitle(),
              "5|999|won|Scenario Data - alpha");
    EXPECT_FALSE(Dialog.Changed());
}

// Each number box takes its good values and refuses its bad ones with a
// warning, keeping the focus and bringing back what it last committed;
// emptied it shows a 0 the next digits replace; leaving it commits its value
// into its own field. The name goes in on leaving, the file names with OK only.
// (The monkey checks the filters and limits of typed and pasted keys.)
TEST_F(ScenarioDialogTest, EveryBoxFiltersChecksAndReachesTheRecordAtItsTime)
{
    Open(Doc.Scenarios(3));
    S expected = Doc.Scenarios(3);
    int32_t lngCommitted = 20;
    for (const NumberBox& row : NumberBoxes()) {
        SCOPED_TRACE(row.strBox.toStdString());
        TextBox* pBox = Box(row.strBox);
        const QString strStored = pBox->Text();
        for (const QString& strS : row.strGood) {
            EXPECT_EQ(Typed(row.strBox, strS), strS);
        }
        for (const QString& strS : row.strBad) {
            EXPECT_EQ(Typed(row.strBox, strS), strStored);
            const QString strWarning = QString(row.strWarning).replace("%1", QString::number(strS.toInt()));
            EXPECT_EQ(Dialogs.TakeMessages(), QStringList{strWarning});
            EXPECT_EQ(QApplication::focusWidget(), pBox);
        }
        // Emptied key by key, it shows a 0 the next digits replace.
        QTest::keyClick(pBox, Qt::Key_End);
        QTest::keyClicks(pBox, QString(5, '\b') + row.strGood.last());
        EXPECT_EQ(pBox->Text(), row.strGood.last());
        // A value of the row's own, so a box committed into another's field shows.
        type(pBox, QString::number(++lngCommitted) + '\t');
        row.Set(expected, lngCommitted);
        EXPECT_EQ(Typed(row.strBox, row.strBad.first()), QString::number(lngCommitted));
        EXPECT_EQ(Dialogs.TakeMessages().size(), 1);
    }
    type(Box("txtScenario"), "abcD9xyz");
    EXPECT_TRUE(Dialogs.TakeMessages().isEmpty());
    Box("txtNumber")->setFocus();
    expected.SetName("abcD9xyz");
    EXPECT_EQ(Dialog.scenario(), expected);
    // OK writes every box: filled again from the record, none changes.
    const QString strShown = AllTexts();
    Click("cmdOK");
    Dialog.Update();
    EXPECT_EQ(AllTexts(), strShown);
}

TEST_F(ScenarioDialogTest, DuplicateNumberIsRefusedOnLeavingTheBoxAndOnEnter)
{
    Open(Doc.Scenarios(5));
    // The warnings, then the text the number box shows.
    const auto Leave = [this](const char* strS, Qt::Key Key) {
        type(Box("txtNumber"), strS);
        QTest::keyClick(Box("txtNumber"), Key);
        return Dialogs.TakeMessages() << Text("txtNumber");
    };
    EXPECT_EQ(Leave("03", Qt::Key_Tab), QStringList({strTakenWarning.arg(3), "5"}));
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList{"5"});
    EXPECT_EQ(Leave("07", Qt::Key_Tab), QStringList{"07"});
    EXPECT_EQ(Dialog.scenario().Number(), 7);
    // Slot 5 still holds this scenario in the campaign, so 5 is taken now.
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList({strTakenWarning.arg(5), "7"}));

    EXPECT_EQ(Leave("3", Qt::Key_Return), QStringList({strTakenWarning.arg(3), "7"}));
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_FALSE(Dialog.Changed());
    EXPECT_EQ(Leave("08", Qt::Key_Return), QStringList{"08"});
    EXPECT_TRUE(Dialog.Changed());
    EXPECT_EQ(Dialog.scenario().Number(), 8);
}

} // namespace
