#include "ui/services/KeyFilters.h"
#include "ui/services/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A window with a name box of 8 characters whose filter records what it
// sees and a digit box of 5.
class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(digits);
        box->setTypingLimit(8);
        digits->setTypingLimit(5);
        QObject::connect(box, &TextBox::keyTyped, [this](qint16& k) {
            hooked += QChar(k);
            nameFilter(k);
        });
        QObject::connect(digits, &TextBox::keyTyped, &digitFilter);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }

    // Sends a key with the text it carries, as a keyboard does.
    static void press(TextBox* textBox, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text)
    {
        QTest::sendKeyEvent(QTest::Click, textBox, key, text, mods);
    }

    QWidget window;
    TextBox* box = new TextBox;
    TextBox* digits = new TextBox;
    QString hooked;
};

// Each row starts from a text the program assigned, the cursor at its end,
// then types its steps ("{Ctrl+V}" presses a key, "{menu}" chooses the
// context menu's Paste): what the box shows and what its filter saw.
TEST_F(TextBoxTest, TheLimitAndTheFilterBindTypingAndPastingOnlyAndShortcutsStillWork)
{
    struct Edit {
        const char* fault;
        QString start;
        QString clipboard;
        QString steps;
        QString shown;
        QString hooked;
    };
    const QString forty = QString(QStringLiteral("xy.z")).repeated(10);
    const Edit edits[] = {
        {"an assigned text is cut to the limit", "abcdefghijkl", "", "x{Backspace}", "abcdefghijk", "x\b"},
        {"the filter misses a typed key or sees a move", "", "", "a. b_1{Left}{Delete}{Ctrl+A}{Backspace}", "",
         "a. b_1\b"},
        {"a paste passes the filter or the limit", "", "ab.c d\u00e9ef-ghijk", "{Ctrl+V}", "abcdefgh",
         "ab.c d\u00e9ef-ghijk"},
        {"the context menu's Paste passes the filter", "", "p q", "{menu}", "pq", "p q"},
        {"a paste does not fill the room left at the cursor", "abcdef", forty, "{Home}{Ctrl+V}{Shift+Ins}", "xyabcdef",
         forty + forty},
        {"copy or paste lost", "abc", "", "{Ctrl+A}{Ctrl+C}{End}{Ctrl+V}", "abcabc", "abc"},
        {"cut or undo lost", "abcdef", "", "{Shift+Left}{Shift+Left}{Ctrl+X}{Ctrl+Z}{Home}{Ctrl+V}", "efabcdef", "ef"},
        {"a plain Ctrl key types its control character", "", "", "{Ctrl+Q}{Ctrl+Shift+Q}", "", ""}};
    // A step is a key in braces or plain text.
    static const QRegularExpression steps(QStringLiteral("\\{[^}]+\\}|[^{]+"));
    for (const Edit& row : edits) {
        SCOPED_TRACE(row.fault);
        box->assignText(row.start);
        QApplication::clipboard()->setText(row.clipboard);
        hooked.clear();
        for (auto it = steps.globalMatch(row.steps); it.hasNext();) {
            const QString step = it.next().captured();
            if (step == "{menu}") {
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
            } else if (step.startsWith('{')) {
                const QKeyCombination key = QKeySequence(step.mid(1, step.size() - 2))[0];
                const QString text = key.key() < Qt::Key_Escape ? QString(QChar(key.key())) : "";
                press(box, key.key(), key.keyboardModifiers(), text);
            } else {
                QTest::keyClicks(box, step);
            }
        }
        EXPECT_EQ(box->currentText(), row.shown);
        EXPECT_EQ(hooked, row.hooked);
    }
}

// AltGr (sent as Ctrl+Alt or as the group switch) and Meta keys insert their
// text in a plain line edit, past any filter and limit.
TEST_F(TextBoxTest, KeysWithAltGrCtrlAltOrMetaMeetTheFilterAndTheLimitLikeAnyOther)
{
    const Qt::KeyboardModifiers combinations[] = {Qt::ControlModifier | Qt::AltModifier, Qt::GroupSwitchModifier,
                                                  Qt::MetaModifier, Qt::MetaModifier | Qt::ShiftModifier,
                                                  Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier};
    // What AltGr gives on European layouts, a format character Qt inserts
    // even under Ctrl, and a control character behind a letter.
    const QString refused = QStringLiteral("@\u20ac{[\\~\u0105\u00e9\u200c\u0001");
    for (const Qt::KeyboardModifiers mods : combinations) {
        SCOPED_TRACE(static_cast<int>(mods));
        for (TextBox* textBox : {box, digits}) {
            textBox->assignText(QStringLiteral("12"));
            textBox->setFocus();
            for (const QChar ch : refused) {
                press(textBox, Qt::Key_Q, mods, ch);
            }
            EXPECT_EQ(textBox->currentText(), QStringLiteral("12"));
            // What passes the filter is typed, up to the limit and no further.
            for (int i = 0; i < 10; ++i) {
                press(textBox, Qt::Key_C, mods, QStringLiteral("c"));
                press(textBox, Qt::Key_3, mods, QStringLiteral("3"));
            }
            EXPECT_EQ(textBox->currentText(), textBox == box ? QStringLiteral("12c3c3c3") : QStringLiteral("12333"));
        }
    }
}

} // namespace
