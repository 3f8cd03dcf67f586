#include "Registry.h"

#include <QByteArray>

#include <windows.h>

namespace {

HKEY RootKey(RegRoot root)
{
    // The system's own constants: on 64-bit builds their handles are sign-extended.
    switch (root) {
    case RegRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    return nullptr;
}

// Text crosses the registry in the ANSI code page, which is what the local 8-bit encoding is
// on Windows.
QByteArray Ansi(const QString &text)
{
    return text.toLocal8Bit();
}

} // namespace

QString RegReadString(RegRoot root, const QString &keyPath, const QString &valueName,
                      const QString &defaultText)
{
    HKEY key = nullptr;
    if (RegOpenKeyA(RootKey(root), Ansi(keyPath).constData(), &key) != ERROR_SUCCESS || !key)
        return defaultText;

    QString result = defaultText;
    const QByteArray name = Ansi(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.constData(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        QByteArray data(qsizetype(size), ' ');
        DWORD copied = size;
        // The value may have changed since it was measured: only a second successful query
        // of a string says what the buffer holds, and only up to the size it reports.
        if (RegQueryValueExA(key, name.constData(), nullptr, &type,
                             reinterpret_cast<LPBYTE>(data.data()), &copied) == ERROR_SUCCESS &&
            type == REG_SZ && copied <= size) {
            data.truncate(qsizetype(copied));
            const qsizetype nul = data.indexOf('\0');
            result = QString::fromLocal8Bit(nul < 0 ? data : data.left(nul));
        }
    }
    RegCloseKey(key);
    return result;
}

bool RegWriteString(RegRoot root, const QString &keyPath, const QString &valueName,
                    const QString &value)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(RootKey(root), Ansi(keyPath).constData(), &key) != ERROR_SUCCESS || !key)
        return false;

    // The stored bytes end in one NUL, and the size given counts it.
    const QByteArray data = Ansi(value);
    const bool stored = RegSetValueExA(key, Ansi(valueName).constData(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE *>(data.constData()),
                                       DWORD(data.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}
