#pragma once

#include <QStringList>
#include <QtGlobal>

#include <sys/resource.h>

// A limit on the size of the files this process writes, for as long as it lives: a write that
// runs past it fails as on a full disk. Tests run as root, whom no permission stops.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

    bool Active() const { return active; }

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
    bool active = false;
};

// The whole file, or nothing when it cannot be read.
QByteArray ReadFileBytes(const QString &path);
// Makes the file, and its folder, hold exactly bytes; answers whether it could.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);

// Closes the top-level windows a test left open and names them, so that the next test
// starts alone.
QStringList CloseLeftOpenWindows();
