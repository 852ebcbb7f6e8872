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

std::vector<NumberBox> numberBoxes()
{
    std::vector<NumberBox> Boxes{{"numberEdit", {"0", "49"}, {"50", "99"},
                                  "Scenario|48|Invalid Number value (%1)\rNumber is reset to its previous value",
                                  [](S& s, int32_t n) { s.setNumber(n); }}};
    const std::pair<QString, void (S::*)(int32_t)> Words[] = {{"Enemy Prestige", &S::setPrestige},
                                                               {"First Unknown", &S::setFirstUnknown},
                                                               {"Second Unknown", &S::setSecondUnknown},
                                                               {"Third Unknown", &S::setThirdUnknown}};
    for (const auto& [strWord, Set] : Words) {
        QString name = QString(strWord).remove("Enemy ").remove(' ');
        name[0] = name[0].toLower();
        Boxes.push_back({name + "Edit", {"65535"}, {"65536", "99999"},
                         strWordWarning.arg("Scenario", strWord, "%1", strWord),
                         [Set = Set](S& s, int32_t n) { (s.*Set)(n); }});
    }
    const QStringList strOutcomes{"Brilliant Victory", "Victory", "Minor Victory", "Defeat"};
    for (int16_t intI = 0; intI < 4; ++intI) {
        const QString &strOutcome = strOutcomes[intI], strI = QString::number(intI);
        Boxes.push_back({"resultScenarioEdit" + strI, {"0", "49", "254", "255"}, {"50", "050", "253", "256"},
                         strGoToWarning.arg(strOutcome, "%1"),
                         [intI](S& s, int32_t n) { s.setResultScenario(intI, n); }});
        Boxes.push_back({"resultPrestigeEdit" + strI, {"65535"}, {"65536"},
                         strWordWarning.arg("Result", strOutcome + " Prestige", "%1", strOutcome),
                         [intI](S& s, int32_t n) { s.setResultPrestige(intI, n); }});
    }
    return Boxes;
}

// Scenarios 3 "alpha" and 5 "bravo" are stored in the campaign; in alpha
// every number field holds a value of its own, all of them good go-tos.
class ScenarioDialogTest : public ProgramTest {
protected:
    void SetUp() override
    {
        S& Alpha = Doc.scenarios(3);
        int32_t lngValue = 3;
        for (const NumberBox& row : numberBoxes()) {
            row.Set(Alpha, lngValue++);
        }
        Alpha.setName("alpha");
        Doc.scenarios(5).setNumber(5);
        Doc.scenarios(5).setName("bravo");
        // Like a real message box, each warning takes the activation away
        // from the dialog and gives it back.
        Dialogs.WhileOpen = [this](const RecordedMsgBox&) {
            strTitleWhileOpen = Dialog.windowTitle();
            EXPECT_TRUE(reactivate(&Dialog));
        };
    }

    void open(const S& Record)
    {
        Dialog.scenario().copy(Record);
        Dialog.refresh();
        Dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    }
    // The main window has boxes of the same names.
    TextBox* box(const QString& strName) const { return Dialog.findChild<TextBox*>(strName); }
    QString text(const QString& strName) const { return box(strName)->currentText(); }
    QString allTexts() const
    {
        QStringList strTexts;
        for (const TextBox* txt : Dialog.findChildren<TextBox*>()) {
            strTexts += txt->currentText();
        }
        return strTexts.join('|');
    }
    void click(const char* strButton) { QTest::mouseClick(child(strButton), Qt::LeftButton); }
    QString typed(const QString& strName, const QString& strKeys)
    {
        type(box(strName), strKeys);
        return text(strName);
    }

    QString strTitleWhileOpen;
};

// Update fills every box and the title follows the name box; Copy takes the
// boxes as shown, and Paste, on in a later showing, keeps the own number.
TEST_F(ScenarioDialogTest, UpdateFillsTheBoxesTheTitleFollowsTheNameAndCopyPasteKeepTheNumber)
{
    EXPECT_FALSE(child("pasteButton")->isEnabled());
    open(Doc.scenarios(3));
    type(box("prestigeEdit"), "999");
    type(box("resultTextEdit0"), "won");
    click("copyButton");
    click("cancelButton");
    open(Doc.scenarios(5));
    EXPECT_EQ(QApplication::focusWidget(), box("scenarioEdit"));
    EXPECT_EQ(allTexts(), "bravo|5|0|||0||0|0" + QString("|0|0|||").repeated(4));
    EXPECT_EQ(typed("scenarioEdit", "abc"), "abc");
    EXPECT_EQ(Dialog.windowTitle(), "Scenario Data - abc");
    EXPECT_EQ(typed("scenarioEdit", "\b"), "bravo");
    EXPECT_EQ(Dialogs.takeMessages(), QStringList{strNameWarning});
    EXPECT_EQ(strTitleWhileOpen, "Scenario Data - abc");
    EXPECT_EQ(Dialog.windowTitle(), "Scenario Data - bravo");

    Dialog.scenario().setName("");
    Dialog.scenario().setPrestige(70000);
    Dialog.scenario().setResultScenario(1, 100);
    Dialog.refresh();
    EXPECT_EQ(Dialogs.takeMessages(),
              QStringList({strNameWarning, strWordWarning.arg("Scenario", "Enemy Prestige", "70000", "Enemy Prestige"),
                           strGoToWarning.arg("Victory", "100")}));
    EXPECT_EQ(text("scenarioEdit") + "|" + text("prestigeEdit") + "|" + text("resultScenarioEdit1"), "|70000|100");

    click("pasteButton");
    EXPECT_EQ(text("numberEdit") + "|" + text("prestigeEdit") + "|" + text("resultTextEdit0") + "|" + Dialog.windowTitle(),
              "5|999|won|Scenario Data - alpha");
    EXPECT_FALSE(Dialog.changed());
}

// Each number box takes its good values and refuses its bad ones with a
// warning, keeping the focus and bringing back what it last committed;
// emptied it shows a 0 the next digits replace; leaving it commits its value
// into its own field. The name goes in on leaving, the file names with OK only.
// (The monkey checks the filters and limits of typed and pasted keys.)
TEST_F(ScenarioDialogTest, EveryBoxFiltersChecksAndReachesTheRecordAtItsTime)
{
    open(Doc.scenarios(3));
    S expected = Doc.scenarios(3);
    int32_t lngCommitted = 20;
    for (const NumberBox& row : numberBoxes()) {
        SCOPED_TRACE(row.strBox.toStdString());
        TextBox* pBox = box(row.strBox);
        const QString strStored = pBox->currentText();
        for (const QString& strS : row.strGood) {
            EXPECT_EQ(typed(row.strBox, strS), strS);
        }
        for (const QString& strS : row.strBad) {
            EXPECT_EQ(typed(row.strBox, strS), strStored);
            const QString strWarning = QString(row.strWarning).replace("%1", QString::number(strS.toInt()));
            EXPECT_EQ(Dialogs.takeMessages(), QStringList{strWarning});
            EXPECT_EQ(QApplication::focusWidget(), pBox);
        }
        // Emptied key by key, it shows a 0 the next digits replace.
        QTest::keyClick(pBox, Qt::Key_End);
        QTest::keyClicks(pBox, QString(5, '\b') + row.strGood.last());
        EXPECT_EQ(pBox->currentText(), row.strGood.last());
        // A value of the row's own, so a box committed into another's field shows.
        type(pBox, QString::number(++lngCommitted) + '\t');
        row.Set(expected, lngCommitted);
        EXPECT_EQ(typed(row.strBox, row.strBad.first()), QString::number(lngCommitted));
        EXPECT_EQ(Dialogs.takeMessages().size(), 1);
    }
    type(box("scenarioEdit"), "abcD9xyz");
    EXPECT_TRUE(Dialogs.takeMessages().isEmpty());
    box("numberEdit")->setFocus();
    expected.setName("abcD9xyz");
    EXPECT_EQ(Dialog.scenario(), expected);
    // OK writes every box: filled again from the record, none changes.
    const QString strShown = allTexts();
    click("okButton");
    Dialog.refresh();
    EXPECT_EQ(allTexts(), strShown);
}

TEST_F(ScenarioDialogTest, DuplicateNumberIsRefusedOnLeavingTheBoxAndOnEnter)
{
    open(Doc.scenarios(5));
    // The warnings, then the text the number box shows.
    const auto Leave = [this](const char* strS, Qt::Key Key) {
        type(box("numberEdit"), strS);
        QTest::keyClick(box("numberEdit"), Key);
        return Dialogs.takeMessages() << text("numberEdit");
    };
    EXPECT_EQ(Leave("03", Qt::Key_Tab), QStringList({strTakenWarning.arg(3), "5"}));
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList{"5"});
    EXPECT_EQ(Leave("07", Qt::Key_Tab), QStringList{"07"});
    EXPECT_EQ(Dialog.scenario().number(), 7);
    // Slot 5 still holds this scenario in the campaign, so 5 is taken now.
    EXPECT_EQ(Leave("5", Qt::Key_Tab), QStringList({strTakenWarning.arg(5), "7"}));

    EXPECT_EQ(Leave("3", Qt::Key_Return), QStringList({strTakenWarning.arg(3), "7"}));
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_FALSE(Dialog.changed());
    EXPECT_EQ(Leave("08", Qt::Key_Return), QStringList{"08"});
    EXPECT_TRUE(Dialog.changed());
    EXPECT_EQ(Dialog.scenario().number(), 8);
}

} // namespace
