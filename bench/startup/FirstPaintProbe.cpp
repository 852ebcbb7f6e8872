// Preloaded into the program being timed (LD_PRELOAD), so that neither the
// editor nor the floor carries any hook of its own: once the application
// object exists it is watched, and the program quits as soon as its first
// frame has been painted. The time from spawn to exit is then the time to
// first paint.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Quit from the event loop, so the frame still reaches the screen.
            QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

void watchApplication()
{
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintExit(app));
}

// Runs when the preloaded library is loaded: asks Qt to call back as soon as
// the program has made its application object.
const bool Registered = [] {
    qAddPreRoutine(watchApplication);
    return true;
}();

} // namespace
