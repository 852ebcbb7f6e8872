#include "tests/ui/support/WindowTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

void whenModalOpens(const std::function<void(QWidget*)>& answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal window opened";
        answer(modal);
        // One left open would hang the test.
        modal->hide();
    });
}

bool reactivate(QWidget* window)
{
    QWidget standIn;
    standIn.show();
    const bool standInActive = QTest::qWaitForWindowActive(&standIn);
    standIn.hide();
    window->show();
    window->activateWindow();
    return standInActive && QTest::qWaitForWindowActive(window);
}
