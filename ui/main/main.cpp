#include "ui/main/Startup.h"
#include "ui/services/QtUserDialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtUserDialogs dialogs;
    return runEditor(dialogs);
}
