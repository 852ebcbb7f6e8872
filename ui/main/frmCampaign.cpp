#include "ui/main/frmCampaign.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"
#include "ui/about/frmAbout.h"
#include "ui/scenario/frmScenario.h"
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

frmCampaign::frmCampaign(UserDialogs& Dialogs, QWidget* parent) : QMainWindow(parent), m_Dialogs(Dialogs)
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

void frmCampaign::CreateControls()
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

    connect(txtDescription, &TextBox::KeyPress, this, &frmCampaign::txtDescription_KeyPress);
    connect(txtDescription, &TextBox::Change, this, &frmCampaign::txtDescription_Change);
    connect(cmbNation, &QComboBox::activated, this, &frmCampaign::cmbNation_Change);
    connect(txtPrestige, &TextBox::KeyPress, this, &frmCampaign::txtPrestige_KeyPress);
    connect(txtPrestige, &TextBox::Change, this, &frmCampaign::txtPrestige_Change);
    connect(txtPrestige, &TextBox::LostFocus, this, &frmCampaign::txtPrestige_LostFocus);
    connect(cmdAdd, &QPushButton::clicked, this, &frmCampaign::AddScenario);
    connect(cmdChange, &QPushButton::clicked, this, &frmCampaign::ChangeScenario);
    connect(lstScenario, &ListBox::DblClick, this, &frmCampaign::ChangeScenario);
    connect(lstScenario, &ListBox::Click, this, &frmCampaign::lstScenario_Click);
    connect(lstScenario, &ListBox::Deselect, this, &frmCampaign::lstScenario_Deselect);
    connect(cmdRemove, &QPushButton::clicked, this, &frmCampaign::RemoveScenario);
    connect(cmdRemoveAll, &QPushButton::clicked, this, &frmCampaign::RemoveAllScenarios);
    connect(cmdCheck, &QPushButton::clicked, this, &frmCampaign::CheckCampaign);
    connect(cmdClear, &QPushButton::clicked, this, &frmCampaign::ClearErrors);
}

QAction* frmCampaign::AddMenuItem(QMenu* pMenu, const QString& strCaption, const QString& strName)
{
    QAction* pAction = pMenu->addAction(strCaption);
    pAction->setObjectName(strName);
    return pAction;
}

void frmCampaign::CreateMenus()
{
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(AddMenuItem(mnuFile, QStringLiteral("&New"), QStringLiteral("mnuFileNew")), &QAction::triggered, this,
            &frmCampaign::mnuFileNew_Click);
    connect(AddMenuItem(mnuFile, QStringLiteral("&Open"), QStringLiteral("mnuFileOpen")), &QAction::triggered, this,
            &frmCampaign::mnuFileOpen_Click);
    connect(AddMenuItem(mnuFile, QStringLiteral("&Save"), QStringLiteral("mnuFileSave")), &QAction::triggered, this,
            &frmCampaign::mnuFileSave_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparator"));
    connect(AddMenuItem(mnuFile, QStringLiteral("E&xit"), QStringLiteral("mnuFileExit")), &QAction::triggered, this,
            &frmCampaign::mnuFileExit_Click);

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&?"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    // An entry without a command: choosing it does nothing.
    AddMenuItem(mnuHelp, QStringLiteral("&Campaign File Info"), QStringLiteral("mnuHelpFileInfo"));
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuHelpSeparator"));
    connect(AddMenuItem(mnuHelp, QStringLiteral("&About"), QStringLiteral("mnuHelpAbout")), &QAction::triggered, this,
            &frmCampaign::mnuHelpAbout_Click);
}

void frmCampaign::Update(int16_t intJ)
{
    clsCampaign& Doc = Campaign();
    setWindowTitle(FormTitle + QStringLiteral(" - ") + QString::fromStdString(Doc.Name()));
    txtDescription->SetText(FromBytes(Doc.Description()));
    txtPrestige->SetText(QString::number(Doc.Prestige()));
    cmbNation->setCurrentIndex(Doc.Nation());

    lstScenario->Clear();
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        const clsScenario& Scenario = Doc.Scenarios(intI);
        if (Scenario.Number() > -1) {
            lstScenario->AddItem(QStringLiteral("#%1 ").arg(intI, 3, 10, QChar(u'0')) + FromBytes(Scenario.Name()),
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

void frmCampaign::MarkEdited()
{
    Campaign().SetChanged(true);
    Campaign().SetSaved(false);
}

void frmCampaign::txtDescription_KeyPress(qint16& intK)
{
    NameFilter(intK);
}

void frmCampaign::txtDescription_Change()
{
    const QString strText = txtDescription->Text();
    if (strText.isEmpty()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("Invalid Description ") + CR +
                             QStringLiteral("Descriptione is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        txtDescription->SetText(FromBytes(Campaign().Description()));
        return;
    }
    // Filling the box from the document assigns the value it already has.
    const std::string strValue = ToBytes(strText);
    if (strValue != Campaign().Description()) {
        Campaign().SetDescription(strValue);
        MarkEdited();
    }
}

void frmCampaign::cmbNation_Change(int intIndex)
{
    if (intIndex != Campaign().Nation()) {
        Campaign().SetNation(intIndex);
        MarkEdited();
    }
}

void frmCampaign::txtPrestige_KeyPress(qint16& intK)
{
    DigitFilter(intK);
}

void frmCampaign::txtPrestige_Change()
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
        txtPrestige->SetText(QString::number(Campaign().Prestige()));
    }
}

void frmCampaign::txtPrestige_LostFocus()
{
    const int32_t lngValue = txtPrestige->Text().toInt();
    if (lngValue != Campaign().Prestige()) {
        Campaign().SetPrestige(lngValue);
        MarkEdited();
    }
}

void frmCampaign::lstScenario_Click()
{
    cmdChange->setEnabled(true);
    cmdRemove->setEnabled(true);
}

// Change and Remove have nothing to work on without a selected line.
void frmCampaign::lstScenario_Deselect()
{
    cmdChange->setEnabled(false);
    cmdRemove->setEnabled(false);
}

void frmCampaign::AddScenario()
{
    clsScenario& Scenario = m_pScenarioDialog->Scenario();
    Scenario.Clear();
    Scenario.SetNumber(Campaign().NextFreeScenario());
    Scenario.SetName("new");
    m_pScenarioDialog->Update();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->Changed()) {
        MarkEdited();
        Campaign().Scenarios(static_cast<int16_t>(Scenario.Number())).Copy(Scenario);
    }
    Update(-1);
}

void frmCampaign::ChangeScenario()
{
    const int16_t intJ = lstScenario->ListIndex();
    if (intJ < 0) {
        return;
    }
    const auto intS = static_cast<int16_t>(lstScenario->ItemData(intJ));
    clsScenario& Scenario = m_pScenarioDialog->Scenario();
    Scenario.Copy(Campaign().Scenarios(intS));
    m_pScenarioDialog->Update();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->Changed()) {
        MarkEdited();
        clsScenario& Stored = Campaign().Scenarios(intS);
        Stored.Copy(Scenario);
        if (Stored.Number() != intS) {
            Campaign().Scenarios(static_cast<int16_t>(Stored.Number())).Copy(Stored);
            Stored.Clear();
        }
    }
    Update(intJ);
}

void frmCampaign::RemoveScenario()
{
    const int16_t intJ = lstScenario->ListIndex();
    if (intJ < 0) {
        return;
    }
    Campaign().Scenarios(static_cast<int16_t>(lstScenario->ItemData(intJ))).Clear();
    MarkEdited();
    Update(static_cast<int16_t>(intJ - 1));
}

void frmCampaign::RemoveAllScenarios()
{
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        Campaign().Scenarios(intI).Clear();
    }
    MarkEdited();
    Update(-1);
}

void frmCampaign::FillErrorList()
{
    for (int16_t intI = 1; intI <= Campaign().ErrorCount(); ++intI) {
        lstError->AddItem(FromBytes(Campaign().Errors(static_cast<int16_t>(intI - 1))));
    }
}

void frmCampaign::CheckCampaign()
{
    lstError->Clear();
    if (Campaign().Check() > 0) {
        FillErrorList();
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Failed"), MsgBoxStyle::Exclamation, CheckTitle);
    } else {
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Passed"), MsgBoxStyle::Information, CheckTitle);
    }
    cmdClear->setEnabled(true);
}

void frmCampaign::ClearErrors()
{
    lstError->Clear();
    cmdClear->setEnabled(false);
}

void frmCampaign::CommitFocusedBox()
{
    if (focusWidget() == txtPrestige) {
        txtPrestige_LostFocus();
    }
}

void frmCampaign::mnuFileNew_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        FileNew();
    }
}

void frmCampaign::mnuFileOpen_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        FileOpen();
    }
}

void frmCampaign::mnuFileSave_Click()
{
    CommitFocusedBox();
    FileSave();
}

void frmCampaign::mnuFileExit_Click()
{
    CommitFocusedBox();
    if (AskToSave()) {
        hide();
    }
}

void frmCampaign::mnuHelpAbout_Click()
{
    frmAbout About(IronvaleIdentity(), this);
    About.exec();
}

bool frmCampaign::AskToSave()
{
    if (!Campaign().Changed() || Campaign().Saved()) {
        return true;
    }
    const int16_t intAnswer = m_Dialogs.MsgBox(this, QStringLiteral("Do you want to save the current campaign?"),
                                               MsgBoxStyle::YesNoQuestion, QStringLiteral(" Open Campaign"));
    return intAnswer != MsgBoxAnswer::Yes || FileSave();
}

void frmCampaign::FileNew()
{
    Campaign().Clear();
    Campaign().SetSaved(false);
    Campaign().SetChanged(false);
    lstError->Clear();
    Update(-1);
}

void frmCampaign::FileOpen()
{
    FileRequest Request;
    Request.Title = OpenTitle;
    const std::optional<FileChoice> Choice = m_Dialogs.ShowOpen(this, Request);
    if (!Choice) {
        return;
    }

    // Large enough to keep off the stack.
    const auto Fresh = std::make_unique<clsCampaign>();
    QString strReason;
    {
        const WaitCursor Busy;
        strReason = ReadCampaignFile(QFile::encodeName(Choice->Path).toStdString(), *Fresh);
    }
    if (!strReason.isEmpty()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("The campaign ") + QDir::toNativeSeparators(Choice->Path) +
                             QStringLiteral(" could not be opened:") + CR + strReason + CR +
                             QStringLiteral("The current campaign is unchanged."),
                         MsgBoxStyle::Exclamation, OpenTitle);
        return;
    }

    // The scenario dialog holds the same document, so it is refilled in place.
    clsCampaign& Doc = Campaign();
    Doc.SetDescription(Fresh->Description());
    Doc.SetNation(Fresh->Nation());
    Doc.SetPrestige(Fresh->Prestige());
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        Doc.Scenarios(intI).Copy(Fresh->Scenarios(intI));
    }
    Doc.SetName(CampaignName(Choice->Title));
    Doc.SetSaved(false);
    Doc.SetChanged(false);
    lstError->Clear();
    Update(-1);
}

bool frmCampaign::FileSave()
{
    lstError->Clear();
    if (Campaign().Check() > 0) {
        FillErrorList();
        m_Dialogs.MsgBox(this, QStringLiteral("Integrity Check Failed. Save Operation Aborted"),
                         MsgBoxStyle::Exclamation, SaveTitle);
        cmdClear->setEnabled(true);
        return false;
    }

    FileRequest Request;
    Request.Title = QStringLiteral("Save As Campaign");
    Request.FileName = QString::fromStdString(Campaign().Name()) + QStringLiteral(".cam");
    const std::optional<FileChoice> Choice = m_Dialogs.ShowSave(this, Request);
    if (!Choice) {
        return false;
    }

    SaveResult Result;
    {
        const WaitCursor Busy;
        Result = SaveCampaignFile(QFile::encodeName(Choice->Path).toStdString(), Campaign());
    }
    if (!Result.Saved()) {
        m_Dialogs.MsgBox(this,
                         QStringLiteral("The campaign could not be saved as ") +
                             QDir::toNativeSeparators(Choice->Path) + QStringLiteral(":") + CR + Result.Reason + CR +
                             Result.Aftermath,
                         MsgBoxStyle::Exclamation, SaveTitle);
        return false;
    }

    Campaign().SetName(CampaignName(Choice->Title));
    Campaign().SetSaved(true);
    Campaign().SetChanged(false);
    Update(-1);
    return true;
}

void frmCampaign::closeEvent(QCloseEvent* e)
{
    CommitFocusedBox();
    if (AskToSave()) {
        e->accept();
    } else {
        e->ignore();
    }
}

void frmCampaign::hideEvent(QHideEvent* e)
{
    QMainWindow::hideEvent(e);
    // A minimised window is not hidden; only Exit and a close are.
    if (isHidden()) {
        emit Hidden();
    }
}
