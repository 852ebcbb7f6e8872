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

QString Decimal(int32_t lngN)
{
    return QString::number(lngN);
}

// The whole number a text spells: an optional minus and digits only, within
// 32 bits. Anything else (text pasted around the filter) spells none.
std::optional<int32_t> WholeNumber(const QString& strS)
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

int32_t NumberIn(const TextBox* txtBox)
{
    return WholeNumber(txtBox->Text()).value_or(0);
}

QLabel* MakeLabel(QWidget* parent, const char* strName, const QString& strCaption, int intLeft, int intTop,
                  int intWidth)
{
    auto* lbl = new QLabel(strCaption, parent);
    lbl->setObjectName(QLatin1String(strName));
    lbl->setGeometry(intLeft, intTop, intWidth, 17);
    return lbl;
}

TextBox* MakeBox(QWidget* parent, const QString& strName, const QString& strSpoken, int intLeft, int intTop,
                 int intWidth, int intMaxLength, const QString& strTip)
{
    auto* txt = new TextBox(parent);
    txt->setObjectName(strName);
    txt->setAccessibleName(strSpoken);
    txt->setGeometry(intLeft, intTop, intWidth, 19);
    txt->SetMaxLength(intMaxLength);
    txt->setToolTip(strTip);
    return txt;
}

QPushButton* MakeButton(QWidget* parent, const char* strName, const QString& strCaption, int intLeft,
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
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

void ScenarioDialog::SetCampaign(Campaign& campaign)
{
    m_Campaign = &campaign;
}

void ScenarioDialog::CreateControls()
{
    setWindowTitle(QStringLiteral("Campaign Scenario Data"));
    setWindowIcon(ProgramIcon());
    UseLayoutFont(this);
    setFixedSize(630, 371);

    auto* fraCampaignItem = new QGroupBox(QStringLiteral("Scenario Data"), this);
    fraCampaignItem->setObjectName(QStringLiteral("fraCampaignItem"));
    fraCampaignItem->setGeometry(16, 24, 593, 105);
    // One label and box pair of the frame's three rows and three columns.
    const auto Pair = [fraCampaignItem](const char* strLabel, const QString& strCaption, int intLabelWidth,
                                        const QString& strBox, int intColumn, int intRow, int intWidth,
                                        int intMaxLength, const QString& strTip) {
        constexpr std::array<int, 3> intLabelLeft{16, 224, 424};
        constexpr std::array<int, 3> intBoxLeft{120, 328, 544};
        const int intTop = 24 + 24 * intRow;
        QLabel* lbl =
            MakeLabel(fraCampaignItem, strLabel, strCaption, intLabelLeft.at(intColumn), intTop, intLabelWidth);
        TextBox* txt = MakeBox(fraCampaignItem, strBox, strCaption, intBoxLeft.at(intColumn), intTop, intWidth,
                               intMaxLength, strTip);
        // A screen reader finds the box's label through this relation too.
        lbl->setBuddy(txt);
        return txt;
    };
    const QString strUnknown = QStringLiteral("Unknown");
    txtScenario = Pair("lblScenario", QStringLiteral("Scenario file name"), 97, QStringLiteral("txtScenario"), 0, 0, 81,
                       8, QStringLiteral("Type in scenario file name"));
    txtNumber = Pair("lblNumber", QStringLiteral("Scenario id"), 97, QStringLiteral("txtNumber"), 1, 0, 25, 2,
                     QStringLiteral("Type in scenario id number"));
    txtFirstUnknown = Pair("lblFirstUnknown", QStringLiteral("First Unknown ?"), 89, QStringLiteral("txtFirstUnknown"),
                           2, 0, 41, 5, strUnknown);
    txtAnimation = Pair("lblMovie", QStringLiteral("Movie file name"), 97, QStringLiteral("txtAnimation"), 0, 1, 81, 8,
                        QStringLiteral("Type in movie file name"));
    txtVoice = Pair("lblVoice", QStringLiteral("Voice file name"), 97, QStringLiteral("txtVoice"), 1, 1, 81, 8,
                    QStringLiteral("Type in voice file name"));
    txtSecondUnknown = Pair("lblSecondUnkwon", QStringLiteral("Second Unknown ?"), 105,
                            QStringLiteral("txtSecondUnknown"), 2, 1, 41, 5, strUnknown);
    txtText = Pair("lblText", QStringLiteral("Text file name"), 113, QStringLiteral("txtText"), 0, 2, 81, 8,
                   QStringLiteral("Type in scenario description file name"));
    txtPrestige = Pair("lblPrestige", QStringLiteral("Enemy prestige ?"), 97, QStringLiteral("txtPrestige"), 1, 2, 41,
                       5, QStringLiteral("Maybe enemy prestige points"));
    txtThirdUnknown = Pair("lblThirdUnknown", QStringLiteral("Third Unknown ?"), 89, QStringLiteral("txtThirdUnknown"),
                           2, 2, 41, 5, strUnknown);

    auto* fraResult = new QGroupBox(QStringLiteral("Scenario Result"), this);
    fraResult->setObjectName(QStringLiteral("fraResult"));
    fraResult->setGeometry(16, 152, 593, 153);
    const QString strGoTo = QStringLiteral("Go to");
    const QString strPrestige = QStringLiteral("Prestige ?");
    const QString strText = QStringLiteral("Text file name");
    const QString strVoice = QStringLiteral("Voice file name");
    const QString strMovie = QStringLiteral("Movie file name");
    MakeLabel(fraResult, "lblResultItem", strGoTo, 128, 24, 33);
    MakeLabel(fraResult, "lblResultPrestige", strPrestige, 192, 24, 49);
    MakeLabel(fraResult, "lblResultText", strText, 264, 24, 81);
    MakeLabel(fraResult, "lblResultVoice", strVoice, 376, 24, 89);
    MakeLabel(fraResult, "lblResultMovie", strMovie, 488, 24, 97);

    const std::array<const char*, 4> strRowLabel{"lblBrilliantVictory", "lblVictory", "lblMinorVictory", "lblDefeat"};
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
        MakeLabel(fraResult, strRowLabel.at(intI), strRow, 16, intTop, 97);
        txtResultScenario.at(intI) =
            MakeBox(fraResult, QStringLiteral("txtResultScenario") + strIndex, strRow + QLatin1Char(' ') + strGoTo, 128,
                    intTop, 33, 3, QStringLiteral("Type in next scenario for ") + strGoToTip.at(intI));
        txtResultPrestige.at(intI) = MakeBox(fraResult, QStringLiteral("txtResultPrestige") + strIndex,
                                             strRow + QLatin1Char(' ') + strPrestige, 192, intTop, 41, 5, QString());
        txtResultText.at(intI) =
            MakeBox(fraResult, QStringLiteral("txtResultText") + strIndex, strRow + QLatin1Char(' ') + strText, 264,
                    intTop, 81, 8, QStringLiteral("Type in text file name for ") + strTextTip.at(intI));
        txtResultVoice.at(intI) =
            MakeBox(fraResult, QStringLiteral("txtResultVoice") + strIndex, strRow + QLatin1Char(' ') + strVoice, 376,
                    intTop, 81, 8, QStringLiteral("Type in voice file name for ") + strRow);
        txtResultMovie.at(intI) =
            MakeBox(fraResult, QStringLiteral("txtResultMovie") + strIndex, strRow + QLatin1Char(' ') + strMovie, 488,
                    intTop, 81, 8, QStringLiteral("Type in movie file name for ") + strRow);
    }

    cmdOK = MakeButton(this, "cmdOK", QStringLiteral("Ok"), 16, QStringLiteral("Exit and save scenario data"));
    cmdOK->setDefault(true);
    cmdCancel = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), 96,
                           QStringLiteral("Exit without saving scenario data"));
    cmdCopy = MakeButton(this, "cmdCopy", QStringLiteral("Copy"), 176, QStringLiteral("Copy scenario data"));
    cmdPaste = MakeButton(this, "cmdPaste", QStringLiteral("Paste"), 256, QStringLiteral("Paste scenario data"));
    cmdPaste->setEnabled(false);

    std::vector<QWidget*> TabOrder{txtScenario, txtAnimation, txtVoice, txtText, txtPrestige, txtSecondUnknown};
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        TabOrder.insert(TabOrder.end(), {txtResultScenario.at(intI), txtResultPrestige.at(intI), txtResultText.at(intI),
                                         txtResultVoice.at(intI), txtResultMovie.at(intI)});
    }
    TabOrder.insert(TabOrder.end(), {cmdOK, cmdCancel, cmdPaste, cmdCopy, txtNumber, txtFirstUnknown, txtThirdUnknown});
    for (std::size_t intJ = 1; intJ < TabOrder.size(); ++intJ) {
        setTabOrder(TabOrder[intJ - 1], TabOrder[intJ]);
    }
}

void ScenarioDialog::ConnectHandlers()
{
    connect(cmdOK, &QPushButton::clicked, this, &ScenarioDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &ScenarioDialog::cmdCancel_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &ScenarioDialog::cmdCopy_Click);
    connect(cmdPaste, &QPushButton::clicked, this, &ScenarioDialog::cmdPaste_Click);

    connect(txtScenario, &TextBox::KeyPress, this, &ScenarioDialog::txtScenario_KeyPress);
    connect(txtScenario, &TextBox::Change, this, &ScenarioDialog::txtScenario_Change);
    connect(txtScenario, &TextBox::LostFocus, this, &ScenarioDialog::txtScenario_LostFocus);
    connect(txtNumber, &TextBox::KeyPress, this, &ScenarioDialog::txtNumber_KeyPress);
    connect(txtNumber, &TextBox::Change, this, &ScenarioDialog::txtNumber_Change);
    connect(txtNumber, &TextBox::LostFocus, this, &ScenarioDialog::txtNumber_LostFocus);
    connect(txtPrestige, &TextBox::KeyPress, this, &ScenarioDialog::txtPrestige_KeyPress);
    connect(txtPrestige, &TextBox::Change, this, &ScenarioDialog::txtPrestige_Change);
    connect(txtPrestige, &TextBox::LostFocus, this, &ScenarioDialog::txtPrestige_LostFocus);
    connect(txtFirstUnknown, &TextBox::KeyPress, this, &ScenarioDialog::txtFirstUnknown_KeyPress);
    connect(txtFirstUnknown, &TextBox::Change, this, &ScenarioDialog::txtFirstUnknown_Change);
    connect(txtFirstUnknown, &TextBox::LostFocus, this, &ScenarioDialog::txtFirstUnknown_LostFocus);
    connect(txtSecondUnknown, &TextBox::KeyPress, this, &ScenarioDialog::txtSecondUnknown_KeyPress);
    connect(txtSecondUnknown, &TextBox::Change, this, &ScenarioDialog::txtSecondUnknown_Change);
    connect(txtSecondUnknown, &TextBox::LostFocus, this, &ScenarioDialog::txtSecondUnknown_LostFocus);
    connect(txtThirdUnknown, &TextBox::KeyPress, this, &ScenarioDialog::txtThirdUnknown_KeyPress);
    connect(txtThirdUnknown, &TextBox::Change, this, &ScenarioDialog::txtThirdUnknown_Change);
    connect(txtThirdUnknown, &TextBox::LostFocus, this, &ScenarioDialog::txtThirdUnknown_LostFocus);
    connect(txtText, &TextBox::KeyPress, this, &ScenarioDialog::txtText_KeyPress);
    connect(txtVoice, &TextBox::KeyPress, this, &ScenarioDialog::txtVoice_KeyPress);
    connect(txtAnimation, &TextBox::KeyPress, this, &ScenarioDialog::txtAnimation_KeyPress);

    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        TextBox* txtGoTo = txtResultScenario.at(intI);
        connect(txtGoTo, &TextBox::KeyPress, this,
                [this, intI](qint16& intK) { txtResultScenario_KeyPress(intI, intK); });
        connect(txtGoTo, &TextBox::Change, this, [this, intI] { txtResultScenario_Change(intI); });
        connect(txtGoTo, &TextBox::LostFocus, this, [this, intI] { txtResultScenario_LostFocus(intI); });
        TextBox* txtPrize = txtResultPrestige.at(intI);
        connect(txtPrize, &TextBox::KeyPress, this,
                [this, intI](qint16& intK) { txtResultPrestige_KeyPress(intI, intK); });
        connect(txtPrize, &TextBox::Change, this, [this, intI] { txtResultPrestige_Change(intI); });
        connect(txtPrize, &TextBox::LostFocus, this, [this, intI] { txtResultPrestige_LostFocus(intI); });
        connect(txtResultText.at(intI), &TextBox::KeyPress, this,
                [this, intI](qint16& intK) { txtResultText_KeyPress(intI, intK); });
        connect(txtResultVoice.at(intI), &TextBox::KeyPress, this,
                [this, intI](qint16& intK) { txtResultVoice_KeyPress(intI, intK); });
        connect(txtResultMovie.at(intI), &TextBox::KeyPress, this,
                [this, intI](qint16& intK) { txtResultMovie_KeyPress(intI, intK); });
    }
}

void ScenarioDialog::Form_Load()
{
    ResultName = {QStringLiteral("Brilliant Victory"), QStringLiteral("Victory"), QStringLiteral("Minor Victory"),
                  QStringLiteral("Defeat")};
}

void ScenarioDialog::Update()
{
    txtText->SetText(FromBytes(m_Scenario.Text()));
    txtVoice->SetText(FromBytes(m_Scenario.Voice()));
    txtScenario->SetText(FromBytes(m_Scenario.Name()));
    txtNumber->SetText(Decimal(m_Scenario.Number()));
    txtPrestige->SetText(Decimal(m_Scenario.Prestige()));
    txtAnimation->SetText(FromBytes(m_Scenario.Movie()));
    txtFirstUnknown->SetText(Decimal(m_Scenario.FirstUnknown()));
    txtSecondUnknown->SetText(Decimal(m_Scenario.SecondUnknown()));
    txtThirdUnknown->SetText(Decimal(m_Scenario.ThirdUnknown()));
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        txtResultText.at(intI)->SetText(FromBytes(m_Scenario.ResultText(intI)));
        txtResultVoice.at(intI)->SetText(FromBytes(m_Scenario.ResultVoice(intI)));
        txtResultPrestige.at(intI)->SetText(Decimal(m_Scenario.ResultPrestige(intI)));
        txtResultScenario.at(intI)->SetText(Decimal(m_Scenario.ResultScenario(intI)));
        txtResultMovie.at(intI)->SetText(FromBytes(m_Scenario.ResultMovie(intI)));
    }
    SetTitle(FromBytes(m_Scenario.Name()));
    m_blnChanged = false;
}

void ScenarioDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Once per showing: the window is not active yet, so the focus lands in
    // the name box when it becomes active, and a message box closing later
    // does not pull the focus back.
    if (!e->spontaneous()) {
        Form_Activate();
    }
}

void ScenarioDialog::Form_Activate()
{
    SetTitle(FromBytes(m_Scenario.Name()));
    txtScenario->setFocus(Qt::OtherFocusReason);
}

void ScenarioDialog::reject()
{
    cmdCancel_Click();
}

void ScenarioDialog::cmdOK_Click()
{
    // Enter in the number box confirms without the focus leaving it, so the
    // duplicate test has to run here as well.
    if (!NumberIsFree()) {
        return;
    }
    m_blnChanged = true;
    WriteControls(m_Scenario);
    QDialog::accept();
}

void ScenarioDialog::cmdCancel_Click()
{
    QDialog::reject();
}

void ScenarioDialog::cmdCopy_Click()
{
    cmdPaste->setEnabled(true);
    WriteControls(m_CopyScenario);
}

void ScenarioDialog::cmdPaste_Click()
{
    const int32_t lngNumber = m_Scenario.Number();
    m_Scenario.Copy(m_CopyScenario);
    m_Scenario.SetNumber(lngNumber);
    Update();
}

void ScenarioDialog::WriteControls(Scenario& Record) const
{
    Record.SetText(ToBytes(txtText->Text()));
    Record.SetVoice(ToBytes(txtVoice->Text()));
    Record.SetName(ToBytes(txtScenario->Text()));
    Record.SetNumber(NumberIn(txtNumber));
    Record.SetPrestige(NumberIn(txtPrestige));
    Record.SetMovie(ToBytes(txtAnimation->Text()));
    Record.SetFirstUnknown(NumberIn(txtFirstUnknown));
    Record.SetSecondUnknown(NumberIn(txtSecondUnknown));
    Record.SetThirdUnknown(NumberIn(txtThirdUnknown));
    for (int16_t intI = 0; intI < Scenario::OutcomeCount; ++intI) {
        Record.SetResultText(intI, ToBytes(txtResultText.at(intI)->Text()));
        Record.SetResultVoice(intI, ToBytes(txtResultVoice.at(intI)->Text()));
        Record.SetResultPrestige(intI, NumberIn(txtResultPrestige.at(intI)));
        Record.SetResultScenario(intI, NumberIn(txtResultScenario.at(intI)));
        Record.SetResultMovie(intI, ToBytes(txtResultMovie.at(intI)->Text()));
    }
}

void ScenarioDialog::Warn(const QString& strPrompt, const QString& strTitle)
{
    m_Dialogs.MsgBox(this, strPrompt, MsgBoxStyle::Exclamation, strTitle);
}

void ScenarioDialog::SetTitle(const QString& strName)
{
    setWindowTitle(QStringLiteral("Scenario Data - ") + strName);
}

void ScenarioDialog::txtScenario_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtScenario_Change()
{
    const QString strName = txtScenario->Text();
    if (strName.isEmpty()) {
        Warn(QStringLiteral("Invalid Scenario name value") + CR() +
                 QStringLiteral(" Scenario is reset to its previous name"),
             strScenarioTitle);
        txtScenario->SetText(FromBytes(m_Scenario.Name()));
    } else {
        SetTitle(strName);
    }
}

void ScenarioDialog::txtScenario_LostFocus()
{
    m_Scenario.SetName(ToBytes(txtScenario->Text()));
}

void ScenarioDialog::txtNumber_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtNumber_Change()
{
    const QString strS = txtNumber->Text();
    if (strS.isEmpty()) {
        txtNumber->SetTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = WholeNumber(strS);
    if (!lngN || *lngN > MaxNumber) {
        Warn(QStringLiteral("Invalid Number value (") + strS + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             strScenarioTitle);
        txtNumber->SetText(Decimal(m_Scenario.Number()));
    }
}

void ScenarioDialog::txtNumber_LostFocus()
{
    if (NumberIsFree()) {
        m_Scenario.SetNumber(NumberIn(txtNumber));
    }
}

bool ScenarioDialog::NumberIsFree()
{
    const int32_t lngN = NumberIn(txtNumber);
    const int32_t lngCurrent = m_Scenario.Number();
    const bool blnOccupied = lngN != lngCurrent && m_Campaign != nullptr && lngN >= 0 &&
                             lngN < Campaign::MaxScenarios &&
                             m_Campaign->Scenarios(static_cast<int16_t>(lngN)).Number() >= 0;
    if (blnOccupied) {
        Warn(QStringLiteral("Number Already Exists (") + Decimal(lngN) + QStringLiteral(")") + CR() +
                 QStringLiteral("Number is reset to its previous value"),
             strScenarioTitle);
        txtNumber->SetText(Decimal(lngCurrent));
    }
    return !blnOccupied;
}

void ScenarioDialog::CheckWord(TextBox* txtBox, const QString& strFirst, const QString& strLast, const QString& strTitle,
                            int32_t lngPrevious)
{
    const QString strS = txtBox->Text();
    if (strS.isEmpty()) {
        txtBox->SetTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = WholeNumber(strS);
    if (!lngN || *lngN > MaxWord) {
        Warn(strFirst + strS + QStringLiteral(")") + CR() + QStringLiteral("Value ranges from 0 to 65535") + CR() +
                 strLast,
             strTitle);
        txtBox->SetText(Decimal(lngPrevious));
    }
}

void ScenarioDialog::CheckWordField(TextBox* txtBox, const QString& strField, int32_t lngPrevious)
{
    CheckWord(txtBox, QStringLiteral("Invalid ") + strField + QStringLiteral(" value ("),
              strField + QStringLiteral(" is reset to its previous value"), strScenarioTitle, lngPrevious);
}

void ScenarioDialog::txtPrestige_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtPrestige_Change()
{
    CheckWordField(txtPrestige, QStringLiteral("Enemy Prestige"), m_Scenario.Prestige());
}

void ScenarioDialog::txtPrestige_LostFocus()
{
    m_Scenario.SetPrestige(NumberIn(txtPrestige));
}

void ScenarioDialog::txtFirstUnknown_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtFirstUnknown_Change()
{
    CheckWordField(txtFirstUnknown, QStringLiteral("First Unknown"), m_Scenario.FirstUnknown());
}

void ScenarioDialog::txtFirstUnknown_LostFocus()
{
    m_Scenario.SetFirstUnknown(NumberIn(txtFirstUnknown));
}

void ScenarioDialog::txtSecondUnknown_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtSecondUnknown_Change()
{
    CheckWordField(txtSecondUnknown, QStringLiteral("Second Unknown"), m_Scenario.SecondUnknown());
}

void ScenarioDialog::txtSecondUnknown_LostFocus()
{
    m_Scenario.SetSecondUnknown(NumberIn(txtSecondUnknown));
}

void ScenarioDialog::txtThirdUnknown_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtThirdUnknown_Change()
{
    CheckWordField(txtThirdUnknown, QStringLiteral("Third Unknown"), m_Scenario.ThirdUnknown());
}

void ScenarioDialog::txtThirdUnknown_LostFocus()
{
    m_Scenario.SetThirdUnknown(NumberIn(txtThirdUnknown));
}

void ScenarioDialog::txtText_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtVoice_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtAnimation_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtResultScenario_KeyPress(int16_t, qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtResultScenario_Change(int16_t intI)
{
    TextBox* txtBox = txtResultScenario.at(intI);
    const QString strS = txtBox->Text();
    if (strS.isEmpty()) {
        txtBox->SetTextSelected(QStringLiteral("0"));
        return;
    }
    const std::optional<int32_t> lngN = WholeNumber(strS);
    const bool blnValid =
        lngN && (*lngN <= MaxNumber || *lngN == Campaign::VictoryScenario || *lngN == Campaign::LossScenario);
    if (!blnValid) {
        // The number as read, so "050" is reported as 50.
        const QString strValue = lngN ? Decimal(*lngN) : strS;
        const QString& strName = ResultName.at(intI);
        Warn(QStringLiteral("Invalid ") + strName + QStringLiteral(" Go To value(") + strValue + QStringLiteral(")") +
                 CR() +
                 QStringLiteral("Value ranges from 0 to 49. Special values are 254 (Campaign Victory)and 255 "
                                "(Campaign Loss)") +
                 CR() + strName + QStringLiteral(" Go To is reset to its previous value"),
             strResultTitle);
        txtBox->SetText(Decimal(m_Scenario.ResultScenario(intI)));
    }
}

void ScenarioDialog::txtResultScenario_LostFocus(int16_t intI)
{
    m_Scenario.SetResultScenario(intI, NumberIn(txtResultScenario.at(intI)));
}

void ScenarioDialog::txtResultPrestige_KeyPress(int16_t, qint16& intK)
{
    DigitFilter(intK);
}

void ScenarioDialog::txtResultPrestige_Change(int16_t intI)
{
    const QString& strName = ResultName.at(intI);
    // The last line names the outcome alone, not its prestige.
    CheckWord(txtResultPrestige.at(intI), QStringLiteral("Invalid ") + strName + QStringLiteral(" Prestige value ("),
              strName + QStringLiteral(" is reset to its previous value"), strResultTitle,
              m_Scenario.ResultPrestige(intI));
}

void ScenarioDialog::txtResultPrestige_LostFocus(int16_t intI)
{
    m_Scenario.SetResultPrestige(intI, NumberIn(txtResultPrestige.at(intI)));
}

void ScenarioDialog::txtResultText_KeyPress(int16_t, qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtResultVoice_KeyPress(int16_t, qint16& intK)
{
    NameFilter(intK);
}

void ScenarioDialog::txtResultMovie_KeyPress(int16_t, qint16& intK)
{
    NameFilter(intK);
}
