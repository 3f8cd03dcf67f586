#include "OneCopyPerStore.h"

#include "ProcessRunning.h"
#include "SettingsStore.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

using namespace std::chrono_literals;

namespace {

// Time for a copy that has the lock but runs elsewhere, or has left it unreadable, to give it
// up. A start that hands over to a copy on this machine does so at once.
constexpr auto Patience = 2s;

} // namespace

OneCopyPerStore::OneCopyPerStore() = default;

OneCopyPerStore::~OneCopyPerStore() = default;

OneCopyPerStore::Start OneCopyPerStore::Claim()
{
    const QFileInfo store(SettingsStore::FilePath());
    if (!QDir().mkpath(store.absolutePath()))
        return Start::Alone; // the store cannot be saved either, and the close will say so
    // Another spelling of the same folder must find the same lock and the same request file.
    const QString storePath =
        QDir(QFileInfo(store.absolutePath()).canonicalFilePath()).filePath(store.fileName());
    requestPath = storePath + QStringLiteral(".front");
    lock = std::make_unique<QLockFile>(storePath + QStringLiteral(".running"));
    // Held for the whole run, so its age says nothing; a lock whose process has ended is stale
    // at once.
    lock->setStaleLockTime(0);

    const QDeadlineTimer patience(Patience);
    do {
        if (lock->tryLock(0))
            return Start::Alone;
        if (lock->error() != QLockFile::LockFailedError)
            return Start::Alone; // no lock can be kept here, so none is
        if (HolderRunsHere() && AskHolderToFront())
            return Start::HandedOver;
        QThread::msleep(50);
    } while (!patience.hasExpired());

    // The holder cannot be asked. Unless no process holds the file open after all (a crash can
    // leave a lock file that cannot be read), it runs on another machine.
    if (lock->removeStaleLockFile() && lock->tryLock(0))
        return Start::Alone;
    qint64 pid = 0;
    QString host;
    lock->getLockInfo(&pid, &host, nullptr);
    std::fprintf(stderr, "Error: %s\n",
                 qPrintable(QStringLiteral("The list %1 is open in another copy of the program "
                                           "(process %2 on %3), which does not answer.")
                                .arg(storePath)
                                .arg(pid)
                                .arg(host)));
    return Start::Refused;
}

bool OneCopyPerStore::HolderRunsHere() const
{
    qint64 pid = 0;
    QString host;
    return lock->getLockInfo(&pid, &host, nullptr) && host == QSysInfo::machineHostName() &&
           ProcessRunning(pid);
}

bool OneCopyPerStore::AskHolderToFront() const
{
    // A line in the file is the whole request; the holder sees it once its window is up.
    QFile request(requestPath);
    return request.open(QIODevice::Append) && request.write("front\n") == 6;
}

void OneCopyPerStore::ServeFrontRequests(QWidget &mainWindow)
{
    window = &mainWindow;
    mainWindow.installEventFilter(this);
    if (mainWindow.isVisible()) // painted already
        ListenSoon();
}

void OneCopyPerStore::ListenSoon()
{
    if (!listenQueued)
        QTimer::singleShot(0, this, &OneCopyPerStore::Listen);
    listenQueued = true;
}

void OneCopyPerStore::Listen()
{
    if (!window || !lock || !lock->isLocked())
        return;
    QFile request(requestPath);
    if (!request.open(QIODevice::Append))
        return;
    request.close();
    requests = std::make_unique<QFileSystemWatcher>(QStringList{requestPath});
    connect(requests.get(), &QFileSystemWatcher::fileChanged, this, &OneCopyPerStore::BringToFront);
    BringToFront(); // a request made before the window was up
}

void OneCopyPerStore::BringToFront()
{
    // Emptied, the file is ready for the next request; emptying it changes it once more.
    QFile request(requestPath);
    if (!window || request.size() == 0 || !request.open(QIODevice::ReadWrite))
        return;
    request.resize(0);
    request.close();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    // A dialog open over the window keeps the input, so it comes up too.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

bool OneCopyPerStore::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window) {
        // Nothing a later start needs keeps the first paint waiting.
        if (event->type() == QEvent::Paint)
            ListenSoon();
        // The window hides when it has closed and saved. Minimising hides it too, but then the
        // window system says so, as a spontaneous event.
        if (event->type() == QEvent::Hide && !event->spontaneous())
            Release();
    }
    return QObject::eventFilter(watched, event);
}

void OneCopyPerStore::Release()
{
    requests.reset();
    if (lock && lock->isLocked()) {
        QFile::remove(requestPath);
        lock->unlock();
    }
}
