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
std::string campaignName(const QString& strTitle)
{
    return (strTitle.size() < 5 ? strTitle : strTitle.left(strTitle.size() - 4)).toStdString();
}

QLabel* makeLabel(QWidget* parent, const QString& strCaption, const QRect& Rect)
{
    auto* pLabel = new QLabel(strCaption, parent);
    pLabel->setGeometry(Rect);
    return pLabel;
}

QPushButton* makeButton(QWidget* parent, const QString& strName, const QString& strCaption, const QRect& Rect,
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

ListBox* makeList(QWidget* parent, const QString& strName, const QRect& Rect, const QString& strTip,
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
    setObjectName(QStringLiteral("campaignWindow"));
    setWindowTitle(FormTitle);
    setWindowIcon(programIcon());
    useLayoutFont(this);
    createControls();
    createMenus();
    // Nothing moves or resizes: the window is the menu bar over the client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    descriptionEdit->setFocus();
}

void CampaignWindow::createControls()
{
    auto* pClient = new QWidget(this);
    pClient->setFixedSize(625, 340);
    setCentralWidget(pClient);

    auto* descriptionLabel = makeLabel(pClient, QStringLiteral("Description"), QRect(16, 16, 121, 17));
    descriptionEdit = new TextBox(pClient);
    descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    descriptionEdit->setGeometry(152, 16, 73, 19);
    descriptionEdit->setTypingLimit(8);
    descriptionEdit->setToolTip(QStringLiteral("Type in campaign description text file"));
    descriptionEdit->setAccessibleName(descriptionLabel->text());
    descriptionLabel->setBuddy(descriptionEdit);

    auto* nationLabel = makeLabel(pClient, QStringLiteral("Nation"), QRect(256, 16, 49, 17));
    nationBox = new QComboBox(pClient);
    nationBox->setObjectName(QStringLiteral("nationBox"));
    nationBox->setGeometry(328, 16, 105, 21);
    nationBox->addItems({QStringLiteral("Germany"), QStringLiteral("U.K"), QStringLiteral("U.R.S.S"),
                         QStringLiteral("U.S.A")});
    nationBox->setToolTip(QStringLiteral("Select player's nation"));
    nationBox->setAccessibleName(nationLabel->text());
    nationLabel->setBuddy(nationBox);

    auto* prestigeLabel = makeLabel(pClient, QStringLiteral("Starting Prestige"), QRect(16, 48, 97, 17));
    prestigeEdit = new TextBox(pClient);
    prestigeEdit->setObjectName(QStringLiteral("prestigeEdit"));
    prestigeEdit->setGeometry(152, 48, 41, 19);
    prestigeEdit->setTypingLimit(5);
    prestigeEdit->setToolTip(QStringLiteral("Type in starting prestige points"));
    prestigeEdit->setAccessibleName(prestigeLabel->text());
    prestigeLabel->setBuddy(prestigeEdit);

    scenarioGroup = new QGroupBox(QStringLiteral("Scenario List"), pClient);
    scenarioGroup->setObjectName(QStringLiteral("scenarioGroup"));
    scenarioGroup->setGeometry(16, 88, 273, 233);
    addButton = makeButton(scenarioGroup, QStringLiteral("addButton"), QStringLiteral("Add"), QRect(16, 24, 65, 25),
                        QStringLiteral("Add a new scenario"));
    changeButton = makeButton(scenarioGroup, QStringLiteral("changeButton"), QStringLiteral("Change"), QRect(16, 64, 65, 25),
                           QStringLiteral("Change the selected scenario"));
    removeButton = makeButton(scenarioGroup, QStringLiteral("removeButton"), QStringLiteral("Remove"), QRect(16, 104, 65, 25),
                           QStringLiteral("Remove the selected scenario"));
    removeAllButton = makeButton(scenarioGroup, QStringLiteral("removeAllButton"), QStringLiteral("Remove All"),
                              QRect(16, 144, 65, 25), QStringLiteral("Remove all scenarios"));
    scenarioList = makeList(scenarioGroup, QStringLiteral("scenarioList"), QRect(96, 16, 161, 186),
                           QStringLiteral("Scenarios List"), scenarioGroup->title());
    changeButton->setEnabled(false);
    removeButton->setEnabled(false);

    checkGroup = new QGroupBox(QStringLiteral("Check List"), pClient);
    checkGroup->setObjectName(QStringLiteral("checkGroup"));
    checkGroup->setGeometry(304, 88, 305, 233);
    checkButton = makeButton(checkGroup, QStringLiteral("checkButton"), QStringLiteral("Check"), QRect(16, 24, 65, 25),
                          QStringLiteral("Run integrity check"));
    clearButton = makeButton(checkGroup, QStringLiteral("clearButton"), QStringLiteral("Clear"), QRect(16, 64, 65, 25),
                          QStringLiteral("Clear error list"));
    errorList = makeList(checkGroup, QStringLiteral("errorList"), QRect(88, 16, 209, 186), QStringLiteral("Errors List"),
                        checkGroup->title());
    clearButton->setEnabled(false);

    QWidget* Order[] = {descriptionEdit, nationBox, prestigeEdit, addButton, removeButton, changeButton,
                        scenarioList, errorList, checkButton, clearButton, removeAllButton};
    for (std::size_t intI = 1; intI < std::size(Order); ++intI) {
        setTabOrder(Order[intI - 1], Order[intI]);
    }

    connect(descriptionEdit, &TextBox::keyTyped, this, &CampaignWindow::filterDescriptionKey);
    connect(descriptionEdit, &TextBox::changed, this, &CampaignWindow::descriptionEdited);
    connect(nationBox, &QComboBox::activated, this, &CampaignWindow::nationChosen);
    connect(prestigeEdit, &TextBox::keyTyped, this, &CampaignWindow::filterPrestigeKey);
    connect(prestigeEdit, &TextBox::changed, this, &CampaignWindow::prestigeEdited);
    connect(prestigeEdit, &TextBox::focusLeft, this, &CampaignWindow::commitPrestige);
    connect(addButton, &QPushButton::clicked, this, &CampaignWindow::addScenario);
    connect(changeButton, &QPushButton::clicked, this, &CampaignWindow::changeScenario);
    connect(scenarioList, &ListBox::lineDoubleClicked, this, &CampaignWindow::changeScenario);
    connect(scenarioList, &ListBox::lineChosen, this, &CampaignWindow::scenarioSelected);
    connect(scenarioList, &ListBox::lineDeselected, this, &CampaignWindow::scenarioDeselected);
    connect(removeButton, &QPushButton::clicked, this, &CampaignWindow::removeScenario);
    connect(removeAllButton, &QPushButton::clicked, this, &CampaignWindow::removeAllScenarios);
    connect(checkButton, &QPushButton::clicked, this, &CampaignWindow::checkCampaign);
    connect(clearButton, &QPushButton::clicked, this, &CampaignWindow::clearErrors);
}

QAction* CampaignWindow::addMenuItem(QMenu* pMenu, const QString& strCaption, const QString& strName)
{
    QAction* pAction = pMenu->addAction(strCaption);
    pAction->setObjectName(strName);
    return pAction;
}

void CampaignWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    connect(addMenuItem(fileMenu, QStringLiteral("&New"), QStringLiteral("fileNewAction")), &QAction::triggered, this,
            &CampaignWindow::newFile);
    connect(addMenuItem(fileMenu, QStringLiteral("&Open"), QStringLiteral("fileOpenAction")), &QAction::triggered, this,
            &CampaignWindow::openFile);
    connect(addMenuItem(fileMenu, QStringLiteral("&Save"), QStringLiteral("fileSaveAction")), &QAction::triggered, this,
            &CampaignWindow::saveFile);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("fileSeparatorAction"));
    connect(addMenuItem(fileMenu, QStringLiteral("E&xit"), QStringLiteral("fileExitAction")), &QAction::triggered, this,
            &CampaignWindow::exitEditor);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&?"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    // An entry without a command: choosing it does nothing.
    addMenuItem(helpMenu, QStringLiteral("&Campaign File Info"), QStringLiteral("helpFileInfoAction"));
    helpMenu->addSeparator()->setObjectName(QStringLiteral("helpSeparatorAction"));
    connect(addMenuItem(helpMenu, QStringLiteral("&About"), QStringLiteral("helpAboutAction")), &QAction::triggered, this,
            &CampaignWindow::showAbout);
}

void CampaignWindow::refresh(int16_t intJ)
{
    Campaign& Doc = campaign();
    setWindowTitle(FormTitle + QStringLiteral(" - ") + QString::fromStdString(Doc.name()));
    descriptionEdit->assignText(fromBytes(Doc.description()));
    prestigeEdit->assignText(QString::number(Doc.prestige()));
    nationBox->setCurrentIndex(Doc.nation());

    scenarioList->removeAllLines();
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        const Scenario& scenario = Doc.scenarios(intI);
        if (scenario.number() > -1) {
            scenarioList->addLine(QStringLiteral("#%1 ").arg(intI, 3, 10, QChar(u'0')) + fromBytes(scenario.name()),
                                 intI);
        }
    }
    const bool blnSelected = intJ > -1;
    scenarioList->selectLine(blnSelected ? intJ : int16_t{-1});
    changeButton->setEnabled(blnSelected);
    removeButton->setEnabled(blnSelected);
    removeAllButton->setEnabled(Doc.scenarioCount() > 0);
    addButton->setEnabled(Doc.scenarioCount() <= 49);
}

void CampaignWindow::markEdited()
{
    campaign().setChanged(true);
    campaign().setSaved(false);
}

void CampaignWindow::filterDescriptionKey(qint16& intK)
{
    nameFilter(intK);
}

void CampaignWindow::descriptionEdited()
{
    const QString strText = descriptionEdit->currentText();
    if (strText.isEmpty()) {
        m_Dialogs.msgBox(this,
                         QStringLiteral("Invalid Description ") + CR +
                             QStringLiteral("Descriptione is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        descriptionEdit->assignText(fromBytes(campaign().description()));
        return;
    }
    // Filling the box from the document assigns the value it already has.
    const std::string strValue = toBytes(strText);
    if (strValue != campaign().description()) {
        campaign().setDescription(strValue);
        markEdited();
    }
}

void CampaignWindow::nationChosen(int intIndex)
{
    if (intIndex != campaign().nation()) {
        campaign().setNation(intIndex);
        markEdited();
    }
}

void CampaignWindow::filterPrestigeKey(qint16& intK)
{
    digitFilter(intK);
}

void CampaignWindow::prestigeEdited()
{
    const QString strText = prestigeEdit->currentText();
    if (strText.isEmpty()) {
        prestigeEdit->setTextSelected(QStringLiteral("0"));
        return;
    }
    if (strText.toInt() > 65535) {
        m_Dialogs.msgBox(this,
                         QStringLiteral("Invalid Starting Prestige value (") + strText + QStringLiteral(")") + CR +
                             QStringLiteral("Value ranges from 0 to 65535") + CR +
                             QStringLiteral("Starting Prestige is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        prestigeEdit->assignText(QString::number(campaign().prestige()));
    }
}

void CampaignWindow::commitPrestige()
{
    const int32_t lngValue = prestigeEdit->currentText().toInt();
    if (lngValue != campaign().prestige()) {
        campaign().setPrestige(lngValue);
        markEdited();
    }
}

void CampaignWindow::scenarioSelected()
{
    changeButton->setEnabled(true);
    removeButton->setEnabled(true);
}

// Change and Remove have nothing to work on without a selected line.
void CampaignWindow::scenarioDeselected()
{
    changeButton->setEnabled(false);
    removeButton->setEnabled(false);
}

void CampaignWindow::addScenario()
{
    Scenario& scenarioValue = m_pScenarioDialog->scenario();
    scenarioValue.clear();
    scenarioValue.setNumber(campaign().nextFreeScenario());
    scenarioValue.setName("new");
    m_pScenarioDialog->refresh();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->changed()) {
        markEdited();
        campaign().scenarios(static_cast<int16_t>(scenarioValue.number())).copy(scenarioValue);
    }
    refresh(-1);
}

void CampaignWindow::changeScenario()
{
    const int16_t intJ = scenarioList->selectedLine();
    if (intJ < 0) {
        return;
    }
    const auto intS = static_cast<int16_t>(scenarioList->lineData(intJ));
    Scenario& scenarioValue = m_pScenarioDialog->scenario();
    scenarioValue.copy(campaign().scenarios(intS));
    m_pScenarioDialog->refresh();
    m_pScenarioDialog->exec();
    if (m_pScenarioDialog->changed()) {
        markEdited();
        Scenario& Stored = campaign().scenarios(intS);
        Stored.copy(scenarioValue);
        if (Stored.number() != intS) {
            campaign().scenarios(static_cast<int16_t>(Stored.number())).copy(Stored);
            Stored.clear();
        }
    }
    refresh(intJ);
}

void CampaignWindow::removeScenario()
{
    const int16_t intJ = scenarioList->selectedLine();
    if (intJ < 0) {
        return;
    }
    campaign().scenarios(static_cast<int16_t>(scenarioList->lineData(intJ))).clear();
    markEdited();
    refresh(static_cast<int16_t>(intJ - 1));
}

void CampaignWindow::removeAllScenarios()
{
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        campaign().scenarios(intI).clear();
    }
    markEdited();
    refresh(-1);
}

void CampaignWindow::fillErrorList()
{
    for (int16_t intI = 1; intI <= campaign().errorCount(); ++intI) {
        errorList->addLine(fromBytes(campaign().errors(static_cast<int16_t>(intI - 1))));
    }
}

void CampaignWindow::checkCampaign()
{
    errorList->removeAllLines();
    if (campaign().check() > 0) {
        fillErrorList();
        m_Dialogs.msgBox(this, QStringLiteral("Integrity Check Failed"), MsgBoxStyle::Exclamation, CheckTitle);
    } else {
        m_Dialogs.msgBox(this, QStringLiteral("Integrity Check Passed"), MsgBoxStyle::Information, CheckTitle);
    }
    clearButton->setEnabled(true);
}

void CampaignWindow::clearErrors()
{
    errorList->removeAllLines();
    clearButton->setEnabled(false);
}

void CampaignWindow::commitFocusedBox()
{
    if (focusWidget() == prestigeEdit) {
        commitPrestige();
    }
}

void CampaignWindow::newFile()
{
    commitFocusedBox();
    if (askToSave()) {
        startNewCampaign();
    }
}

void CampaignWindow::openFile()
{
    commitFocusedBox();
    if (askToSave()) {
        openCampaign();
    }
}

void CampaignWindow::saveFile()
{
    commitFocusedBox();
    saveCampaign();
}

void CampaignWindow::exitEditor()
{
    commitFocusedBox();
    if (askToSave()) {
        hide();
    }
}

void CampaignWindow::showAbout()
{
    AboutDialog About(ironvaleIdentity(), this);
    About.exec();
}

bool CampaignWindow::askToSave()
{
    if (!campaign().changed() || campaign().saved()) {
        return true;
    }
    const int16_t intAnswer = m_Dialogs.msgBox(this, QStringLiteral("Do you want to save the current campaign?"),
                                               MsgBoxStyle::YesNoQuestion, QStringLiteral(" Open Campaign"));
    return intAnswer != MsgBoxAnswer::Yes || saveCampaign();
}

void CampaignWindow::startNewCampaign()
{
    campaign().clear();
    campaign().setSaved(false);
    campaign().setChanged(false);
    errorList->removeAllLines();
    refresh(-1);
}

void CampaignWindow::openCampaign()
{
    FileRequest Request;
    Request.Title = OpenTitle;
    const std::optional<FileChoice> choice = m_Dialogs.showOpen(this, Request);
    if (!choice) {
        return;
    }

    // Large enough to keep off the stack.
    const auto Fresh = std::make_unique<Campaign>();
    QString strReason;
    {
        const WaitCursor Busy;
        strReason = readCampaignFile(QFile::encodeName(choice->Path).toStdString(), *Fresh);
    }
    if (!strReason.isEmpty()) {
        m_Dialogs.msgBox(this,
                         QStringLiteral("The campaign ") + QDir::toNativeSeparators(choice->Path) +
                             QStringLiteral(" could not be opened:") + CR + strReason + CR +
                             QStringLiteral("The current campaign is unchanged."),
                         MsgBoxStyle::Exclamation, OpenTitle);
        return;
    }

    // The scenario dialog holds the same document, so it is refilled in place.
    Campaign& Doc = campaign();
    Doc.setDescription(Fresh->description());
    Doc.setNation(Fresh->nation());
    Doc.setPrestige(Fresh->prestige());
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        Doc.scenarios(intI).copy(Fresh->scenarios(intI));
    }
    Doc.setName(campaignName(choice->Title));
    Doc.setSaved(false);
    Doc.setChanged(false);
    errorList->removeAllLines();
    refresh(-1);
}

bool CampaignWindow::saveCampaign()
{
    errorList->removeAllLines();
    if (campaign().check() > 0) {
        fillErrorList();
        m_Dialogs.msgBox(this, QStringLiteral("Integrity Check Failed. Save Operation Aborted"),
                         MsgBoxStyle::Exclamation, SaveTitle);
        clearButton->setEnabled(true);
        return false;
    }

    FileRequest Request;
    Request.Title = QStringLiteral("Save As Campaign");
    Request.FileName = QString::fromStdString(campaign().name()) + QStringLiteral(".cam");
    const std::optional<FileChoice> choice = m_Dialogs.showSave(this, Request);
    if (!choice) {
        return false;
    }

    SaveResult Result;
    {
        const WaitCursor Busy;
        Result = saveCampaignFile(QFile::encodeName(choice->Path).toStdString(), campaign());
    }
    if (!Result.saved()) {
        m_Dialogs.msgBox(this,
                         QStringLiteral("The campaign could not be saved as ") +
                             QDir::toNativeSeparators(choice->Path) + QStringLiteral(":") + CR + Result.Reason + CR +
                             Result.Aftermath,
                         MsgBoxStyle::Exclamation, SaveTitle);
        return false;
    }

    campaign().setName(campaignName(choice->Title));
    campaign().setSaved(true);
    campaign().setChanged(false);
    refresh(-1);
    return true;
}

void CampaignWindow::closeEvent(QCloseEvent* e)
{
    commitFocusedBox();
    if (askToSave()) {
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
        emit hidden();
    }
}
