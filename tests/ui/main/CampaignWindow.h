#pragma once

#include "data/clsCampaign.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/ListBox.h"
#include "ui/services/TextBox.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

inline void PrintTo(const QString& strS, std::ostream* os)
{
    *os << '"' << strS.toStdString() << '"';
}

// The main window wired as start-up wires it, shown on the offscreen screen.
class CampaignWindowTest : public ::testing::Test {
protected:
    CampaignWindowTest()
    {
        Window.SetScenarioDialog(Dialog);
        Window.SetCampaign(Doc);
        Dialog.SetCampaign(Doc);
        Window.Update(-1);
        Window.show();
        Reactivate();
    }

    // Offscreen does not give the focus back after a modal step by itself.
    void Reactivate() { Window.activateWindow(); EXPECT_TRUE(QTest::qWaitForWindowActive(&Window)); }

    template <class T = QWidget> T* Child(const char* strName) const
    {
        T* pChild = Window.findChild<T*>(QLatin1String(strName));
        EXPECT_TRUE(pChild != nullptr) << strName;
        return pChild;
    }

    bool On(const char* strName) const { return Child(strName)->isEnabled(); }
    ListBox* List() const { return Child<ListBox>("lstScenario"); }

    void Menu(const char* strName) { Child<QAction>(strName)->trigger(); Reactivate(); }
    void Click(const char* strName) { QTest::mouseClick(Child<QPushButton>(strName), Qt::LeftButton); Reactivate(); }

    static void Type(TextBox* pBox, const QString& strS)
    {
        pBox->setFocus();
        pBox->selectAll();
        QTest::keyClicks(pBox, strS);
    }

    // Types into a box of the window and tabs out of it.
    void Leave(const char* strBox, const QString& strS)
    {
        Type(Child<TextBox>(strBox), strS);
        QTest::keyClick(Child(strBox), Qt::Key_Tab);
    }

    TextBox* DialogBox(const QString& strName) const { return Dialog.findChild<TextBox*>(strName); }

    QStringList Lines(const char* strName) const
    {
        QStringList strLines;
        for (int16_t intJ = 0; intJ < Child<ListBox>(strName)->ListCount(); ++intJ) {
            strLines << Child<ListBox>(strName)->List(intJ);
        }
        return strLines;
    }

    // Title, style and prompt of the last message box.
    QString LastBox() const
    {
        const RecordedMsgBox& Box = Dialogs.MsgBoxes.back();
        return Box.Title + '|' + QString::number(Box.Style) + '|' + Box.Prompt;
    }

    // Starts the scenario dialog through Start, lets Edit work in it while it
    // runs modally, then presses OK or Cancel.
    void InDialog(const std::function<void()>& Start, const std::function<void()>& Edit, bool blnOK = true)
    {
        bool blnShown = false;
        QTimer::singleShot(0, &Dialog, [&] {
            blnShown = Dialog.isVisible();
            Edit();
            QTest::mouseClick(Dialog.findChild<QPushButton*>(blnOK ? "cmdOK" : "cmdCancel"), Qt::LeftButton);
            if (Dialog.isVisible()) {
                ADD_FAILURE() << "the scenario dialog did not close";
                Dialog.done(0);
            }
        });
        Start();
        EXPECT_TRUE(blnShown);
        Reactivate();
    }

    // Adds a scenario through the dialog: its name and its go-to values.
    void AddScenario(const QString& strName, const QStringList& strGoTo)
    {
        InDialog([this] { Click("cmdAdd"); }, [&] {
            Type(DialogBox(QStringLiteral("txtScenario")), strName);
            for (int intI = 0; intI < strGoTo.size(); ++intI) {
                Type(DialogBox(QStringLiteral("txtResultScenario%1").arg(intI)), strGoTo[intI]);
            }
        });
    }

    // What the window shows and the document holds, flags and bytes included.
    QStringList State() const
    {
        return {Window.windowTitle(), Child<TextBox>("txtDescription")->Text(), Child<TextBox>("txtPrestige")->Text(),
                Child<QComboBox>("cmbNation")->currentText(), Lines("lstScenario").join('|'),
                Lines("lstError").join('|'), QString::fromStdString(Doc.Name()), QString::number(Doc.Changed()),
                QString::number(Doc.Saved()), QCryptographicHash::hash(FileOf(Doc), QCryptographicHash::Sha1).toHex()};
    }

    QString Path(const QString& strName) const { return Dir.filePath(strName); }

    static QByteArray Bytes(const QString& strPath)
    {
        QFile File(strPath);
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }

    static void WriteBytes(const QString& strPath, const QByteArray& Bytes)
    {
        QFile File(strPath);
        EXPECT_TRUE(File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size());
    }

    static QByteArray FileOf(const clsCampaign& Campaign)
    {
        std::ostringstream Stream;
        Campaign.FileWrite(Stream);
        return QByteArray::fromStdString(Stream.str());
    }

    // Scenarios 0..intCount-1 named s0, s1, ..., each going on to the next,
    // the last to victory, every defeat losing: the check passes.
    static void MakeChain(clsCampaign& Campaign, int16_t intCount)
    {
        for (int16_t intI = 0; intI < intCount; ++intI) {
            clsScenario& Scenario = Campaign.Scenarios(intI);
            Scenario.SetNumber(intI);
            Scenario.SetName("s" + std::to_string(intI));
            for (int16_t intJ = 0; intJ < 3; ++intJ) {
                Scenario.SetResultScenario(intJ, intI + 1 < intCount ? intI + 1 : 254);
            }
            Scenario.SetResultScenario(3, 255);
        }
    }

    QTemporaryDir Dir;
    ScriptedDialogs Dialogs;
    frmCampaign Window{Dialogs};
    frmScenario Dialog{Dialogs, &Window};
    clsCampaign Doc;
};
