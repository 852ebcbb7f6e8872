#pragma once

#include "data/Campaign.h"
#include "tests/support/CampaignBuilder.h"
#include "tests/ui/support/ScriptedDialogs.h"
#include "tests/ui/support/WindowTestSupport.h"
#include "ui/main/CampaignWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/TextBox.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

inline QByteArray fileOf(const Campaign& campaign)
{
    return QByteArray::fromStdString(fileBytes(campaign));
}

// The program under test: the main window and its scenario dialog on one
// document, wired as start-up wires them, with scripted dialogs and a
// folder of the test's own.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        Window.setScenarioDialog(Dialog);
        Window.setCampaign(Doc);
        Dialog.setCampaign(Doc);
        Window.refresh(-1);
    }

    // A control of the window or of its scenario dialog.
    template <class T = QWidget> T* child(const QString& strName) const { return Window.findChild<T*>(strName); }
    TextBox* box(const QString& strName) const { return child<TextBox>(strName); }
    QString path(const QString& strName) const { return Dir.filePath(strName); }

    // Types over the box's whole text; a closing "\t" leaves the box.
    static void type(TextBox* pBox, const QString& strKeys)
    {
        pBox->setFocus();
        pBox->selectAll();
        QTest::keyClicks(pBox, strKeys);
    }

    QTemporaryDir Dir;
    ScriptedDialogs Dialogs;
    CampaignWindow Window{Dialogs};
    ScenarioDialog Dialog{Dialogs, &Window};
    Campaign Doc;
};
