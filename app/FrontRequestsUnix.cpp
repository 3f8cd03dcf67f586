#include "FrontRequests.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO beside the store. Unlike a local socket it needs no network library, and unlike a
// watched file it costs no wait at close: the kernel ends a file watch only after a grace
// period of several milliseconds.
struct FrontRequests::Channel
{
    int readFd = -1;
    int ownWriteFd = -1; // keeps the FIFO from reading as ended between requests
    std::unique_ptr<QSocketNotifier> notifier;

    ~Channel()
    {
        notifier.reset();
        for (const int fd : {readFd, ownWriteFd}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
};

FrontRequests::FrontRequests(const QString &storePath, QObject *parent)
    : QObject(parent), address(storePath + QStringLiteral(".front"))
{
}

FrontRequests::~FrontRequests()
{
    if (channel) {
        channel.reset();
        QFile::remove(address);
    }
}

bool FrontRequests::Listen()
{
    const QByteArray name = QFile::encodeName(address);
    // A FIFO left by a copy that crashed is taken over; anything else in its place goes.
    struct stat info = {};
    if (::lstat(name.constData(), &info) == 0 && !S_ISFIFO(info.st_mode))
        ::unlink(name.constData());
    if (::mkfifo(name.constData(), 0600) != 0 && errno != EEXIST)
        return false;
    auto opened = std::make_unique<Channel>();
    opened->readFd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    opened->ownWriteFd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (opened->readFd < 0 || opened->ownWriteFd < 0)
        return false;
    const int readFd = opened->readFd;
    opened->notifier = std::make_unique<QSocketNotifier>(readFd, QSocketNotifier::Read);
    connect(opened->notifier.get(), &QSocketNotifier::activated, this, [this, readFd] {
        char bytes[64];
        while (::read(readFd, bytes, sizeof bytes) > 0) {
        }
        emit Received();
    });
    channel = std::move(opened);
    return true;
}

bool FrontRequests::Ask() const
{
    // Opened for writing without waiting, a FIFO opens only while a copy has it open to read.
    const int fd =
        ::open(QFile::encodeName(address).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info = {};
    const char byte = 0;
    const bool asked =
        ::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode) && ::write(fd, &byte, 1) == 1;
    ::close(fd);
    return asked;
}
