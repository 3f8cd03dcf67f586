#include "TestSupport.h"

#include <QApplication>
#include <QWidget>

#include <csignal>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
        return;
    rlimit small = previous;
    small.rlim_cur = rlim_t(bytes);
    // Past the limit the system sends a signal that would end the test; the write failing is
    // what the tests want to see.
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    active = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (active)
        setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
}

QStringList CloseLeftOpenWindows()
{
    QStringList leftOpen;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            leftOpen << window->objectName();
            window->close();
        }
    }
    return leftOpen;
}
