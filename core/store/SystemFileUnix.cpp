#include "SystemFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString SystemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

NewFile::NewFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        reason = SystemReason();
    handle = fd;
}

NewFile::~NewFile()
{
    if (IsOpen())
        ::close(int(handle));
}

bool NewFile::Write(QByteArrayView bytes)
{
    // A write may take only part, as when the disk fills; the next one then says why.
    while (!bytes.isEmpty()) {
        const ssize_t count = ::write(int(handle), bytes.data(), size_t(bytes.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            reason = SystemReason();
            return false;
        }
        bytes = bytes.sliced(count);
    }
    return true;
}

bool NewFile::Close()
{
    const int fd = int(handle);
    handle = Closed;
    const bool synced = ::fsync(fd) == 0;
    if (!synced)
        reason = SystemReason();
    // close() can report a failure of a write that the system had delayed.
    if (::close(fd) != 0 && synced) {
        reason = SystemReason();
        return false;
    }
    return synced;
}

bool ReplaceFile(const QString &from, const QString &to, const QDeadlineTimer &,
                 QString &reason)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        reason = SystemReason();
        return false;
    }
    // The rename itself reaches the disk with the folder. The file is in place already, so a
    // folder that cannot be synced (some file systems cannot) fails nothing.
    const int folder = ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
