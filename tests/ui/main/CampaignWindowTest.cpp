#include "storage/CampaignStorage.h"
#ifndef _WIN32
#include "tests/support/SaveFaults.h"
#endif
#include "tests/ui/support/ProgramTest.h"
#include "ui/about/AboutDialog.h"
#include "ui/main/Startup.h"
#include "ui/services/AppIdentity.h"
#include "ui/services/ListBox.h"
#include "ui/services/QtUserDialogs.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <set>

namespace {

const QString DescriptionWarning =
    "Campaign Editor|48|Invalid Description \rDescriptione is reset to its previous value";

// The main window shown and active on the offscreen screen.
class CampaignWindowTest : public ProgramTest {
protected:
    CampaignWindowTest() { EXPECT_TRUE(reactivate(&window)); }

    ListBox* list() const { return child<ListBox>("scenarioList"); }

    // Chooses a menu command or clicks a button.
    void choose(const char* name)
    {
        auto* item = child<QAction>(name);
        item ? item->trigger() : QTest::mouseClick(child(name), Qt::LeftButton);
        reactivate(&window);
    }

    // Adds a scenario: types Typed into the dialog's number, name and go-to boxes, then presses OK.
    void add(const QStringList& typed)
    {
        whenModalOpens([&](QWidget*) {
            const QStringList boxes{"numberEdit",          "scenarioEdit",        "resultScenarioEdit0",
                                    "resultScenarioEdit1", "resultScenarioEdit2", "resultScenarioEdit3"};
            for (int i = 0; i < typed.size(); ++i) {
                type(box(boxes[i]), typed[i]);
            }
            QTest::mouseClick(child("okButton"), Qt::LeftButton);
        });
        choose("addButton");
    }

    // The title, the header boxes (the nation by its place in the list), both
    // lists, which of Add, Change, Remove, Remove All and Clear are on, the
    // selection, and the flags Changed and Saved.
    std::string shown() const
    {
        QString lines[2];
        for (int k = 0; k < 2; ++k) {
            const ListBox* listBox = child<ListBox>(k == 0 ? "scenarioList" : "errorList");
            for (int16_t j = 0; j < listBox->lineCount(); ++j) {
                lines[k] += listBox->line(j) + '|';
            }
        }
        QString buttons;
        for (const char* name : {"addButton", "changeButton", "removeButton", "removeAllButton", "clearButton"}) {
            buttons += child(name)->isEnabled() ? '1' : '0';
        }
        const QString nation = QString::number(child<QComboBox>("nationBox")->currentIndex());
        return QStringList({window.windowTitle(), box("descriptionEdit")->currentText(),
                            box("prestigeEdit")->currentText(), nation, lines[0], lines[1], buttons,
                            QString::number(list()->selectedLine()), QString::number(doc.changed() * 10 + doc.saved())})
            .join(',')
            .toStdString();
    }

    // And the document's name and bytes, and the files of the test's folder.
    std::string state() const
    {
        return shown() + ',' + doc.name() + ',' + std::to_string(qHash(campaignBytes(doc))) + ',' +
               QDir(dir.path()).entryList().join(' ').toStdString();
    }
};

// The first line of an empty description warns, whether typed or read from
// the document, and brings the previous value back; the header boxes filter
// their keys.
TEST_F(CampaignWindowTest, StartsNewAndHeaderBoxesFilterKeysAndWarnWithThePreviousValueBack)
{
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - New,new,0,0,,,10000,-1,0");
    EXPECT_EQ(QApplication::focusWidget(), child("descriptionEdit"));
    type(box("descriptionEdit"), "a.b -cdefghij");
    EXPECT_EQ(doc.description(), "abcdefgh");
    type(box("descriptionEdit"), "\b");
    type(box("prestigeEdit"), "0001x00\t");
    type(box("prestigeEdit"), "65535");
    type(box("prestigeEdit"), "70000");
    EXPECT_EQ(dialogs.takeMessages(),
              QStringList({DescriptionWarning, "Campaign Editor|48|Invalid Starting Prestige value (70000)\r"
                                               "Value ranges from 0 to 65535\rStarting Prestige is reset to its "
                                               "previous value"}));
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - New,abcdefgh,10,0,,,10000,-1,10");
    // Refilled twice from a document with an empty description: one warning.
    doc.setDescription("");
    window.refresh(-1);
    window.refresh(-1);
    EXPECT_EQ(dialogs.takeMessages(), QStringList{DescriptionWarning});
    EXPECT_TRUE(box("descriptionEdit")->currentText().isEmpty() && doc.description().empty());
    type(box("descriptionEdit"), "x");
    EXPECT_EQ(doc.description(), "x");
    // Left empty, the prestige stores 0.
    type(box("prestigeEdit"), "\b\t");
    EXPECT_EQ(doc.prestige(), 0);
    EXPECT_TRUE(dialogs.takeMessages().isEmpty());
}

// A campaign built in the window passes the check and is saved and opened
// again whole; the file dialog offers the document's name, any character kept.
TEST_F(CampaignWindowTest, ACampaignBuiltInTheWindowIsSavedAndOpenedAgainWhole)
{
    type(box("descriptionEdit"), "intro");
    QTest::keyClick(child("nationBox"), Qt::Key_End);
    add({"", "POLAND", "1", "1", "254", "255"});
    add({"", "FRANCE", "254", "254", "254", "255"});
    choose("checkButton");
    // Save leaves the focus in the box: the prestige still being typed counts.
    type(box("prestigeEdit"), "1500");
    const QString file = path(QStringLiteral("\u03a9mega.cam"));
    dialogs.files = {file, file, std::nullopt};
    choose("fileSaveAction");
    EXPECT_EQ(dialogs.takeMessages(), QStringList{"Integrity Check|64|Integrity Check Passed"});
    choose("fileOpenAction");
    EXPECT_EQ(shown(), "Ironvale Campaign Editor - \u03a9mega,intro,1500,3,#000 POLAND|#001 FRANCE|,,10011,-1,0");
    choose("fileSaveAction");
    EXPECT_EQ(dialogs.fileDialogs.back().request.fileName, QStringLiteral("\u03a9mega.cam"));
}

// Each save fails against a real campaign file, which keeps every byte; no
// temporary stays behind, and the window and the document are as they were.
TEST_F(CampaignWindowTest, SavesUnderFaultsKeepTheOldFileAndLoseNothing)
{
#ifdef _WIN32
    GTEST_SKIP() << "the faults are made with POSIX calls; WindowsFileTest makes Windows' own";
#else
    add({"", "s", "254", "254", "254", "255"});
    type(box("descriptionEdit"), "mine");
    const QByteArray old = campaignBytes(doc).replace("mine.txt", "old.txt");
    prepareFaultFolder(dir.path(), old);
    QDir(dir.path()).mkpath("moving");
    writeFile(path("moving/old.cam"), old);
    // The window only passes a failure on: the rows that still test something
    // here are those whose reason it must show, and one of its own: only the
    // window has a dialog open while the disk may change.
    std::vector<SaveFault> faults = saveFaults();
    faults.erase(std::remove_if(faults.begin(), faults.end(), [](auto& row) { return !row.reason; }), faults.end());
    const std::string moved = "folder removed while the dialog was open";
    faults.push_back({moved.c_str(), "moving/old.cam", "moving/old.cam", [] {}, nullptr});
    for (const SaveFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const std::string before = state();
        dialogs.files = {path(fault.target)};
        dialogs.whileFileDialogOpen = [&](const RecordedFileDialog&) {
            if (fault.name == moved) {
                QDir(dir.path()).rename("moving", "moved");
            }
        };
        const QString message = "Save Campaign|48|The campaign could not be saved as " + path(fault.target) + ":\r";
        EXPECT_TRUE(inChild(fault.setup, [&] {
            child<QAction>("fileSaveAction")->trigger();
            QDir(dir.path()).rename("moved", "moving");
            const QStringList shown = dialogs.takeMessages();
            return shown.size() == 1 && shown[0].startsWith(message) &&
                   (fault.reason == nullptr || shown[0].contains(fault.reason)) && state() == before &&
                   shown[0].endsWith(fault.name == moved ? "\rNo file was created." : "\rThe file was not changed.");
        }));
        EXPECT_EQ(readFile(path(fault.oldFile)), old);
        for (const char* folder : {".", "locked", "folder.cam", "moving"}) {
            EXPECT_EQ(QDir(path(folder)).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                      std::string(folder[0] == 'f' ? "" : "old.cam"));
        }
    }
#endif
}

// A Ctrl+click or Ctrl+Space leaves no line selected and turns Change and
// Remove off; a double click opens a line as Change does, below the lines
// nothing; what is wrong stays listed until Clear, and a Save refused by the
// check lists it again. (The monkey checks the document the commands leave.)
TEST_F(CampaignWindowTest, TheListsCommandsWorkOnTheSelectedLineOnly)
{
    const std::string newText = "Ironvale Campaign Editor - New,new,0,0,";
    add({"", "a"});
    add({"", "b"});
    const auto lineOf = [this](int row) { return list()->visualItemRect(list()->item(row)).center(); };
    const auto selected = [this] { return child("changeButton")->isEnabled() && child("removeButton")->isEnabled(); };
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, lineOf(0));
    EXPECT_TRUE(selected());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier, lineOf(0));
    EXPECT_TRUE(list()->selectedLine() == -1 && !selected());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, lineOf(1));
    QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(list()->selectedLine() == -1 && !selected());
    const QPoint below(2, list()->viewport()->height() - 2);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, below);
    EXPECT_TRUE(dialog.isHidden());
    QString opened;
    whenModalOpens([&](QWidget*) {
        opened = dialog.windowTitle();
        QTest::mouseClick(child("cancelButton"), Qt::LeftButton);
    });
    // The first click of a double click is a click of its own, as on a desktop.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, lineOf(0));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, lineOf(0));
    reactivate(&window);
    EXPECT_EQ(opened, "Scenario Data - a");
    // Remove takes the selected scenario out of the campaign and selects the line above.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, lineOf(1));
    choose("removeButton");
    EXPECT_EQ(list()->lineCount() * 10 + list()->selectedLine(), 10);
    choose("removeAllButton");
    const std::string wrong =
        newText + ",Victory Scenario (254) not referenced|Defeat Scenario (255) not referenced|,10001,-1,10";
    choose("checkButton");
    EXPECT_EQ(shown(), wrong);
    choose("clearButton");
    EXPECT_EQ(shown(), newText + ",,10000,-1,10");
    choose("fileSaveAction");
    EXPECT_EQ(shown(), wrong);
    EXPECT_EQ(dialogs.takeMessages(), QStringList({"Integrity Check|48|Integrity Check Failed",
                                                   "Save Campaign|48|Integrity Check Failed. Save Operation Aborted"}));
}

// Help > About shows the program's own identity; Enter and Esc both close it.
TEST_F(CampaignWindowTest, AboutShowsTheProgramsOwnIdentityAndClosesWithEnterOrEsc)
{
    const AppIdentity identity = ironvaleIdentity();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QStringList shown;
        whenModalOpens([&](QWidget* box) {
            shown << box->windowTitle();
            for (const char* name : {"titleLabel", "descriptionLabel"}) {
                shown << box->findChild<QLabel*>(name)->text();
            }
            QTest::keyClick(box, key);
            // OK is the cancel button too: both keys end the box accepted.
            shown << QString::number(qobject_cast<QDialog*>(box)->result());
        });
        choose("helpAboutAction");
        EXPECT_EQ(shown, QStringList({"About " + identity.title, identity.title, identity.comments,
                                      QString::number(QDialog::Accepted)}));
    }
}

// Main shows a new campaign and returns once Exit hides the window. Its
// windows have the layout font, and the message boxes and file dialogs they
// open still the desktop's.
TEST(MainTest, RunsUntilExitAndBoxesAndFileDialogsKeepTheDesktopFont)
{
    const QString desktop = QApplication::font().toString();
    QtUserDialogs dialogs;
    QStringList fonts;
    const auto recordModal = [&fonts] {
        whenModalOpens([&fonts](QWidget* modal) {
            fonts << modal->font().toString();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->button(QMessageBox::Ok)->click();
            } else {
                qobject_cast<QFileDialog*>(modal)->reject();
            }
        });
    };
    QTimer::singleShot(0, [&fonts, recordModal] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<CampaignWindow*>(top)) {
                fonts << window->windowTitle() << window->findChild<TextBox*>("descriptionEdit")->font().toString();
                recordModal();
                window->findChild<QPushButton*>("checkButton")->click();
                recordModal();
                window->findChild<QAction*>("fileOpenAction")->trigger();
                window->findChild<QAction*>("fileExitAction")->trigger();
            }
        }
    });
    EXPECT_EQ(runEditor(dialogs), 0);
    ASSERT_EQ(fonts.size(), 4);
    EXPECT_EQ(fonts[0], "Ironvale Campaign Editor - New");
    EXPECT_NE(fonts[1], desktop);
    EXPECT_EQ(fonts.mid(2), QStringList({desktop, desktop}));
}

// What a screen reader speaks for a control. A drop-down's own name is its
// current entry, so its label comes through the labelled-by relation.
QString spoken(QWidget* control)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(control);
    if (qobject_cast<QComboBox*>(control) == nullptr) {
        return interface->text(QAccessible::Name);
    }
    const auto labels = interface->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.constFirst().first->text(QAccessible::Name);
}

// The program's own controls of the window, not Qt's parts (the menu bar's
// overflow button) nor those of a window inside it.
QList<QWidget*> controls(QWidget* window)
{
    QList<QWidget*> found;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control) ||
                               qobject_cast<QListWidget*>(control) || qobject_cast<QComboBox*>(control);
        if (isControl && control->window() == window && !control->objectName().startsWith(QLatin1String("qt_"))) {
            found << control;
        }
    }
    return found;
}

// The controls Tab visits from pFirst until the focus comes back to it.
QStringList tabWalk(QWidget* first)
{
    first->setFocus();
    QStringList visited{first->objectName()};
    while (visited.size() <= 100) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first) {
            break;
        }
        visited << QApplication::focusWidget()->objectName();
    }
    visited.sort();
    return visited;
}

class AccessibilityTest : public ProgramTest {
protected:
    AboutDialog about{ironvaleIdentity(), &window};
};

// In each window every control has a spoken name of its own, a labelled box
// is spoken as its label reads, and Tab visits every control that is on
// once and comes back to the first.
TEST_F(AccessibilityTest, EveryControlHasANameOfItsOwnAndTabVisitsEachOnce)
{
    for (QWidget* topLevel : std::initializer_list<QWidget*>{&window, &dialog, &about}) {
        SCOPED_TRACE(topLevel->metaObject()->className());
        EXPECT_FALSE(topLevel->windowIcon().isNull()) << "no icon for the task bar";
        std::set<QString> names;
        QStringList enabled;
        for (QWidget* control : controls(topLevel)) {
            const QString name = spoken(control);
            EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
            EXPECT_TRUE(names.insert(name).second) << name.toStdString() << " spoken twice";
            if (control->isEnabled()) {
                enabled << control->objectName();
            }
        }
        for (const QLabel* label : topLevel->findChildren<QLabel*>()) {
            if (label->buddy() != nullptr) {
                EXPECT_EQ(spoken(label->buddy()), QString(label->text()).remove('&'));
            }
        }
        ASSERT_TRUE(reactivate(topLevel));
        enabled.sort();
        EXPECT_FALSE(enabled.isEmpty());
        EXPECT_EQ(tabWalk(QApplication::focusWidget()), enabled);
        topLevel->hide();
    }
}

} // namespace
