#include "tests/ui/support/WindowTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

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
