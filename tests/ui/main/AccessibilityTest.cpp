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
    for (QWidget* topLevel :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&about)}) {
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
