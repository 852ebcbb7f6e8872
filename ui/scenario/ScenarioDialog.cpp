#include "ui/scenario/ScenarioDialog.h"

#include "data/Campaign.h"
#include "ui/services/ByteText.h"
#include "ui/services/KeyFilters.h"
#include "ui/services/LayoutFont.h"
#include "ui/services/ProgramIcon.h"
#include "ui/services/TextBox.h"
#include "ui/services/UserDialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <optional>
#include <vector>

namespace {

constexpr int32_t MaxNumber = 49;
constexpr int32_t MaxWord = 65535;

const QString ScenarioTitle = QStringLiteral("Scenario");
const QString ResultTitle = QStringLiteral("Result");

QString CR()
{
    return QString(QChar(13));
}

QString decimal(int32_t n)
{
    return QString::number(n);
}

// The whole number a text spells: an optional minus and digits only, within
// 32 bits. Anything else (text pasted around the filter) spells none.
std::optional<int32_t> wholeNumber(const QString& s)
{
    const QString digits = s.startsWith(QLatin1Char('-')) ? s.mid(1) : s;
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar ch : digits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const int32_t n = s.toInt(&ok);
    return ok ? std::optional<int32_t>(n) : std::nullopt;
}

int32_t numberIn(const TextBox* box)
{
    return wholeNumber(box->currentText()).value_or(0);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* lbl = new QLabel(caption, parent);
    lbl->setObjectName(QLatin1String(name));
    lbl->setGeometry(left, top, width, 17);
    return lbl;
}

TextBox* makeBox(QWidget* parent, const QString& name, const QString& spoken, int left, int top, int width,
                 int maxLength, const QString& tip)
{
    auto* txt = new TextBox(parent);
    txt->setObjectName(name);
    txt->setAccessibleName(spoken);
    txt->setGeometry(left, top, width, 19);
    txt->setTypingLimit(maxLength);
    txt->setToolTip(tip);
    return txt;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left, const QString& tip)
{
    auto* cmd = new QPushButton(caption, parent);
    cmd->setObjectName(QLatin1String(name));
    cmd->setAccessibleName(caption);
    cmd->setGeometry(left, 328, 57, 25);
    cmd->setToolTip(tip);
    return cmd;
}

} // namespace

ScenarioDialog::ScenarioDialog(UserDialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    createControls();
    connectHandlers();
    setUpForm();
}

void ScenarioDialog::setCampaign(Campaign& campaign)
{
    m_campaign = &campaign;
}

void ScenarioDialog::createControls()
{
    setWindowTitle(QStringLiteral("Campaign Scenario Data"));
    setWindowIcon(programIcon());
    useLayoutFont(this);
    setFixedSize(630, 371);

    auto* campaignItemGroup = new QGroupBox(QStringLiteral("Scenario Data"), this);
    campaignItemGroup->setObjectName(QStringLiteral("campaignItemGroup"));
    campaignItemGroup->setGeometry(16, 24, 593, 105);
    // One label and box pair of the frame's three rows and three columns.
    const auto pair = [campaignItemGroup](const char* label, const QString& caption, int labelWidth, const QString& box,
                                          int column, int row, int boxWidth, int maxLength, const QString& tip) {
        constexpr std::array<int, 3> LabelLeft{16, 224, 424};
        constexpr std::array<int, 3> BoxLeft{120, 328, 544};
        const int top = 24 + 24 * row;
        QLabel* lbl = makeLabel(campaignItemGroup, label, caption, LabelLeft.at(column), top, labelWidth);
        TextBox* txt = makeBox(campaignItemGroup, box, caption, BoxLeft.at(column), top, boxWidth, maxLength, tip);
        // A screen reader finds the box's label through this relation too.
        lbl->setBuddy(txt);
        return txt;
    };
    const QString unknown = QStringLiteral("Unknown");
    scenarioEdit = pair("scenarioLabel", QStringLiteral("Scenario file name"), 97, QStringLiteral("scenarioEdit"), 0, 0,
                        81, 8, QStringLiteral("Type in scenario file name"));
    numberEdit = pair("numberLabel", QStringLiteral("Scenario id"), 97, QStringLiteral("numberEdit"), 1, 0, 25, 2,
                      QStringLiteral("Type in scenario id number"));
    firstUnknownEdit = pair("firstUnknownLabel", QStringLiteral("First Unknown ?"), 89,
                            QStringLiteral("firstUnknownEdit"), 2, 0, 41, 5, unknown);
    animationEdit = pair("movieLabel", QStringLiteral("Movie file name"), 97, QStringLiteral("animationEdit"), 0, 1, 81,
                         8, QStringLiteral("Type in movie file name"));
    voiceEdit = pair("voiceLabel", QStringLiteral("Voice file name"), 97, QStringLiteral("voiceEdit"), 1, 1, 81, 8,
                     QStringLiteral("Type in voice file name"));
    secondUnknownEdit = pair("secondUnkwonLabel", QStringLiteral("Second Unknown ?"), 105,
                             QStringLiteral("secondUnknownEdit"), 2, 1, 41, 5, unknown);
    textEdit = pair("textLabel", QStringLiteral("Text file name"), 113, QStringLiteral("textEdit"), 0, 2, 81, 8,
                    QStringLiteral("Type in scenario description file name"));
    prestigeEdit = pair("prestigeLabel", QStringLiteral("Enemy prestige ?"), 97, QStringLiteral("prestigeEdit"), 1, 2,
                        41, 5, QStringLiteral("Maybe enemy prestige points"));
    thirdUnknownEdit = pair("thirdUnknownLabel", QStringLiteral("Third Unknown ?"), 89,
                            QStringLiteral("thirdUnknownEdit"), 2, 2, 41, 5, unknown);

    auto* resultGroup = new QGroupBox(QStringLiteral("Scenario Result"), this);
    resultGroup->setObjectName(QStringLiteral("resultGroup"));
    resultGroup->setGeometry(16, 152, 593, 153);
    const QString goTo = QStringLiteral("Go to");
    const QString prestige = QStringLiteral("Prestige ?");
    const QString text = QStringLiteral("Text file name");
    const QString voice = QStringLiteral("Voice file name");
    const QString movie = QStringLiteral("Movie file name");
    makeLabel(resultGroup, "resultItemLabel", goTo, 128, 24, 33);
    makeLabel(resultGroup, "resultPrestigeLabel", prestige, 192, 24, 49);
    makeLabel(resultGroup, "resultTextLabel", text, 264, 24, 81);
    makeLabel(resultGroup, "resultVoiceLabel", voice, 376, 24, 89);
    makeLabel(resultGroup, "resultMovieLabel", movie, 488, 24, 97);

    const std::array<const char*, 4> rowLabel{"brilliantVictoryLabel", "victoryLabel", "minorVictoryLabel",
                                              "defeatLabel"};
    const std::array<QString, 4> rowCaption{QStringLiteral("Brilliant victory"), QStringLiteral("Victory"),
                                            QStringLiteral("Minor victory"), QStringLiteral("Defeat")};
    // The go-to tooltips keep their own spelling of the outcome.
    const std::array<QString, 4> goToTip{QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"),
                                         QStringLiteral("Minorl Victory"), QStringLiteral("Defeat")};
    const std::array<QString, 4> textTip{QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"),
                                         QStringLiteral("Minor Victory"), QStringLiteral("Defeat")};
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        const int top = 48 + 24 * i;
        const QString& rowText = rowCaption.at(i);
        const QString index = QString::number(i);
        makeLabel(resultGroup, rowLabel.at(i), rowText, 16, top, 97);
        resultScenarioEdit.at(i) =
            makeBox(resultGroup, QStringLiteral("resultScenarioEdit") + index, rowText + QLatin1Char(' ') + goTo, 128,
                    top, 33, 3, QStringLiteral("Type in next scenario for ") + goToTip.at(i));
        resultPrestigeEdit.at(i) = makeBox(resultGroup, QStringLiteral("resultPrestigeEdit") + index,
                                           rowText + QLatin1Char(' ') + prestige, 192, top, 41, 5, QString());
        resultTextEdit.at(i) =
            makeBox(resultGroup, QStringLiteral("resultTextEdit") + index, rowText + QLatin1Char(' ') + text, 264, top,
                    81, 8, QStringLiteral("Type in text file name for ") + textTip.at(i));
        resultVoiceEdit.at(i) =
            makeBox(resultGroup, QStringLiteral("resultVoiceEdit") + index, rowText + QLatin1Char(' ') + voice, 376,
                    top, 81, 8, QStringLiteral("Type in voice file name for ") + rowText);
        resultMovieEdit.at(i) =
            makeBox(resultGroup, QStringLiteral("resultMovieEdit") + index, rowText + QLatin1Char(' ') + movie, 488,
                    top, 81, 8, QStringLiteral("Type in movie file name for ") + rowText);
    }

    okButton = makeButton(this, "okButton", QStringLiteral("Ok"), 16, QStringLiteral("Exit and save scenario data"));
    okButton->setDefault(true);
    cancelButton = makeButton(this, "cancelButton", QStringLiteral("Cancel"), 96,
                              QStringLiteral("Exit without saving scenario data"));
    copyButton = makeButton(this, "copyButton", QStringLiteral("Copy"), 176, QStringLiteral("Copy scenario data"));
    pasteButton = makeButton(this, "pasteButton", QStringLiteral("Paste"), 256, QStringLiteral("Paste scenario data"));
    pasteButton->setEnabled(false);

    std::vector<QWidget*> tabOrder{scenarioEdit, animationEdit, voiceEdit, textEdit, prestigeEdit, secondUnknownEdit};
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        tabOrder.insert(tabOrder.end(), {resultScenarioEdit.at(i), resultPrestigeEdit.at(i), resultTextEdit.at(i),
                                         resultVoiceEdit.at(i), resultMovieEdit.at(i)});
    }
    tabOrder.insert(tabOrder.end(),
                    {okButton, cancelButton, pasteButton, copyButton, numberEdit, firstUnknownEdit, thirdUnknownEdit});
    for (std::size_t j = 1; j < tabOrder.size(); ++j) {
        setTabOrder(tabOrder[j - 1], tabOrder[j]);
    }
}

void ScenarioDialog::connectHandlers()
{
    connect(okButton, &QPushButton::clicked, this, &ScenarioDialog::confirmEdits);
    connect(cancelButton, &QPushButton::clicked, this, &ScenarioDialog::cancelEdits);
    connect(copyButton, &QPushButton::clicked, this, &ScenarioDialog::copyToClipboard);
    connect(pasteButton, &QPushButton::clicked, this, &ScenarioDialog::pasteFromClipboard);

    connect(scenarioEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterScenarioKey);
    connect(scenarioEdit, &TextBox::changed, this, &ScenarioDialog::scenarioEdited);
    connect(scenarioEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitScenario);
    connect(numberEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterNumberKey);
    connect(numberEdit, &TextBox::changed, this, &ScenarioDialog::numberEdited);
    connect(numberEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitNumber);
    connect(prestigeEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterPrestigeKey);
    connect(prestigeEdit, &TextBox::changed, this, &ScenarioDialog::prestigeEdited);
    connect(prestigeEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitPrestige);
    connect(firstUnknownEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterFirstUnknownKey);
    connect(firstUnknownEdit, &TextBox::changed, this, &ScenarioDialog::firstUnknownEdited);
    connect(firstUnknownEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitFirstUnknown);
    connect(secondUnknownEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterSecondUnknownKey);
    connect(secondUnknownEdit, &TextBox::changed, this, &ScenarioDialog::secondUnknownEdited);
    connect(secondUnknownEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitSecondUnknown);
    connect(thirdUnknownEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterThirdUnknownKey);
    connect(thirdUnknownEdit, &TextBox::changed, this, &ScenarioDialog::thirdUnknownEdited);
    connect(thirdUnknownEdit, &TextBox::focusLeft, this, &ScenarioDialog::commitThirdUnknown);
    connect(textEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterTextKey);
    connect(voiceEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterVoiceKey);
    connect(animationEdit, &TextBox::keyTyped, this, &ScenarioDialog::filterAnimationKey);

    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        TextBox* goToEdit = resultScenarioEdit.at(i);
        connect(goToEdit, &TextBox::keyTyped, this, [this, i](qint16& k) { filterResultScenarioKey(i, k); });
        connect(goToEdit, &TextBox::changed, this, [this, i] { resultScenarioEdited(i); });
        connect(goToEdit, &TextBox::focusLeft, this, [this, i] { commitResultScenario(i); });
        TextBox* prizeEdit = resultPrestigeEdit.at(i);
        connect(prizeEdit, &TextBox::keyTyped, this, [this, i](qint16& k) { filterResultPrestigeKey(i, k); });
        connect(prizeEdit, &TextBox::changed, this, [this, i] { resultPrestigeEdited(i); });
        connect(prizeEdit, &TextBox::focusLeft, this, [this, i] { commitResultPrestige(i); });
        connect(resultTextEdit.at(i), &TextBox::keyTyped, this, [this, i](qint16& k) { filterResultTextKey(i, k); });
        connect(resultVoiceEdit.at(i), &TextBox::keyTyped, this, [this, i](qint16& k) { filterResultVoiceKey(i, k); });
        connect(resultMovieEdit.at(i), &TextBox::keyTyped, this, [this, i](qint16& k) { filterResultMovieKey(i, k); });
    }
}

void ScenarioDialog::setUpForm()
{
    resultName = {QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"), QStringLiteral("Minor Victory"),
                  QStringLiteral("Defeat")};
}

void ScenarioDialog::refresh()
{
    textEdit->assignText(fromBytes(m_scenario.text()));
    voiceEdit->assignText(fromBytes(m_scenario.voice()));
    scenarioEdit->assignText(fromBytes(m_scenario.name()));
    numberEdit->assignText(decimal(m_scenario.number()));
    prestigeEdit->assignText(decimal(m_scenario.prestige()));
    animationEdit->assignText(fromBytes(m_scenario.movie()));
    firstUnknownEdit->assignText(decimal(m_scenario.firstUnknown()));
    secondUnknownEdit->assignText(decimal(m_scenario.secondUnknown()));
    thirdUnknownEdit->assignText(decimal(m_scenario.thirdUnknown()));
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        resultTextEdit.at(i)->assignText(fromBytes(m_scenario.resultText(i)));
        resultVoiceEdit.at(i)->assignText(fromBytes(m_scenario.resultVoice(i)));
        resultPrestigeEdit.at(i)->assignText(decimal(m_scenario.resultPrestige(i)));
        resultScenarioEdit.at(i)->assignText(decimal(m_scenario.resultScenario(i)));
        resultMovieEdit.at(i)->assignText(fromBytes(m_scenario.resultMovie(i)));
    }
    setTitle(fromBytes(m_scenario.name()));
    m_changed = false;
}

void ScenarioDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Once per showing: the window is not active yet, so the focus lands in
    // the name box when it becomes active, and a message box closing later
    // does not pull the focus back.
    if (!e->spontaneous()) {
        formActivated();
    }
}

void ScenarioDialog::formActivated()
{
    setTitle(fromBytes(m_scenario.name()));
    scenarioEdit->setFocus(Qt::OtherFocusReason);
}

void ScenarioDialog::reject()
{
    cancelEdits();
}

void ScenarioDialog::confirmEdits()
{
    // Enter in the number box confirms without the focus leaving it, so the
    // duplicate test has to run here as well.
    if (!numberIsFree()) {
        return;
    }
    m_changed = true;
    writeControls(m_scenario);
    QDialog::accept();
}

void ScenarioDialog::cancelEdits()
{
    QDialog::reject();
}

void ScenarioDialog::copyToClipboard()
{
    pasteButton->setEnabled(true);
    writeControls(m_copyScenario);
}

void ScenarioDialog::pasteFromClipboard()
{
    const int32_t number = m_scenario.number();
    m_scenario.copy(m_copyScenario);
    m_scenario.setNumber(number);
    refresh();
}

void ScenarioDialog::writeControls(Scenario& record) const
{
    record.setText(toBytes(textEdit->currentText()));
    record.setVoice(toBytes(voiceEdit->currentText()));
    record.setName(toBytes(scenarioEdit->currentText()));
    record.setNumber(numberIn(numberEdit));
    record.setPrestige(numberIn(prestigeEdit));
    record.setMovie(toBytes(animationEdit->currentText()));
    record.setFirstUnknown(numberIn(firstUnknownEdit));
    record.setSecondUnknown(numberIn(secondUnknownEdit));
    record.setThirdUnknown(numberIn(thirdUnknownEdit));
    for (int16_t i = 0; i < Scenario::OutcomeCount; ++i) {
        record.setResultText(i, toBytes(resultTextEdit.at(i)->currentText()));
        record.setResultVoice(i, toBytes(resultVoiceEdit.at(i)->currentText()));
        record.setResultPrestige(i, numberIn(resultPrestigeEdit.at(i)));
        record.setResultScenario(i, numberIn(resultScenarioEdit.at(i)));
        record.setResultMovie(i, toBytes(resultMovieEdit.at(i)->currentText()));
    }
}

void ScenarioDialog::warn(const QString& prompt, const QString& title)
{
    m_dialogs.msgBox(this, prompt, MsgBoxStyle::Exclamation, title);
}

void ScenarioDialog::setTitle(const QString& name)
{
    setWindowTitle(QStringLiteral("Scenario Data - ") + name);
}

void ScenarioDialog::filterScenarioKey(qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::scenarioEdited()
{
    const QString nameText = scenarioEdit->currentText();
    if (nameText.isEmpty()) {
        warn(QStringLiteral("Invalid Scenario name value") + CR() +
                 QStringLiteral(" Scenario is reset to its previous name"),
             ScenarioTitle);
        scenarioEdit->assignText(fromBytes(m_scenario.name()));
    } else {
        setTitle(nameText);
    }
}

void ScenarioDialog::commitScenario()
{
    m_scenario.setName(toBytes(scenarioEdit->currentText()));
}

void ScenarioDialog::filterNumberKey(qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::numberEdited()
{
    const QString s = numberEdit->currentText();
    if (s.isEmpty()) {
        numberEdit->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> n = wholeNumber(s);
    if (!n || *n > MaxNumber) {
        warn(QStringLiteral("Invalid Number value (") + s + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             ScenarioTitle);
        numberEdit->assignText(decimal(m_scenario.number()));
    }
}

void ScenarioDialog::commitNumber()
{
    if (numberIsFree()) {
        m_scenario.setNumber(numberIn(numberEdit));
    }
}

bool ScenarioDialog::numberIsFree()
{
    const int32_t n = numberIn(numberEdit);
    const int32_t current = m_scenario.number();
    const bool occupied = n != current && m_campaign != nullptr && n >= 0 && n < Campaign::MaxScenarios &&
                          m_campaign->scenarios(static_cast<int16_t>(n)).number() >= 0;
    if (occupied) {
        warn(QStringLiteral("Number Already Exists (") + decimal(n) + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             ScenarioTitle);
        numberEdit->assignText(decimal(current));
    }
    return !occupied;
}

void ScenarioDialog::checkWord(TextBox* box, const QString& first, const QString& last, const QString& title,
                               int32_t previous)
{
    const QString s = box->currentText();
    if (s.isEmpty()) {
        box->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> n = wholeNumber(s);
    if (!n || *n > MaxWord) {
        warn(first + s + QStringLiteral(")") + CR() + QStringLiteral("Value ranges from 0 to 65535") + CR() + last,
             title);
        box->assignText(decimal(previous));
    }
}

void ScenarioDialog::checkWordField(TextBox* box, const QString& field, int32_t previous)
{
    checkWord(box, QStringLiteral("Invalid ") + field + QStringLiteral(" value ("),
              field + QStringLiteral(" is reset to its previous value"), ScenarioTitle, previous);
}

void ScenarioDialog::filterPrestigeKey(qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::prestigeEdited()
{
    checkWordField(prestigeEdit, QStringLiteral("Enemy Prestige"), m_scenario.prestige());
}

void ScenarioDialog::commitPrestige()
{
    m_scenario.setPrestige(numberIn(prestigeEdit));
}

void ScenarioDialog::filterFirstUnknownKey(qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::firstUnknownEdited()
{
    checkWordField(firstUnknownEdit, QStringLiteral("First Unknown"), m_scenario.firstUnknown());
}

void ScenarioDialog::commitFirstUnknown()
{
    m_scenario.setFirstUnknown(numberIn(firstUnknownEdit));
}

void ScenarioDialog::filterSecondUnknownKey(qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::secondUnknownEdited()
{
    checkWordField(secondUnknownEdit, QStringLiteral("Second Unknown"), m_scenario.secondUnknown());
}

void ScenarioDialog::commitSecondUnknown()
{
    m_scenario.setSecondUnknown(numberIn(secondUnknownEdit));
}

void ScenarioDialog::filterThirdUnknownKey(qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::thirdUnknownEdited()
{
    checkWordField(thirdUnknownEdit, QStringLiteral("Third Unknown"), m_scenario.thirdUnknown());
}

void ScenarioDialog::commitThirdUnknown()
{
    m_scenario.setThirdUnknown(numberIn(thirdUnknownEdit));
}

void ScenarioDialog::filterTextKey(qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::filterVoiceKey(qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::filterAnimationKey(qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::filterResultScenarioKey(int16_t, qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::resultScenarioEdited(int16_t i)
{
    TextBox* box = resultScenarioEdit.at(i);
    const QString s = box->currentText();
    if (s.isEmpty()) {
        box->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> n = wholeNumber(s);
    const bool valid = n && (*n <= MaxNumber || *n == Campaign::VictoryScenario || *n == Campaign::LossScenario);
    if (!valid) {
        // The number as read, so "050" is reported as 50.
        const QString value = n ? decimal(*n) : s;
        const QString& name = resultName.at(i);
        warn(QStringLiteral("Invalid ") + name + QStringLiteral(" Go To value(") + value + QStringLiteral(")") + CR() +
                 QStringLiteral("Value ranges from 0 to 49. Special values are 254 (Campaign Victory)and 255 "
                                "(Campaign Loss)") +
                 CR() + name + QStringLiteral(" Go To is reset to its previous value"),
             ResultTitle);
        box->assignText(decimal(m_scenario.resultScenario(i)));
    }
}

void ScenarioDialog::commitResultScenario(int16_t i)
{
    m_scenario.setResultScenario(i, numberIn(resultScenarioEdit.at(i)));
}

void ScenarioDialog::filterResultPrestigeKey(int16_t, qint16& k)
{
    digitFilter(k);
}

void ScenarioDialog::resultPrestigeEdited(int16_t i)
{
    const QString& name = resultName.at(i);
    // The last line names the outcome alone, not its prestige.
    checkWord(resultPrestigeEdit.at(i), QStringLiteral("Invalid ") + name + QStringLiteral(" Prestige value ("),
              name + QStringLiteral(" is reset to its previous value"), ResultTitle, m_scenario.resultPrestige(i));
}

void ScenarioDialog::commitResultPrestige(int16_t i)
{
    m_scenario.setResultPrestige(i, numberIn(resultPrestigeEdit.at(i)));
}

void ScenarioDialog::filterResultTextKey(int16_t, qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::filterResultVoiceKey(int16_t, qint16& k)
{
    nameFilter(k);
}

void ScenarioDialog::filterResultMovieKey(int16_t, qint16& k)
{
    nameFilter(k);
}
