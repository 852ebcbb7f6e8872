#pragma once

#include <QMainWindow>
#include <QString>

#include <cstdint>

class Campaign;
class ScenarioDialog;
class ListBox;
class QAction;
class QComboBox;
class QGroupBox;
class QMenu;
class QPushButton;
class TextBox;
class UserDialogs;

// The main window: the campaign header, the scenario list, the check list
// and the File menu's workflows on the one campaign document.
class CampaignWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit CampaignWindow(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Both are set once at start-up, before the first Update.
    void setScenarioDialog(ScenarioDialog& dialog) { m_scenarioDialog = &dialog; }
    void setCampaign(Campaign& campaign) { m_campaign = &campaign; }
    [[nodiscard]] Campaign& campaign() const { return *m_campaign; }

    // Refreshes every control from the document and selects list position
    // j of the scenario list (below 0: nothing).
    void refresh(int16_t j);

signals:
    // The window was hidden by Exit or closed through its frame.
    void hidden();

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void createControls();
    void createMenus();
    QAction* addMenuItem(QMenu* menu, const QString& caption, const QString& name);

    void filterDescriptionKey(qint16& k);
    void descriptionEdited();
    void nationChosen(int index);
    void filterPrestigeKey(qint16& k);
    void prestigeEdited();
    void commitPrestige();

    void scenarioSelected();
    void scenarioDeselected();
    void addScenario();
    void changeScenario();
    void removeScenario();
    void removeAllScenarios();
    void checkCampaign();
    void clearErrors();

    void newFile();
    void openFile();
    void saveFile();
    void exitEditor();
    void showAbout();

    // A menu command or the window's frame leaves the focus in the box it
    // was in; what that box holds is committed as leaving it would.
    void commitFocusedBox();
    // True when the command may go on: nothing unsaved, No, or a completed Save.
    bool askToSave();
    void startNewCampaign();
    void openCampaign();
    bool saveCampaign();
    // Every edit of the document goes through here, so the question follows it.
    void markEdited();
    void fillErrorList();

    UserDialogs& m_dialogs;
    Campaign* m_campaign = nullptr;
    ScenarioDialog* m_scenarioDialog = nullptr;

    TextBox* descriptionEdit = nullptr;
    QComboBox* nationBox = nullptr;
    TextBox* prestigeEdit = nullptr;
    QGroupBox* scenarioGroup = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* changeButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* removeAllButton = nullptr;
    ListBox* scenarioList = nullptr;
    QGroupBox* checkGroup = nullptr;
    QPushButton* checkButton = nullptr;
    QPushButton* clearButton = nullptr;
    ListBox* errorList = nullptr;
};
