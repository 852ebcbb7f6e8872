// What any Qt Widgets program pays to show one empty main window: the floor
// that ./measure holds the editor's start-up against.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

// Quits once the first frame is painted, so the time from spawn to exit
// measures start-up. It watches the whole application, as the editor's does,
// and quits from the event loop so the frame still reaches the screen.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(pWatched, pEvent);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    if (qEnvironmentVariableIntValue("IRONVALE_EXIT_AFTER_FIRST_PAINT") == 1) {
        App.installEventFilter(new FirstPaintExit(&App));
    }
    QMainWindow Window;
    Window.show();
    return QApplication::exec();
}
