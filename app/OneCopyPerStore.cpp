#include "OneCopyPerStore.h"

#include "SettingsStore.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <cstdio>

using namespace std::chrono_literals;

namespace {

// Time for a copy that has just taken the lock to open its socket. A start that hands over
// answers at once.
constexpr auto Patience = 2s;

// The socket lives in the temporary folder that all users share, so its name comes from a
// hash of the store's path.
QString ServerName(const QString &storePath)
{
    const QByteArray hash =
        QCryptographicHash::hash(storePath.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("tavrel-") + QString::fromLatin1(hash.toHex().left(32));
}

} // namespace

OneCopyPerStore::OneCopyPerStore() = default;

OneCopyPerStore::~OneCopyPerStore() = default;

OneCopyPerStore::Start OneCopyPerStore::Claim()
{
    const QFileInfo store(SettingsStore::FilePath());
    if (!QDir().mkpath(store.absolutePath()))
        return Start::Alone; // the store cannot be saved either, and the close will say so
    // Another spelling of the same folder must find the same lock and the same socket.
    const QString storePath =
        QDir(QFileInfo(store.absolutePath()).canonicalFilePath()).filePath(store.fileName());
    serverName = ServerName(storePath);
    lock = std::make_unique<QLockFile>(storePath + QStringLiteral(".running"));
    // Held for the whole run, so its age says nothing; a lock whose process has ended is stale
    // at once.
    lock->setStaleLockTime(0);

    const QDeadlineTimer patience(Patience);
    do {
        if (lock->tryLock(0)) {
            Listen();
            return Start::Alone;
        }
        if (lock->error() != QLockFile::LockFailedError)
            return Start::Alone; // no lock can be kept here, so none is
        if (AskHolderToFront())
            return Start::HandedOver;
        QThread::msleep(50);
    } while (!patience.hasExpired());

    // The holder runs but does not answer. Unless no process holds the file open after all (a
    // crash can leave a lock file that cannot be read), it runs on another machine or hangs.
    if (lock->removeStaleLockFile() && lock->tryLock(0)) {
        Listen();
        return Start::Alone;
    }
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

bool OneCopyPerStore::AskHolderToFront() const
{
    // A connection is the whole request.
    QLocalSocket socket;
    socket.connectToServer(serverName);
    return socket.waitForConnected(1000);
}

void OneCopyPerStore::Listen()
{
    // A socket left by a copy that crashed would keep the name taken; the lock says it is dead.
    QLocalServer::removeServer(serverName);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &OneCopyPerStore::BringToFront);
    server.listen(serverName);
}

void OneCopyPerStore::ServeFrontRequests(QWidget &mainWindow)
{
    window = &mainWindow;
    mainWindow.installEventFilter(this);
}

void OneCopyPerStore::BringToFront()
{
    while (QLocalSocket *request = server.nextPendingConnection())
        request->deleteLater();
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

bool OneCopyPerStore::eventFilter(QObject *watched, QEvent *event)
{
    // The window hides when it has closed and saved. Minimising hides it too, but then the
    // window system says so, as a spontaneous event.
    if (watched == window && event->type() == QEvent::Hide && !event->spontaneous())
        Release();
    return QObject::eventFilter(watched, event);
}

void OneCopyPerStore::Release()
{
    server.close();
    if (lock)
        lock->unlock();
}
