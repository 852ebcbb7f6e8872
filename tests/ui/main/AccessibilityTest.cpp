#include "tests/ui/support/ScriptedDialogs.h"
#include "ui/about/frmAbout.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/AppIdentity.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <map>

namespace {

// What a screen reader speaks for a control. A drop-down's own name is its
// current entry, so its label comes through the labelled-by relation.
QString Spoken(QWidget* pControl)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pControl);
    if (qobject_cast<QComboBox*>(pControl) == nullptr) {
        return pInterface->text(QAccessible::Name);
    }
    const auto Labels = pInterface->relations(QAccessible::Label);
    return Labels.isEmpty() ? QString() : Labels.constFirst().first->text(QAccessible::Name);
}

TEST(AccessibilityTest, EveryBoxListDropDownAndButtonHasASpokenName)
{
    ScriptedDialogs Dialogs;
    frmCampaign Window(Dialogs);
    frmScenario Dialog(Dialogs, &Window);
    frmAbout About(IronvaleIdentity());
    std::map<QString, QString> Names;
    for (QWidget* pWindow : {static_cast<QWidget*>(&Window), static_cast<QWidget*>(&Dialog),
                             static_cast<QWidget*>(&About)}) {
        for (QWidget* pControl : pWindow->findChildren<QWidget*>()) {
            const bool blnControl = qobject_cast<QLineEdit*>(pControl) || qobject_cast<QAbstractButton*>(pControl) ||
                                    qobject_cast<QListWidget*>(pControl) || qobject_cast<QComboBox*>(pControl);
            // Qt's own parts (the menu bar's overflow button) are not the program's controls.
            if (!blnControl || pControl->window() != pWindow ||
                pControl->objectName().startsWith(QLatin1String("qt_"))) {
                continue;
            }
            const QString strKey = pWindow->metaObject()->className() + QLatin1Char('.') + pControl->objectName();
            Names[strKey] = Spoken(pControl);
            EXPECT_FALSE(Names[strKey].isEmpty()) << strKey.toStdString();
        }
    }
    const std::map<QString, QString> Expected{
        {"frmCampaign.txtDescription", "Description"},
        {"frmCampaign.cmbNation", "Nation"},
        {"frmCampaign.txtPrestige", "Starting Prestige"},
        {"frmCampaign.lstScenario", "Scenario List"},
        {"frmCampaign.lstError", "Check List"},
        {"frmCampaign.cmdRemoveAll", "Remove All"},
        {"frmScenario.txtScenario", "Scenario file name"},
        {"frmScenario.txtPrestige", "Enemy prestige ?"},
        {"frmScenario.txtResultScenario0", "Brilliant victory Go to"},
        {"frmScenario.txtResultMovie3", "Defeat Movie file name"},
        {"frmScenario.cmdPaste", "Paste"},
        {"frmAbout.cmdOK", "OK"},
    };
    for (const auto& [strKey, strName] : Expected) {
        EXPECT_EQ(Names[strKey], strName) << strKey.toStdString();
    }
    // Nine scenario boxes, twenty outcome cells, three header fields, two lists,
    // six main buttons, four dialog buttons and the About box's OK.
    EXPECT_EQ(Names.size(), 45U);
}

// The keyboard order, as Tab walks it from the first control, disabled
// controls included.
QStringList TabOrder(QWidget* pFirst, int intCount)
{
    QStringList strNames;
    for (QWidget* pControl = pFirst; strNames.size() < intCount; pControl = pControl->nextInFocusChain()) {
        if ((pControl->focusPolicy() & Qt::TabFocus) != 0 && !pControl->objectName().isEmpty() &&
            !pControl->objectName().startsWith(QLatin1String("qt_"))) {
            strNames << pControl->objectName();
        }
    }
    return strNames;
}

TEST(AccessibilityTest, TabWalksTheControlsInTheirOrder)
{
    ScriptedDialogs Dialogs;
    frmCampaign Window(Dialogs);
    frmScenario Dialog(Dialogs);
    EXPECT_EQ(TabOrder(Window.findChild<QWidget*>("txtDescription"), 12).join(' '),
              "txtDescription cmbNation txtPrestige cmdAdd cmdRemove cmdChange lstScenario lstError cmdCheck "
              "cmdClear cmdRemoveAll txtDescription");
    QString strRows;
    for (int intI = 0; intI < 4; ++intI) {
        strRows += QStringLiteral("txtResultScenario%1 txtResultPrestige%1 txtResultText%1 txtResultVoice%1 "
                                  "txtResultMovie%1 ")
                       .arg(intI);
    }
    EXPECT_EQ(TabOrder(Dialog.findChild<QWidget*>("txtScenario"), 34).join(' '),
              "txtScenario txtAnimation txtVoice txtText txtPrestige txtSecondUnknown " + strRows +
                  "cmdOK cmdCancel cmdPaste cmdCopy txtNumber txtFirstUnknown txtThirdUnknown txtScenario");
}

} // namespace
