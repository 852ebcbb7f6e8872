#pragma once

#include "data/Scenario.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QPushButton;
class TextBox;
class UserDialogs;
class Campaign;

// The modal dialog that edits one scenario. It is made once and only hidden
// between uses, so its clipboard CopyScenario lasts for the whole run. The
// caller fills Scenario, calls Update, shows the dialog with exec() and reads
// Changed afterwards.
class ScenarioDialog : public QDialog {
    Q_OBJECT

public:
    explicit ScenarioDialog(UserDialogs& Dialogs, QWidget* parent = nullptr);

    void SetCampaign(Campaign& campaign);
    [[nodiscard]] bool Changed() const { return m_blnChanged; }
    [[nodiscard]] Scenario& scenario() { return m_Scenario; }
    [[nodiscard]] Scenario& CopyScenario() { return m_CopyScenario; }
    void Update();

    // Esc and closing through the frame come here: both only hide the dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    using BoxArray = std::array<TextBox*, Scenario::OutcomeCount>;

    void CreateControls();
    void ConnectHandlers();

    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdCopy_Click();
    void cmdPaste_Click();

    void txtScenario_KeyPress(qint16& intK);
    void txtScenario_Change();
    void txtScenario_LostFocus();
    void txtNumber_KeyPress(qint16& intK);
    void txtNumber_Change();
    void txtNumber_LostFocus();
    void txtPrestige_KeyPress(qint16& intK);
    void txtPrestige_Change();
    void txtPrestige_LostFocus();
    void txtFirstUnknown_KeyPress(qint16& intK);
    void txtFirstUnknown_Change();
    void txtFirstUnknown_LostFocus();
    void txtSecondUnknown_KeyPress(qint16& intK);
    void txtSecondUnknown_Change();
    void txtSecondUnknown_LostFocus();
    void txtThirdUnknown_KeyPress(qint16& intK);
    void txtThirdUnknown_Change();
    void txtThirdUnknown_LostFocus();
    void txtText_KeyPress(qint16& intK);
    void txtVoice_KeyPress(qint16& intK);
    void txtAnimation_KeyPress(qint16& intK);

    void txtResultScenario_KeyPress(int16_t intI, qint16& intK);
    void txtResultScenario_Change(int16_t intI);
    void txtResultScenario_LostFocus(int16_t intI);
    void txtResultPrestige_KeyPress(int16_t intI, qint16& intK);
    void txtResultPrestige_Change(int16_t intI);
    void txtResultPrestige_LostFocus(int16_t intI);
    void txtResultText_KeyPress(int16_t intI, qint16& intK);
    void txtResultVoice_KeyPress(int16_t intI, qint16& intK);
    void txtResultMovie_KeyPress(int16_t intI, qint16& intK);

    // The 0..65535 check: an emptied box becomes "0"; a value above the range
    // raises strFirst + text + ")" over the range line and strLast, and the
    // box shows lngPrevious again.
    void CheckWord(TextBox* txtBox, const QString& strFirst, const QString& strLast, const QString& strTitle,
                   int32_t lngPrevious);
    // The same for the four scenario-level fields; strField names the field
    // in the warning ("First Unknown").
    void CheckWordField(TextBox* txtBox, const QString& strField, int32_t lngPrevious);
    // False, after the warning and the restore, when the number box names
    // another occupied slot.
    bool NumberIsFree();
    // Every control into Record, in the order and with the conversions of OK.
    void WriteControls(Scenario& Record) const;
    void Warn(const QString& strPrompt, const QString& strTitle);
    void SetTitle(const QString& strName);

    UserDialogs& m_Dialogs;
    Campaign* m_Campaign = nullptr;
    bool m_blnChanged = false;
    Scenario m_Scenario;
    Scenario m_CopyScenario;
    std::array<QString, Scenario::OutcomeCount> ResultName;

    TextBox* txtScenario = nullptr;
    TextBox* txtNumber = nullptr;
    TextBox* txtFirstUnknown = nullptr;
    TextBox* txtAnimation = nullptr;
    TextBox* txtVoice = nullptr;
    TextBox* txtSecondUnknown = nullptr;
    TextBox* txtText = nullptr;
    TextBox* txtPrestige = nullptr;
    TextBox* txtThirdUnknown = nullptr;
    BoxArray txtResultScenario{};
    BoxArray txtResultPrestige{};
    BoxArray txtResultText{};
    BoxArray txtResultVoice{};
    BoxArray txtResultMovie{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdPaste = nullptr;
};
