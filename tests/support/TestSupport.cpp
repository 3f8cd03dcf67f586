#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
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
