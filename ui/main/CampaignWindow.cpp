#include "ui/main/CampaignWindow.h"

#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "ui/about/AboutDialog.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/AppIdentity.h"
#include "ui/services/ByteText.h"
#include "ui/services/KeyFilters.h"
#include "ui/services/ListBox.h"
#include "ui/services/LayoutFont.h"
#include "ui/services/ProgramIcon.h"
#include "ui/services/TextBox.h"
#include "ui/services/UserDialogs.h"
#include "ui/services/WaitCursor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

#include <memory>
#include <optional>
#include <string>

namespace {

const QString FormTitle = QStringLiteral("Ironvale Campaign Editor");
const QString HeaderTitle = QStringLiteral("Campaign Editor");
const QString OpenTitle = QStringLiteral("Open Campaign");
const QString SaveTitle = QStringLiteral("Save Campaign");
const QString CheckTitle = QStringLiteral("Integrity Check");
const QChar CR(13);

// The file title less its ".cam"; a title too short for that stays whole,
// so the campaign never ends up without a name. The name is never written
// into the file, so it keeps the title's every character as UTF-8.
std::string CampaignName(const QString& strTitle)
{
    return (strTitle.size() < 5 ? strTitle : strTitle.left(strTitle.size() - 4)).toStdString();
}

QLabel* MakeLabel(QWidget* parent, const QString& strCaption, const QRect& Rect)
{
    auto* pLabel = new QLabel(strCaption, parent);
    pLabel->setGeometry(Rect);
    return pLabel;
}

QPushButton* MakeButton(QWidget* parent, const QString& strName, const QString& strCaption, const QRect& Rect,
                        const QString& strTip)
{
    auto* pButton = new QPushButton(strCaption, parent);
    pButton->setObjectName(strName);
    pButton->setGeometry(Rect);
    pButton->setToolTip(strTip);
    pButton->setAccessibleName(strCaption);
    pButton->setAutoDefault(false);
    return pButton;
}

ListBox* MakeList(QWidget* parent, const QString& strName, const QRect& Rect, const QString& strTip,
                  const QString& strAccessible)
{
    auto* pList = new ListBox(parent);
    pList->setObjectName(strName);
    pList->setGeometry(Rect);
    pList->setToolTip(strTip);
    pList->setAccessibleName(strAccessible);
    return pList;
}

} // namespace

CampaignWindow::CampaignWindow(UserDialogs& Dialogs, QWidget* parent) : QMainWindow(parent), m_Dialogs(Dialogs)
{
    setObjectName(QStringLiteral("frmCampaign"));
    setWindowTitle(FormTitle);
    setWindowIcon(ProgramIcon());
    UseLayoutFont(this);
    CreateControls();
    CreateMenus();
    // Nothing moves or resizes: the window is the menu bar over the client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    txtDescription->setFocus();
}

void CampaignWindow::CreateControls()
{
    auto* pClient = new QWidget(this);
    pClient->setFixedSize(625, 340);
    setCentralWidget(pClient);

    auto* lblDescription = MakeLabel(pClient, QStringLiteral("Description"), QRect(16, 16, 121, 17));
    txtDescription = new TextBox(pClient);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    txtDescription->setGeometry(152, 16, 73, 19);
    txtDescription->SetMaxLength(8);
    txtDescription->setToolTip(QStringLiteral("Type in campaign description text file"));
    txtDescription->setAccessibleName(lblDescription->text());
    lblDescription->setBuddy(txtDescription);

    auto* lblNation = MakeLabel(pClient, QStringLiteral("Nation"), QRect(256, 16, 49, 17));
    cmbNation = new QComboBox(pClient);
    cmbNation->setObjectName(QStringLiteral("cmbNation"));
    cmbNation->setGeometry(328, 16, 105, 21);
    cmbNation->addItems({QStringLiteral("Germany"), QStringLiteral("U.K"), QStringLiteral("U.R.S.S"),
                         QStringLiteral("U.S.A")});
    cmbNation->setToolTip(QStringLiteral("Select player's nation"));
    cmbNation->setAccessibleName(lblNation->text());
    lblNation->setBuddy(cmbNation);

    auto* lblPrestige = MakeLabel(pClient, QStringLiteral("Starting Prestige"), QRect(16, 48, 97, 17));
    txtPrestige = new TextBox(pClient);
    txtPrestige->setObjectName(QStringLiteral("txtPrestige"));
    txtPrestige->setGeometry(152, 48, 41, 19);
    txtPrestige->SetMaxLength(5);
    txtPrestige->setToolTip(QStringLiteral("Type in starting prestige points"));
    txtPrestige->setAccessibleName(lblPrestige->text());
    lblPrestige->setBuddy(txtPrestige);

    fraScenario = new QGroupBox(QStringLiteral("Scenario List"), pClient);
    fraScenario->setObjectName(QStringLiteral("fraScenario"));
    fraScenario->setGeometry(16, 88, 273, 233);
    cmdAdd = MakeButton(fraScenario, QStringLiteral("cmdAdd"), QStringLiteral("Add"), QRect(16, 24, 65, 25),
                        QStringLiteral("Add a new scenario"));
    cmdChange = MakeButton(fraScenario, QStringLiteral("cmdChange"), QStringLiteral("Change"), QRect(16, 64, 65, 25),
                           QStringLiteral("Change the selected scenario"));
    cmdRemove = MakeButton(fraScenario, QStringLiteral("cmdRemove"), QStringLiteral("Remove"), QRect(16, 104, 65, 25),
                           QStringLiteral("Remove the selected scenario"));
    cmdRemoveAll = MakeButton(fraScenario, QStringLiteral("cmdRemoveAll"), QStringLiteral("Remove All"),
                              QRect(16, 144, 65, 25), QStringLiteral("Remove all scenarios"));
    lstScenario = MakeList(fraScenario, QStringLiteral("lstScenario"), QRect(96, 16, 161, 186),
                           QStringLiteral("Scenarios List"), fraScenario->title());
    cmdChange->setEnabled(false);
    cmdRemove->setEnabled(false);

    fraCheck = new QGroupBox(QStringLiteral("Check List"), pClient);
    fraCheck->setObjectName(QStringLiteral("fraCheck"));
    fraCheck->setGeometry(304, 88, 305, 233);
    cmdCheck = MakeButton(fraCheck, QStringLiteral("cmdCheck"), QStringLiteral("Check"), QRect(16, 24, 65, 25),
                          QStringLiteral("Run integrity check"));
    cmdClear = MakeButton(fraCheck, QStringLiteral("cmdClear"), QStringLiteral("Clear"), QRect(16, 64, 65, 25),
                          QStringLiteral("Clear error list"));
    lstError = MakeList(fraCheck, QStringLiteral("lstError"), QRect(88, 16, 209, 186), QStringLiteral("Errors List"),
                        fraCheck->title());
    cmdClear->setEnabled(false);

    QWidget* Order[] = {txtDescription, cmbNation, txtPrestige, cmdAdd, cmdRemove, cmdChange,
                        lstScenario, lstError, cmdCheck, cmdClear, cmdRemoveAll};
    for (std::size_t intI = 1; intI < std::size(Order); ++intI) {
        setTabOrder(Order[intI - 1], Order[intI]);
    }

    connect(txtDescription, &TextBox::KeyPress, this, &CampaignWindow::txtDescription_KeyPress);
    connect(txtDescription, &TextBox::Change, this, &CampaignWindow::txtDescription_Change);
    connect(cmbNation, &QComboBox::activated, this, &CampaignWindow::cmbNation_Change);
    connect(txtPrestige, &TextBox::KeyPress, this, &CampaignWindow::txtPrestige_KeyPress);
    connect(txtPrestige, &TextBox::Change, this, &CampaignWindow::txtPrestige_Change);
    connect(txtPrestige, &TextBox::LostFocus, this, &CampaignWindow::txtPrestige_LostFocus);
    connect(cmdAdd, &QPushButton::clicked, this, &CampaignWindow::AddScenario);
    connect(cmdChange, &QPushButton::clicked, this, &CampaignWindow::ChangeScenario);
    connect(lstScenario, &ListBox::DblClick, this, &CampaignWindow::ChangeScenario);
    connect(lstScenario, &ListBox::Click, this, &CampaignWindow::lstScenario_Click);
    connect(lstScenario, &ListBox::Deselect, this, &CampaignWindow::lstScenario_Deselect);
    connect(cmdRemove, &QPushButton::clicked, this, &CampaignWindow::RemoveScenario);
    connect(cmdRemoveAll, &QPushButton::clicked, this, &CampaignWindow::RemoveAllScenarios);
    connect(cmdCheck, &QPushButton::clicked, this, &CampaignWindow::CheckCampaign);
    connect(cmdClear, &QPushButton::clicked, this, &CampaignWindow::ClearErrors);
}

QAction* CampaignWindow::AddMenuItem(QMenu* pMenu, const QString& strCaption, const QString& strName)
{
    QAction* pAction = pMenu->addAction(strCaption);
    pAction->setObjectName(strName);
    return pAction;
}

void CampaignWindow::CreateMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(AddMenuItem(mnuFile, QStringLiteral("&New"), QStringLiteral("mnuFileNew")), &QAction::triggered, this,
            &CampaignWindow::mnuFileNew_Click);
    connect(AddMenuItem(mnuFile, QStringLiteral("&Open"), QStringLiteral("mnuFileOpen")), &QAction::triggered, this,
            &CampaignWindow::mnuFileOpen_Click);
    connect(AddMenuItem(mnuFile, QStringLiteral("&Save"), QStringLiteral("mnuFileSave")), &QAction::triggered, this,
            &CampaignWindow::mnuFileSave_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparator"));
    connect(AddMenuItem(mnuFile, QStringLiteral("E&xit"), QStringLiteral("mnuFileExit")), &QAction::triggered, this,
            &CampaignWindow::mnuFileExit_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&?"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    // An entry without a command: choosing it does nothing.
    AddMenuItem(mnuHelp, QStringLiteral("&Campaign File Info"), QStringLiteral("mnuHelpFileInfo"));
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuHelpSeparator"));
    connect(AddMenuItem(mnuHelp, QStringLiteral("&About"), QStringLiteral("mnuHelpAbout")), &QAction::triggered, this,
            &CampaignWindow::mnuHelpAbout_Click);
}

void CampaignWindow::Update(int16_t intJ)
{
    Campaign& Doc = campaign();
    setWindowTitle(FormTitle + QStringLiteral(" - ") + QString::fromStdString(Doc.Name()));
    txtDescription->SetText(FromBytes(Doc.Description()));
    txtPrestige->SetText(QString::number(Doc.Prestige()));
    cmbNation->setCurrentIndex(Doc.Nation());

    lstScenario->Clear();
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        const Scenario& scenario = Doc.Scenarios(intI);
        if (scenario.Number() > -1) {
            lstScenario->AddItem(QStringLiteral("#%1 ").arg(intI, 3, 10, QChar(u'0')) + FromBytes(scenario.Name()),
                                 intI);
        }
    }
    const bool blnSelected = intJ > -1;
    lstScenario->SetListIndex(blnSelected ? intJ : int16_t{-1});
    cmdChange->setEnabled(blnSelected);
    cmdRemove->setEnabled(blnSelected);
    cmdRemoveAll->setEnabled(Doc.ScenarioCount() > 0);
    cmdAdd->setEnabled(Doc.ScenarioCount() <= 49);
}

void CampaignWindow::MarkEdited()
{
    campaign().SetChanged(true);
    campaign().SetSaved(false);
}

void CampaignWindow::txtDescription_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void CampaignWindow::txtDescription_Change()
{
    const QString strText = txtDescription->Text();
    if (strText.isEmpty()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("Invalid Description ") + CR +
                             QStringLiteral("Descriptione is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        txtDescription->SetText(FromBytes(campaign().Description()));
        return;
    }
    // Filling the box from the document assigns the value it already has.
    const std::string strValue = ToBytes(strText);
    if (strValue != campaign().Description()) {
        campaign().SetDescription(strValue);
        MarkEdited();
    }
}

void CampaignWindow::cmbNation_Change(int intIndex)
{
    if (intIndex != campaign().Nation()) {
        campaign().SetNation(intIndex);
        MarkEdited();
    }
}

void CampaignWindow::txtPrestige_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void CampaignWindow::txtPrestige_Change()
{
    const QString strText = txtPrestige->Text();
    if (strText.isEmpty()) {
        txtPrestige->SetTextSelected(QStringLiteral("0"));
        return;
    }
    if (strText.toInt() > 65535) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("Invalid Starting Prestige value (") + strText + QStringLiteral(")") + CR +
                             QStringLiteral("Value ranges from 0 to 65535") + CR +
                             QStringLiteral("Starting Prestige is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        txtPrestige->SetText(QString::number(campaign().Prestige()));
    }
}

void CampaignWindow::txtPrestige_LostFocus()
{
    const int32_t lngValue = txtPrestige->Text().toInt();
    if (lngValue != campaign().Prestige()) {
        campaign().SetPrestige(lngValue);
        MarkEdited();
    }
}

void CampaignWindow::lstScenario_Click()
{
    cmdChange->setEnabled(true);
    cmdRemove->setEnabled(true);
}

// Change and Remove have nothing to work on without a selected line.
void CampaignWindow::lstScenario_Deselect()
{
    cmdChange->setEnabled(false);
    cmdRemove->setEnabled(false);
}

void CampaignWindow::AddScenario()
{
    Scenario& scenarioValue = m_pScenarioDialog->scenario();
    scenarioValue.Clear();
    scenarioValue.SetNumber(campaign().NextFreeScenario());
    scenarioValue.SetName("new");
    m_pScenarioDialog->Update();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->Changed()) {
        MarkEdited();
        campaign().Scenarios(static_cast<int16_t>(scenarioValue.Number())).Copy(scenarioValue);
    }
    Update(-1);
}

void CampaignWindow::ChangeScenario()
{
    const int16_t intJ = lstScenario->ListIndex();
    if (intJ < 0) {
        return;
    }
    const auto intS = static_cast<int16_t>(lstScenario->ItemData(intJ));
    Scenario& scenarioValue = m_pScenarioDialog->scenario();
    scenarioValue.Copy(campaign().Scenarios(intS));
    m_pScenarioDialog->Update();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->Changed()) {
        MarkEdited();
        Scenario& Stored = campaign().Scenarios(intS);
        Stored.Copy(scenarioValue);
        if (Stored.Number() != intS) {
            campaign().Scenarios(static_cast<int16_t>(Stored.Number())).Copy(Stored);
            Stored.Clear();
        }
    }
    Update(intJ);
}

void CampaignWindow::RemoveScenario()
{
    const int16_t intJ = lstScenario->ListIndex();
    if (intJ < 0) {
        return;
    }
    campaign().Scenarios(static_cast<int16_t>(lstScenario->ItemData(intJ))).Clear();
    MarkEdited();
    Update(static_cast<int16_t>(intJ - 1));
}

void CampaignWindow::RemoveAllScenarios()
{
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        campaign().Scenarios(intI).Clear();
    }
    MarkEdited();
    Update(-1);
}

void CampaignWindow::FillErrorList()
{
    for (int16_t intI = 1; intI <= campaign().ErrorCount(); ++intI) {
        lstError->AddItem(FromBytes(campaign().Errors(static_cast<int16_t>(intI - 1))));
    }
}

void CampaignWindow::CheckCampaign()
{
    lstError->Clear();
    if (campaign().Check() > 0) {
        FillErrorList();
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Failed"), MsgBoxStyle::Exclamation, CheckTitle);
    } else {
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Passed"), MsgBoxStyle::Information, CheckTitle);
    }
    cmdClear->setEnabled(true);
}

void CampaignWindow::ClearErrors()
{
    lstError->Clear();
    cmdClear->setEnabled(false);
}

void CampaignWindow::CommitFocusedBox()
{
    if (focusWidget() == txtPrestige) {
        txtPrestige_LostFocus();
    }
}

void CampaignWindow::mnuFileNew_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        FileNew();
    }
}

void CampaignWindow::mnuFileOpen_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        FileOpen();
    }
}

void CampaignWindow::mnuFileSave_Click()
{
    CommitFocusedBox();
    FileSave();
}

void CampaignWindow::mnuFileExit_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        hide();
    }
}

void CampaignWindow::mnuHelpAbout_Click()
{
    AboutDialog About(IronvaleIdentity(), this);
    About.exec();
}

bool CampaignWindow::AskToSave()
{
    if (!campaign().Changed() || campaign().Saved()) {
        return true;
    }
    const int16_t intAnswer = m_Dialogs.MsgBox(this, QStringLiteral("Do you want to save the current campaign?"),
                                               MsgBoxStyle::YesNoQuestion, QStringLiteral(" Open Campaign"));
    return intAnswer != MsgBoxAnswer::Yes || FileSave();
}

void CampaignWindow::FileNew()
{
    campaign().Clear();
    campaign().SetSaved(false);
    campaign().SetChanged(false);
    lstError->Clear();
    Update(-1);
}

void CampaignWindow::FileOpen()
{
    FileRequest Request;
    Request.Title = OpenTitle;
    const std::optional<FileChoice> choice = m_Dialogs.ShowOpen(this, Request);
    if (!choice) {
        return;
    }

    // Large enough to keep off the stack.
    const auto Fresh = std::make_unique<Campaign>();
    QString strReason;
    {
        const WaitCursor Busy;
        strReason = ReadCampaignFile(QFile::encodeName(choice->Path).toStdString(), *Fresh);
    }
    if (!strReason.isEmpty()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("The campaign ") + QDir::toNativeSeparators(choice->Path) +
                             QStringLiteral(" could not be opened:") + CR + strReason + CR +
                             QStringLiteral("The current campaign is unchanged."),
                         MsgBoxStyle::Exclamation, OpenTitle);
        return;
    }

    // The scenario dialog holds the same document, so it is refilled in place.
    Campaign& Doc = campaign();
    Doc.SetDescription(Fresh->Description());
    Doc.SetNation(Fresh->Nation());
    Doc.SetPrestige(Fresh->Prestige());
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        Doc.Scenarios(intI).Copy(Fresh->Scenarios(intI));
    }
    Doc.SetName(CampaignName(choice->Title));
    Doc.SetSaved(false);
    Doc.SetChanged(false);
    lstError->Clear();
    Update(-1);
}

bool CampaignWindow::FileSave()
{
    lstError->Clear();
    if (campaign().Check() > 0) {
        FillErrorList();
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Failed. Save Operation Aborted"),
                         MsgBoxStyle::Exclamation, SaveTitle);
        cmdClear->setEnabled(true);
        return false;
    }

    FileRequest Request;
    Request.Title = QStringLiteral("Save As Campaign");
    Request.FileName = QString::fromStdString(campaign().Name()) + QStringLiteral(".cam");
    const std::optional<FileChoice> choice = m_Dialogs.ShowSave(this, Request);
    if (!choice) {
        return false;
    }

    SaveResult Result;
    {
        const WaitCursor Busy;
        Result = SaveCampaignFile(QFile::encodeName(choice->Path).toStdString(), campaign());
    }
    if (!Result.Saved()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("The campaign could not be saved as ") +
                             QDir::toNativeSeparators(choice->Path) + QStringLiteral(":") + CR + Result.Reason + CR +
                             Result.Aftermath,
                         MsgBoxStyle::Exclamation, SaveTitle);
        return false;
    }

    campaign().SetName(CampaignName(choice->Title));
    campaign().SetSaved(true);
    campaign().SetChanged(false);
    Update(-1);
    return true;
}

void CampaignWindow::closeEvent(QCloseEvent* e)
{
    CommitFocusedBox();
    if (AskToSave()) {
        e->accept();
    } else {
        e->ignore();
    }
}

void CampaignWindow::hideEvent(QHideEvent* e)
{
    QMainWindow::hideEvent(e);
    // A minimised window is not hidden; only Exit and a close are.
    if (isHidden()) {
        emit Hidden();
    }
}
