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
