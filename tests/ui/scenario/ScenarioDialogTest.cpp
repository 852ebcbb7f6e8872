#include "tests/ui/support/ProgramTest.h"

#include <QApplication>

#include <vector>

namespace {

// Warnings as "title|style|prompt", the prompt exactly as built.
const QString NameWarning = "Scenario|48|Invalid Scenario name value\r Scenario is reset to its previous name";
const QString TakenWarning = "Scenario|48|Number Already Exists (%1)\rNumber is reset to its previous value";
const QString WordWarning =
    "%1|48|Invalid %2 value (%3)\rValue ranges from 0 to 65535\r%4 is reset to its previous value";
const QString GoToWarning = "Result|48|Invalid %1 Go To value(%2)\rValue ranges from 0 to 49. Special values are "
                            "254 (Campaign Victory)and 255 (Campaign Loss)\r%1 Go To is reset to its previous value";

// A number box of the dialog: the values it takes and refuses (%1 in the
// warning stands for the refused number).
struct NumberBox {
    QString box;
    QStringList good;
    QStringList bad;
    QString warning;
};

std::vector<NumberBox> numberBoxes()
{
    std::vector<NumberBox> boxes{{"numberEdit",
                                  {"0", "49"},
                                  {"50", "99"},
                                  "Scenario|48|Invalid Number value (%1)\rNumber is reset to its previous value"}};
    for (const QString word : {"Enemy Prestige", "First Unknown", "Second Unknown", "Third Unknown"}) {
        QString name = QString(word).remove("Enemy ").remove(' ');
        name[0] = name[0].toLower();
        boxes.push_back({name + "Edit", {"65535"}, {"65536", "99999"}, WordWarning.arg("Scenario", word, "%1", word)});
    }
    const QStringList outcomes{"Brilliant Victory", "Victory", "Minor Victory", "Defeat"};
    for (int16_t i = 0; i < 4; ++i) {
        const QString &outcome = outcomes[i], iText = QString::number(i);
        boxes.push_back({"resultScenarioEdit" + iText,
                         {"0", "49", "254", "255"},
                         {"50", "050", "253", "256"},
                         GoToWarning.arg(outcome, "%1")});
        boxes.push_back({"resultPrestigeEdit" + iText,
                         {"65535"},
                         {"65536"},
                         WordWarning.arg("Result", outcome + " Prestige", "%1", outcome)});
    }
    return boxes;
}

// Scenarios 3 "alpha" and 5 "bravo" are stored in the campaign.
class ScenarioDialogTest : public ProgramTest {
protected:
    void SetUp() override
    {
        doc.scenarios(3).setNumber(3);
        doc.scenarios(3).setName("alpha");
        doc.scenarios(5).setNumber(5);
        doc.scenarios(5).setName("bravo");
        // Like a real message box, each warning takes the activation away
        // from the dialog and gives it back.
        dialogs.whileOpen = [this](const RecordedMsgBox&) {
            titleWhileOpen = dialog.windowTitle();
            EXPECT_TRUE(reactivate(&dialog));
        };
    }

    void open(const Scenario& record)
    {
        dialog.scenario().copy(record);
        dialog.refresh();
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // The main window has boxes of the same names.
    TextBox* box(const QString& name) const { return dialog.findChild<TextBox*>(name); }
    QString text(const QString& name) const { return box(name)->currentText(); }
    QString allTexts() const
    {
        QStringList texts;
        for (const TextBox* txt : dialog.findChildren<TextBox*>()) {
            texts += txt->currentText();
        }
        return texts.join('|');
    }
    void click(const char* button) { QTest::mouseClick(child(button), Qt::LeftButton); }
    QString typed(const QString& name, const QString& keys)
    {
        type(box(name), keys);
        return text(name);
    }

    QString titleWhileOpen;
};

// Update fills every box and the title follows the name box; Copy takes the
// boxes as shown, and Paste, on in a later showing, keeps the own number.
TEST_F(ScenarioDialogTest, UpdateFillsTheBoxesTheTitleFollowsTheNameAndCopyPasteKeepTheNumber)
{
    EXPECT_FALSE(child("pasteButton")->isEnabled());
    open(doc.scenarios(3));
    type(box("prestigeEdit"), "999");
    type(box("resultTextEdit0"), "won");
    click("copyButton");
    click("cancelButton");
    open(doc.scenarios(5));
    EXPECT_EQ(QApplication::focusWidget(), box("scenarioEdit"));
    EXPECT_EQ(allTexts(), "bravo|5|0|||0||0|0" + QString("|0|0|||").repeated(4));
    EXPECT_EQ(typed("scenarioEdit", "abc"), "abc");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - abc");
    EXPECT_EQ(typed("scenarioEdit", "\b"), "bravo");
    EXPECT_EQ(dialogs.takeMessages(), QStringList{NameWarning});
    EXPECT_EQ(titleWhileOpen, "Scenario Data - abc");
    EXPECT_EQ(dialog.windowTitle(), "Scenario Data - bravo");

    dialog.scenario().setName("");
    dialog.scenario().setPrestige(70000);
    dialog.scenario().setResultScenario(1, 100);
    dialog.refresh();
    EXPECT_EQ(dialogs.takeMessages(),
              QStringList({NameWarning, WordWarning.arg("Scenario", "Enemy Prestige", "70000", "Enemy Prestige"),
                           GoToWarning.arg("Victory", "100")}));
    EXPECT_EQ(text("scenarioEdit") + "|" + text("prestigeEdit") + "|" + text("resultScenarioEdit1"), "|70000|100");

    click("pasteButton");
    EXPECT_EQ(text("numberEdit") + "|" + text("prestigeEdit") + "|" + text("resultTextEdit0") + "|" +
                  dialog.windowTitle(),
              "5|999|won|Scenario Data - alpha");
    EXPECT_FALSE(dialog.changed());
}

// Each number box takes its good values and refuses its bad ones with a
// warning, keeping the focus and bringing back what it last committed;
// emptied it shows a 0 the next digits replace; leaving it commits its value
// into its own field, which the box shows when filled again. The name goes in
// on leaving. Every box takes typed letters and digits, a number box digits
// alone, up to its limit: 2 for the number, 3 for a go-to, 5 for another
// number, 8 for a name.
TEST_F(ScenarioDialogTest, EveryBoxFiltersChecksAndReachesTheRecordAtItsTime)
{
    open(doc.scenarios(3));
    int32_t committed = 20;
    QStringList numbers, typedValues;
    for (const NumberBox& row : numberBoxes()) {
        SCOPED_TRACE(row.box.toStdString());
        numbers << row.box;
        TextBox* textBox = box(row.box);
        const QString stored = textBox->currentText();
        for (const QString& s : row.good) {
            EXPECT_EQ(typed(row.box, s), s);
        }
        for (const QString& s : row.bad) {
            EXPECT_EQ(typed(row.box, s), stored);
            const QString warningText = QString(row.warning).replace("%1", QString::number(s.toInt()));
            EXPECT_EQ(dialogs.takeMessages(), QStringList{warningText});
            EXPECT_EQ(QApplication::focusWidget(), textBox);
        }
        // Emptied key by key, it shows a 0 the next digits replace.
        QTest::keyClick(textBox, Qt::Key_End);
        QTest::keyClicks(textBox, QString(5, '\b'));
        EXPECT_EQ((textBox->currentText() + '|' + textBox->selectedText()).toStdString(), "0|0");
        QTest::keyClicks(textBox, row.good.last());
        EXPECT_EQ(textBox->currentText(), row.good.last());
        // A value of the row's own, so a box committed into another's field shows.
        type(textBox, QString::number(++committed) + '\t');
        typedValues << QString::number(committed);
        EXPECT_EQ(typed(row.box, row.bad.first()), QString::number(committed));
        EXPECT_EQ(dialogs.takeMessages().size(), 1);
    }
    type(box("scenarioEdit"), "abcD9xyz");
    EXPECT_TRUE(dialogs.takeMessages().isEmpty());
    box("numberEdit")->setFocus();
    EXPECT_EQ(dialog.scenario().name(), "abcD9xyz");
    dialog.refresh();
    QStringList shownValues;
    for (const NumberBox& row : numberBoxes()) {
        shownValues << text(row.box);
    }
    EXPECT_EQ(shownValues, typedValues);
    // OK writes every box: filled again from the record, none changes.
    const QString shown = allTexts();
    click("okButton");
    dialog.refresh();
    EXPECT_EQ(allTexts(), shown);
    open(doc.scenarios(5));
    for (const TextBox* textBox : dialog.findChildren<TextBox*>()) {
        const QString name = textBox->objectName();
        const int limit = name == "numberEdit"                    ? 2
                          : name.startsWith("resultScenarioEdit") ? 3
                          : numbers.contains(name)                ? 5
                                                                  : 8;
        const QString kept = numbers.contains(name) ? "0123456789" : "0xY1Z2ab";
        EXPECT_EQ(typed(name, QStringLiteral("0x.Y-1 Z_2!ab3456789")), kept.left(limit)) << name.toStdString();
    }
}

TEST_F(ScenarioDialogTest, DuplicateNumberIsRefusedOnLeavingTheBoxAndOnEnter)
{
    open(doc.scenarios(5));
    // The warnings, then the text the number box shows.
    const auto leave = [this](const char* s, Qt::Key key) {
        type(box("numberEdit"), s);
        QTest::keyClick(box("numberEdit"), key);
        return dialogs.takeMessages() << text("numberEdit");
    };
    EXPECT_EQ(leave("03", Qt::Key_Tab), QStringList({TakenWarning.arg(3), "5"}));
    EXPECT_EQ(leave("5", Qt::Key_Tab), QStringList{"5"});
    EXPECT_EQ(leave("07", Qt::Key_Tab), QStringList{"07"});
    EXPECT_EQ(dialog.scenario().number(), 7);
    // Slot 5 still holds this scenario in the campaign, so 5 is taken now.
    EXPECT_EQ(leave("5", Qt::Key_Tab), QStringList({TakenWarning.arg(5), "7"}));

    EXPECT_EQ(leave("3", Qt::Key_Return), QStringList({TakenWarning.arg(3), "7"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.changed());
    EXPECT_EQ(leave("08", Qt::Key_Return), QStringList{"08"});
    EXPECT_TRUE(dialog.changed());
    EXPECT_EQ(dialog.scenario().number(), 8);
}

} // namespace
