#include "tests/ui/support/ProgramTest.h"
#include "ui/about/AboutDialog.h"
#include "ui/services/AppIdentity.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <set>

namespace {

// What a screen reader speaks for a control. A drop-down's own name is its
// current entry, so its label comes through the labelled-by relation.
QString spoken(QWidget* pControl)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pControl);
    if (qobject_cast<QComboBox*>(pControl) == nullptr) {
        return pInterface->text(QAccessible::Name);
    }
    const auto Labels = pInterface->relations(QAccessible::Label);
    return Labels.isEmpty() ? QString() : Labels.constFirst().first->text(QAccessible::Name);
}

// The program's own controls of the window, not Qt's parts (the menu bar's
// overflow button) nor those of a window inside it.
QList<QWidget*> controls(QWidget* pWindow)
{
    QList<QWidget*> Found;
    for (QWidget* pControl : pWindow->findChildren<QWidget*>()) {
        const bool blnControl = qobject_cast<QLineEdit*>(pControl) || qobject_cast<QAbstractButton*>(pControl) ||
                                qobject_cast<QListWidget*>(pControl) || qobject_cast<QComboBox*>(pControl);
        if (blnControl && pControl->window() == pWindow && !pControl->objectName().startsWith(QLatin1String("qt_"))) {
            Found << pControl;
        }
    }
    return Found;
}

// The controls Tab visits from pFirst until the focus comes back to it.
QStringList tabWalk(QWidget* pFirst)
{
    pFirst->setFocus();
    QStringList strVisited{pFirst->objectName()};
    while (strVisited.size() <= 100) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == pFirst) {
            break;
        }
        strVisited << QApplication::focusWidget()->objectName();
    }
    strVisited.sort();
    return strVisited;
}

class AccessibilityTest : public ProgramTest {
protected:
    AboutDialog About{ironvaleIdentity(), &Window};
};

// In each window every control has a spoken name of its own, a labelled box
// is spoken as its label reads, and Tab visits every control that is on
// once and comes back to the first.
TEST_F(AccessibilityTest, EveryControlHasANameOfItsOwnAndTabVisitsEachOnce)
{
    for (QWidget* pWindow : {static_cast<QWidget*>(&Window), static_cast<QWidget*>(&Dialog),
                             static_cast<QWidget*>(&About)}) {
        SCOPED_TRACE(pWindow->metaObject()->className());
        std::set<QString> strNames;
        QStringList strEnabled;
        for (QWidget* pControl : controls(pWindow)) {
            const QString strName = spoken(pControl);
            EXPECT_FALSE(strName.isEmpty()) << pControl->objectName().toStdString();
            EXPECT_TRUE(strNames.insert(strName).second) << strName.toStdString() << " spoken twice";
            if (pControl->isEnabled()) {
                strEnabled << pControl->objectName();
            }
        }
        for (const QLabel* pLabel : pWindow->findChildren<QLabel*>()) {
            if (pLabel->buddy() != nullptr) {
                EXPECT_EQ(spoken(pLabel->buddy()), QString(pLabel->text()).remove('&'));
            }
        }
        ASSERT_TRUE(reactivate(pWindow));
        strEnabled.sort();
        EXPECT_FALSE(strEnabled.isEmpty());
        EXPECT_EQ(tabWalk(QApplication::focusWidget()), strEnabled);
        pWindow->hide();
    }
}

} // namespace
