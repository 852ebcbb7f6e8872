#pragma once

// What every window test needs around the windows: files, modal windows and
// the activation the offscreen platform does not give back by itself.

#include "tests/support/Files.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Runs Answer on the modal window the next call opens, once it is open; the
// call must not return before Answer closes the window.
inline void whenModalOpens(const std::function<void(QWidget*)>& answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal window opened";
        answer(modal);
        // One left open would hang the test.
        modal->hide();
    });
}

// Offscreen gives the focus back neither after a modal step nor to a window
// shown again, unless another window had it in between: a stand-in takes the
// activation, then Window is shown and active again. True when it is.
inline bool reactivate(QWidget* window)
{
    QWidget standIn;
    standIn.show();
    const bool standInActive = QTest::qWaitForWindowActive(&standIn);
    standIn.hide();
    window->show();
    window->activateWindow();
    return standInActive && QTest::qWaitForWindowActive(window);
}
