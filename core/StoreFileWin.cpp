#include "StoreFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <windows.h>

namespace {

// Where older Windows programs kept their per-user settings, one key a program.
const QString EarlierArea = QStringLiteral("Software\\VB and VBA Program Settings\\");

} // namespace

QSettings::Format StoreFileFormat()
{
    return QSettings::IniFormat;
}

bool ReplaceStoreFile(const QString &from, const QString &to)
{
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::unique_ptr<QSettings> OpenEarlierStore(const QString &application, const QString &storeFile)
{
    if (QFileInfo::exists(storeFile))
        return nullptr;
    // Asked first with read access only: Qt would make the key if it were missing.
    const QString key = EarlierArea + application;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(key.utf16()), 0, KEY_READ,
                      &handle) != ERROR_SUCCESS)
        return nullptr;
    RegCloseKey(handle);
    auto settings = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + key,
                                                QSettings::NativeFormat);
    settings->setFallbacksEnabled(false);
    return settings;
}
