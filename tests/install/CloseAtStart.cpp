// Loaded into the installed program with LD_PRELOAD, so that a script can see what closing the
// window leaves behind without a display or a person: once the program's event loop runs, every
// window it shows is closed, as a click on its close button would. The program knows nothing of
// it.
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace {
void CloseEveryWindowShown()
{
    // Again and again, so that a message box that the close brings up is closed too and the
    // script sees its failure instead of waiting on it.
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                window->close();
        }
    });
    timer->start(100);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(CloseEveryWindowShown)
