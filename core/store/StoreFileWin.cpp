#include "StoreFile.h"

#include <QFileInfo>
#include <QSettings>

#include <windows.h>

namespace {

// Where older Windows programs kept their per-user settings, one key a program.
const QString EarlierArea = QStringLiteral("Software\\VB and VBA Program Settings\\Tavrel");

} // namespace

StoreFormat PlatformStore()
{
    return {QStringLiteral("Tavrel.ini"), Qt::CaseInsensitive, "\r\n"};
}

std::optional<StoreMap> EarlierStore(const QString &storeFile)
{
    if (QFileInfo::exists(storeFile))
        return std::nullopt;
    // Asked first with read access only: Qt would make the key if it were missing.
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(EarlierArea.utf16()), 0,
                      KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    RegCloseKey(handle);
    QSettings earlier(QStringLiteral("HKEY_CURRENT_USER\\") + EarlierArea, QSettings::NativeFormat);
    earlier.setFallbacksEnabled(false);
    StoreMap map(PlatformStore().NameCase);
    for (const QString &path : earlier.allKeys()) {
        const qsizetype slash = path.indexOf(u'/');
        map.Set(slash < 0 ? QString() : path.left(slash), path.mid(slash + 1),
                earlier.value(path).toString());
    }
    return map;
}
