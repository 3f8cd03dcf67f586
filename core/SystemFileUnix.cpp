#include "SystemFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

bool WriteNewFile(const QString &path, const FileProducer &produce, QString &reason)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    int error = 0;
    const auto write = [fd, &error](QByteArrayView bytes) {
        // A write may take only part, as when the disk fills; the next one then says why.
        while (!bytes.isEmpty()) {
            const ssize_t count = ::write(fd, bytes.data(), size_t(bytes.size()));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                error = errno;
                return false;
            }
            bytes = bytes.sliced(count);
        }
        return true;
    };
    bool written = produce(write);
    if (written && ::fsync(fd) != 0) {
        error = errno;
        written = false;
    }
    // close() can report a failure of a write that the system had delayed.
    if (::close(fd) != 0 && written) {
        error = errno;
        written = false;
    }
    if (!written)
        reason = SystemReason(error);
    return written;
}

bool MoveIntoPlace(const QString &from, const QString &to, const QDeadlineTimer &, QString &reason)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        reason = SystemReason(errno);
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
