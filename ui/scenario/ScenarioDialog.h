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
    explicit ScenarioDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    void setCampaign(Campaign& campaign);
    [[nodiscard]] bool changed() const { return m_changed; }
    [[nodiscard]] Scenario& scenario() { return m_scenario; }
    [[nodiscard]] Scenario& copyScenario() { return m_copyScenario; }
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

    void filterScenarioKey(qint16& k);
    void scenarioEdited();
    void commitScenario();
    void filterNumberKey(qint16& k);
    void numberEdited();
    void commitNumber();
    void filterPrestigeKey(qint16& k);
    void prestigeEdited();
    void commitPrestige();
    void filterFirstUnknownKey(qint16& k);
    void firstUnknownEdited();
    void commitFirstUnknown();
    void filterSecondUnknownKey(qint16& k);
    void secondUnknownEdited();
    void commitSecondUnknown();
    void filterThirdUnknownKey(qint16& k);
    void thirdUnknownEdited();
    void commitThirdUnknown();
    void filterTextKey(qint16& k);
    void filterVoiceKey(qint16& k);
    void filterAnimationKey(qint16& k);

    void filterResultScenarioKey(int16_t i, qint16& k);
    void resultScenarioEdited(int16_t i);
    void commitResultScenario(int16_t i);
    void filterResultPrestigeKey(int16_t i, qint16& k);
    void resultPrestigeEdited(int16_t i);
    void commitResultPrestige(int16_t i);
    void filterResultTextKey(int16_t i, qint16& k);
    void filterResultVoiceKey(int16_t i, qint16& k);
    void filterResultMovieKey(int16_t i, qint16& k);

    // The 0..65535 check: an emptied box becomes "0"; a value above the range
    // raises first + text + ")" over the range line and last, and the
    // box shows previous again.
    void checkWord(TextBox* box, const QString& first, const QString& last, const QString& title, int32_t previous);
    // The same for the four scenario-level fields; field names the field
    // in the warning ("First Unknown").
    void checkWordField(TextBox* box, const QString& field, int32_t previous);
    // False, after the warning and the restore, when the number box names
    // another occupied slot.
    bool numberIsFree();
    // Every control into Record, in the order and with the conversions of OK.
    void writeControls(Scenario& record) const;
    void warn(const QString& prompt, const QString& title);
    void setTitle(const QString& name);

    UserDialogs& m_dialogs;
    Campaign* m_campaign = nullptr;
    bool m_changed = false;
    Scenario m_scenario;
    Scenario m_copyScenario;
    std::array<QString, Scenario::OutcomeCount> resultName;

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
