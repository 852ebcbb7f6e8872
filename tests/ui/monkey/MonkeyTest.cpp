// A seeded random user of the real windows: it types keys of every kind,
// clicks, pastes, runs the file commands with both answers to the save
// question and opens odd campaign files, and after every action checks the
// promises the program makes. A seed and an action count name a run:
// IRONVALE_MONKEY_SEED and IRONVALE_MONKEY_ACTIONS replay a failure exactly.
#include "storage/CampaignStorage.h"
#include "tests/support/RandomCampaignFile.h"
#include "tests/ui/support/ProgramTest.h"
#include "ui/services/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>

#include <deque>
#include <iostream>
#include <map>
#include <numeric>
#include <random>

namespace {

// The program as start-up wires it; made again after Exit, as a user starts it again.
struct Session : ProgramTest {
    using ProgramTest::dialog, ProgramTest::dialogs, ProgramTest::doc, ProgramTest::window;
    void TestBody() override {}
};

// What a text box promises: typed characters pass its filter and stop at its
// limit, and a number box holds a value up to its maximum (a go-to also 254, 255).
struct BoxRule {
    bool digits = false;
    int limit = 8;
    int max = 0;
};

BoxRule ruleOf(const QString& name)
{
    const bool word =
        name.contains(QLatin1String("prestige"), Qt::CaseInsensitive) || name.contains(QLatin1String("Unknown"));
    return name.startsWith(QLatin1String("resultScenarioEdit")) ? BoxRule{true, 3, 49}
           : name == QLatin1String("numberEdit")                ? BoxRule{true, 2, 49}
           : word                                               ? BoxRule{true, 5, 65535}
                                                                : BoxRule{};
}

bool passes(const BoxRule& rule, const QString& s)
{
    return std::all_of(s.begin(), s.end(), [&](QChar ch) {
        return (ch >= u'0' && ch <= u'9') || (!rule.digits && ch.unicode() < 128 && ch.isLetter());
    });
}

bool inRange(const BoxRule& rule, const QString& s)
{
    const int value = s.toInt();
    return !s.isEmpty() && s.size() < 10 && passes(BoxRule{true}, s) &&
           (value <= rule.max || (rule.limit == 3 && (value == 254 || value == 255)));
}

// A user edit replaces one stretch of the text by characters the filter
// passes, within the limit, or only deletes (a name from a file may be longer).
bool editAllowed(const QString& before, const QString& after, const BoxRule& rule)
{
    const auto common = [](auto b, auto e, auto o, auto oEnd) { return std::mismatch(b, e, o, oEnd).first - b; };
    const qsizetype front = common(before.begin(), before.end(), after.begin(), after.end());
    const qsizetype back = std::min<qsizetype>(common(before.rbegin(), before.rend(), after.rbegin(), after.rend()),
                                               std::min(before.size(), after.size()) - front);
    const QString inserted = after.mid(front, after.size() - front - back);
    return inserted.isEmpty() || (after.size() <= rule.limit && passes(rule, inserted));
}

QString text(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A scenario's fields by the name of the dialog box that shows each.
QMap<QString, QString> fieldsOf(const Scenario& s)
{
    const auto n = [](int32_t value) { return QString::number(value); };
    QMap<QString, QString> fields{{"scenarioEdit", text(s.name())},
                                  {"numberEdit", n(s.number())},
                                  {"animationEdit", text(s.movie())},
                                  {"voiceEdit", text(s.voice())},
                                  {"textEdit", text(s.text())},
                                  {"prestigeEdit", n(s.prestige())},
                                  {"firstUnknownEdit", n(s.firstUnknown())},
                                  {"secondUnknownEdit", n(s.secondUnknown())},
                                  {"thirdUnknownEdit", n(s.thirdUnknown())}};
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        const QString o = QString::number(i);
        fields.insert({{"resultScenarioEdit" + o, n(s.resultScenario(i))},
                       {"resultPrestigeEdit" + o, n(s.resultPrestige(i))},
                       {"resultTextEdit" + o, text(s.resultText(i))},
                       {"resultVoiceEdit" + o, text(s.resultVoice(i))},
                       {"resultMovieEdit" + o, text(s.resultMovie(i))}});
    }
    return fields;
}

// What a campaign file keeps: the header and the 50 slots.
bool sameContent(const Campaign& a, const Campaign& b)
{
    bool same = a.description() == b.description() && a.nation() == b.nation() && a.prestige() == b.prestige();
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        same = same && a.scenarios(i) == b.scenarios(i);
    }
    return same;
}

// The document's name for a file: its title less ".cam", a title under five characters whole.
std::string nameOf(const QString& path)
{
    const QString title = QFileInfo(path).fileName();
    return (title.size() < 5 ? title : title.chopped(4)).toStdString();
}

std::string show(const QString& s)
{
    return '"' + s.toStdString() + '"';
}

// A key as a keyboard sends it: the shortcut override first, then press and release.
void sendKey(QWidget* target, int key, int modifiers, const QString& keyText = {})
{
    const QPointer<QWidget> alive(target);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, mods, keyText);
        QSpontaneKeyEvent::setSpontaneous(&event);
        if (alive && (type == QEvent::KeyRelease ||
                      !qt_sendShortcutOverrideEvent(target, event.timestamp(), key, mods, keyText))) {
            QApplication::instance()->notify(target, &event);
        }
    }
}

QWidget* topWindow()
{
    QWidget* popup = QApplication::activePopupWidget();
    return popup != nullptr ? popup : QApplication::activeModalWidget();
}

class Monkey {
public:
    explicit Monkey(uint64_t seed) : m_seed(seed), m_rng(seed)
    {
        // A save there must fail, as in a folder that does not exist.
        QDir(m_dir.path()).mkpath(QStringLiteral("folder.cam"));
        m_main = {{"key", 40, [this] { typeKey(); }},
                  {"paste", 6, [this] { paste(); }},
                  {"retype prestigeEdit", 5, [this] { retype(widget("prestigeEdit")); }},
                  {"Ctrl+click scenarioList", 3, [this] { click(widget("scenarioList"), Qt::ControlModifier); }},
                  {"double-click scenarioList", 4, [this] { click(widget("scenarioList"), 0, true); }}};
        for (const auto& [name, weight] : {std::pair{"addButton", 10},
                                           {"changeButton", 4},
                                           {"removeButton", 3},
                                           {"removeAllButton", 1},
                                           {"checkButton", 4},
                                           {"clearButton", 2},
                                           {"descriptionEdit", 5},
                                           {"prestigeEdit", 6},
                                           {"nationBox", 3},
                                           {"scenarioList", 10},
                                           {"errorList", 2},
                                           {"fileNewAction", 3},
                                           {"fileOpenAction", 8},
                                           {"fileSaveAction", 8},
                                           {"fileExitAction", 1},
                                           {"helpAboutAction", 1},
                                           {"helpFileInfoAction", 1},
                                           {"close", 2}}) {
            const bool file = QByteArray(name).endsWith("Action") || qstrcmp(name, "close") == 0;
            m_main.push_back({name, weight, [this, file, name = name] { file ? command(name) : click(widget(name)); }});
        }
        // In the scenario dialog; Cancel comes first, for a dialog that has had steps enough.
        static const QStringList numbers =
            QStringLiteral("numberEdit numberEdit numberEdit prestigeEdit thirdUnknownEdit "
                           "resultScenarioEdit0 resultScenarioEdit1 resultScenarioEdit3")
                .split(u' ');
        m_inDialog = {{"  dialog: cancelButton", 3, [this] { click(widget("cancelButton", true)); }},
                      {"  dialog: okButton", 6, [this] { click(widget("okButton", true)); }},
                      {"  dialog: Esc", 1, [this] { sendKey(focus(), Qt::Key_Escape, 0, QStringLiteral("\x1b")); }},
                      {"  dialog: Return", 3,
                       [this] { guarded([this] { sendKey(focus(), Qt::Key_Return, 0, QStringLiteral("\r")); }); }},
                      {"  dialog: close", 1, [this] { m_session->dialog.close(); }},
                      {"  dialog: key", 60, [this] { typeKey(); }},
                      {"  dialog: retype a number", 10, [this] { retype(widget(numbers[below(8)], true)); }},
                      {"  dialog: click a box", 20, [this] { click(m_dialogBoxes[below(int(m_dialogBoxes.size()))]); }},
                      {"  dialog: paste", 10, [this] { paste(); }},
                      {"  dialog: copyButton", 5, [this] { click(widget("copyButton", true)); }},
                      {"  dialog: pasteButton", 5, [this] { click(widget("pasteButton", true)); }}};
        restart();
    }

    // Runs up to count actions; the report of the first broken promise, else empty.
    std::string run(int count)
    {
        for (int index = 1; index <= count; ++index) {
            if (!act(pick(m_main))) {
                const std::string seed = std::to_string(m_seed);
                std::string report = "seed " + seed + ": " + m_violations.front() + "\nafter action " +
                                     std::to_string(index) + "; replay with IRONVALE_MONKEY_SEED=" + seed +
                                     " IRONVALE_MONKEY_ACTIONS=" + std::to_string(index) +
                                     "\nrecent actions, oldest first:\n";
                for (const std::string& name : m_recent) {
                    report += "  " + name + "\n";
                }
                return report;
            }
        }
        return {};
    }

private:
    struct Action {
        const char* name;
        int weight;
        std::function<void()> perform;
    };
    // A text box as followed: what it showed last, what user edits gave it
    // since the program last assigned a text, and whether an edit is under way.
    struct Watch {
        BoxRule rule;
        QString seen;
        QStringList history;
        bool editing = false;
        bool emptied = false;
    };

    int below(int n) { return static_cast<int>(m_rng() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    void expect(bool holds, const std::string& what)
    {
        if (!holds) {
            m_violations.push_back(what);
        }
    }
    void note(const std::string& name)
    {
        m_recent.push_back(name);
        if (m_recent.size() > 30) {
            m_recent.pop_front();
        }
    }
    const Action& pick(const std::vector<Action>& table)
    {
        int roll = below(std::accumulate(table.begin(), table.end(), 0, [](int n, auto& a) { return n + a.weight; }));
        auto chosen = table.begin();
        while ((roll -= chosen->weight) >= 0) {
            ++chosen;
        }
        note(chosen->name);
        return *chosen;
    }
    Campaign& doc() { return m_session->doc; }
    QWidget* widget(const QString& name, bool inDialog = false)
    {
        return (inDialog ? &m_session->dialog : m_session->window.centralWidget())->findChild<QWidget*>(name);
    }
    ListBox* list(const char* name) { return static_cast<ListBox*>(widget(name)); }
    QWidget* focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &m_session->window; }

    void restart()
    {
        m_watches.clear();
        m_session.reset();
        m_session = std::make_unique<Session>();
        m_dialogBoxes = m_session->dialog.findChildren<TextBox*>();
        for (TextBox* box : m_session->window.centralWidget()->findChildren<TextBox*>() + m_dialogBoxes) {
            m_watches[box] = {ruleOf(box->objectName()), box->text(), {box->text()}};
            QObject::connect(box, &QLineEdit::textEdited, box, [this, box](const QString& now) { edited(box, now); });
            QObject::connect(box, &QLineEdit::textChanged, box, [this, box] {
                // Another text than the edit under way gave is the program's.
                Watch& w = m_watches[box];
                w.editing = w.editing && box->text() != w.seen;
                w.history = box->text() != w.seen ? QStringList{box->text()} : w.history;
                w.seen = box->text();
            });
        }
        QObject::connect(&m_session->dialog, &QDialog::finished, &m_session->dialog, [this](int result) {
            m_dialogResult = result;
            m_accepted = boxTexts();
        });
        m_session->window.show();
        activate(&m_session->window);
    }

    void edited(TextBox* box, const QString& now)
    {
        Watch& w = m_watches[box];
        // Undo and redo bring back a text the box held since it was last assigned.
        expect(editAllowed(w.seen, now, w.rule) || w.history.contains(now),
               box->objectName().toStdString() + ": a user edit turned " + show(w.seen) + " into " + show(now));
        w = {w.rule, now, w.history + QStringList{now}, true, w.rule.digits && now.isEmpty()};
    }

    // A warning follows a user edit, or a box being filled with a stored value
    // its check refuses (a go-to of 99 or an empty description from a file).
    void warned(const RecordedMsgBox& box)
    {
        bool cause = !box.prompt.startsWith(QLatin1String("Invalid"));
        for (const auto& [b, w] : m_watches) {
            const bool refused = b->text().isEmpty() || (w.rule.digits && !inRange(w.rule, b->text()));
            cause = cause || w.editing || (b->text() != w.seen && refused);
        }
        expect(cause, "the warning " + show(box.prompt) + " came without a cause");
    }

    // The dialog's boxes as OK reads them.
    QMap<QString, QString> boxTexts() const
    {
        QMap<QString, QString> texts;
        for (TextBox* box : m_dialogBoxes) {
            const bool digits = ruleOf(box->objectName()).digits;
            texts[box->objectName()] = digits ? QString::number(box->text().toInt()) : box->text();
        }
        return texts;
    }

    // Offscreen gives the activation back only after another window had it.
    void activate(QWidget* window)
    {
        expect(QApplication::activeWindow() == window || reactivate(window), "a window could not be activated");
    }

    // Runs step; a popup or modal window it opens is dealt with while it is open:
    // the scenario dialog is used, a context menu pastes, anything else gets Esc.
    void guarded(const std::function<void()>& step)
    {
        QWidget* const base = topWindow();
        QTimer timer;
        QElapsedTimer clock;
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* top = topWindow();
            auto* menu = qobject_cast<QMenu*>(top);
            if (top != nullptr && top != base) {
                timer.stop();
                for (QAction* item : menu != nullptr && m_pasteFromMenu ? menu->actions() : QList<QAction*>()) {
                    item->text().startsWith(QLineEdit::tr("&Paste")) ? item->trigger() : void();
                }
                top == &m_session->dialog ? inDialog() : sendKey(top, Qt::Key_Escape, 0, QStringLiteral("\x1b"));
                expect(!top->isVisible(), std::string(top->metaObject()->className()) + " stays open after Esc");
                top->close();
                clock.restart();
                timer.start(0);
            }
            expect(clock.elapsed() < 20000, "a modal loop runs with no window to act on");
        });
        timer.start(0);
        step();
    }

    // A combo box's list is walked and chosen from; any other popup is closed.
    void closePopups()
    {
        for (int n = 0; QWidget* popup = QApplication::activePopupWidget(); ++n) {
            static const int walk[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape};
            const int key = popup->inherits("QComboBoxPrivateContainer") && n < 4 ? walk[below(5)] : Qt::Key_Escape;
            note("  popup: " + QKeySequence(key).toString().toStdString());
            QWidget* target = popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
            guarded([&] { sendKey(target, key, 0, key == Qt::Key_Return ? QStringLiteral("\r") : QString()); });
            expect(n < 8 || !popup->close(), std::string(popup->metaObject()->className()) + " does not close");
        }
    }

    // A character, plain or with any modifier (AltGr, Ctrl+Alt, Meta, keypad),
    // or an editing, moving or function key.
    void typeKey()
    {
        static const QString chars = QStringLiteral("abcxyzAKQZ012345678901234567890123456789.,-_/@#$%&*( +=?~`|^[]{}"
                                                    "\\\"'\u00e9\u00df\u00fc\u20ac\u03a9\u00b2");
        const int ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        static const int modifiers[] = {Qt::ShiftModifier, Qt::KeypadModifier, Qt::ControlModifier,
                                        Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier, Qt::MetaModifier,
                                        Qt::GroupSwitchModifier, Qt::GroupSwitchModifier | Qt::ShiftModifier,
                                        ctrlAlt, ctrlAlt | Qt::ShiftModifier};
        static const std::pair<int, char16_t> keys[] = {
            {Qt::Key_Escape, 27}, {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},    {Qt::Key_Tab, 9},
            {Qt::Key_Backtab, 0}, {Qt::Key_Backspace, 8}, {Qt::Key_Backspace, 8}, {Qt::Key_Delete, 127},
            {Qt::Key_Insert, 0},  {Qt::Key_Menu, 0},    {Qt::Key_Home, 0},      {Qt::Key_End, 0},
            {Qt::Key_Left, 0},    {Qt::Key_Right, 0},   {Qt::Key_Up, 0},        {Qt::Key_Down, 0},
            {Qt::Key_PageDown, 0}, {Qt::Key_F1, 0},     {Qt::Key_F4, 0},        {Qt::Key_unknown, 1}};
        const int mods = chance(60) ? 0 : modifiers[below(int(std::size(modifiers)))];
        const QChar ch = chars[below(int(chars.size()))];
        const auto& [special, code] = keys[below(int(std::size(keys)))];
        const bool typing = chance(65);
        const int key = !typing ? special : ch.unicode() < 0x100 ? ch.toUpper().unicode() : int{Qt::Key_unknown};
        // Ctrl alone types a control character, if any; other modifiers the character itself.
        const bool control = (mods & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::ControlModifier;
        const QString keyText = !typing ? (code == 0 ? QString() : QString(QChar(code)))
                                : !control                            ? QString(ch)
                                : ch.unicode() < 128 && ch.isLetter() ? QString(QChar(key - 64))
                                                                      : QString();
        m_recent.back() += " " + QKeySequence(mods | key).toString().toStdString() + " " + show(keyText);
        QWidget* target = focus();
        guarded([&] { sendKey(target, key, mods, keyText); });
    }

    void click(QWidget* target, int mods = 0, bool twice = false)
    {
        const int position = below(90);
        guarded([&] {
            auto* lines = qobject_cast<ListBox*>(target);
            QWidget* surface = lines != nullptr ? lines->viewport() : target;
            QPoint where(1 + position % (surface->width() - 2), surface->height() / 2);
            if (lines != nullptr) {
                lines->scrollToItem(lines->item(position % std::max(1, lines->count())));
                where = lines->count() > 0 ? lines->visualItemRect(lines->item(position % lines->count())).center()
                                           : QPoint(4, surface->height() - 4);
            }
            twice ? QTest::mouseDClick(surface, Qt::LeftButton, Qt::KeyboardModifiers(mods), where)
                  : QTest::mouseClick(surface, Qt::LeftButton, Qt::KeyboardModifiers(mods), where);
        });
    }

    // A number box clicked, its text selected and replaced by one to three digits.
    void retype(QWidget* box)
    {
        click(box);
        const QString digits = QString::number(below(1000)).left(1 + below(3));
        m_recent.back() += " " + digits.toStdString();
        guarded([&] {
            sendKey(focus(), Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
            for (const QChar digit : digits) {
                sendKey(focus(), digit.unicode(), 0, digit);
            }
        });
    }

    // Text into the clipboard, pasted with Ctrl+V, Shift+Insert or the box's menu.
    void paste()
    {
        static const QStringList samples{"254", "255", "65535", "65536", "49", "50", "007", "-5", "0",
                                         "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "a.b", "new", "x y"};
        static const QString pool = QStringLiteral("abcXYZ0123456789.,-_ !\t\r\n\x01\x7f\u00e9\u00df\u20ac\u03a9");
        QString clip = chance(30) ? samples[below(int(samples.size()))] : QString();
        for (int n = clip.isEmpty() ? below(14) : 0; n > 0; --n) {
            clip += pool[below(int(pool.size()))];
        }
        QApplication::clipboard()->setText(clip);
        QWidget* target = focus();
        const int way = below(3);
        m_recent.back() += std::string(way == 0 ? " Ctrl+V " : way == 1 ? " Shift+Ins " : " menu ") + show(clip);
        m_pasteFromMenu = way == 2;
        guarded([&] {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
            way == 0   ? sendKey(target, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"))
            : way == 1 ? sendKey(target, Qt::Key_Insert, Qt::ShiftModifier)
                       : void(qobject_cast<TextBox*>(target) && QApplication::instance()->notify(target, &menu));
        });
        m_pasteFromMenu = false;
    }

    // A file dialog's answer: cancel, a campaign file generated under a name
    // of the pool, a name of the pool as it is, or a place no save can go.
    std::optional<QString> fileChoice()
    {
        static const QStringList names{"a.cam", "b.cam", "\u03a9mega.cam", "x.y.cam", "abc", "long_name_here.cam",
                                       "folder.cam", "missing/x.cam"};
        const int roll = below(100);
        const QString path = m_dir.filePath(names[roll < 88 ? below(6) : 6 + below(2)]);
        expect(roll < 10 || roll >= 70 || writeFile(path, campaignFile()), "a generated file could not be written");
        return roll < 10 ? std::nullopt : std::optional<QString>(path);
    }

    // A campaign of up to 50 scenarios with names of any byte and go-tos of
    // any value; or mended to pass the check; or too long, cut short, or
    // claiming more than 50 scenarios.
    QByteArray campaignFile()
    {
        const int count = std::array{0, 1, 2, 3, 5, 8, 12, 30, 49, 50}[std::size_t(below(10))];
        const int kind = below(100);
        QByteArray bytes = QByteArray::fromStdString(randomCampaignFile(static_cast<uint32_t>(m_rng()), count));
        if (kind < 55) {
            // Every scenario can be won and lost, so removing one seldom breaks the check.
            auto mended = std::make_unique<Campaign>();
            (void)readCampaignBytes(bytes, *mended);
            for (int i = 0; i < count * Scenario::OutcomeCount; ++i) {
                const int pick = below(count + 2);
                const int goTo = i % 4 == 0 ? 254 : i % 4 == 3 ? 255 : pick < count ? pick : 254 + pick - count;
                mended->scenarios(int16_t(i / 4)).setResultScenario(int16_t(i % 4), goTo);
            }
            bytes = campaignBytes(*mended);
        }
        const char claimed[] = {char(below(256)), char(1 + below(255))};
        return kind < 55   ? bytes
               : kind < 62 ? bytes + QByteArray(1 + below(100), static_cast<char>(below(256)))
               : kind < 72 ? bytes.left(chance(50) ? below(64) : below(int(bytes.size())))
               : kind < 80 ? bytes.replace(0, 2, QByteArray(claimed, 2))
                           : bytes;
    }

    // A file command from its menu item, from the keyboard, or the window's frame.
    void command(const char* name)
    {
        m_command = name;
        m_yes = chance(50);
        const bool help = m_command.rfind("help", 0) == 0;
        const bool asks = m_command != "fileSaveAction" && !help;
        for (int n = asks ? 2 : m_command == "fileSaveAction" ? 1 : 0; n > 0; --n) {
            m_choices.push_back(fileChoice());
            m_session->dialogs.files.push_back(m_choices.back());
            const auto& choice = m_choices.back();
            m_recent.back() += " " + (choice ? QFileInfo(*choice).fileName().toStdString() : "cancel");
        }
        if (asks) {
            m_session->dialogs.answers.push_back(m_yes ? MsgBoxAnswer::Yes : MsgBoxAnswer::No);
            m_recent.back() += m_yes ? " answer Yes" : " answer No";
        }
        capture();
        auto* item = m_session->window.findChild<QAction*>(name);
        const bool keys = item != nullptr && chance(50);
        m_recent.back() += keys ? " by keys" : "";
        guarded([&] {
            if (!keys) {
                item != nullptr ? item->trigger() : void(m_session->window.close());
                return;
            }
            sendKey(focus(), help ? Qt::Key_Question : Qt::Key_F, Qt::AltModifier, help ? "?" : "f");
            QWidget* menu = QApplication::activePopupWidget();
            const QChar letter = item->text().at(item->text().indexOf(u'&') + 1).toLower();
            expect(menu != nullptr, "the menu did not open from the keyboard");
            sendKey(menu != nullptr ? menu : focus(), Qt::Key_A + letter.unicode() - u'a', 0, letter);
        });
    }

    // Every entry of the folder with its size and time of change.
    std::map<QString, std::pair<qint64, qint64>> scan() const
    {
        std::map<QString, std::pair<qint64, qint64>> found;
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            found[info.filePath()] = {info.isDir() ? 0 : info.size(),
                                      info.isDir() ? 0 : info.lastModified().toMSecsSinceEpoch()};
        }
        return found;
    }

    // The state before an action; a Starting Prestige typed but not yet
    // committed counts as the user's value.
    void capture()
    {
        m_before = std::make_unique<Campaign>(doc());
        m_shown = std::make_unique<Campaign>(doc());
        m_shown->setPrestige(widget("prestigeEdit")->property("text").toString().toInt());
        const int16_t row = list("scenarioList")->selectedLine();
        m_selectedSlot = row < 0 ? -1 : list("scenarioList")->lineData(row);
        m_files = scan();
    }

    bool act(const Action& action)
    {
        m_violations.clear();
        m_command.clear();
        m_choices.clear();
        m_dialogResult = -2;
        m_session->dialogs = {};
        m_session->dialogs.whileOpen = [this](const RecordedMsgBox& box) { warned(box); };
        activate(&m_session->window);
        capture();
        const testing::TestResult& result = *testing::UnitTest::GetInstance()->current_test_info()->result();
        const int reported = result.total_part_count();
        action.perform();
        closePopups();
        expect(result.total_part_count() == reported, "the scripted dialogs met a question nobody expected");
        m_command.empty() ? checkEdit() : checkCommand();
        if (!m_session->window.isVisible() && !m_command.empty() && m_violations.empty()) {
            restart();
        }
        checkState();
        if (++m_done % 16 == 0) {
            // Posted work (deferred deletes, repaints) runs now and then, as a user's pauses let it.
            QCoreApplication::processEvents();
        }
        return m_violations.empty();
    }

    // The scenario dialog is open modally: steps inside it, each checked, until one closes it.
    void inDialog()
    {
        m_dialogResult = -1;
        m_atOpen = std::make_unique<Campaign>(doc());
        m_initialNumber = m_session->dialog.scenario().number();
        expect(boxTexts() == fieldsOf(m_session->dialog.scenario()),
               "the scenario dialog opened without showing its record whole");
        activate(&m_session->dialog);
        for (int step = 0; m_session->dialog.isVisible() && m_violations.empty(); ++step) {
            const Action& next = step < 30 ? pick(m_inDialog) : (note(m_inDialog[0].name), m_inDialog[0]);
            next.perform();
            closePopups();
            if (m_session->dialog.isVisible()) {
                expect(&next != &m_inDialog[0], "the scenario dialog stays open after Cancel");
                activate(&m_session->dialog);
                checkBoxes();
                expect(sameContent(doc(), *m_atOpen), "the document changed while the scenario dialog was open");
            }
        }
        m_session->dialog.isVisible() ? m_session->dialog.done(QDialog::Rejected) : void();
    }

    // Nothing in the folder changes but by a completed save, which writes the document's bytes.
    void checkFiles(const std::optional<QString>& saved)
    {
        auto after = scan();
        expect(!saved || readFile(*saved) == campaignBytes(*m_shown), "the saved file does not hold the document");
        m_files[saved.value_or(QString())] = after[saved.value_or(QString())];
        expect(after == m_files, "the folder changed other than by a completed save");
    }

    // Another action than a file command changes the document only as a control does:
    // OK stores the dialog's record at its number, freeing the slot it moved from;
    // Remove frees the selected line's slot and Remove All every one.
    void checkEdit()
    {
        checkFiles(std::nullopt);
        const bool inside = m_dialogResult != -2;
        Campaign expected = inside ? *m_atOpen : *m_before;
        const int number = m_accepted.value("numberEdit").toInt();
        const bool moved = number != m_initialNumber;
        if (m_dialogResult == QDialog::Accepted) {
            expect(number >= 0 && number < 50 && (!moved || expected.scenarios(int16_t(number)).number() < 0),
                   "OK stored the scenario as number " + std::to_string(number) + ", which is taken or out of range");
            if (m_violations.empty()) {
                expected.scenarios(int16_t(moved ? m_initialNumber : number)).clear();
                expected.scenarios(int16_t(number)) = doc().scenarios(int16_t(number));
                expect(fieldsOf(doc().scenarios(int16_t(number))) == m_accepted, "OK did not store the dialog's boxes");
            }
        }
        int changed = 0;
        bool explained = true;
        for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
            // Remove frees one slot, the selected line's.
            const bool same = doc().scenarios(i) == expected.scenarios(i);
            explained = explained &&
                        (same || (!inside && ++changed == 1 && i == m_selectedSlot && doc().scenarios(i).number() < 0));
        }
        expect(sameContent(doc(), expected) || (!inside && (explained || doc().scenarioCount() == 0)),
               "the document changed in a way no control explains");
        expect(sameContent(doc(), *m_before) || (doc().changed() && !doc().saved()), "an edit left no unsaved mark");
    }

    // The file commands and the frame's close: the save question when
    // something is unsaved, the dialogs each answer leads to, their outcome.
    void checkCommand()
    {
        const ScriptedDialogs& dialogs = m_session->dialogs;
        const bool save = m_command == "fileSaveAction";
        const bool asks = !save && m_command.rfind("help", 0) != 0;
        const bool unsaved = (m_before->changed() && !m_before->saved()) || !sameContent(*m_before, *m_shown);
        const bool saveShown = (save || (asks && unsaved && m_yes)) && Campaign(*m_shown).check() == 0;
        const std::optional<QString> savePath = saveShown ? m_choices[0] : std::nullopt;
        const bool completed = savePath && !QFileInfo(*savePath).isDir() && QFileInfo(*savePath).absoluteDir().exists();
        const bool goesOn = asks && (!unsaved || !m_yes || completed);
        const bool openShown = m_command == "fileOpenAction" && goesOn;
        const std::optional<QString> opened = openShown ? m_choices[saveShown ? 1 : 0] : std::nullopt;
        const auto count = [](const auto& all, auto&& which) { return std::count_if(all.begin(), all.end(), which); };
        const auto boxes = [&](int16_t s) { return count(dialogs.msgBoxes, [&](auto& b) { return b.style == s; }); };
        const auto saves = count(dialogs.fileDialogs, [](const RecordedFileDialog& dialog) { return dialog.save; });
        const auto questions = boxes(MsgBoxStyle::YesNoQuestion);
        const auto warnings = boxes(MsgBoxStyle::Exclamation);
        expect(questions == (asks && unsaved ? 1 : 0), m_command + " asked the save question wrongly");
        const auto opens = std::ptrdiff_t(dialogs.fileDialogs.size()) - saves;
        expect(saves == (saveShown ? 1 : 0) && opens == (openShown ? 1 : 0),
               m_command + " showed the wrong file dialogs");
        expect(!savePath || completed || warnings > 0, "a failed save said nothing");
        expect(!completed || !save || (doc().saved() && !doc().changed() && doc().name() == nameOf(*savePath)),
               "a completed save did not mark and name the document");
        auto fromFile = std::make_unique<Campaign>();
        const bool loaded = opened && readCampaignFile(QFile::encodeName(*opened).toStdString(), *fromFile).isEmpty();
        const bool replaced = loaded || (goesOn && m_command != "fileOpenAction");
        const auto fresh = [this](const Campaign& c, const std::string& name) {
            return sameContent(doc(), c) && doc().name() == name && !doc().changed() && !doc().saved();
        };
        expect(m_command != "fileNewAction" || !goesOn || fresh(Campaign(), "New"), "New did not leave a new document");
        expect(!loaded || fresh(*fromFile, nameOf(*opened)),
               "opening " + opened.value_or(QString()).toStdString() + " did not show its campaign under its name");
        expect(!opened || loaded || warnings > 0, "a failed open said nothing");
        expect((m_command != "fileExitAction" && m_command != "close") || m_session->window.isVisible() != goesOn,
               m_command + " did not leave the window open or closed as it should");
        expect(!replaced || !m_session->window.isVisible() || list("errorList")->lineCount() == 0,
               m_command + " kept the check list of the document it replaced");
        // Else nothing but committing the typed prestige and a completed save changes.
        const bool kept = sameContent(doc(), *m_before) || sameContent(doc(), *m_shown);
        expect(replaced || kept, m_command + " changed the document");
        expect(replaced || completed || doc().name() == m_before->name(), m_command + " renamed the unsaved document");
        checkFiles(completed ? savePath : std::nullopt);
    }

    // Each number box shows a value of its range or its record's, and an emptied one a selected "0".
    void checkBoxes()
    {
        const QMap<QString, QString> record = fieldsOf(m_session->dialog.scenario());
        for (auto& [box, w] : m_watches) {
            const std::string name = box->objectName().toStdString();
            const bool inDialog = box->window() == &m_session->dialog;
            const QString stored = inDialog ? record[box->objectName()] : QString::number(doc().prestige());
            const bool emptied = box->isVisible() && std::exchange(w.emptied, false);
            if (box->isVisible()) {
                expect(!emptied || (box->text() == "0" && box->selectedText() == "0"),
                       name + " was emptied and shows " + show(box->text()) + ", not a selected \"0\"");
                expect(!w.rule.digits || inRange(w.rule, box->text()) || box->text() == stored,
                       name + " shows " + show(box->text()) + ", out of its range");
            }
        }
    }

    // The windows mirror the document: title, header, list lines and buttons.
    void checkState()
    {
        const Campaign& d = doc();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            expect((top == &m_session->window) == top->isVisible() || top->inherits("QTipLabel"),
                   std::string(top->metaObject()->className()) + (top->isVisible() ? " is left open" : " is gone"));
        }
        ListBox* lines = list("scenarioList");
        Scenario free;
        free.clear();
        QStringList want;
        bool slotsHold = true;
        bool linesShow = true;
        for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
            const bool used = d.scenarios(i).number() == i;
            slotsHold = slotsHold && (used || d.scenarios(i) == free);
            const int16_t line = int16_t(want.size());
            linesShow = linesShow && (!used || (line < lines->lineCount() && lines->lineData(line) == i));
            if (used) {
                want << QStringLiteral("#%1 ").arg(i, 3, 10, QChar(u'0')) + text(d.scenarios(i).name());
            }
        }
        QStringList shown;
        for (int16_t line = 0; line < lines->lineCount(); ++line) {
            shown << lines->line(line);
        }
        const auto on = [this](const char* name) { return widget(name)->isEnabled(); };
        const bool selected = lines->selectedLine() >= 0;
        expect(slotsHold, "a slot holds neither its scenario nor a free record");
        expect(linesShow && shown == want, "the scenario list does not show each scenario's number and name in order");
        expect(on("changeButton") == selected && on("removeButton") == selected,
               "Change or Remove is on or off against the selection");
        expect(on("removeAllButton") == !want.isEmpty() && on("addButton") == (want.size() < 50),
               "Add or Remove All is on or off against the count");
        expect(list("errorList")->lineCount() == 0 || on("clearButton"), "the check list has lines but Clear is off");
        expect(static_cast<QComboBox*>(widget("nationBox"))->currentIndex() == d.nation(),
               "the nation shown is not the document's");
        expect(widget("descriptionEdit")->property("text").toString() == text(d.description()),
               "the description box does not show the document's");
        expect(m_session->window.windowTitle() == "Ironvale Campaign Editor - " + QString::fromStdString(d.name()),
               "the title does not name the document");
        checkBoxes();
    }

    const uint64_t m_seed;
    std::mt19937_64 m_rng;
    QTemporaryDir m_dir;
    std::vector<Action> m_main, m_inDialog;
    std::unique_ptr<Session> m_session;
    QList<TextBox*> m_dialogBoxes;
    std::map<TextBox*, Watch> m_watches;
    std::deque<std::string> m_recent;
    std::vector<std::string> m_violations;
    std::string m_command;
    std::vector<std::optional<QString>> m_choices;
    bool m_yes = false, m_pasteFromMenu = false;
    // The document before the action, with the prestige as shown, and as the scenario dialog opened.
    std::unique_ptr<Campaign> m_before, m_shown, m_atOpen;
    std::map<QString, std::pair<qint64, qint64>> m_files;
    QMap<QString, QString> m_accepted;
    int m_selectedSlot = -1, m_dialogResult = -2, m_initialNumber = -1, m_done = 0;
};

int fromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

// IRONVALE_MONKEY_SEED (first seed, 1), IRONVALE_MONKEY_RUNS (seeds: 6, or 1
// when a seed is given) and IRONVALE_MONKEY_ACTIONS (per seed, 1500).
TEST(Monkey, RandomActionsKeepEveryPromise)
{
    const int first = fromEnvironment("IRONVALE_MONKEY_SEED", 1);
    const int runs = fromEnvironment("IRONVALE_MONKEY_RUNS", std::getenv("IRONVALE_MONKEY_SEED") != nullptr ? 1 : 6);
    const int actions = fromEnvironment("IRONVALE_MONKEY_ACTIONS", 1500);
    QElapsedTimer clock;
    clock.start();
    for (int seed = first; seed < first + runs; ++seed) {
        // Should the program crash, the last of these lines names the seed to replay.
        std::cout << "monkey: seed " << seed << ", " << actions << " actions" << std::endl;
        const std::string report = Monkey(static_cast<uint64_t>(seed)).run(actions);
        EXPECT_TRUE(report.empty()) << report;
    }
    const double seconds = std::max<qint64>(clock.elapsed(), 1) / 1000.0;
    std::cout << "monkey: " << runs * actions << " actions in " << seconds << " s ("
              << static_cast<long long>(runs * actions / seconds) << " actions/s), seeds " << first << ".."
              << first + runs - 1 << std::endl;
}

} // namespace
