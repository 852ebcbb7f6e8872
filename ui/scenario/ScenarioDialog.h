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

    void setCampaign(Campaign& campaign);
    [[nodiscard]] bool changed() const { return m_blnChanged; }
    [[nodiscard]] Scenario& scenario() { return m_Scenario; }
    [[nodiscard]] Scenario& copyScenario() { return m_CopyScenario; }
    void refresh();

    // Esc and closing through the frame come here: both only hide the dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    using BoxArray = std::array<TextBox*, Scenario::OutcomeCount>;

    void createControls();
    void connectHandlers();

    void setUpForm();
    void formActivated();
    void confirmEdits();
    void cancelEdits();
    void copyToClipboard();
    void pasteFromClipboard();

    void filterScenarioKey(qint16& intK);
    void scenarioEdited();
    void commitScenario();
    void filterNumberKey(qint16& intK);
    void numberEdited();
    void commitNumber();
    void filterPrestigeKey(qint16& intK);
    void prestigeEdited();
    void commitPrestige();
    void filterFirstUnknownKey(qint16& intK);
    void firstUnknownEdited();
    void commitFirstUnknown();
    void filterSecondUnknownKey(qint16& intK);
    void secondUnknownEdited();
    void commitSecondUnknown();
    void filterThirdUnknownKey(qint16& intK);
    void thirdUnknownEdited();
    void commitThirdUnknown();
    void filterTextKey(qint16& intK);
    void filterVoiceKey(qint16& intK);
    void filterAnimationKey(qint16& intK);

    void filterResultScenarioKey(int16_t intI, qint16& intK);
    void resultScenarioEdited(int16_t intI);
    void commitResultScenario(int16_t intI);
    void filterResultPrestigeKey(int16_t intI, qint16& intK);
    void resultPrestigeEdited(int16_t intI);
    void commitResultPrestige(int16_t intI);
    void filterResultTextKey(int16_t intI, qint16& intK);
    void filterResultVoiceKey(int16_t intI, qint16& intK);
    void filterResultMovieKey(int16_t intI, qint16& intK);

    // The 0..65535 check: an emptied box becomes "0"; a value above the range
    // raises strFirst + text + ")" over the range line and strLast, and the
    // box shows lngPrevious again.
    void checkWord(TextBox* box, const QString& strFirst, const QString& strLast, const QString& strTitle,
                   int32_t lngPrevious);
    // The same for the four scenario-level fields; strField names the field
    // in the warning ("First Unknown").
    void checkWordField(TextBox* box, const QString& strField, int32_t lngPrevious);
    // False, after the warning and the restore, when the number box names
    // another occupied slot.
    bool numberIsFree();
    // Every control into Record, in the order and with the conversions of OK.
    void writeControls(Scenario& Record) const;
    void warn(const QString& strPrompt, const QString& strTitle);
    void setTitle(const QString& strName);

    UserDialogs& m_Dialogs;
    Campaign* m_Campaign = nullptr;
    bool m_blnChanged = false;
    Scenario m_Scenario;
    Scenario m_CopyScenario;
    std::array<QString, Scenario::OutcomeCount> ResultName;

    TextBox* scenarioEdit = nullptr;
    TextBox* numberEdit = nullptr;
    TextBox* firstUnknownEdit = nullptr;
    TextBox* animationEdit = nullptr;
    TextBox* voiceEdit = nullptr;
    TextBox* secondUnknownEdit = nullptr;
    TextBox* textEdit = nullptr;
    TextBox* prestigeEdit = nullptr;
    TextBox* thirdUnknownEdit = nullptr;
    BoxArray resultScenarioEdit{};
    BoxArray resultPrestigeEdit{};
    BoxArray resultTextEdit{};
    BoxArray resultVoiceEdit{};
    BoxArray resultMovieEdit{};
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* pasteButton = nullptr;
};
