#include "tests/ui/main/CampaignWindow.h"
#include "ui/main/basMain.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>

namespace {

TEST_F(CampaignWindowTest, StartsEmptyWithItsLayoutTabOrderAndMenus)
{
    EXPECT_EQ(State().mid(0, 7), QStringList({"Ironvale Campaign Editor - New", "new", "0", "Germany", "", "", "New"}));
    EXPECT_EQ(QApplication::focusWidget(), Child("txtDescription"));
    EXPECT_EQ(Window.centralWidget()->size(), QSize(625, 340));
    EXPECT_EQ(Window.minimumSize(), Window.maximumSize());
    EXPECT_FALSE(Window.windowIcon().isNull());
    const std::tuple<const char*, QRect, const char*, bool, const char*> Controls[] = {
        {"txtDescription", {152, 16, 73, 19}, "Type in campaign description text file", true, "Description"},
        {"cmbNation", {328, 16, 105, 21}, "Select player's nation", true, "Nation"},
        {"txtPrestige", {152, 48, 41, 19}, "Type in starting prestige points", true, "Starting Prestige"},
        {"fraScenario", {16, 88, 273, 233}, "", true, ""},
        {"cmdAdd", {16, 24, 65, 25}, "Add a new scenario", true, "Add"},
        {"cmdChange", {16, 64, 65, 25}, "Change the selected scenario", false, "Change"},
        {"cmdRemove", {16, 104, 65, 25}, "Remove the selected scenario", false, "Remove"},
        {"cmdRemoveAll", {16, 144, 65, 25}, "Remove all scenarios", false, "Remove All"},
        {"lstScenario", {96, 16, 161, 186}, "Scenarios List", true, "Scenario List"},
        {"fraCheck", {304, 88, 305, 233}, "", true, ""},
        {"cmdCheck", {16, 24, 65, 25}, "Run integrity check", true, "Check"},
        {"cmdClear", {16, 64, 65, 25}, "Clear error list", false, "Clear"},
        {"lstError", {88, 16, 209, 186}, "Errors List", true, "Check List"}};
    for (const auto& [strName, Rect, strTip, blnOn, strSpoken] : Controls) {
        const QWidget* pControl = Child(strName);
        EXPECT_EQ(QStringList({pControl->toolTip(), pControl->accessibleName()}), QStringList({strTip, strSpoken}));
        EXPECT_EQ(pControl->geometry(), Rect) << strName;
        EXPECT_EQ(pControl->isEnabled(), blnOn) << strName;
    }
    EXPECT_EQ(std::pair(Child<TextBox>("txtDescription")->MaxLength(), Child<TextBox>("txtPrestige")->MaxLength()),
              std::pair(8, 5));

    const QStringList strOrder{"txtDescription", "cmbNation", "txtPrestige", "cmdAdd", "cmdRemove", "cmdChange",
                               "lstScenario", "lstError", "cmdCheck", "cmdClear", "cmdRemoveAll"};
    QStringList strChain;
    for (QWidget* pW = Child("txtDescription"); strChain.size() < strOrder.size(); pW = pW->nextInFocusChain()) {
        if (strOrder.contains(pW->objectName())) {
            strChain << pW->objectName();
        }
    }
    EXPECT_EQ(strChain, strOrder);

    QStringList strMenus;
    for (QAction* pTop : Window.menuBar()->actions()) {
        strMenus << pTop->menu()->objectName() + '=' + pTop->text();
        for (QAction* pItem : pTop->menu()->actions()) {
            strMenus << pItem->objectName() + '=' + (pItem->isSeparator() ? "-" : pItem->text());
            EXPECT_TRUE(pItem->shortcut().isEmpty());
        }
    }
    EXPECT_EQ(strMenus.join(' '),
              "mnuFile=&File mnuFileNew=&New mnuFileOpen=&Open mnuFileSave=&Save mnuFileSeparator=- mnuFileExit=E&xit "
              "mnuHelp=&? mnuHelpFileInfo=&Campaign File Info mnuHelpSeparator=- mnuHelpAbout=&About");
    const QStringList strBefore = State();
    Menu("mnuHelpFileInfo");
    EXPECT_EQ(State(), strBefore);
    EXPECT_TRUE(Dialogs.MsgBoxes.empty() && Dialogs.FileDialogs.empty());
}

TEST_F(CampaignWindowTest, AboutShowsAFreshBoxEachTime)
{
    for (int intRun = 0; intRun < 2; ++intRun) {
        QString strVersion;
        QTimer::singleShot(0, &Window, [&] {
            QWidget* pBox = QApplication::activeModalWidget();
            strVersion = pBox->findChild<QLabel*>("lblVersion")->text();
            QTest::keyClick(pBox, Qt::Key_Escape);
        });
        Menu("mnuHelpAbout");
        EXPECT_EQ(strVersion, QStringLiteral("Version 0.2.0 (Last Update: 04 Jan 1999)"));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Main hands one document to both windows and returns once Exit hides the window.
TEST(MainTest, RunsUntilExitAndAsksAboutAnAddedScenario)
{
    ScriptedDialogs Dialogs;
    Dialogs.Answers = {MsgBoxAnswer::No};
    QString strTitle;
    QTimer::singleShot(0, [&] {
        frmCampaign* pWindow = nullptr;
        for (QWidget* pTop : QApplication::topLevelWidgets()) {
            pWindow = pWindow != nullptr ? pWindow : qobject_cast<frmCampaign*>(pTop);
        }
        strTitle = pWindow->windowTitle();
        auto* pDialog = pWindow->findChild<frmScenario*>();
        QTimer::singleShot(0, [pDialog] { pDialog->findChild<QPushButton*>("cmdOK")->click(); });
        pWindow->findChild<QPushButton*>("cmdAdd")->click();
        EXPECT_EQ(pWindow->Campaign().Scenarios(0).Name(), "new");
        pWindow->findChild<QAction*>("mnuFileExit")->trigger();
    });
    EXPECT_EQ(Main(Dialogs), 0);
    EXPECT_EQ(strTitle, QStringLiteral("Ironvale Campaign Editor - New"));
    ASSERT_EQ(Dialogs.MsgBoxes.size(), 1U);
    EXPECT_EQ(Dialogs.MsgBoxes[0].Title, QStringLiteral(" Open Campaign"));
}

} // namespace
