// What any Qt Widgets program pays to show one empty main window: the floor
// that ./measure holds the editor's start-up against.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    return QApplication::exec();
}
