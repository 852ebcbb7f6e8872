#include "tests/ui/monkey/Monkey.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"
#include "tests/ui/monkey/MonkeyModel.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/ListBox.h"
#include "ui/services/TextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest-spi.h>

#include <chrono>
#include <map>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString FormTitle = QStringLiteral("Ironvale Campaign Editor - ");
const char* const PoolNames[] = {"a.cam", "b.cam", "\xce\xa9mega.cam", "x.y.cam", "abc", "long_name_here.cam"};

// The program, as start-up wires it. Made again after Exit, as a user
// would start it again.
struct Session {
    Session()
    {
        Window.SetScenarioDialog(Dialog);
        Window.SetCampaign(Doc);
        Dialog.SetCampaign(Doc);
        Window.Update(-1);
    }
    ScriptedDialogs Dialogs;
    clsCampaign Doc;
    frmCampaign Window{Dialogs};
    frmScenario Dialog{Dialogs, &Window};
};

// A text box as the monkey follows it: what it showed before each edit and
// every text a user edit gave it since the program last assigned one.
struct Watch {
    TextBox* Box = nullptr;
    BoxRule Rule;
    bool InDialog = false;
    QString Previous;
    std::vector<QString> History;
    bool Emptied = false;
};

struct FileEntry {
    bool Dir = false;
    long long Size = 0;
    long long Modified = 0;
    unsigned long long Inode = 0;
    unsigned Mode = 0;
    friend bool operator==(const FileEntry& a, const FileEntry& b)
    {
        return a.Dir == b.Dir && a.Size == b.Size && a.Modified == b.Modified && a.Inode == b.Inode &&
               a.Mode == b.Mode;
    }
};
using FileMap = std::map<QString, FileEntry>;

// What a file choice names, and what the monkey expects of it.
struct Choice {
    std::optional<QString> Path;
    QString Relative;
    bool Writable = false;
};

// The file title less its ".cam"; a title of under five characters stays whole.
std::string NameFromTitle(const QString& strTitle)
{
    return (strTitle.size() < 5 ? strTitle : strTitle.left(strTitle.size() - 4)).toStdString();
}

QString Text(const std::string& strS)
{
    return QString::fromLatin1(strS.data(), static_cast<qsizetype>(strS.size()));
}

std::string Bytes(const QString& strS)
{
    return strS.toLatin1().toStdString();
}

std::string Show(const QString& strS)
{
    std::string strOut;
    for (const QChar ch : strS) {
        strOut += ch.unicode() >= 0x20 && ch.unicode() < 0x7f ? std::string(1, static_cast<char>(ch.unicode()))
                                                               : "\\u" + std::to_string(ch.unicode());
    }
    return '"' + strOut + '"';
}

// The numeric fields of a scenario by the name of the box that shows them.
int32_t RecordValue(const clsScenario& Record, const QString& strName)
{
    const int16_t intI = static_cast<int16_t>(strName.back().digitValue());
    if (strName.startsWith(QLatin1String("txtResultScenario"))) {
        return Record.ResultScenario(intI);
    }
    if (strName.startsWith(QLatin1String("txtResultPrestige"))) {
        return Record.ResultPrestige(intI);
    }
    if (strName == QLatin1String("txtNumber")) {
        return Record.Number();
    }
    if (strName == QLatin1String("txtFirstUnknown")) {
        return Record.FirstUnknown();
    }
    if (strName == QLatin1String("txtSecondUnknown")) {
        return Record.SecondUnknown();
    }
    if (strName == QLatin1String("txtThirdUnknown")) {
        return Record.ThirdUnknown();
    }
    return Record.Prestige();
}

void SendKey(QWidget* pTarget, int intKey, int intModifiers, const QString& strText)
{
    const QPointer<QWidget> Target(pTarget);
    const auto Modifiers = Qt::KeyboardModifiers(intModifiers);
    QKeyEvent Press(QEvent::KeyPress, intKey, Modifiers, strText);
    QSpontaneKeyEvent::setSpontaneous(&Press);
    if (!qt_sendShortcutOverrideEvent(pTarget, Press.timestamp(), intKey, Modifiers, strText)) {
        QApplication::instance()->notify(pTarget, &Press);
    }
    if (Target) {
        QKeyEvent Release(QEvent::KeyRelease, intKey, Modifiers, strText);
        QSpontaneKeyEvent::setSpontaneous(&Release);
        QApplication::instance()->notify(Target, &Release);
    }
}

// The open popup, else the modal window a step would act on.
QWidget* TopWindow()
{
    if (QWidget* pPopup = QApplication::activePopupWidget()) {
        return pPopup;
    }
    return QApplication::activeModalWidget();
}

bool WaitFor(const std::function<bool()>& Condition)
{
    QElapsedTimer Clock;
    Clock.start();
    while (!Condition()) {
        if (Clock.elapsed() > 5000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Invents actions. Every choice comes from one stream, so a seed names a run.
class Generator {
public:
    explicit Generator(uint64_t lngSeed) : m_Rng(lngSeed) {}

    int Below(int intN) { return static_cast<int>(m_Rng() % static_cast<uint64_t>(intN)); }
    bool Chance(int intPercent) { return Below(100) < intPercent; }

    Action MainAction()
    {
        const int intRoll = Below(100);
        if (intRoll < 40) {
            return Key("-");
        }
        if (intRoll < 66) {
            static const std::vector<std::pair<const char*, int>> Targets{
                {"cmdAdd", 10},  {"cmdChange", 4},       {"cmdRemove", 3},    {"cmdRemoveAll", 1},
                {"cmdCheck", 4}, {"cmdClear", 2},        {"txtDescription", 5}, {"txtPrestige", 6},
                {"cmbNation", 3}, {"lstScenario", 10},   {"lstError", 2}};
            return Click(Weighted(Targets));
        }
        if (intRoll < 69) {
            Action Step = Click("lstScenario");
            Step.Modifiers = Qt::ControlModifier;
            return Step;
        }
        if (intRoll < 73) {
            return {"dblclick", "lstScenario", 0, 0, {}, Below(60), {}, {}, {}};
        }
        if (intRoll < 79) {
            return Paste();
        }
        if (intRoll < 98) {
            static const std::vector<std::pair<const char*, int>> Commands{
                {"mnuFileNew", 3}, {"mnuFileOpen", 8}, {"mnuFileSave", 7}, {"mnuFileExit", 1},
                {"mnuHelpAbout", 1}, {"mnuHelpFileInfo", 1}};
            Action Step{"menu", Weighted(Commands), 0, 0, {}, Below(2), {}, {}, {}};
            Answer(Step);
            return Step;
        }
        Action Step{"close", "", 0, 0, {}, 0, {}, {}, {}};
        Answer(Step);
        return Step;
    }

    // A step inside the scenario dialog; after intBudget steps, one that closes it.
    Action DialogStep(int intStep, int intBudget)
    {
        if (intStep >= intBudget) {
            switch (Below(10)) {
            case 0:
            case 1:
            case 2:
            case 3:
                return Click("cmdOK");
            case 4:
            case 5:
                return Click("cmdCancel");
            case 6:
                return {"key", "-", Qt::Key_Escape, 0, QStringLiteral("\x1b"), 0, {}, {}, {}};
            case 7:
            case 8:
                return {"key", "-", Qt::Key_Return, 0, QStringLiteral("\r"), 0, {}, {}, {}};
            default:
                return {"close", "", 0, 0, {}, 0, {}, {}, {}};
            }
        }
        const int intRoll = Below(100);
        if (intRoll < 60) {
            return Key("-");
        }
        if (intRoll < 80) {
            static const QStringList strBoxes{
                "txtScenario",      "txtNumber",          "txtFirstUnknown",    "txtAnimation",
                "txtVoice",         "txtSecondUnknown",   "txtText",            "txtPrestige",
                "txtThirdUnknown",  "txtResultScenario0", "txtResultScenario1", "txtResultScenario2",
                "txtResultScenario3", "txtResultPrestige0", "txtResultText1",   "txtResultVoice2",
                "txtResultMovie3"};
            return Click(strBoxes.at(Below(static_cast<int>(strBoxes.size()))).toStdString());
        }
        if (intRoll < 90) {
            return Paste();
        }
        return Click(Chance(50) ? "cmdCopy" : "cmdPaste");
    }

    // A step on an open popup: a combo box's list is walked and chosen from,
    // anything else is closed.
    Action PopupStep(const QWidget* pPopup, int intStep)
    {
        if (pPopup->inherits("QComboBoxPrivateContainer") && intStep < 4) {
            const std::pair<Qt::Key, const char*> Keys[] = {
                {Qt::Key_Down, ""}, {Qt::Key_Up, ""}, {Qt::Key_Down, ""}, {Qt::Key_Return, "\r"}, {Qt::Key_Escape, "\x1b"}};
            const auto& Pick = Keys[Below(5)];
            return {"key", "popup", Pick.first, 0, QString::fromLatin1(Pick.second), 0, {}, {}, {}};
        }
        return {"key", "popup", Qt::Key_Escape, 0, QStringLiteral("\x1b"), 0, {}, {}, {}};
    }

    int DialogBudget() { return Chance(15) ? 0 : Below(14); }

private:
    template <class T> T Weighted(const std::vector<std::pair<T, int>>& Choices)
    {
        int intTotal = 0;
        for (const auto& Entry : Choices) {
            intTotal += Entry.second;
        }
        int intRoll = Below(intTotal);
        for (const auto& Entry : Choices) {
            if ((intRoll -= Entry.second) < 0) {
                return Entry.first;
            }
        }
        return Choices.back().first;
    }

    Action Click(const std::string& strTarget)
    {
        return {"click", strTarget, 0, 0, {}, Below(90), {}, {}, {}};
    }

    Action Paste()
    {
        const char* Ways[] = {"ctrlv", "shiftins", "menu"};
        return {"paste", Ways[Below(3)], 0, 0, RandomText(), 0, {}, {}, {}};
    }

    QString RandomText()
    {
        static const QStringList strSamples{"254", "255", "65535", "65536", "49", "50", "007", "-5", "0",
                                            "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "a.b", "new", "x y"};
        if (Chance(30)) {
            return strSamples.at(Below(static_cast<int>(strSamples.size())));
        }
        static const QString strPool = QStringLiteral("abcXYZ0123456789.,-_ !\t\r\n\x01\x7f\u00e9\u00df\u20ac\u03a9");
        QString strS;
        for (int intN = Below(14); intN > 0; --intN) {
            strS += strPool.at(Below(static_cast<int>(strPool.size())));
        }
        return strS;
    }

    Action Key(const std::string& strTarget)
    {
        Action Step{"key", strTarget, 0, 0, {}, 0, {}, {}, {}};
        const auto Set = [&](int intKey, int intModifiers, const QString& strText) {
            Step.Key = intKey;
            Step.Modifiers = intModifiers;
            Step.Text = strText;
            return Step;
        };
        static const std::pair<Qt::Key, const char16_t*> Punctuation[] = {
            {Qt::Key_Period, u"."},     {Qt::Key_Comma, u","},     {Qt::Key_Minus, u"-"},      {Qt::Key_Underscore, u"_"},
            {Qt::Key_Slash, u"/"},      {Qt::Key_Backslash, u"\\"}, {Qt::Key_Semicolon, u";"}, {Qt::Key_Colon, u":"},
            {Qt::Key_Apostrophe, u"'"}, {Qt::Key_QuoteDbl, u"\""},  {Qt::Key_Exclam, u"!"},    {Qt::Key_At, u"@"},
            {Qt::Key_NumberSign, u"#"}, {Qt::Key_Dollar, u"$"},     {Qt::Key_Percent, u"%"},   {Qt::Key_Ampersand, u"&"},
            {Qt::Key_Asterisk, u"*"},   {Qt::Key_ParenLeft, u"("},  {Qt::Key_BracketLeft, u"["}, {Qt::Key_Space, u" "},
            {Qt::Key_Plus, u"+"},       {Qt::Key_Equal, u"="},      {Qt::Key_Question, u"?"},  {Qt::Key_Less, u"<"},
            {Qt::Key_AsciiTilde, u"~"}, {Qt::Key_QuoteLeft, u"`"},  {Qt::Key_Bar, u"|"},       {Qt::Key_AsciiCircum, u"^"}};
        static const std::pair<Qt::Key, const char16_t*> Foreign[] = {
            {Qt::Key_Eacute, u"\u00e9"}, {Qt::Key_ssharp, u"\u00df"}, {Qt::Key_Udiaeresis, u"\u00fc"},
            {Qt::Key_Ntilde, u"\u00f1"}, {Qt::Key_unknown, u"\u20ac"}, {Qt::Key_unknown, u"\u03a9"},
            {Qt::Key_unknown, u"\u65e5\u672c"}, {Qt::Key_E, u"e\u0301"}, {Qt::Key_yen, u"\u00a5"}};
        // What AltGr, Ctrl+Alt or Meta with a key may type on some layout.
        static const std::pair<Qt::Key, const char16_t*> Composed[] = {
            {Qt::Key_Q, u"@"},  {Qt::Key_E, u"\u20ac"}, {Qt::Key_2, u"\u00b2"}, {Qt::Key_8, u"["}, {Qt::Key_9, u"]"},
            {Qt::Key_7, u"{"},  {Qt::Key_0, u"}"},      {Qt::Key_Minus, u"\\"}, {Qt::Key_Period, u"."},
            {Qt::Key_X, u"x"},  {Qt::Key_5, u"5"},      {Qt::Key_Space, u" "},  {Qt::Key_3, u"3"}, {Qt::Key_K, u"K"}};
        const int intRoll = Below(100);
        if (intRoll < 15) {
            const int intLetter = Below(26);
            const bool blnShift = Chance(30);
            return Set(Qt::Key_A + intLetter, blnShift ? int{Qt::ShiftModifier} : 0,
                       QString(QChar((blnShift ? u'A' : u'a') + intLetter)));
        }
        if (intRoll < 37) {
            const int intDigit = Below(10);
            return Set(Qt::Key_0 + intDigit, Chance(5) ? int{Qt::KeypadModifier} : 0, QString(QChar(u'0' + intDigit)));
        }
        if (intRoll < 42) {
            const auto& Pick = Punctuation[Below(static_cast<int>(std::size(Punctuation)))];
            return Set(Pick.first, 0, QString::fromUtf16(Pick.second));
        }
        if (intRoll < 45) {
            const auto& Pick = Foreign[Below(static_cast<int>(std::size(Foreign)))];
            return Set(Pick.first, 0, QString::fromUtf16(Pick.second));
        }
        if (intRoll < 60) {
            switch (Below(11)) {
            case 0:
                return Set(Qt::Key_Escape, 0, QStringLiteral("\x1b"));
            case 1:
                return Set(Qt::Key_Return, 0, QStringLiteral("\r"));
            case 2:
                return Set(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
            case 3:
            case 4:
                return Set(Qt::Key_Tab, 0, QStringLiteral("\t"));
            case 5:
                return Set(Qt::Key_Backtab, Qt::ShiftModifier, QString());
            case 6:
            case 7:
                return Set(Qt::Key_Backspace, 0, QStringLiteral("\b"));
            case 8:
                return Set(Qt::Key_Delete, 0, QStringLiteral("\x7f"));
            case 9:
                return Set(Qt::Key_unknown, 0, QString(QChar(static_cast<char16_t>(1 + Below(31)))));
            default:
                return Set(Qt::Key_Menu, 0, QString());
            }
        }
        if (intRoll < 68) {
            static const Qt::Key Keys[] = {Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z, Qt::Key_Y,
                                           Qt::Key_K, Qt::Key_U, Qt::Key_W, Qt::Key_H, Qt::Key_D, Qt::Key_E,
                                           Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Left,
                                           Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
            const Qt::Key intKey = Keys[Below(static_cast<int>(std::size(Keys)))];
            const bool blnLetter = intKey >= Qt::Key_A && intKey <= Qt::Key_Z;
            const int intShift = Chance(15) ? int{Qt::ShiftModifier} : 0;
            if (Chance(10)) {
                // Shift+Insert pastes and Shift+Delete cuts.
                return Set(Chance(50) ? Qt::Key_Insert : Qt::Key_Delete, Qt::ShiftModifier, QString());
            }
            return Set(intKey, Qt::ControlModifier | intShift,
                       blnLetter ? QString(QChar(static_cast<char16_t>(intKey - Qt::Key_A + 1))) : QString());
        }
        if (intRoll < 82) {
            const auto& Pick = Composed[Below(static_cast<int>(std::size(Composed)))];
            const int Modifiers[] = {Qt::ControlModifier | Qt::AltModifier, Qt::GroupSwitchModifier,
                                     Qt::MetaModifier, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier,
                                     Qt::GroupSwitchModifier | Qt::ShiftModifier, Qt::AltModifier};
            return Set(Pick.first, Modifiers[Below(6)], QString::fromUtf16(Pick.second));
        }
        if (intRoll < 97) {
            static const Qt::Key Keys[] = {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                           Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
            return Set(Keys[Below(static_cast<int>(std::size(Keys)))], Chance(30) ? int{Qt::ShiftModifier} : 0, QString());
        }
        return Set(Qt::Key_F1 + Below(12), 0, QString());
    }

    // The answer to the save question and two file choices, for the one or
    // two file dialogs a command may show.
    void Answer(Action& Step)
    {
        const bool blnSave = Step.Target == "mnuFileSave";
        if (Step.Target.rfind("mnuHelp", 0) == 0) {
            return;
        }
        if (!blnSave) {
            Step.Answer = Chance(50) ? "Y" : "N";
        }
        for (int intI = blnSave ? 1 : 2; intI > 0; --intI) {
            Step.Files.push_back(FileChoiceText());
        }
    }

    std::string FileChoiceText()
    {
        const std::string strPool = PoolNames[Below(static_cast<int>(std::size(PoolNames)))];
        const int intRoll = Below(100);
        if (intRoll < 12) {
            return "cancel";
        }
        if (intRoll < 65) {
            static const std::vector<std::pair<const char*, int>> Kinds{
                {"valid", 40}, {"foreign", 14}, {"goto", 10}, {"long", 8}, {"trunc", 14}, {"count", 8}};
            return std::string("gen:") + Weighted(Kinds) + ':' + strPool + ':' + std::to_string(m_Rng() % 1000000);
        }
        if (intRoll < 85) {
            return "path:" + strPool;
        }
        const char* Odd[] = {"path:folder.cam", "path:missing/x.cam", "path:locked/held.cam", "path:locked/new.cam"};
        return Odd[Below(4)];
    }

    std::mt19937_64 m_Rng;
};

} // namespace

struct Monkey::Impl {
    explicit Impl(std::optional<uint64_t> lngSeed)
    {
        if (lngSeed) {
            Gen.emplace(*lngSeed);
        }
        // Targets a save must refuse (a folder named like a campaign) and one
        // it may only write directly (a writable file in a folder that takes
        // no new file, unless the user is root).
        QDir Root(Dir.path());
        Root.mkpath(QStringLiteral("folder.cam"));
        Root.mkpath(QStringLiteral("locked"));
        const GeneratedFile Held = GenerateFile("valid", 7);
        QFile File(Root.filePath(QStringLiteral("locked/held.cam")));
        if (File.open(QIODevice::WriteOnly)) {
            File.write(Held.Bytes);
        }
        File.close();
        Known[QStringLiteral("locked/held.cam")] = Held.Opens;
        QFile::setPermissions(Root.filePath(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
        Start();
        Pre = Capture();
    }

    ~Impl()
    {
        QFile::setPermissions(QDir(Dir.path()).filePath(QStringLiteral("locked")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // A fresh program: new windows and an empty document.
    void Start()
    {
        Watches.clear();
        Prog.reset();
        Prog = std::make_unique<Session>();
        Baseline = Content::Cleared();
        Widgets.clear();
        DialogWidgets.clear();
        for (QWidget* pChild : Prog->Window.findChildren<QWidget*>()) {
            const QString strName = pChild->objectName();
            if (!strName.isEmpty()) {
                (pChild->window() == &Prog->Dialog ? DialogWidgets : Widgets)[strName.toStdString()] = pChild;
            }
        }
        for (TextBox* pBox : Prog->Window.findChildren<TextBox*>()) {
            const std::optional<BoxRule> Rule = RuleOf(pBox->objectName());
            if (!Rule) {
                continue;
            }
            auto& W = Watches.emplace_back(std::make_unique<Watch>());
            W->Box = pBox;
            W->Rule = *Rule;
            W->InDialog = pBox->window() == &Prog->Dialog;
            W->Previous = pBox->text();
            W->History = {W->Previous};
            Watch* pWatch = W.get();
            QObject::connect(pBox, &QLineEdit::textEdited, pBox, [this, pWatch](const QString& strNew) {
                OnEdited(*pWatch, strNew);
            });
            QObject::connect(pBox, &QLineEdit::textChanged, pBox, [this, pWatch] { OnChanged(*pWatch); });
        }
        QObject::connect(&Prog->Dialog, &QDialog::finished, &Prog->Dialog, [this](int intResult) {
            DialogResult = intResult;
            AcceptedRecord = RecordFromBoxes();
        });
        Prog->Dialogs.WhileOpen = [this](const RecordedMsgBox& Box) { OnMessage(Box); };
        Prog->Window.show();
        Activate(&Prog->Window);
    }

    void Violation(const std::string& strWhat)
    {
        if (Violations.size() < 5) {
            Violations.push_back(strWhat);
        }
    }

    // --- following the text boxes -------------------------------------------

    void OnEdited(Watch& W, const QString& strNew)
    {
        if (!EditAllowed(W.Previous, strNew, W.Rule, W.History)) {
            Violation("box " + W.Box->objectName().toStdString() + ": a user edit turned " + Show(W.Previous) +
                      " into " + Show(strNew) + ", which its filter or its limit of " + std::to_string(W.Rule.Limit) +
                      " refuses");
        }
        W.Previous = strNew;
        if (W.History.size() < 64) {
            W.History.push_back(strNew);
        }
        W.Emptied = W.Rule.Digits && strNew.isEmpty();
        EditingBox = W.Box;
    }

    void OnChanged(Watch& W)
    {
        const QString strNow = W.Box->text();
        if (strNow == W.Previous) {
            if (EditingBox == W.Box) {
                EditingBox = nullptr;
            }
            return;
        }
        // The program assigned the text (a refill or a value put back).
        W.Previous = strNow;
        W.History = {strNow};
    }

    // A warning about a value must follow a user edit of it, or come while
    // the program fills a box with a stored value that the box's check
    // refuses (a file may hold a go-to of 99 or an empty description): the
    // box then already shows that value, and the monkey has not seen it yet.
    void OnMessage(const RecordedMsgBox& Box)
    {
        if (!Box.Prompt.startsWith(QLatin1String("Invalid")) || EditingBox != nullptr) {
            return;
        }
        for (const auto& W : Watches) {
            const QString strNow = W->Box->text();
            const std::optional<int32_t> lngValue = DigitsValue(strNow);
            const bool blnRefused = strNow.isEmpty() || (W->Rule.Digits && !(lngValue && W->Rule.InRange(*lngValue)));
            if (strNow != W->Previous && blnRefused) {
                return;
            }
        }
        Violation("the warning " + Show(Box.Prompt) + " came without a user edit or a refused stored value");
    }

    clsScenario RecordFromBoxes() const
    {
        const auto Name = [this](const char* strBox) {
            return Bytes(static_cast<TextBox*>(DialogWidgets.at(strBox))->text());
        };
        const auto Number = [this](const std::string& strBox) {
            return DigitsValue(static_cast<TextBox*>(DialogWidgets.at(strBox))->text()).value_or(0);
        };
        clsScenario Record;
        Record.SetName(Name("txtScenario"));
        Record.SetNumber(Number("txtNumber"));
        Record.SetMovie(Name("txtAnimation"));
        Record.SetVoice(Name("txtVoice"));
        Record.SetText(Name("txtText"));
        Record.SetPrestige(Number("txtPrestige"));
        Record.SetFirstUnknown(Number("txtFirstUnknown"));
        Record.SetSecondUnknown(Number("txtSecondUnknown"));
        Record.SetThirdUnknown(Number("txtThirdUnknown"));
        for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
            const std::string strI = std::to_string(intI);
            Record.SetResultScenario(intI, Number("txtResultScenario" + strI));
            Record.SetResultPrestige(intI, Number("txtResultPrestige" + strI));
            Record.SetResultText(intI, Name(("txtResultText" + strI).c_str()));
            Record.SetResultVoice(intI, Name(("txtResultVoice" + strI).c_str()));
            Record.SetResultMovie(intI, Name(("txtResultMovie" + strI).c_str()));
        }
        return Record;
    }

    // --- the state the checks compare ---------------------------------------

    QString Folder() const { return Dir.path(); }

    FileMap Scan() const
    {
        FileMap Files;
        QDirIterator It(Folder(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (It.hasNext()) {
            const QString strPath = It.next();
            struct stat Info {};
            if (lstat(QFile::encodeName(strPath).constData(), &Info) != 0) {
                continue;
            }
            // A folder changes with what is saved into it; only files are compared whole.
            const bool blnDir = S_ISDIR(Info.st_mode);
            Files[strPath.mid(Folder().size() + 1)] = {
                blnDir, blnDir ? 0 : static_cast<long long>(Info.st_size),
                blnDir ? 0 : static_cast<long long>(Info.st_mtim.tv_sec) * 1000000000LL + Info.st_mtim.tv_nsec,
                static_cast<unsigned long long>(Info.st_ino), static_cast<unsigned>(Info.st_mode)};
        }
        return Files;
    }

    TextBox* MainBox(const char* strName) const { return static_cast<TextBox*>(Widgets.at(strName)); }
    ListBox* MainList() const { return static_cast<ListBox*>(Widgets.at("lstScenario")); }

    // The document as the window shows it: a Starting Prestige typed but not
    // yet committed counts as the user's value.
    Content Shown() const
    {
        Content Doc = Content::Of(Prog->Doc);
        Doc.Description = Bytes(MainBox("txtDescription")->text());
        Doc.Nation = static_cast<QComboBox*>(Widgets.at("cmbNation"))->currentIndex();
        if (const std::optional<int32_t> lngValue = DigitsValue(MainBox("txtPrestige")->text())) {
            Doc.Prestige = *lngValue;
        }
        return Doc;
    }

    struct Before {
        Content Doc;
        Content Shown;
        std::string Name;
        bool Changed = false;
        bool Saved = false;
        int SelectedSlot = -1;
        FileMap Files;
    };

    Before Capture() const
    {
        const int intRow = MainList()->ListIndex();
        return {Content::Of(Prog->Doc), Shown(),          Prog->Doc.Name(),
                Prog->Doc.Changed(),    Prog->Doc.Saved(), intRow < 0 ? -1 : MainList()->ItemData(static_cast<int16_t>(intRow)),
                Scan()};
    }

    // --- performing ---------------------------------------------------------

    void Activate(QWidget* pWindow)
    {
        if (QApplication::activeWindow() == pWindow) {
            return;
        }
        // Offscreen gives the activation back only after another window had it.
        StandIn.show();
        WaitFor([this] { return QApplication::activeWindow() == &StandIn; });
        StandIn.hide();
        pWindow->activateWindow();
        if (!WaitFor([pWindow] { return QApplication::activeWindow() == pWindow; })) {
            Violation("the window " + pWindow->objectName().toStdString() + " could not be activated");
        }
    }

    // Runs Step; a popup or modal window it opens, other than the one open
    // already, goes to OnOpen while it is open.
    void Guarded(const std::function<void()>& Step, const std::function<void(QWidget*)>& OnOpen)
    {
        QWidget* const pBase = TopWindow();
        QTimer Timer;
        Timer.setInterval(0);
        QElapsedTimer Clock;
        Clock.start();
        QObject::connect(&Timer, &QTimer::timeout, [&] {
            QWidget* pTop = TopWindow();
            if (pTop != nullptr && pTop != pBase) {
                Timer.stop();
                OnOpen(pTop);
                Clock.restart();
                Timer.start();
            } else if (Clock.elapsed() > 20000) {
                Violation("a modal loop runs with no window to act on");
                Timer.stop();
            }
        });
        Timer.start();
        Step();
    }

    QWidget* Resolve(const std::string& strTarget, bool blnDialog) const
    {
        if (strTarget == "-") {
            QWidget* pFocus = QApplication::focusWidget();
            return pFocus != nullptr ? pFocus : (blnDialog ? static_cast<QWidget*>(&Prog->Dialog) : &Prog->Window);
        }
        if (strTarget == "popup") {
            QWidget* pTop = TopWindow();
            return pTop == nullptr ? nullptr : (pTop->focusWidget() != nullptr ? pTop->focusWidget() : pTop);
        }
        const auto& Map = blnDialog ? DialogWidgets : Widgets;
        const auto It = Map.find(strTarget);
        return It == Map.end() ? nullptr : It->second;
    }

    void ClickOn(QWidget* pTarget, const Action& Step, bool blnDouble)
    {
        if (pTarget == nullptr || !pTarget->isVisible()) {
            return;
        }
        const auto Modifiers = Qt::KeyboardModifiers(Step.Modifiers);
        if (auto* pList = qobject_cast<ListBox*>(pTarget)) {
            QPoint Where(4, pList->viewport()->height() - 4);
            if (pList->count() > 0) {
                QListWidgetItem* pItem = pList->item(Step.Position % pList->count());
                pList->scrollToItem(pItem);
                Where = pList->visualItemRect(pItem).center();
            }
            if (blnDouble) {
                QTest::mouseDClick(pList->viewport(), Qt::LeftButton, Modifiers, Where);
            } else {
                QTest::mouseClick(pList->viewport(), Qt::LeftButton, Modifiers, Where);
            }
            return;
        }
        if (qobject_cast<TextBox*>(pTarget) != nullptr) {
            QTest::mouseClick(pTarget, Qt::LeftButton, Modifiers,
                              QPoint(1 + Step.Position % std::max(1, pTarget->width() - 2), pTarget->height() / 2));
            return;
        }
        QTest::mouseClick(pTarget, Qt::LeftButton, Modifiers);
    }

    // Closes a stray popup or dialog a step opened; a context menu opened by
    // a paste step gets its Paste chosen first.
    void CloseStray(QWidget* pOpen, bool blnPaste)
    {
        if (auto* pMenu = qobject_cast<QMenu*>(pOpen)) {
            if (blnPaste) {
                const QString strPaste = QLineEdit::tr("&Paste");
                for (QAction* pAction : pMenu->actions()) {
                    if (pAction->text().startsWith(strPaste)) {
                        pAction->trigger();
                        break;
                    }
                }
            }
            pMenu->close();
            return;
        }
        if (auto* pDialog = qobject_cast<QDialog*>(pOpen)) {
            SendKey(pDialog, Qt::Key_Escape, 0, QStringLiteral("\x1b"));
            if (pDialog->isVisible()) {
                Violation(std::string("the dialog ") + pDialog->metaObject()->className() + " stays open after Esc");
                pDialog->reject();
            }
            return;
        }
        Violation(std::string("an unexpected window opened: ") + pOpen->metaObject()->className());
        pOpen->close();
    }

    // One action or step; blnDialog when it acts inside the scenario dialog.
    void Perform(const Action& Step, bool blnDialog, const std::function<void(QWidget*)>& OnOpen)
    {
        const auto Go = [&](const std::function<void()>& Body) { Guarded(Body, OnOpen); };
        if (Step.Kind == "key") {
            QWidget* pTarget = Resolve(Step.Target, blnDialog);
            if (pTarget != nullptr && pTarget->isVisible()) {
                Go([&] { SendKey(pTarget, Step.Key, Step.Modifiers, Step.Text); });
            }
        } else if (Step.Kind == "click" || Step.Kind == "dblclick") {
            QWidget* pTarget = Resolve(Step.Target, blnDialog);
            Go([&] { ClickOn(pTarget, Step, Step.Kind == "dblclick"); });
        } else if (Step.Kind == "paste") {
            QApplication::clipboard()->setText(Step.Text);
            QWidget* pTarget = Resolve("-", blnDialog);
            if (Step.Target == "ctrlv") {
                Go([&] { SendKey(pTarget, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16")); });
            } else if (Step.Target == "shiftins") {
                Go([&] { SendKey(pTarget, Qt::Key_Insert, Qt::ShiftModifier, QString()); });
            } else if (qobject_cast<TextBox*>(pTarget) != nullptr) {
                Guarded(
                    [&] {
                        QContextMenuEvent Menu(QContextMenuEvent::Keyboard, QPoint(2, 2), pTarget->mapToGlobal(QPoint(2, 2)));
                        QApplication::instance()->notify(pTarget, &Menu);
                    },
                    [this](QWidget* pOpen) { CloseStray(pOpen, true); });
            }
        } else if (Step.Kind == "menu") {
            Go([&] { Command(Step); });
        } else if (Step.Kind == "close") {
            Go([&] { blnDialog ? static_cast<void>(Prog->Dialog.close()) : static_cast<void>(Prog->Window.close()); });
        }
    }

    void Command(const Action& Step)
    {
        auto* pAction = Prog->Window.findChild<QAction*>(QString::fromStdString(Step.Target));
        if (pAction == nullptr) {
            return;
        }
        if (Step.Position == 0) {
            pAction->trigger();
            return;
        }
        const bool blnHelp = Step.Target.rfind("mnuHelp", 0) == 0;
        SendKey(Resolve("-", false), blnHelp ? Qt::Key_Question : Qt::Key_F, Qt::AltModifier,
                blnHelp ? QStringLiteral("?") : QStringLiteral("f"));
        QWidget* pMenu = QApplication::activePopupWidget();
        if (pMenu == nullptr) {
            Violation("the menu did not open from the keyboard");
            return;
        }
        const QString strCaption = pAction->text();
        const QChar chMnemonic = strCaption.at(strCaption.indexOf(QLatin1Char('&')) + 1).toLower();
        SendKey(pMenu, Qt::Key_A + (chMnemonic.unicode() - u'a'), 0, QString(chMnemonic));
    }

    // The next step of Top inside an open window: from the script, or invented.
    Action NextInner(Action& Top, const std::function<Action()>& Invent, const Action& Fallback)
    {
        if (InnerCursor < Top.Inner.size()) {
            return Top.Inner[InnerCursor++];
        }
        Top.Inner.push_back(Gen ? Invent() : Fallback);
        ++InnerCursor;
        return Top.Inner.back();
    }

    void OnOpenAtTop(Action& Top, QWidget* pOpen)
    {
        if (pOpen == &Prog->Dialog) {
            InDialog(Top);
            return;
        }
        const Action Escape{"key", "popup", Qt::Key_Escape, 0, QStringLiteral("\x1b"), 0, {}, {}, {}};
        const Action Step = NextInner(Top, [&] { return Escape; }, Escape);
        Perform(Step, false, [this](QWidget* pStray) { CloseStray(pStray, false); });
        if (TopWindow() == pOpen && pOpen->isVisible()) {
            CloseStray(pOpen, false);
        }
    }

    // Popups a step left open (a combo box's list, a menu) are walked and closed.
    void ClosePopups(Action& Top, bool blnDialog)
    {
        for (int intStep = 0; QApplication::activePopupWidget() != nullptr; ++intStep) {
            QWidget* pPopup = QApplication::activePopupWidget();
            if (intStep > 8) {
                Violation(std::string("the popup ") + pPopup->metaObject()->className() + " does not close");
                pPopup->close();
                return;
            }
            const Action Escape{"key", "popup", Qt::Key_Escape, 0, QStringLiteral("\x1b"), 0, {}, {}, {}};
            const Action Step = NextInner(Top, [&] { return Gen->PopupStep(pPopup, intStep); }, Escape);
            Perform(Step, blnDialog, [this](QWidget* pStray) { CloseStray(pStray, false); });
        }
    }

    // The scenario dialog is open modally: steps inside it, each checked,
    // until a step closes it.
    void InDialog(Action& Top)
    {
        DialogOpened = true;
        DialogInitial = Prog->Dialog.Scenario();
        // Focus leaving a box on the way (the press on Add) commits it first.
        DialogDoc = Content::Of(Prog->Doc);
        DialogResult = -1;
        const int intBudget = Gen ? Gen->DialogBudget() : 0;
        const Action Cancel{"click", "cmdCancel", 0, 0, {}, 0, {}, {}, {}};
        // Every box shows its field whole, however long a name read from a file is.
        if (RecordFromBoxes() != DialogInitial) {
            Violation("the scenario dialog opened without showing its record whole");
        }
        Activate(&Prog->Dialog);
        int intStep = 0;
        int intCancels = 0;
        while (Prog->Dialog.isVisible() && Violations.empty()) {
            const Action Step = NextInner(
                Top, [&] { return intStep > intBudget ? Cancel : Gen->DialogStep(intStep, intBudget); }, Cancel);
            intCancels += Step.Kind == "click" && Step.Target == "cmdCancel" ? 1 : 0;
            Perform(Step, true, [this](QWidget* pStray) { CloseStray(pStray, false); });
            ClosePopups(Top, true);
            if (Prog->Dialog.isVisible()) {
                Activate(&Prog->Dialog);
                CheckBoxes();
                CheckDocumentUnchanged();
            }
            CollectTestFailures();
            ++intStep;
            if (intCancels > 0 && Prog->Dialog.isVisible()) {
                Violation("the scenario dialog stays open after Cancel");
            }
        }
        if (Prog->Dialog.isVisible()) {
            Prog->Dialog.done(QDialog::Rejected);
        }
    }

    void CheckDocumentUnchanged()
    {
        if (Content::Of(Prog->Doc) != DialogDoc) {
            Violation("the document changed while the scenario dialog was open");
        }
    }

    void CollectTestFailures()
    {
        for (; Results != nullptr && SeenResults < Results->size(); ++SeenResults) {
            const testing::TestPartResult& Result = Results->GetTestPartResult(SeenResults);
            if (Result.failed()) {
                // ADD_FAILURE puts "Failed" on a line of its own before the message.
                std::string strMessage = Result.message();
                if (strMessage.rfind("Failed\n", 0) == 0) {
                    strMessage.erase(0, 7);
                }
                Violation("the scripted dialogs report: " + strMessage);
            }
        }
    }

    // Writes the files an action's file choices generate and says what each
    // choice should come to.
    std::vector<Choice> Prepare(const Action& Step)
    {
        std::vector<Choice> Choices;
        for (const std::string& strChoice : Step.Files) {
            Choice Made;
            if (strChoice != "cancel") {
                const auto intColon = strChoice.find(':');
                std::string strRest = strChoice.substr(intColon + 1);
                if (strChoice.rfind("gen:", 0) == 0) {
                    const auto intKindEnd = strRest.find(':');
                    const auto intNameEnd = strRest.rfind(':');
                    const std::string strKind = strRest.substr(0, intKindEnd);
                    const std::string strName = strRest.substr(intKindEnd + 1, intNameEnd - intKindEnd - 1);
                    const GeneratedFile Generated =
                        GenerateFile(strKind, static_cast<uint32_t>(std::stoul(strRest.substr(intNameEnd + 1))));
                    QFile File(QDir(Folder()).filePath(QString::fromStdString(strName)));
                    if (File.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                        File.write(Generated.Bytes);
                        File.close();
                        Known[QString::fromStdString(strName)] = Generated.Opens;
                    }
                    strRest = strName;
                }
                Made.Relative = QString::fromStdString(strRest);
                Made.Path = QDir(Folder()).filePath(Made.Relative);
            }
            Choices.push_back(Made);
        }
        // Writable as the user running the program: a folder that takes a
        // new file, or a file that may be written where the folder does not.
        const FileMap After = Scan();
        for (Choice& Made : Choices) {
            if (!Made.Path) {
                continue;
            }
            const QByteArray strPath = QFile::encodeName(*Made.Path);
            const QByteArray strFolder = QFile::encodeName(QFileInfo(*Made.Path).absolutePath());
            const auto It = After.find(Made.Relative);
            const bool blnDir = It != After.end() && It->second.Dir;
            const bool blnFile = It != After.end() && !It->second.Dir;
            Made.Writable = !blnDir && QFileInfo(*Made.Path).absoluteDir().exists() &&
                            (access(strFolder.constData(), W_OK) == 0 ||
                             (blnFile && access(strPath.constData(), W_OK) == 0));
        }
        return Choices;
    }

    // --- the checks ---------------------------------------------------------

    // What holds after every action, whatever it was.
    void CheckState()
    {
        const clsCampaign& Doc = Prog->Doc;
        if (!Prog->Window.isVisible()) {
            Violation("the main window is gone");
        }
        if (QWidget* pTop = TopWindow()) {
            Violation(std::string("a window is left open: ") + pTop->metaObject()->className());
        }
        if (Prog->Dialog.isVisible()) {
            Violation("the scenario dialog is left open");
        }
        for (QWidget* pTop : QApplication::topLevelWidgets()) {
            if (pTop->isVisible() && pTop != &Prog->Window && !pTop->inherits("QTipLabel")) {
                Violation(std::string("a window is left open: ") + pTop->metaObject()->className());
            }
        }
        // Slot i holds scenario i or a free record; the list shows one line per used slot, in order.
        const clsScenario Free = FreeRecord();
        std::vector<int> Used;
        for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
            const clsScenario& Slot = Doc.Scenarios(intI);
            if (Slot.Number() == intI) {
                Used.push_back(intI);
                CheckRecordRanges(Slot, intI);
            } else if (Slot != Free) {
                Violation("slot " + std::to_string(intI) + " holds scenario number " + std::to_string(Slot.Number()) +
                          " (or a free record not cleared)");
            }
        }
        const ListBox* pList = MainList();
        if (pList->ListCount() != static_cast<int>(Used.size())) {
            Violation("the scenario list has " + std::to_string(pList->ListCount()) + " lines for " +
                      std::to_string(Used.size()) + " scenarios");
        }
        for (int intJ = 0; intJ < std::min<int>(pList->ListCount(), static_cast<int>(Used.size())); ++intJ) {
            const int intSlot = Used[static_cast<std::size_t>(intJ)];
            const QString strLine = QLatin1Char('#') + QString::number(intSlot).rightJustified(3, QLatin1Char('0')) +
                                    QLatin1Char(' ') + Text(Doc.Scenarios(static_cast<int16_t>(intSlot)).Name());
            if (pList->List(static_cast<int16_t>(intJ)) != strLine || pList->ItemData(static_cast<int16_t>(intJ)) != intSlot) {
                Violation("list line " + std::to_string(intJ) + " shows " + Show(pList->List(static_cast<int16_t>(intJ))) +
                          ", not " + Show(strLine));
            }
        }
        const bool blnSelected = pList->ListIndex() >= 0;
        const auto Enabled = [this](const char* strName) { return Widgets.at(strName)->isEnabled(); };
        if (Enabled("cmdChange") != blnSelected || Enabled("cmdRemove") != blnSelected) {
            Violation(std::string("Change and Remove are ") + (Enabled("cmdChange") ? "on" : "off") + "/" +
                      (Enabled("cmdRemove") ? "on" : "off") + " while " + (blnSelected ? "a" : "no") +
                      " line is selected");
        }
        if (Enabled("cmdRemoveAll") != !Used.empty() || Enabled("cmdAdd") != (Used.size() < 50)) {
            Violation("Add or Remove All is on or off against the scenario count " + std::to_string(Used.size()));
        }
        if (static_cast<ListBox*>(Widgets.at("lstError"))->ListCount() > 0 && !Enabled("cmdClear")) {
            Violation("the check list has lines but Clear is off");
        }
        if (Doc.Prestige() < 0 || Doc.Prestige() > 65535 || Doc.Nation() < 0 || Doc.Nation() > 3) {
            Violation("the header holds a value out of range");
        }
        if (static_cast<QComboBox*>(Widgets.at("cmbNation"))->currentIndex() != Doc.Nation()) {
            Violation("the nation shown is not the document's");
        }
        if (MainBox("txtDescription")->text() != Text(Doc.Description())) {
            Violation("the description box shows " + Show(MainBox("txtDescription")->text()) + ", the document holds " +
                      Show(Text(Doc.Description())));
        }
        if (Prog->Window.windowTitle() != FormTitle + QString::fromStdString(Doc.Name())) {
            Violation("the title " + Show(Prog->Window.windowTitle()) + " does not name the document");
        }
        CheckBoxes();
    }

    // A value only a file can bring (a go-to no box accepts) is allowed once a file brought it.
    void CheckRecordRanges(const clsScenario& Slot, int intSlot)
    {
        bool blnGood = Slot.Prestige() >= 0 && Slot.Prestige() <= 65535;
        for (const int32_t lngWord : {Slot.FirstUnknown(), Slot.SecondUnknown(), Slot.ThirdUnknown()}) {
            blnGood = blnGood && lngWord >= 0 && lngWord <= 65535;
        }
        for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
            const int32_t lngGoTo = Slot.ResultScenario(intI);
            blnGood = blnGood && Slot.ResultPrestige(intI) >= 0 && Slot.ResultPrestige(intI) <= 65535 &&
                      ((lngGoTo >= 0 && lngGoTo <= 49) || lngGoTo == 254 || lngGoTo == 255 ||
                       LoadedGoTos.count(lngGoTo) > 0);
        }
        if (!blnGood) {
            Violation("scenario " + std::to_string(intSlot) + " holds a value out of its field's range");
        }
    }

    // Every number box shows a number in its range or the value its record holds.
    void CheckBoxes()
    {
        for (const auto& W : Watches) {
            if (W->InDialog && !Prog->Dialog.isVisible()) {
                continue;
            }
            const QString strText = W->Box->text();
            if (W->Emptied && !(strText == QLatin1String("0") && W->Box->selectedText() == QLatin1String("0"))) {
                Violation("box " + W->Box->objectName().toStdString() + " was emptied and shows " + Show(strText) +
                          " with " + Show(W->Box->selectedText()) + " selected, not a selected \"0\"");
            }
            W->Emptied = false;
            if (!W->Rule.Digits) {
                continue;
            }
            const int32_t lngRecord = W->InDialog ? RecordValue(Prog->Dialog.Scenario(), W->Box->objectName())
                                                  : Prog->Doc.Prestige();
            const std::optional<int32_t> lngValue = DigitsValue(strText);
            if (!(lngValue && W->Rule.InRange(*lngValue)) && strText != QString::number(lngRecord)) {
                Violation("box " + W->Box->objectName().toStdString() + " shows " + Show(strText) +
                          ", neither in its range nor its record's value " + std::to_string(lngRecord));
            }
        }
    }

    void CheckSavedFile(const Choice& Made, const Content& Expected)
    {
        QFile File(*Made.Path);
        const QByteArray Saved = File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
        auto Back = std::make_unique<clsCampaign>();
        const QString strReason = ReadCampaignBytes(Saved, *Back);
        if (Saved.size() != 31944 || !strReason.isEmpty()) {
            Violation("the saved file " + Made.Relative.toStdString() + " has " + std::to_string(Saved.size()) +
                      " bytes and reads back as: " + strReason.toStdString());
            return;
        }
        if (Content::Of(*Back) != Expected) {
            Violation("the saved file " + Made.Relative.toStdString() + " does not read back as the document shown");
        }
        if (Back->Check() != 0) {
            Violation("the saved file " + Made.Relative.toStdString() + " fails the integrity check");
        }
    }

    // The File commands and the frame's close, against what they promise.
    void CheckCommand(const Action& Step, const std::vector<Choice>& Choices)
    {
        const std::string strCommand = Step.Kind == "close" ? "close" : Step.Target;
        const auto& Dialogs = Prog->Dialogs;
        int intQuestions = 0;
        for (const RecordedMsgBox& Box : Dialogs.MsgBoxes) {
            intQuestions += Box.Style == MsgBoxStyle::YesNoQuestion ? 1 : 0;
        }
        const bool blnFlagged = Pre.Changed && !Pre.Saved;
        const bool blnVisibleEdits = Pre.Shown != Baseline;
        const bool blnPending = Pre.Shown != Pre.Doc;
        const bool blnAsks = strCommand != "mnuFileSave" && strCommand.rfind("mnuHelp", 0) != 0;
        if (intQuestions > (blnAsks ? 1 : 0)) {
            Violation(std::to_string(intQuestions) + " save questions for " + strCommand);
        }
        if (intQuestions == 1 && !blnFlagged && !blnPending) {
            Violation(strCommand + " asked to save with nothing unsaved");
        }
        const bool blnYes = intQuestions == 1 && Step.Answer == "Y";
        const bool blnSaveWanted = strCommand == "mnuFileSave" || blnYes;
        std::size_t intChoice = 0;
        std::size_t intDialog = 0;
        bool blnSaved = false;
        std::optional<QString> strChanged;
        if (blnSaveWanted) {
            const bool blnPasses = Pre.Shown.PassesCheck();
            const bool blnShown = intDialog < Dialogs.FileDialogs.size() && Dialogs.FileDialogs[intDialog].Save;
            if (blnShown != blnPasses) {
                Violation(std::string("the save dialog was ") + (blnShown ? "" : "not ") +
                          "shown for a document that " + (blnPasses ? "passes" : "fails") + " the check");
            }
            if (blnShown) {
                ++intDialog;
                const Choice& Made = Choices.at(intChoice++);
                blnSaved = Made.Path.has_value() && Made.Writable;
                if (blnSaved) {
                    ++Count.Saved;
                    strChanged = Made.Relative;
                    CheckSavedFile(Made, Pre.Shown);
                    if (!Prog->Doc.Saved() && strCommand == "mnuFileSave") {
                        Violation("a completed save left the document unsaved");
                    }
                    Baseline = Pre.Shown;
                    Known[Made.Relative] = Pre.Shown;
                }
                if (blnSaved && strCommand == "mnuFileSave" && Prog->Doc.Name() != NameFromTitle(QFileInfo(*Made.Path).fileName())) {
                    Violation("after saving as " + Made.Relative.toStdString() + " the document is named " +
                              Prog->Doc.Name());
                }
            }
        }
        const bool blnGoesOn = blnAsks && (intQuestions == 0 || !blnYes || blnSaved);
        if (blnAsks && blnGoesOn && intQuestions == 0 && (blnVisibleEdits || blnFlagged)) {
            Violation(strCommand + " went on without asking, losing unsaved edits");
        }
        const Content Now = Content::Of(Prog->Doc);
        const bool blnOpenShown = intDialog < Dialogs.FileDialogs.size() && !Dialogs.FileDialogs[intDialog].Save;
        if (strCommand == "mnuFileOpen" && blnOpenShown != blnGoesOn) {
            Violation(std::string("the open dialog was ") + (blnOpenShown ? "" : "not ") + "shown");
        }
        bool blnReplaced = false;
        if (strCommand == "mnuFileNew" && blnGoesOn) {
            blnReplaced = true;
            if (Now != Content::Cleared() || Prog->Doc.Name() != "New" || Prog->Doc.Changed() || Prog->Doc.Saved()) {
                Violation("New did not leave a new document");
            }
            Baseline = Content::Cleared();
        } else if (strCommand == "mnuFileOpen" && blnOpenShown) {
            const Choice& Made = Choices.at(std::min(intChoice, Choices.size() - 1));
            const auto It = Made.Path ? Known.find(Made.Relative) : Known.end();
            if (It != Known.end() && It->second) {
                blnReplaced = true;
                ++Count.Opened;
                const std::string strName = NameFromTitle(QFileInfo(*Made.Path).fileName());
                if (Now != *It->second || Prog->Doc.Name() != strName || Prog->Doc.Changed() || Prog->Doc.Saved()) {
                    Violation("opening " + Made.Relative.toStdString() + " did not show the file's campaign as " +
                              strName);
                }
                for (const clsScenario& Slot : It->second->Slots) {
                    for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
                        LoadedGoTos.insert(Slot.ResultScenario(intI));
                    }
                }
                Baseline = *It->second;
            }
        } else if ((strCommand == "mnuFileExit" || strCommand == "close") && blnGoesOn) {
            blnReplaced = true;
            if (Prog->Window.isVisible()) {
                Violation(strCommand + " left the window open");
            }
        }
        if (blnReplaced && Prog->Window.isVisible() && static_cast<ListBox*>(Widgets.at("lstError"))->ListCount() > 0) {
            Violation(strCommand + " kept the check list of the document it replaced");
        }
        if (blnReplaced && Prog->Window.isVisible() && MainBox("txtPrestige")->text() != QString::number(Prog->Doc.Prestige())) {
            Violation(strCommand + " left the prestige box showing " + Show(MainBox("txtPrestige")->text()));
        }
        if (!blnReplaced) {
            // Nothing but a completed save may have changed: what the window
            // shows stays, and the name follows the save.
            if (Shown() != Pre.Shown || (Now != Pre.Doc && Now != Pre.Shown)) {
                Violation(strCommand + " changed the document without replacing it");
            }
            if (!blnSaved && Prog->Doc.Name() != Pre.Name) {
                Violation(strCommand + " renamed the document without saving it");
            }
        }
        CheckFiles(strChanged);
    }

    void CheckFiles(const std::optional<QString>& strChanged)
    {
        const FileMap After = Scan();
        for (const auto& [strPath, Entry] : After) {
            const auto It = Pre.Files.find(strPath);
            if (strChanged && strPath == *strChanged) {
                continue;
            }
            if (It == Pre.Files.end() || !(It->second == Entry)) {
                Violation("the file " + strPath.toStdString() + " was created or changed");
            }
        }
        for (const auto& [strPath, Entry] : Pre.Files) {
            if (After.count(strPath) == 0) {
                Violation("the file " + strPath.toStdString() + " disappeared");
            }
        }
        if (strChanged && After.count(*strChanged) == 0) {
            Violation("the saved file " + strChanged->toStdString() + " is not there");
        }
    }

    // Any other action may change the document only as its controls do.
    void CheckEdit()
    {
        CheckFiles(std::nullopt);
        const Content Now = Content::Of(Prog->Doc);
        if (DialogOpened && DialogResult == QDialog::Accepted) {
            Content Expected = DialogDoc;
            const int intNumber = AcceptedRecord.Number();
            const bool blnChange = DialogDoc.Slots.at(static_cast<std::size_t>(std::max(0, DialogInitial.Number()))) ==
                                       DialogInitial &&
                                   DialogInitial.Number() >= 0;
            if (intNumber < 0 || intNumber > 49 ||
                (intNumber != DialogInitial.Number() && DialogDoc.Slots.at(static_cast<std::size_t>(intNumber)).Number() >= 0)) {
                Violation("OK stored the scenario as number " + std::to_string(intNumber) + ", which is taken or out of range");
                return;
            }
            if (blnChange) {
                Expected.Slots.at(static_cast<std::size_t>(DialogInitial.Number())) = FreeRecord();
            }
            Expected.Slots.at(static_cast<std::size_t>(intNumber)) = AcceptedRecord;
            if (Now != Expected) {
                Violation("after OK the document does not hold the scenario the dialog showed");
            }
            if (!Prog->Doc.Changed() || Prog->Doc.Saved()) {
                Violation("a scenario stored by OK left the document unmarked");
            }
            ++Count.Stored;
            return;
        }
        if (DialogOpened) {
            clsScenario Fresh = FreeRecord();
            Fresh.SetNumber(DialogInitial.Number());
            Fresh.SetName("new");
            const auto intSlot = static_cast<std::size_t>(std::max(0, DialogInitial.Number()));
            const bool blnKnown = DialogInitial.Number() >= 0 && DialogInitial.Number() <= 49 &&
                                  (DialogDoc.Slots.at(intSlot) == DialogInitial ||
                                   (DialogInitial == Fresh && DialogDoc.Slots.at(intSlot).Number() < 0));
            if (!blnKnown) {
                Violation("the scenario dialog opened on a record that is neither a stored scenario nor a new one");
            }
        }
        // The header follows its controls (checked with the state); a slot is
        // freed by Remove (the selected line's) or Remove All (every one).
        int intFreed = 0;
        bool blnOther = false;
        for (std::size_t intI = 0; intI < Now.Slots.size(); ++intI) {
            if (Now.Slots[intI] == Pre.Doc.Slots[intI]) {
                continue;
            }
            const bool blnFreed = Now.Slots[intI] == FreeRecord();
            intFreed += blnFreed ? 1 : 0;
            blnOther = blnOther || !blnFreed;
        }
        const bool blnRemove = intFreed == 1 && Pre.SelectedSlot >= 0 &&
                               Now.Slots.at(static_cast<std::size_t>(Pre.SelectedSlot)) == FreeRecord();
        const bool blnRemoveAll = intFreed > 0 && Now.UsedSlots() == 0;
        if (blnOther || (intFreed > 0 && !blnRemove && !blnRemoveAll)) {
            Violation("the scenarios changed in a way no control explains");
        }
        if (Now != Pre.Doc && (!Prog->Doc.Changed() || Prog->Doc.Saved())) {
            Violation("an edit left the document unmarked");
        }
    }

    bool RunAction(Action& Step)
    {
        Violations.clear();
        testing::TestPartResultArray Reported;
        const testing::ScopedFakeTestPartResultReporter Reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &Reported);
        Results = &Reported;
        SeenResults = 0;
        Activate(&Prog->Window);
        const std::vector<Choice> Choices = Prepare(Step);
        ScriptedDialogs& Dialogs = Prog->Dialogs;
        Dialogs.Answers.clear();
        Dialogs.Files.clear();
        Dialogs.MsgBoxes.clear();
        Dialogs.FileDialogs.clear();
        if (!Step.Answer.empty()) {
            Dialogs.Answers.push_back(Step.Answer == "Y" ? MsgBoxAnswer::Yes : MsgBoxAnswer::No);
        }
        for (const Choice& Made : Choices) {
            Dialogs.Files.push_back(Made.Path);
        }
        Pre = Capture();
        DialogOpened = false;
        DialogResult = -1;
        InnerCursor = 0;
        EditingBox = nullptr;
        Perform(Step, false, [this, &Step](QWidget* pOpen) { OnOpenAtTop(Step, pOpen); });
        ClosePopups(Step, false);
        Step.Inner.resize(InnerCursor);
        CollectTestFailures();
        const bool blnCommand = Step.Kind == "menu" || Step.Kind == "close";
        if (blnCommand) {
            CheckCommand(Step, Choices);
        } else {
            CheckEdit();
        }
        if (!Prog->Window.isVisible() && blnCommand && Violations.empty()) {
            ++Count.Restarts;
            Start();
            Pre = Capture();
        }
        CheckState();
        if (++ActionsSinceEvents >= 16) {
            // Posted work (deferred deletes, repaints) runs now and then, as a user's pauses let it.
            ActionsSinceEvents = 0;
            QCoreApplication::processEvents();
        }
        CollectTestFailures();
        Results = nullptr;
        return Violations.empty();
    }

    // What the scripted dialogs report during an action, as failures of the action.
    testing::TestPartResultArray* Results = nullptr;
    int SeenResults = 0;
    std::optional<Generator> Gen;
    QTemporaryDir Dir;
    QWidget StandIn;
    std::unique_ptr<Session> Prog;
    std::map<std::string, QWidget*> Widgets;
    std::map<std::string, QWidget*> DialogWidgets;
    std::vector<std::unique_ptr<Watch>> Watches;
    const TextBox* EditingBox = nullptr;
    Content Baseline;
    std::map<QString, std::optional<Content>> Known;
    std::set<int32_t> LoadedGoTos;
    Before Pre;
    bool DialogOpened = false;
    int DialogResult = -1;
    clsScenario DialogInitial;
    Content DialogDoc;
    clsScenario AcceptedRecord;
    std::size_t InnerCursor = 0;
    int ActionsSinceEvents = 0;
    std::vector<std::string> Violations;
    Monkey::Tally Count;
};

Monkey::Monkey(uint64_t lngSeed) : m_Impl(std::make_unique<Impl>(lngSeed)) {}

Monkey::Monkey(std::vector<Action> Script) : m_Impl(std::make_unique<Impl>(std::nullopt)), m_Actions(std::move(Script)) {}

Monkey::~Monkey() = default;

bool Monkey::Run(int intCount)
{
    const bool blnScript = !m_Impl->Gen;
    const std::size_t intTotal = blnScript ? m_Actions.size() : static_cast<std::size_t>(intCount);
    for (std::size_t intI = 0; intI < intTotal; ++intI) {
        if (!blnScript) {
            m_Actions.push_back(m_Impl->Gen->MainAction());
        }
        if (!m_Impl->RunAction(m_Actions[intI])) {
            m_intFailedAt = static_cast<int>(intI + 1);
            m_strFailure = m_Impl->Violations.front();
            m_Actions.resize(intI + 1);
            return false;
        }
    }
    return true;
}

const Monkey::Tally& Monkey::Done() const
{
    return m_Impl->Count;
}

clsCampaign& Monkey::Document()
{
    return m_Impl->Prog->Doc;
}

frmCampaign& Monkey::Window()
{
    return m_Impl->Prog->Window;
}

QString Monkey::Folder() const
{
    return m_Impl->Folder();
}

bool Monkey::CheckNow()
{
    m_Impl->Violations.clear();
    m_Impl->CheckState();
    m_Impl->CheckFiles(std::nullopt);
    if (!m_Impl->Violations.empty()) {
        m_strFailure = m_Impl->Violations.front();
    }
    return m_Impl->Violations.empty();
}

std::vector<Action> Shrink(const std::vector<Action>& Script, const std::string& strFailure, int intSeconds)
{
    // Failures are told apart by their wording up to the first quote or number.
    const auto Kind = [](const std::string& strS) { return strS.substr(0, strS.find_first_of("\"0123456789")); };
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(intSeconds);
    std::vector<Action> Best = Script;
    for (std::size_t intChunk = std::max<std::size_t>(1, Best.size() / 2); intChunk > 0; intChunk /= 2) {
        for (std::size_t intStart = 0; intStart + 1 < Best.size();) {
            if (std::chrono::steady_clock::now() > Deadline) {
                return Best;
            }
            std::vector<Action> Trial = Best;
            // The last action shows the failure; it stays.
            const std::size_t intEnd = std::min(intStart + intChunk, Best.size() - 1);
            Trial.erase(Trial.begin() + static_cast<std::ptrdiff_t>(intStart),
                        Trial.begin() + static_cast<std::ptrdiff_t>(intEnd));
            Monkey Again(Trial);
            if (!Again.Run(0) && Kind(Again.Failure()) == Kind(strFailure)) {
                Best = Again.Actions();
            } else {
                intStart += intChunk;
            }
        }
    }
    return Best;
}
