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
    explicit CampaignWindow(UserDialogs& Dialogs, QWidget* parent = nullptr);

    // Both are set once at start-up, before the first Update.
    void SetScenarioDialog(ScenarioDialog& Dialog) { m_pScenarioDialog = &Dialog; }
    void SetCampaign(Campaign& campaignValue) { m_pCampaign = &campaignValue; }
    [[nodiscard]] Campaign& campaign() const { return *m_pCampaign; }

    // Refreshes every control from the document and selects list position
    // intJ of the scenario list (below 0: nothing).
    void Update(int16_t intJ);

signals:
    // The window was hidden by Exit or closed through its frame.
    void Hidden();

protected:
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void CreateControls();
    void CreateMenus();
    QAction* AddMenuItem(QMenu* pMenu, const QString& strCaption, const QString& strName);

    void txtDescription_KeyPress(qint16& intK);
    void txtDescription_Change();
    void cmbNation_Change(int intIndex);
    void txtPrestige_KeyPress(qint16& intK);
    void txtPrestige_Change();
    void txtPrestige_LostFocus();

    void lstScenario_Click();
    void lstScenario_Deselect();
    void AddScenario();
    void ChangeScenario();
    void RemoveScenario();
    void RemoveAllScenarios();
    void CheckCampaign();
    void ClearErrors();

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

    // A menu command or the window's frame leaves the focus in the box it
    // was in; what that box holds is committed as leaving it would.
    void CommitFocusedBox();
    // True when the command may go on: nothing unsaved, No, or a completed Save.
    bool AskToSave();
    void FileNew();
    void FileOpen();
    bool FileSave();
    // Every edit of the document goes through here, so the question follows it.
    void MarkEdited();
    void FillErrorList();

    UserDialogs& m_Dialogs;
    Campaign* m_pCampaign = nullptr;
    ScenarioDialog* m_pScenarioDialog = nullptr;

    TextBox* txtDescription = nullptr;
    QComboBox* cmbNation = nullptr;
    TextBox* txtPrestige = nullptr;
    QGroupBox* fraScenario = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdRemoveAll = nullptr;
    ListBox* lstScenario = nullptr;
    QGroupBox* fraCheck = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdClear = nullptr;
    ListBox* lstError = nullptr;
};
