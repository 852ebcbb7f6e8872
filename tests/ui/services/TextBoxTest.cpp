#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/services/KeyFilters.h"
#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A window with a name box (8 characters), a second box and a button.
class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box = new TextBox);
        layout->addWidget(other = new TextBox);
        layout->addWidget(button = new QPushButton(QStringLiteral("Ok")));
        box->SetMaxLength(8);
        QObject::connect(box, &TextBox::KeyPress, [this](qint16& intK) {
            seen.push_back(intK);
            NameFilter(intK);
        });
        QObject::connect(box, &TextBox::Change, [this] { changes.push_back(box->Text()); });
        QObject::connect(box, &TextBox::LostFocus, [this] { ++lostFocus; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }

    QWidget window;
    TextBox* box = nullptr;
    TextBox* other = nullptr;
    QPushButton* button = nullptr;
    std::vector<qint16> seen;
    std::vector<QString> changes;
    int lostFocus = 0;
};

TEST_F(TextBoxTest, TheLimitAndTheHookBindTypingAndPastingOnly)
{
    box->SetText(QStringLiteral("abcdefghijkl"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefghijk"));

    box->SetText(QString());
    seen.clear();
    QTest::keyClicks(box, QStringLiteral("a. b_1"));
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(seen, (std::vector<qint16>{'a', '.', ' ', 'b', '_', '1', 8}));
    EXPECT_EQ(box->Text(), QString());

    QApplication::clipboard()->setText(QStringLiteral("ab.c d\u00e9ef-ghijk"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefgh"));

    // The context menu's Paste is the filtered one too.
    box->SetText(QString());
    QApplication::clipboard()->setText(QStringLiteral("p q"));
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLineEdit::tr("&Paste"))) {
                action->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &event);
    EXPECT_EQ(box->Text(), QStringLiteral("pq"));
}

// AltGr (sent as Ctrl+Alt or as the group switch) and Meta keys insert their
// text in a plain line edit, past any filter and limit.
TEST_F(TextBoxTest, KeysWithAltGrCtrlAltOrMetaMeetTheFilterAndTheLimitLikeAnyOther)
{
    QObject::connect(other, &TextBox::KeyPress, [](qint16& intK) { DigitFilter(intK); });
    other->SetMaxLength(5);
    const Qt::KeyboardModifiers Combinations[] = {Qt::ControlModifier | Qt::AltModifier, Qt::GroupSwitchModifier,
                                                  Qt::MetaModifier, Qt::MetaModifier | Qt::ShiftModifier,
                                                  Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier};
    // What AltGr gives on European layouts, a format character Qt inserts
    // even under Ctrl, and a control character behind a letter.
    const QString strRefused[] = {"@", "\u20ac", "{", "[", "\\", "~", "\u0105", "\u00e9", "\u200c", "\u0001"};
    for (const Qt::KeyboardModifiers Mods : Combinations) {
        SCOPED_TRACE(static_cast<int>(Mods));
        for (TextBox* pBox : {box, other}) {
            pBox->SetText(QStringLiteral("12"));
            pBox->setFocus();
            QTest::keyClick(pBox, Qt::Key_End);
            for (const QString& strText : strRefused) {
                QTest::sendKeyEvent(QTest::Click, pBox, Qt::Key_Q, strText, Mods);
            }
            EXPECT_EQ(pBox->Text(), QStringLiteral("12"));
            // What passes the filter is typed, up to the limit and no further.
            for (int intI = 0; intI < 10; ++intI) {
                QTest::sendKeyEvent(QTest::Click, pBox, Qt::Key_C, QStringLiteral("c"), Mods);
                QTest::sendKeyEvent(QTest::Click, pBox, Qt::Key_3, QStringLiteral("3"), Mods);
            }
            EXPECT_EQ(pBox->Text(), pBox == box ? QStringLiteral("12c3c3c3") : QStringLiteral("12333"));
        }
    }
    // A plain Ctrl key makes a control character: nothing is typed.
    box->SetText(QString());
    box->setFocus();
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Q, QStringLiteral("q"), Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Q, QStringLiteral("Q"), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), QString());
}

TEST_F(TextBoxTest, EditingShortcutsStillWorkAndPastesStayWithinTheLimit)
{
    box->SetText(QStringLiteral("abcdef"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abcdef"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("abcd"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ef"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("abcdef"));
    // A paste of forty characters fills the room that is left, at the cursor.
    QApplication::clipboard()->setText(QString(QStringLiteral("xy.z")).repeated(10));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("xyabcdef"));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("xyabcdef"));
}

TEST_F(TextBoxTest, ChangeRunsExactlyOnRealChangesAndNests)
{
    box->SetText(QStringLiteral("ab"));
    box->SetText(QStringLiteral("ab"));
    // Typing a character over itself leaves the text as it was.
    box->setSelection(0, 1);
    QTest::keyClicks(box, QStringLiteral("a"));
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(changes, (std::vector<QString>{QStringLiteral("ab"), QStringLiteral("a"), QStringLiteral("ab")}));

    // A handler that puts the previous text back runs again, nested, on it.
    changes.clear();
    QObject::connect(box, &TextBox::Change, [this] {
        if (box->Text().isEmpty()) {
            box->SetText(QStringLiteral("ab"));
        }
    });
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(changes, (std::vector<QString>{QString(), QStringLiteral("ab")}));
    EXPECT_EQ(box->Text(), QStringLiteral("ab"));
}

TEST_F(TextBoxTest, LostFocusOnlyWhenAnotherControlOfTheWindowTakesIt)
{
    // Another window taking the focus is what a message box does.
    QWidget messageBox;
    messageBox.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&messageBox));
    EXPECT_EQ(lostFocus, 0);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    box->setFocus();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(lostFocus, 2);
}

} // namespace
