#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A window with two boxes and a button; the first box takes letters and
// digits only, like the editor's name boxes.
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
            const bool blnPass = (intK >= 'A' && intK <= 'Z') || (intK >= 'a' && intK <= 'z') ||
                                 (intK >= '0' && intK <= '9') || intK == 8;
            if (!blnPass) {
                intK = 0;
            }
        });
        QObject::connect(box, &TextBox::Change, [this] { changes.push_back(box->Text()); });
        QObject::connect(box, &TextBox::LostFocus, [this] { ++lostFocus; });
        window.show();
        window.activateWindow();
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

TEST_F(TextBoxTest, LimitBindsTypingButNotAssignedText)
{
    box->SetText(QStringLiteral("abcdefghijkl"));
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefghijkl"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral("x"));
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefghijkl"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefghijk"));

    box->SetText(QString());
    QTest::keyClicks(box, QStringLiteral("123456789"));
    EXPECT_EQ(box->Text(), QStringLiteral("12345678"));
    // Typing over a selection needs no free room.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("Z"));
    EXPECT_EQ(box->Text(), QStringLiteral("Z"));
}

TEST_F(TextBoxTest, HookSeesTypedCodesOnlyAndCanDiscard)
{
    QTest::keyClicks(box, QStringLiteral("a. b_1"));
    EXPECT_EQ(box->Text(), QStringLiteral("ab1"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    const std::vector<qint16> expected{'a', '.', ' ', 'b', '_', '1', 8};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(box->Text(), QStringLiteral("a"));
}

TEST_F(TextBoxTest, PastedTextRunsThroughTheHookAndTheLimit)
{
    QApplication::clipboard()->setText(QStringLiteral("ab.c d\u00e9ef-ghijk"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->Text(), QStringLiteral("abcdefgh"));

    box->SetText(QStringLiteral("xy"));
    box->setCursorPosition(1);
    box->PasteText(QStringLiteral("1.2.3"));
    EXPECT_EQ(box->Text(), QStringLiteral("x123y"));

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

TEST_F(TextBoxTest, ChangeRunsExactlyOnRealChangesAndNests)
{
    box->SetText(QStringLiteral("ab"));
    box->SetText(QStringLiteral("ab"));
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
    QWidget popupLike;
    popupLike.show();
    popupLike.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&popupLike));
    EXPECT_EQ(lostFocus, 0);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(lostFocus, 1);
    EXPECT_TRUE(other->hasFocus());

    box->setFocus();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(lostFocus, 2);
}

} // namespace
