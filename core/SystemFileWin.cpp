#include "SystemFile.h"

#include <QDir>
#include <QThread>

#include <algorithm>

#include <windows.h>

namespace {

LPCWSTR Wide(const QString &path)
{
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

QString SystemReason(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD size = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    QString reason = size > 0 ? QString::fromWCharArray(text, int(size)).trimmed()
                              : QStringLiteral("Error %1").arg(code);
    LocalFree(text);
    return reason;
}

} // namespace

bool WriteNewFile(const QString &path, const FileProducer &produce, QString &reason)
{
    const HANDLE file = CreateFileW(Wide(QDir::toNativeSeparators(path)), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = SystemReason(GetLastError());
        return false;
    }
    DWORD error = ERROR_SUCCESS;
    const auto write = [file, &error](QByteArrayView bytes) {
        while (!bytes.isEmpty()) {
            const DWORD size = DWORD(std::min<qsizetype>(bytes.size(), 1 << 30));
            DWORD written = 0;
            if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0) {
                error = GetLastError();
                return false;
            }
            bytes = bytes.sliced(written);
        }
        return true;
    };
    bool written = produce(write);
    if (written && !FlushFileBuffers(file)) {
        error = GetLastError();
        written = false;
    }
    CloseHandle(file);
    if (!written)
        reason = SystemReason(error);
    return written;
}

// Another program that holds the target open without sharing its deletion (a virus scanner, the
// search indexer, a sync client) makes the move fail for as long as it does, mostly a moment.
// Nothing else is waited for: a read-only target stays one.
bool MoveIntoPlace(const QString &from, const QString &to, const QDeadlineTimer &patience,
                   QString &reason)
{
    const QString target = QDir::toNativeSeparators(to);
    int pause = 10; // ms, doubled each time up to a fifth of a second
    for (;;) {
        if (MoveFileExW(Wide(QDir::toNativeSeparators(from)), Wide(target),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(Wide(target));
        const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                              (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!held || readOnly || patience.hasExpired()) {
            reason = SystemReason(error);
            return false;
        }
        QThread::msleep(
            ulong(std::min<qint64>(pause, std::max<qint64>(patience.remainingTime(), 1))));
        pause = std::min(pause * 2, 200);
    }
}
