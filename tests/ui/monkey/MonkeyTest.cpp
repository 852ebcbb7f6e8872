// A seeded random user of the real windows: it types keys, clicks, runs the
// file commands with both answers to the save question and opens odd
// campaign files, and after every action checks the promises no named test
// covers. A seed and an action count name a run: IRONVALE_MONKEY_SEED and
// IRONVALE_MONKEY_ACTIONS replay a failure exactly.
#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"
#include "tests/support/RandomCampaignFile.h"
#include "tests/ui/support/ProgramTest.h"
#include "ui/services/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTimer>

#include <iostream>
#include <map>
#include <numeric>
#include <random>

namespace {

// The program as start-up wires it; made again after Exit, as a user starts it again.
struct Session : ProgramTest {
    using ProgramTest::dialog, ProgramTest::dialogs, ProgramTest::doc, ProgramTest::type, ProgramTest::window;
    void TestBody() override {}
};

// A stored value a box's check refuses: an empty text, or a number beyond the
// box's range (a go-to also takes 254 and 255).
bool refused(const QString& box, const QString& text)
{
    const bool goTo = box.startsWith(QLatin1String("resultScenarioEdit"));
    const bool word = box.contains(QLatin1String("restige")) || box.contains(QLatin1String("Unknown"));
    bool number = false;
    const int value = text.toInt(&number);
    const bool inRange = value >= 0 && (value <= (word ? 65535 : 49) || (goTo && (value == 254 || value == 255)));
    return text.isEmpty() || ((goTo || word || box == QLatin1String("numberEdit")) && !(number && inRange));
}

// What a campaign file keeps.
bool sameContent(const Campaign& a, const Campaign& b)
{
    return campaignBytes(a) == campaignBytes(b);
}

// The document's name for a file: its title less ".cam", a title under five characters whole.
std::string nameOf(const QString& path)
{
    const QString title = QFileInfo(path).fileName();
    return (title.size() < 5 ? title : title.chopped(4)).toStdString();
}

class Monkey {
public:
    explicit Monkey(uint64_t seed) : m_seed(seed), m_rng(seed)
    {
        // A save there must fail, as in a folder that does not exist.
        QDir(m_dir.path()).mkpath(QStringLiteral("folder.cam"));
        m_main = {{"key", 40, [this] { typeKey(); }},
                  {"Ctrl+click scenarioList", 3, [this] { click(widget("scenarioList"), Qt::ControlModifier); }},
                  {"double-click scenarioList", 4, [this] { click(widget("scenarioList"), 0, true); }}};
        static const std::pair<const char*, int> controls[] = {
            {"addButton", 10},         {"changeButton", 4},   {"removeButton", 3},    {"removeAllButton", 1},
            {"checkButton", 4},        {"clearButton", 2},    {"descriptionEdit", 5}, {"prestigeEdit", 6},
            {"nationBox", 3},          {"scenarioList", 10},  {"errorList", 2},       {"fileNewAction", 3},
            {"fileOpenAction", 8},     {"fileSaveAction", 8}, {"fileExitAction", 1},  {"helpAboutAction", 1},
            {"helpFileInfoAction", 1}, {"close", 2}};
        for (const auto& [name, weight] : controls) {
            const bool file = QByteArray(name).endsWith("Action") || qstrcmp(name, "close") == 0;
            m_main.push_back({name, weight, [this, file, name = name] { file ? command(name) : click(widget(name)); }});
        }
        // In the scenario dialog; Cancel comes first, for a dialog that has had steps enough.
        m_inDialog = {{"cancelButton", 3, [this] { click(widget("cancelButton", true)); }},
                      {"okButton", 6, [this] { click(widget("okButton", true)); }},
                      {"copyButton", 5, [this] { click(widget("copyButton", true)); }},
                      {"pasteButton", 5, [this] { click(widget("pasteButton", true)); }},
                      {"key", 60, [this] { typeKey(); }},
                      {"retype a number", 10, [this] { retype(); }},
                      {"click a box", 20, [this] { click(m_dialogBoxes[below(int(m_dialogBoxes.size()))]); }}};
        restart();
    }

    // Runs up to count actions; the report of the first broken promise, else empty.
    std::string run(int count)
    {
        for (int index = 1; index <= count; ++index) {
            const Action& action = pick(m_main);
            if (!act(action)) {
                const std::string seed = std::to_string(m_seed), at = std::to_string(index);
                return "seed " + seed + ": " + m_violations.front() + "\nafter action " + at + " (" + action.name +
                       "); replay with IRONVALE_MONKEY_SEED=" + seed + " IRONVALE_MONKEY_ACTIONS=" + at + "\n";
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
    // A text box as followed: what it showed last, and whether a user edit is under way.
    using Watch = std::pair<QString, bool>;

    int below(int n) { return static_cast<int>(m_rng() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    void expect(bool holds, const std::string& what) { holds ? void() : m_violations.push_back(what); }
    const Action& pick(const std::vector<Action>& table)
    {
        int roll = below(std::accumulate(table.begin(), table.end(), 0, [](int n, auto& a) { return n + a.weight; }));
        return *std::find_if(table.begin(), table.end(), [&](const Action& a) { return (roll -= a.weight) < 0; });
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
            m_watches[box] = {box->text(), false};
            QObject::connect(box, &QLineEdit::textEdited, box, [this, box](const QString& now) {
                m_watches[box] = {now, true};
            });
            // Another text than the edit under way gave is the program's.
            QObject::connect(box, &QLineEdit::textChanged, box, [this, box] {
                auto& [seen, editing] = m_watches[box];
                editing = editing && box->text() == seen;
                seen = box->text();
            });
        }
        m_session->window.show();
        activate(&m_session->window);
    }

    // A warning follows a user edit, or a box being filled with a stored value
    // its check refuses (a go-to of 99 or an empty description from a file).
    void warned(const RecordedMsgBox& box)
    {
        bool cause = !box.prompt.startsWith(QLatin1String("Invalid"));
        for (const auto& [b, w] : m_watches) {
            cause = cause || w.second || (b->text() != w.first && refused(b->objectName(), b->text()));
        }
        expect(cause, "the warning \"" + box.prompt.toStdString() + "\" came without a cause");
    }

    void activate(QWidget* window)
    {
        expect(QApplication::activeWindow() == window || reactivate(window), "a window could not be activated");
    }

    // Runs step; a modal window it opens is dealt with while it is open: the
    // scenario dialog is used, anything else gets Esc.
    void guarded(const std::function<void()>& step)
    {
        QWidget* const base = QApplication::activeModalWidget();
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (top != nullptr && top != base) {
                timer.stop();
                top == &m_session->dialog ? inDialog() : QTest::keyClick(top, Qt::Key_Escape);
                top->close();
                timer.start(0);
            }
        });
        timer.start(0);
        step();
    }

    // A popup left open, as a combo box's list, is closed: the arrow keys change the nation.
    void closePopups()
    {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    // A character, plain, shifted or with Ctrl (a letter's control character),
    // or an editing, moving or function key.
    void typeKey()
    {
        static const QString chars = QStringLiteral("abcxyzAKQZ0123456789012345678901234.,-_ @#&*(?[\\\"'\u00e9\u20ac");
        static const std::pair<int, char16_t> keys[] = {
            {Qt::Key_Escape, 27},   {Qt::Key_Return, 13},  {Qt::Key_Tab, 9},  {Qt::Key_Backtab, 0},
            {Qt::Key_Backspace, 8}, {Qt::Key_Delete, 127}, {Qt::Key_Home, 0}, {Qt::Key_End, 0},
            {Qt::Key_Left, 0},      {Qt::Key_Up, 0},       {Qt::Key_Down, 0}, {Qt::Key_F1, 0}};
        const int mods = std::array{0, 0, 0, int{Qt::ShiftModifier}, int{Qt::ControlModifier}}[std::size_t(below(5))];
        const QChar ch = chars[below(int(chars.size()))];
        const auto& [special, code] = keys[below(int(std::size(keys)))];
        const bool typing = chance(65);
        const int key = !typing ? special : ch.unicode() < 0x100 ? ch.toUpper().unicode() : int{Qt::Key_unknown};
        const QString keyText = !typing                               ? (code == 0 ? QString() : QString(QChar(code)))
                                : mods != Qt::ControlModifier         ? QString(ch)
                                : ch.unicode() < 128 && ch.isLetter() ? QString(QChar(key - 64))
                                                                      : QString();
        QWidget* target = focus();
        // As a keyboard sends it: the shortcut override first, then press and release.
        guarded([&] { QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), keyText, Qt::KeyboardModifiers(mods)); });
    }

    // A click anywhere on a control, below a list's lines too.
    void click(QWidget* target, int mods = 0, bool twice = false)
    {
        auto* lines = qobject_cast<ListBox*>(target);
        QWidget* surface = lines != nullptr ? lines->viewport() : target;
        const QPoint where(1 + below(surface->width() - 2), 1 + below(surface->height() - 2));
        guarded([&] {
            twice ? QTest::mouseDClick(surface, Qt::LeftButton, Qt::KeyboardModifiers(mods), where)
                  : QTest::mouseClick(surface, Qt::LeftButton, Qt::KeyboardModifiers(mods), where);
        });
    }

    // The number box (or a box of another number) retyped with one to three digits.
    void retype()
    {
        static const QStringList numbers{"numberEdit", "numberEdit", "prestigeEdit", "resultScenarioEdit0"};
        auto* box = static_cast<TextBox*>(widget(numbers[below(int(numbers.size()))], true));
        const QString digits = QString::number(below(1000)).left(1 + below(3));
        guarded([&] { Session::type(box, digits); });
    }

    // A file dialog's answer: cancel, a campaign file generated under a name
    // of the pool, a name of the pool as it is, or a place no save can go.
    std::optional<QString> fileChoice()
    {
        static const QStringList names{
            "a.cam", "b.cam", "\u03a9mega.cam", "x.y.cam", "abc", "long_name_here.cam", "folder.cam", "missing/x.cam"};
        const int roll = below(100);
        const QString path = m_dir.filePath(names[roll < 88 ? below(6) : 6 + below(2)]);
        expect(roll < 10 || roll >= 70 || writeFile(path, campaignFile()), "a generated file could not be written");
        return roll < 10 ? std::nullopt : std::optional<QString>(path);
    }

    // A campaign of up to 50 scenarios with names of any byte and go-tos of
    // any value; or mended to pass the check (every scenario can be won and
    // lost, so removing one seldom breaks it); or too long, cut short, or
    // claiming more than 50 scenarios.
    QByteArray campaignFile()
    {
        const int count = std::array{0, 1, 2, 3, 5, 8, 12, 30, 49, 50}[std::size_t(below(10))];
        const int kind = below(100);
        QByteArray bytes = QByteArray::fromStdString(randomCampaignFile(static_cast<uint32_t>(m_rng()), count));
        if (kind < 55) {
            Campaign mended;
            (void)readCampaignBytes(bytes, mended);
            for (int i = 0; i < count * Scenario::OutcomeCount; ++i) {
                const int pick = below(count + 2);
                const int goTo = i % 4 == 0 ? 254 : i % 4 == 3 ? 255 : pick < count ? pick : 254 + pick - count;
                mended.scenarios(int16_t(i / 4)).setResultScenario(int16_t(i % 4), goTo);
            }
            return campaignBytes(mended);
        }
        const char claimed[] = {char(below(256)), char(1 + below(255))};
        return kind < 62   ? bytes + QByteArray(1 + below(100), static_cast<char>(below(256)))
               : kind < 72 ? bytes.left(chance(50) ? below(64) : below(int(bytes.size())))
               : kind < 80 ? bytes.replace(0, 2, QByteArray(claimed, 2))
                           : bytes;
    }

    // A file command from its menu item, or the window's frame.
    void command(const char* name)
    {
        m_command = name;
        m_yes = chance(50);
        const bool asks = m_command != "fileSaveAction" && m_command.rfind("help", 0) != 0;
        for (int n = asks ? 2 : m_command == "fileSaveAction" ? 1 : 0; n > 0; --n) {
            m_choices.push_back(fileChoice());
            m_session->dialogs.files.push_back(m_choices.back());
        }
        if (asks) {
            m_session->dialogs.answers.push_back(m_yes ? MsgBoxAnswer::Yes : MsgBoxAnswer::No);
        }
        capture();
        auto* item = m_session->window.findChild<QAction*>(name);
        guarded([&] { item != nullptr ? item->trigger() : void(m_session->window.close()); });
    }

    // Every entry of the folder with its bytes.
    std::map<QString, QByteArray> scan() const
    {
        std::map<QString, QByteArray> found;
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            found[path] = readFile(path);
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
        action.perform();
        closePopups();
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
        m_atOpen = std::make_unique<Campaign>(doc());
        m_initialNumber = m_session->dialog.scenario().number();
        activate(&m_session->dialog);
        for (int step = 0; m_session->dialog.isVisible() && m_violations.empty(); ++step) {
            (step < 30 ? pick(m_inDialog) : m_inDialog[0]).perform();
            closePopups();
            if (m_session->dialog.isVisible()) {
                activate(&m_session->dialog);
                expect(sameContent(doc(), *m_atOpen), "the document changed while the scenario dialog was open");
            }
        }
        m_session->dialog.isVisible() ? m_session->dialog.done(QDialog::Rejected) : void();
        m_dialogResult = m_session->dialog.result();
        m_accepted = widget("numberEdit", true)->property("text").toInt();
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
        const auto number = int16_t(m_accepted);
        const bool moved = number != m_initialNumber;
        if (m_dialogResult == QDialog::Accepted) {
            expect(number >= 0 && number < 50 && (!moved || expected.scenarios(number).number() < 0),
                   "OK stored the scenario as number " + std::to_string(number) + ", which is taken or out of range");
            if (m_violations.empty()) {
                expected.scenarios(int16_t(moved ? m_initialNumber : number)).clear();
                expected.scenarios(number) = doc().scenarios(number);
                expect(doc().scenarios(number).number() == number, "OK did not store the scenario's number");
            }
        }
        // Outside the dialog the header may change, and the selected line's slot be freed.
        bool kept = !inside;
        for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
            const bool freed = i == m_selectedSlot && doc().scenarios(i).number() < 0;
            kept = kept && (freed || doc().scenarios(i) == expected.scenarios(i));
        }
        expect(sameContent(doc(), expected) || kept || (!inside && doc().scenarioCount() == 0),
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
        const auto opens = std::ptrdiff_t(dialogs.fileDialogs.size()) - saves;
        expect(boxes(MsgBoxStyle::YesNoQuestion) == (asks && unsaved ? 1 : 0),
               m_command + " asked the save question wrongly");
        expect(saves == (saveShown ? 1 : 0) && opens == (openShown ? 1 : 0),
               m_command + " showed the wrong file dialogs");
        expect(!completed || !save || (doc().saved() && !doc().changed() && doc().name() == nameOf(*savePath)),
               "a completed save did not mark and name the document");
        Campaign fromFile;
        const bool loaded = opened && readCampaignFile(pathFromText(*opened), fromFile).isEmpty();
        const bool replaced = loaded || (goesOn && m_command != "fileOpenAction");
        const auto fresh = [this](const Campaign& c, const std::string& name) {
            return sameContent(doc(), c) && doc().name() == name && !doc().changed() && !doc().saved();
        };
        expect(m_command != "fileNewAction" || !goesOn || fresh(Campaign(), "New"), "New did not leave a new document");
        expect(!loaded || fresh(fromFile, nameOf(*opened)),
               "opening " + opened.value_or(QString()).toStdString() + " did not show its campaign under its name");
        expect(!opened || loaded || boxes(MsgBoxStyle::Exclamation) > 0, "a failed open said nothing");
        expect((m_command != "fileExitAction" && m_command != "close") || m_session->window.isVisible() != goesOn,
               m_command + " did not leave the window open or closed as it should");
        expect(!replaced || !m_session->window.isVisible() || list("errorList")->lineCount() == 0,
               m_command + " kept the check list of the document it replaced");
        // Else nothing but committing the typed prestige and a completed save changes.
        expect(replaced || sameContent(doc(), *m_before) || sameContent(doc(), *m_shown),
               m_command + " changed the document");
        expect(replaced || completed || doc().name() == m_before->name(), m_command + " renamed the unsaved document");
        checkFiles(completed ? savePath : std::nullopt);
    }

    // Only the main window is open, and it mirrors the document: title, header, list lines and buttons.
    void checkState()
    {
        const Campaign& d = doc();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            expect((top == &m_session->window) == top->isVisible() || top->inherits("QTipLabel"),
                   std::string(top->metaObject()->className()) + (top->isVisible() ? " is left open" : " is gone"));
        }
        QStringList want, shown;
        for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
            const std::string& name = d.scenarios(i).name();
            if (d.scenarios(i).number() == i) {
                want << QStringLiteral("#%1 ").arg(i, 3, 10, QChar(u'0')) +
                            QLatin1String(name.data(), qsizetype(name.size())) + '|' + QString::number(i);
            }
        }
        for (int16_t line = 0; line < list("scenarioList")->lineCount(); ++line) {
            shown << list("scenarioList")->line(line) + '|' + QString::number(list("scenarioList")->lineData(line));
        }
        const auto on = [this](const char* name) { return widget(name)->isEnabled(); };
        expect(shown == want, "the scenario list does not show each scenario's number and name");
        expect(on("removeAllButton") == !want.isEmpty() && on("addButton") == (want.size() < 50),
               "Add or Remove All is on or off against the count");
        expect(list("errorList")->lineCount() == 0 || on("clearButton"), "the check list has lines but Clear is off");
        expect(m_session->window.windowTitle() == "Ironvale Campaign Editor - " + QString::fromStdString(d.name()),
               "the title does not name the document");
    }

    const uint64_t m_seed;
    std::mt19937_64 m_rng;
    QTemporaryDir m_dir;
    std::vector<Action> m_main, m_inDialog;
    std::unique_ptr<Session> m_session;
    QList<TextBox*> m_dialogBoxes;
    std::map<TextBox*, Watch> m_watches;
    std::vector<std::string> m_violations;
    std::string m_command;
    std::vector<std::optional<QString>> m_choices;
    bool m_yes = false;
    // The document before the action, with the prestige as shown, and as the scenario dialog opened.
    std::unique_ptr<Campaign> m_before, m_shown, m_atOpen;
    std::map<QString, QByteArray> m_files;
    int m_selectedSlot = -1, m_dialogResult = -2, m_initialNumber = -1, m_accepted = -1, m_done = 0;
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
    std::cout << "monkey: " << runs * actions << " actions in " << clock.elapsed() / 1000.0 << " s" << std::endl;
}

} // namespace
