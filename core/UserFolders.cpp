#include "UserFolders.h"
#include "TestSeams.h"

#include "UserFoldersPlatform.h"

#include <QSettings>

namespace {

const QString Application = QStringLiteral("Tavrel");

QString &TestRoot()
{
    static QString root;
    return root;
}

} // namespace

QString StoreFolder()
{
    if (!TestRoot().isEmpty())
        return TestRoot() + QStringLiteral("/config/") + Application;
    return PlatformConfigFolder() + u'/' + Application;
}

QString UserDataFolder()
{
    if (!TestRoot().isEmpty())
        return TestRoot() + QStringLiteral("/data/") + Application;
    return PlatformDataFolder() + u'/' + Application;
}

void UseUserFoldersForTests(const QString &root)
{
    TestRoot() = root;
    // The store as QSettings keeps it on Windows, its user-scope INI file, follows too.
    if (!root.isEmpty())
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           root + QStringLiteral("/config"));
}
