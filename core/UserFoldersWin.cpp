#include "UserFoldersPlatform.h"

#include <QDir>

#include <shlobj.h>
#include <windows.h>

namespace {

// Asked of the system itself: Qt's config location on Windows is the local folder, and the
// store has always been in the roaming one.
QString KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    QString folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path) == S_OK)
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    return folder;
}

} // namespace

QString PlatformConfigFolder()
{
    return KnownFolder(FOLDERID_RoamingAppData);
}

QString PlatformDataFolder()
{
    return KnownFolder(FOLDERID_LocalAppData);
}
