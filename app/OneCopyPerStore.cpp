#include "OneCopyPerStore.h"

#include "FrontRequests.h"
#include "SettingsStore.h"
#include "frmMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <chrono>
#include <cstdio>

using namespace std::chrono_literals;

namespace {

// Time for a copy that has just taken the lock to open its channel. A start that hands over
// answers at once.
constexpr auto Patience = 2s;

} // namespace

OneCopyPerStore::OneCopyPerStore() = default;

OneCopyPerStore::~OneCopyPerStore() = default;

OneCopyPerStore::Start OneCopyPerStore::Claim()
{
    const QFileInfo store(SettingsStore::FilePath());
    if (!QDir().mkpath(store.absolutePath()))
        return Start::Alone; // the store cannot be saved either, and the close will say so
    // Another spelling of the same folder must find the same lock and the same channel.
    const QString storePath =
        QDir(QFileInfo(store.absolutePath()).canonicalFilePath()).filePath(store.fileName());
    requests = std::make_unique<FrontRequests>(storePath);
    lock = std::make_unique<QLockFile>(storePath + QStringLiteral(".running"));
    // Held for the whole run, so its age says nothing; a lock whose process has ended is stale
    // at once.
    lock->setStaleLockTime(0);

    const QDeadlineTimer patience(Patience);
    while (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return Start::Alone; // no lock can be kept here, so none is
        if (requests->Ask())
            return Start::HandedOver;
        if (patience.hasExpired()) {
            // The holder runs but does not answer. Unless no process holds the file open after
            // all (a crash can leave a lock file that cannot be read), it runs on another
            // machine or hangs.
            if (lock->removeStaleLockFile() && lock->tryLock(0))
                break;
            qint64 pid = 0;
            QString host;
            lock->getLockInfo(&pid, &host, nullptr);
            std::fprintf(stderr, "Error: %s\n",
                         qPrintable(QStringLiteral("The list %1 is open in another copy of the "
                                                   "program (process %2 on %3), which does not "
                                                   "answer.")
                                        .arg(storePath, QString::number(pid), host)));
            return Start::Refused;
        }
        QThread::msleep(50);
    }
    if (requests->Listen())
        connect(requests.get(), &FrontRequests::Received, this, &OneCopyPerStore::BringToFront);
    return Start::Alone;
}

void OneCopyPerStore::Serve(frmMain &mainWindow)
{
    window = &mainWindow;
    connect(&mainWindow, &frmMain::Unloaded, this, &OneCopyPerStore::Release);
}

void OneCopyPerStore::BringToFront()
{
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    // A dialog open over the window keeps the input, so it comes up too.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void OneCopyPerStore::Release()
{
    requests.reset();
    if (lock)
        lock->unlock();
}
