#include "tests/ui/support/WindowTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

QByteArray readFile(const QString& strPath)
{
    QFile File(strPath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

bool writeFile(const QString& strPath, const QByteArray& bytes)
{
    QFile File(strPath);
    return File.open(QIODevice::WriteOnly) && File.write(bytes) == bytes.size() && File.flush();
}

void whenModalOpens(const std::function<void(QWidget*)>& Answer)
{
    QTimer::singleShot(0, [Answer] {
        QWidget* pModal = QApplication::activeModalWidget();
        ASSERT_NE(pModal, nullptr) << "no modal window opened";
        Answer(pModal);
        // One left open would hang the test.
        pModal->hide();
    });
}

bool reactivate(QWidget* pWindow)
{
    QWidget StandIn;
    StandIn.show();
    const bool blnStandIn = QTest::qWaitForWindowActive(&StandIn);
    StandIn.hide();
    pWindow->show();
    pWindow->activateWindow();
    return blnStandIn && QTest::qWaitForWindowActive(pWindow);
}
