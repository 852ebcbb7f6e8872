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

const QString strScenarioTitle = QStringLiteral("Scenario");
const QString strResultTitle = QStringLiteral("Result");

QString CR()
{
    return QString(QChar(13));
}

QString decimal(int32_t lngN)
{
    return QString::number(lngN);
}

// The whole number a text spells: an optional minus and digits only, within
// 32 bits. Anything else (text pasted around the filter) spells none.
std::optional<int32_t> wholeNumber(const QString& strS)
{
    const QString strDigits = strS.startsWith(QLatin1Char('-')) ? strS.mid(1) : strS;
    if (strDigits.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar ch : strDigits) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool blnOk = false;
    const int32_t lngN = strS.toInt(&blnOk);
    return blnOk ? std::optional<int32_t>(lngN) : std::nullopt;
}

int32_t numberIn(const TextBox* box)
{
    return wholeNumber(box->currentText()).value_or(0);
}

QLabel* makeLabel(QWidget* parent, const char* strName, const QString& strCaption, int intLeft, int intTop,
                  int intWidth)
{
    auto* lbl = new QLabel(strCaption, parent);
    lbl->setObjectName(QLatin1String(strName));
    lbl->setGeometry(intLeft, intTop, intWidth, 17);
    return lbl;
}

TextBox* makeBox(QWidget* parent, const QString& strName, const QString& strSpoken, int intLeft, int intTop,
                 int intWidth, int intMaxLength, const QString& strTip)
{
    auto* txt = new TextBox(parent);
    txt->setObjectName(strName);
    txt->setAccessibleName(strSpoken);
    txt->setGeometry(intLeft, intTop, intWidth, 19);
    txt->setTypingLimit(intMaxLength);
    txt->setToolTip(strTip);
    return txt;
}

QPushButton* makeButton(QWidget* parent, const char* strName, const QString& strCaption, int intLeft,
                        const QString& strTip)
{
    auto* cmd = new QPushButton(strCaption, parent);
    cmd->setObjectName(QLatin1String(strName));
    cmd->setAccessibleName(strCaption);
    cmd->setGeometry(intLeft, 328, 57, 25);
    cmd->setToolTip(strTip);
    return cmd;
}

} // namespace

ScenarioDialog::ScenarioDialog(UserDialogs& Dialogs, QWidget* parent) : QDialog(parent), m_Dialogs(Dialogs)
{
    createControls();
    connectHandlers();
    setUpForm();
}

void ScenarioDialog::setCampaign(Campaign& campaign)
{
    m_Campaign = &campaign;
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
    const auto Pair = [campaignItemGroup](const char* strLabel, const QString& strCaption, int intLabelWidth,
                                        const QString& strBox, int intColumn, int intRow, int intWidth,
                                        int intMaxLength, const QString& strTip) {
        constexpr std::array<int, 3> intLabelLeft{16, 224, 424};
        constexpr std::array<int, 3> intBoxLeft{120, 328, 544};
        const int intTop = 24 + 24 * intRow;
        QLabel* lbl =
            makeLabel(campaignItemGroup, strLabel, strCaption, intLabelLeft.at(intColumn), intTop, intLabelWidth);
        TextBox* txt = makeBox(campaignItemGroup, strBox, strCaption, intBoxLeft.at(intColumn), intTop, intWidth,
                               intMaxLength, strTip);
        // A screen reader finds the box's label through this relation too.
        lbl->setBuddy(txt);
        return txt;
    };
    const QString strUnknown = QStringLiteral("Unknown");
    scenarioEdit = Pair("scenarioLabel", QStringLiteral("Scenario file name"), 97, QStringLiteral("scenarioEdit"), 0, 0, 81,
                       8, QStringLiteral("Type in scenario file name"));
    numberEdit = Pair("numberLabel", QStringLiteral("Scenario id"), 97, QStringLiteral("numberEdit"), 1, 0, 25, 2,
                     QStringLiteral("Type in scenario id number"));
    firstUnknownEdit = Pair("firstUnknownLabel", QStringLiteral("First Unknown ?"), 89, QStringLiteral("firstUnknownEdit"),
                           2, 0, 41, 5, strUnknown);
    animationEdit = Pair("movieLabel", QStringLiteral("Movie file name"), 97, QStringLiteral("animationEdit"), 0, 1, 81, 8,
                        QStringLiteral("Type in movie file name"));
    voiceEdit = Pair("voiceLabel", QStringLiteral("Voice file name"), 97, QStringLiteral("voiceEdit"), 1, 1, 81, 8,
                    QStringLiteral("Type in voice file name"));
    secondUnknownEdit = Pair("secondUnkwonLabel", QStringLiteral("Second Unknown ?"), 105,
                            QStringLiteral("secondUnknownEdit"), 2, 1, 41, 5, strUnknown);
    textEdit = Pair("textLabel", QStringLiteral("Text file name"), 113, QStringLiteral("textEdit"), 0, 2, 81, 8,
                   QStringLiteral("Type in scenario description file name"));
    prestigeEdit = Pair("prestigeLabel", QStringLiteral("Enemy prestige ?"), 97, QStringLiteral("prestigeEdit"), 1, 2, 41,
                       5, QStringLiteral("Maybe enemy prestige points"));
    thirdUnknownEdit = Pair("thirdUnknownLabel", QStringLiteral("Third Unknown ?"), 89, QStringLiteral("thirdUnknownEdit"),
                           2, 2, 41, 5, strUnknown);

    auto* resultGroup = new QGroupBox(QStringLiteral("Scenario Result"), this);
    resultGroup->setObjectName(QStringLiteral("resultGroup"));
    resultGroup->setGeometry(16, 152, 593, 153);
    const QString strGoTo = QStringLiteral("Go to");
    const QString strPrestige = QStringLiteral("Prestige ?");
    const QString strText = QStringLiteral("Text file name");
    const QString strVoice = QStringLiteral("Voice file name");
    const QString strMovie = QStringLiteral("Movie file name");
    makeLabel(resultGroup, "resultItemLabel", strGoTo, 128, 24, 33);
    makeLabel(resultGroup, "resultPrestigeLabel", strPrestige, 192, 24, 49);
    makeLabel(resultGroup, "resultTextLabel", strText, 264, 24, 81);
    makeLabel(resultGroup, "resultVoiceLabel", strVoice, 376, 24, 89);
    makeLabel(resultGroup, "resultMovieLabel", strMovie, 488, 24, 97);

    const std::array<const char*, 4> strRowLabel{"brilliantVictoryLabel", "victoryLabel", "minorVictoryLabel", "defeatLabel"};
    const std::array<QString, 4> strRowCaption{QStringLiteral("Brilliant victory"), QStringLiteral("Victory"),
                                               QStringLiteral("Minor victory"), QStringLiteral("Defeat")};
    // The go-to tooltips keep their own spelling of the outcome.
    const std::array<QString, 4> strGoToTip{QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"),
                                            QStringLiteral("Minorl Victory"), QStringLiteral("Defeat")};
    const std::array<QString, 4> strTextTip{QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"),
                                            QStringLiteral("Minor Victory"), QStringLiteral("Defeat")};
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        const int intTop = 48 + 24 * intI;
        const QString& strRow = strRowCaption.at(intI);
        const QString strIndex = QString::number(intI);
        makeLabel(resultGroup, strRowLabel.at(intI), strRow, 16, intTop, 97);
        resultScenarioEdit.at(intI) =
            makeBox(resultGroup, QStringLiteral("resultScenarioEdit") + strIndex, strRow + QLatin1Char(' ') + strGoTo, 128,
                    intTop, 33, 3, QStringLiteral("Type in next scenario for ") + strGoToTip.at(intI));
        resultPrestigeEdit.at(intI) = makeBox(resultGroup, QStringLiteral("resultPrestigeEdit") + strIndex,
                                             strRow + QLatin1Char(' ') + strPrestige, 192, intTop, 41, 5, QString());
        resultTextEdit.at(intI) =
            makeBox(resultGroup, QStringLiteral("resultTextEdit") + strIndex, strRow + QLatin1Char(' ') + strText, 264,
                    intTop, 81, 8, QStringLiteral("Type in text file name for ") + strTextTip.at(intI));
        resultVoiceEdit.at(intI) =
            makeBox(resultGroup, QStringLiteral("resultVoiceEdit") + strIndex, strRow + QLatin1Char(' ') + strVoice, 376,
                    intTop, 81, 8, QStringLiteral("Type in voice file name for ") + strRow);
        resultMovieEdit.at(intI) =
            makeBox(resultGroup, QStringLiteral("resultMovieEdit") + strIndex, strRow + QLatin1Char(' ') + strMovie, 488,
                    intTop, 81, 8, QStringLiteral("Type in movie file name for ") + strRow);
    }

    okButton = makeButton(this, "okButton", QStringLiteral("Ok"), 16, QStringLiteral("Exit and save scenario data"));
    okButton->setDefault(true);
    cancelButton = makeButton(this, "cancelButton", QStringLiteral("Cancel"), 96,
                           QStringLiteral("Exit without saving scenario data"));
    copyButton = makeButton(this, "copyButton", QStringLiteral("Copy"), 176, QStringLiteral("Copy scenario data"));
    pasteButton = makeButton(this, "pasteButton", QStringLiteral("Paste"), 256, QStringLiteral("Paste scenario data"));
    pasteButton->setEnabled(false);

    std::vector<QWidget*> TabOrder{scenarioEdit, animationEdit, voiceEdit, textEdit, prestigeEdit, secondUnknownEdit};
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        TabOrder.insert(TabOrder.end(), {resultScenarioEdit.at(intI), resultPrestigeEdit.at(intI), resultTextEdit.at(intI),
                                         resultVoiceEdit.at(intI), resultMovieEdit.at(intI)});
    }
    TabOrder.insert(TabOrder.end(), {okButton, cancelButton, pasteButton, copyButton, numberEdit, firstUnknownEdit, thirdUnknownEdit});
    for (std::size_t intJ = 1; intJ < TabOrder.size(); ++intJ) {
        setTabOrder(TabOrder[intJ - 1], TabOrder[intJ]);
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

    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        TextBox* goToEdit = resultScenarioEdit.at(intI);
        connect(goToEdit, &TextBox::keyTyped, this,
                [this, intI](qint16& intK) { filterResultScenarioKey(intI, intK); });
        connect(goToEdit, &TextBox::changed, this, [this, intI] { resultScenarioEdited(intI); });
        connect(goToEdit, &TextBox::focusLeft, this, [this, intI] { commitResultScenario(intI); });
        TextBox* prizeEdit = resultPrestigeEdit.at(intI);
        connect(prizeEdit, &TextBox::keyTyped, this,
                [this, intI](qint16& intK) { filterResultPrestigeKey(intI, intK); });
        connect(prizeEdit, &TextBox::changed, this, [this, intI] { resultPrestigeEdited(intI); });
        connect(prizeEdit, &TextBox::focusLeft, this, [this, intI] { commitResultPrestige(intI); });
        connect(resultTextEdit.at(intI), &TextBox::keyTyped, this,
                [this, intI](qint16& intK) { filterResultTextKey(intI, intK); });
        connect(resultVoiceEdit.at(intI), &TextBox::keyTyped, this,
                [this, intI](qint16& intK) { filterResultVoiceKey(intI, intK); });
        connect(resultMovieEdit.at(intI), &TextBox::keyTyped, this,
                [this, intI](qint16& intK) { filterResultMovieKey(intI, intK); });
    }
}

void ScenarioDialog::setUpForm()
{
    ResultName = {QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"), QStringLiteral("Minor Victory"),
                  QStringLiteral("Defeat")};
}

void ScenarioDialog::refresh()
{
    textEdit->assignText(fromBytes(m_Scenario.text()));
    voiceEdit->assignText(fromBytes(m_Scenario.voice()));
    scenarioEdit->assignText(fromBytes(m_Scenario.name()));
    numberEdit->assignText(decimal(m_Scenario.number()));
    prestigeEdit->assignText(decimal(m_Scenario.prestige()));
    animationEdit->assignText(fromBytes(m_Scenario.movie()));
    firstUnknownEdit->assignText(decimal(m_Scenario.firstUnknown()));
    secondUnknownEdit->assignText(decimal(m_Scenario.secondUnknown()));
    thirdUnknownEdit->assignText(decimal(m_Scenario.thirdUnknown()));
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        resultTextEdit.at(intI)->assignText(fromBytes(m_Scenario.resultText(intI)));
        resultVoiceEdit.at(intI)->assignText(fromBytes(m_Scenario.resultVoice(intI)));
        resultPrestigeEdit.at(intI)->assignText(decimal(m_Scenario.resultPrestige(intI)));
        resultScenarioEdit.at(intI)->assignText(decimal(m_Scenario.resultScenario(intI)));
        resultMovieEdit.at(intI)->assignText(fromBytes(m_Scenario.resultMovie(intI)));
    }
    setTitle(fromBytes(m_Scenario.name()));
    m_blnChanged = false;
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
    setTitle(fromBytes(m_Scenario.name()));
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
    m_blnChanged = true;
    writeControls(m_Scenario);
    QDialog::accept();
}

void ScenarioDialog::cancelEdits()
{
    QDialog::reject();
}

void ScenarioDialog::copyToClipboard()
{
    pasteButton->setEnabled(true);
    writeControls(m_CopyScenario);
}

void ScenarioDialog::pasteFromClipboard()
{
    const int32_t lngNumber = m_Scenario.number();
    m_Scenario.copy(m_CopyScenario);
    m_Scenario.setNumber(lngNumber);
    refresh();
}

void ScenarioDialog::writeControls(Scenario& Record) const
{
    Record.setText(toBytes(textEdit->currentText()));
    Record.setVoice(toBytes(voiceEdit->currentText()));
    Record.setName(toBytes(scenarioEdit->currentText()));
    Record.setNumber(numberIn(numberEdit));
    Record.setPrestige(numberIn(prestigeEdit));
    Record.setMovie(toBytes(animationEdit->currentText()));
    Record.setFirstUnknown(numberIn(firstUnknownEdit));
    Record.setSecondUnknown(numberIn(secondUnknownEdit));
    Record.setThirdUnknown(numberIn(thirdUnknownEdit));
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        Record.setResultText(intI, toBytes(resultTextEdit.at(intI)->currentText()));
        Record.setResultVoice(intI, toBytes(resultVoiceEdit.at(intI)->currentText()));
        Record.setResultPrestige(intI, numberIn(resultPrestigeEdit.at(intI)));
        Record.setResultScenario(intI, numberIn(resultScenarioEdit.at(intI)));
        Record.setResultMovie(intI, toBytes(resultMovieEdit.at(intI)->currentText()));
    }
}

void ScenarioDialog::warn(const QString& strPrompt, const QString& strTitle)
{
    m_Dialogs.msgBox(this, strPrompt, MsgBoxStyle::Exclamation, strTitle);
}

void ScenarioDialog::setTitle(const QString& strName)
{
    setWindowTitle(QStringLiteral("Scenario Data - ") + strName);
}

void ScenarioDialog::filterScenarioKey(qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::scenarioEdited()
{
    const QString strName = scenarioEdit->currentText();
    if (strName.isEmpty()) {
        warn(QStringLiteral("Invalid Scenario name value") + CR() +
                 QStringLiteral(" Scenario is reset to its previous name"),
             strScenarioTitle);
        scenarioEdit->assignText(fromBytes(m_Scenario.name()));
    } else {
        setTitle(strName);
    }
}

void ScenarioDialog::commitScenario()
{
    m_Scenario.setName(toBytes(scenarioEdit->currentText()));
}

void ScenarioDialog::filterNumberKey(qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::numberEdited()
{
    const QString strS = numberEdit->currentText();
    if (strS.isEmpty()) {
        numberEdit->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = wholeNumber(strS);
    if (!lngN || *lngN > MaxNumber) {
        warn(QStringLiteral("Invalid Number value (") + strS + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             strScenarioTitle);
        numberEdit->assignText(decimal(m_Scenario.number()));
    }
}

void ScenarioDialog::commitNumber()
{
    if (numberIsFree()) {
        m_Scenario.setNumber(numberIn(numberEdit));
    }
}

bool ScenarioDialog::numberIsFree()
{
    const int32_t lngN = numberIn(numberEdit);
    const int32_t lngCurrent = m_Scenario.number();
    const bool blnOccupied = lngN != lngCurrent && m_Campaign != nullptr && lngN >= 0 &&
                             lngN < Campaign::MaxScenarios &&
                             m_Campaign->scenarios(static_cast<int16_t>(lngN)).number() >= 0;
    if (blnOccupied) {
        warn(QStringLiteral("Number Already Exists (") + decimal(lngN) + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             strScenarioTitle);
        numberEdit->assignText(decimal(lngCurrent));
    }
    return !blnOccupied;
}

void ScenarioDialog::checkWord(TextBox* box, const QString& strFirst, const QString& strLast, const QString& strTitle,
                            int32_t lngPrevious)
{
    const QString strS = box->currentText();
    if (strS.isEmpty()) {
        box->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = wholeNumber(strS);
    if (!lngN || *lngN > MaxWord) {
        warn(strFirst + strS + QStringLiteral(")") + CR() + QStringLiteral("Value ranges from 0 to 65535") + CR() +
                 strLast,
             strTitle);
        box->assignText(decimal(lngPrevious));
    }
}

void ScenarioDialog::checkWordField(TextBox* box, const QString& strField, int32_t lngPrevious)
{
    checkWord(box, QStringLiteral("Invalid ") + strField + QStringLiteral(" value ("),
              strField + QStringLiteral(" is reset to its previous value"), strScenarioTitle, lngPrevious);
}

void ScenarioDialog::filterPrestigeKey(qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::prestigeEdited()
{
    checkWordField(prestigeEdit, QStringLiteral("Enemy Prestige"), m_Scenario.prestige());
}

void ScenarioDialog::commitPrestige()
{
    m_Scenario.setPrestige(numberIn(prestigeEdit));
}

void ScenarioDialog::filterFirstUnknownKey(qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::firstUnknownEdited()
{
    checkWordField(firstUnknownEdit, QStringLiteral("First Unknown"), m_Scenario.firstUnknown());
}

void ScenarioDialog::commitFirstUnknown()
{
    m_Scenario.setFirstUnknown(numberIn(firstUnknownEdit));
}

void ScenarioDialog::filterSecondUnknownKey(qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::secondUnknownEdited()
{
    checkWordField(secondUnknownEdit, QStringLiteral("Second Unknown"), m_Scenario.secondUnknown());
}

void ScenarioDialog::commitSecondUnknown()
{
    m_Scenario.setSecondUnknown(numberIn(secondUnknownEdit));
}

void ScenarioDialog::filterThirdUnknownKey(qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::thirdUnknownEdited()
{
    checkWordField(thirdUnknownEdit, QStringLiteral("Third Unknown"), m_Scenario.thirdUnknown());
}

void ScenarioDialog::commitThirdUnknown()
{
    m_Scenario.setThirdUnknown(numberIn(thirdUnknownEdit));
}

void ScenarioDialog::filterTextKey(qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::filterVoiceKey(qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::filterAnimationKey(qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::filterResultScenarioKey(int16_t, qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::resultScenarioEdited(int16_t intI)
{
    TextBox* box = resultScenarioEdit.at(intI);
    const QString strS = box->currentText();
    if (strS.isEmpty()) {
        box->setTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = wholeNumber(strS);
    const bool blnValid =
        lngN && (*lngN <= MaxNumber || *lngN == Campaign::VictoryScenario || *lngN == Campaign::LossScenario);
    if (!blnValid) {
        // The number as read, so "050" is reported as 50.
        const QString strValue = lngN ? decimal(*lngN) : strS;
        const QString& strName = ResultName.at(intI);
        warn(QStringLiteral("Invalid ") + strName + QStringLiteral(" Go To value(") + strValue + QStringLiteral(")") +
                 CR() +
                 QStringLiteral("Value ranges from 0 to 49. Special values are 254 (Campaign Victory)and 255 "
                                "(Campaign Loss)") +
                 CR() + strName + QStringLiteral(" Go To is reset to its previous value"),
             strResultTitle);
        box->assignText(decimal(m_Scenario.resultScenario(intI)));
    }
}

void ScenarioDialog::commitResultScenario(int16_t intI)
{
    m_Scenario.setResultScenario(intI, numberIn(resultScenarioEdit.at(intI)));
}

void ScenarioDialog::filterResultPrestigeKey(int16_t, qint16& intK)
{
    digitFilter(intK);
}

void ScenarioDialog::resultPrestigeEdited(int16_t intI)
{
    const QString& strName = ResultName.at(intI);
    // The last line names the outcome alone, not its prestige.
    checkWord(resultPrestigeEdit.at(intI), QStringLiteral("Invalid ") + strName + QStringLiteral(" Prestige value ("),
              strName + QStringLiteral(" is reset to its previous value"), strResultTitle,
              m_Scenario.resultPrestige(intI));
}

void ScenarioDialog::commitResultPrestige(int16_t intI)
{
    m_Scenario.setResultPrestige(intI, numberIn(resultPrestigeEdit.at(intI)));
}

void ScenarioDialog::filterResultTextKey(int16_t, qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::filterResultVoiceKey(int16_t, qint16& intK)
{
    nameFilter(intK);
}

void ScenarioDialog::filterResultMovieKey(int16_t, qint16& intK)
{
    nameFilter(intK);
}
