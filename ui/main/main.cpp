#include "ui/main/Startup.h"
#include "ui/services/QtUserDialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    QtUserDialogs Dialogs;
    return runEditor(Dialogs);
}
