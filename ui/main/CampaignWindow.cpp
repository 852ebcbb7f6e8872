#include "ui/main/CampaignWindow.h"

#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "storage/FileSystem.h"
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
std::string campaignName(const QString& title)
{
    return (title.size() < 5 ? title : title.left(title.size() - 4)).toStdString();
}

QLabel* makeLabel(QWidget* parent, const QString& caption, const QRect& rect)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(rect);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& rect,
                        const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setToolTip(tip);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

ListBox* makeList(QWidget* parent, const QString& name, const QRect& rect, const QString& tip,
                  const QString& accessible)
{
    auto* list = new ListBox(parent);
    list->setObjectName(name);
    list->setGeometry(rect);
    list->setToolTip(tip);
    list->setAccessibleName(accessible);
    return list;
}

} // namespace

CampaignWindow::CampaignWindow(UserDialogs& dialogs, QWidget* parent) : QMainWindow(parent), m_dialogs(dialogs)
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
    auto* client = new QWidget(this);
    client->setFixedSize(625, 340);
    setCentralWidget(client);

    auto* descriptionLabel = makeLabel(client, QStringLiteral("Description"), QRect(16, 16, 121, 17));
    descriptionEdit = new TextBox(client);
    descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    descriptionEdit->setGeometry(152, 16, 73, 19);
    descriptionEdit->setTypingLimit(8);
    descriptionEdit->setToolTip(QStringLiteral("Type in campaign description text file"));
    descriptionEdit->setAccessibleName(descriptionLabel->text());
    descriptionLabel->setBuddy(descriptionEdit);

    auto* nationLabel = makeLabel(client, QStringLiteral("Nation"), QRect(256, 16, 49, 17));
    nationBox = new QComboBox(client);
    nationBox->setObjectName(QStringLiteral("nationBox"));
    nationBox->setGeometry(328, 16, 105, 21);
    nationBox->addItems(
        {QStringLiteral("Germany"), QStringLiteral("U.K"), QStringLiteral("U.R.S.S"), QStringLiteral("U.S.A")});
    nationBox->setToolTip(QStringLiteral("Select player's nation"));
    nationBox->setAccessibleName(nationLabel->text());
    nationLabel->setBuddy(nationBox);

    auto* prestigeLabel = makeLabel(client, QStringLiteral("Starting Prestige"), QRect(16, 48, 97, 17));
    prestigeEdit = new TextBox(client);
    prestigeEdit->setObjectName(QStringLiteral("prestigeEdit"));
    prestigeEdit->setGeometry(152, 48, 41, 19);
    prestigeEdit->setTypingLimit(5);
    prestigeEdit->setToolTip(QStringLiteral("Type in starting prestige points"));
    prestigeEdit->setAccessibleName(prestigeLabel->text());
    prestigeLabel->setBuddy(prestigeEdit);

    scenarioGroup = new QGroupBox(QStringLiteral("Scenario List"), client);
    scenarioGroup->setObjectName(QStringLiteral("scenarioGroup"));
    scenarioGroup->setGeometry(16, 88, 273, 233);
    addButton = makeButton(scenarioGroup, QStringLiteral("addButton"), QStringLiteral("Add"), QRect(16, 24, 65, 25),
                           QStringLiteral("Add a new scenario"));
    changeButton = makeButton(scenarioGroup, QStringLiteral("changeButton"), QStringLiteral("Change"),
                              QRect(16, 64, 65, 25), QStringLiteral("Change the selected scenario"));
    removeButton = makeButton(scenarioGroup, QStringLiteral("removeButton"), QStringLiteral("Remove"),
                              QRect(16, 104, 65, 25), QStringLiteral("Remove the selected scenario"));
    removeAllButton = makeButton(scenarioGroup, QStringLiteral("removeAllButton"), QStringLiteral("Remove All"),
                                 QRect(16, 144, 65, 25), QStringLiteral("Remove all scenarios"));
    scenarioList = makeList(scenarioGroup, QStringLiteral("scenarioList"), QRect(96, 16, 161, 186),
                            QStringLiteral("Scenarios List"), scenarioGroup->title());
    changeButton->setEnabled(false);
    removeButton->setEnabled(false);

    checkGroup = new QGroupBox(QStringLiteral("Check List"), client);
    checkGroup->setObjectName(QStringLiteral("checkGroup"));
    checkGroup->setGeometry(304, 88, 305, 233);
    checkButton = makeButton(checkGroup, QStringLiteral("checkButton"), QStringLiteral("Check"), QRect(16, 24, 65, 25),
                             QStringLiteral("Run integrity check"));
    clearButton = makeButton(checkGroup, QStringLiteral("clearButton"), QStringLiteral("Clear"), QRect(16, 64, 65, 25),
                             QStringLiteral("Clear error list"));
    errorList = makeList(checkGroup, QStringLiteral("errorList"), QRect(88, 16, 209, 186),
                         QStringLiteral("Errors List"), checkGroup->title());
    clearButton->setEnabled(false);

    QWidget* order[] = {descriptionEdit, nationBox, prestigeEdit, addButton,   removeButton,   changeButton,
                        scenarioList,    errorList, checkButton,  clearButton, removeAllButton};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
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

QAction* CampaignWindow::addMenuItem(QMenu* menu, const QString& caption, const QString& name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
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
    connect(addMenuItem(helpMenu, QStringLiteral("&About"), QStringLiteral("helpAboutAction")), &QAction::triggered,
            this, &CampaignWindow::showAbout);
}

void CampaignWindow::refresh(int16_t j)
{
    Campaign& doc = campaign();
    setWindowTitle(FormTitle + QStringLiteral(" - ") + QString::fromStdString(doc.name()));
    descriptionEdit->assignText(fromBytes(doc.description()));
    prestigeEdit->assignText(QString::number(doc.prestige()));
    nationBox->setCurrentIndex(doc.nation());

    scenarioList->removeAllLines();
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        const Scenario& scenario = doc.scenarios(i);
        if (scenario.number() > -1) {
            scenarioList->addLine(QStringLiteral("#%1 ").arg(i, 3, 10, QChar(u'0')) + fromBytes(scenario.name()), i);
        }
    }
    const bool selected = j > -1;
    scenarioList->selectLine(selected ? j : int16_t{-1});
    changeButton->setEnabled(selected);
    removeButton->setEnabled(selected);
    removeAllButton->setEnabled(doc.scenarioCount() > 0);
    addButton->setEnabled(doc.scenarioCount() <= 49);
}

void CampaignWindow::markEdited()
{
    campaign().setChanged(true);
    campaign().setSaved(false);
}

void CampaignWindow::filterDescriptionKey(qint16& k)
{
    nameFilter(k);
}

void CampaignWindow::descriptionEdited()
{
    const QString text = descriptionEdit->currentText();
    if (text.isEmpty()) {
        m_dialogs.msgBox(this,
                         QStringLiteral("Invalid Description ") + CR +
                             QStringLiteral("Descriptione is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        descriptionEdit->assignText(fromBytes(campaign().description()));
        return;
    }
    // Filling the box from the document assigns the value it already has.
    const std::string value = toBytes(text);
    if (value != campaign().description()) {
        campaign().setDescription(value);
        markEdited();
    }
}

void CampaignWindow::nationChosen(int index)
{
    if (index != campaign().nation()) {
        campaign().setNation(index);
        markEdited();
    }
}

void CampaignWindow::filterPrestigeKey(qint16& k)
{
    digitFilter(k);
}

void CampaignWindow::prestigeEdited()
{
    const QString text = prestigeEdit->currentText();
    if (text.isEmpty()) {
        prestigeEdit->setTextSelected(QStringLiteral("0"));
        return;
    }
    if (text.toInt() > 65535) {
        m_dialogs.msgBox(this,
                         QStringLiteral("Invalid Starting Prestige value (") + text + QStringLiteral(")") + CR +
                             QStringLiteral("Value ranges from 0 to 65535") + CR +
                             QStringLiteral("Starting Prestige is reset to its previous value"),
                         MsgBoxStyle::Exclamation, HeaderTitle);
        prestigeEdit->assignText(QString::number(campaign().prestige()));
    }
}

void CampaignWindow::commitPrestige()
{
    const int32_t value = prestigeEdit->currentText().toInt();
    if (value != campaign().prestige()) {
        campaign().setPrestige(value);
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
    Scenario& draft = m_scenarioDialog->scenario();
    draft.clear();
    draft.setNumber(campaign().nextFreeScenario());
    draft.setName("new");
    m_scenarioDialog->refresh();
    m_scenarioDialog->exec();
    if (m_scenarioDialog->changed()) {
        markEdited();
        campaign().scenarios(static_cast<int16_t>(draft.number())).copy(draft);
    }
    refresh(-1);
}

void CampaignWindow::changeScenario()
{
    const int16_t j = scenarioList->selectedLine();
    if (j < 0) {
        return;
    }
    const auto s = static_cast<int16_t>(scenarioList->lineData(j));
    Scenario& draft = m_scenarioDialog->scenario();
    draft.copy(campaign().scenarios(s));
    m_scenarioDialog->refresh();
    m_scenarioDialog->exec();
    if (m_scenarioDialog->changed()) {
        markEdited();
        Scenario& stored = campaign().scenarios(s);
        stored.copy(draft);
        if (stored.number() != s) {
            campaign().scenarios(static_cast<int16_t>(stored.number())).copy(stored);
            stored.clear();
        }
    }
    refresh(j);
}

void CampaignWindow::removeScenario()
{
    const int16_t j = scenarioList->selectedLine();
    if (j < 0) {
        return;
    }
    campaign().scenarios(static_cast<int16_t>(scenarioList->lineData(j))).clear();
    markEdited();
    refresh(static_cast<int16_t>(j - 1));
}

void CampaignWindow::removeAllScenarios()
{
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        campaign().scenarios(i).clear();
    }
    markEdited();
    refresh(-1);
}

void CampaignWindow::fillErrorList()
{
    for (int16_t i = 1; i <= campaign().errorCount(); ++i) {
        errorList->addLine(fromBytes(campaign().errors(static_cast<int16_t>(i - 1))));
    }
}

void CampaignWindow::checkCampaign()
{
    errorList->removeAllLines();
    if (campaign().check() > 0) {
        fillErrorList();
        m_dialogs.msgBox(this, QStringLiteral("Integrity Check Failed"), MsgBoxStyle::Exclamation, CheckTitle);
    } else {
        m_dialogs.msgBox(this, QStringLiteral("Integrity Check Passed"), MsgBoxStyle::Information, CheckTitle);
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
    AboutDialog about(ironvaleIdentity(), this);
    about.exec();
}

bool CampaignWindow::askToSave()
{
    if (!campaign().changed() || campaign().saved()) {
        return true;
    }
    const int16_t answer = m_dialogs.msgBox(this, QStringLiteral("Do you want to save the current campaign?"),
                                            MsgBoxStyle::YesNoQuestion, QStringLiteral(" Open Campaign"));
    return answer != MsgBoxAnswer::Yes || saveCampaign();
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
    FileRequest request;
    request.title = OpenTitle;
    const std::optional<FileChoice> choice = m_dialogs.showOpen(this, request);
    if (!choice) {
        return;
    }

    // Large enough to keep off the stack.
    const auto fresh = std::make_unique<Campaign>();
    QString reason;
    {
        const WaitCursor busy;
        reason = readCampaignFile(pathFromText(choice->path), *fresh);
    }
    if (!reason.isEmpty()) {
        m_dialogs.msgBox(this,
                         QStringLiteral("The campaign ") + QDir::toNativeSeparators(choice->path) +
                             QStringLiteral(" could not be opened:") + CR + reason + CR +
                             QStringLiteral("The current campaign is unchanged."),
                         MsgBoxStyle::Exclamation, OpenTitle);
        return;
    }

    // The scenario dialog holds the same document, so it is refilled in place.
    Campaign& doc = campaign();
    doc.setDescription(fresh->description());
    doc.setNation(fresh->nation());
    doc.setPrestige(fresh->prestige());
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        doc.scenarios(i).copy(fresh->scenarios(i));
    }
    doc.setName(campaignName(choice->title));
    doc.setSaved(false);
    doc.setChanged(false);
    errorList->removeAllLines();
    refresh(-1);
}

bool CampaignWindow::saveCampaign()
{
    errorList->removeAllLines();
    if (campaign().check() > 0) {
        fillErrorList();
        m_dialogs.msgBox(this, QStringLiteral("Integrity Check Failed. Save Operation Aborted"),
                         MsgBoxStyle::Exclamation, SaveTitle);
        clearButton->setEnabled(true);
        return false;
    }

    FileRequest request;
    request.title = QStringLiteral("Save As Campaign");
    request.fileName = QString::fromStdString(campaign().name()) + QStringLiteral(".cam");
    const std::optional<FileChoice> choice = m_dialogs.showSave(this, request);
    if (!choice) {
        return false;
    }

    SaveResult result;
    {
        const WaitCursor busy;
        result = saveCampaignFile(pathFromText(choice->path), campaign());
    }
    if (!result.saved()) {
        m_dialogs.msgBox(this,
                         QStringLiteral("The campaign could not be saved as ") +
                             QDir::toNativeSeparators(choice->path) + QStringLiteral(":") + CR + result.reason + CR +
                             result.aftermath,
                         MsgBoxStyle::Exclamation, SaveTitle);
        return false;
    }

    campaign().setName(campaignName(choice->title));
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
