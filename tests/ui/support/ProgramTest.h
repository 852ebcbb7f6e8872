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

// The program under test: the main window and its scenario dialog on one
// document, wired as start-up wires them, with scripted dialogs and a
// folder of the test's own.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        window.setScenarioDialog(dialog);
        window.setCampaign(doc);
        dialog.setCampaign(doc);
        window.refresh(-1);
    }

    // A control of the window or of its scenario dialog.
    template <class T = QWidget>
    T* child(const QString& name) const
    {
        return window.findChild<T*>(name);
    }
    TextBox* box(const QString& name) const { return child<TextBox>(name); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Types over the box's whole text; a closing "\t" leaves the box.
    static void type(TextBox* textBox, const QString& keys)
    {
        textBox->setFocus();
        textBox->selectAll();
        QTest::keyClicks(textBox, keys);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    CampaignWindow window{dialogs};
    ScenarioDialog dialog{dialogs, &window};
    Campaign doc;
};
