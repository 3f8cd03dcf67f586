#pragma once

#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>
#include <QtGlobal>

// The system's own file calls, each failure with the system's reason.

// A file made afresh for writing, unbuffered: every write reaches the system or fails.
class NewFile
{
public:
    // Fails where anything is at path already.
    explicit NewFile(const QString &path);
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    bool IsOpen() const { return handle != Closed; }
    bool Write(QByteArrayView bytes);
    // Flushes the file to the disk and closes it; answers whether both went.
    bool Close();
    const QString &Reason() const { return reason; }

private:
    static constexpr qintptr Closed = -1;
    qintptr handle = Closed;
    QString reason;
};

// Puts the file at from in the place of the one at to in one step, written through to the disk:
// on Linux a rename, the folder synced after; on Windows a move that replaces, tried again
// while another program holds the target, until patience runs out. A read-only target fails at
// once. Answers whether it could; if not, reason says why.
bool ReplaceFile(const QString &from, const QString &to, const QDeadlineTimer &patience,
                 QString &reason);
