#include "UserFolders.h"
#include "ModuleMain.h"
#include "TestSeams.h"

#include "UserFoldersPlatform.h"

namespace {

const QString Application = QStringLiteral("Tavrel");

const QString &TestRoot()
{
    return Globals().userFoldersForTests;
}

} // namespace

QString UserConfigFolder()
{
    if (!TestRoot().isEmpty())
        return TestRoot() + QStringLiteral("/config");
    return PlatformConfigFolder();
}

QString StoreFolder()
{
    return UserConfigFolder() + u'/' + Application;
}

QString UserDataFolder()
{
    if (!TestRoot().isEmpty())
        return TestRoot() + QStringLiteral("/data/") + Application;
    return PlatformDataFolder() + u'/' + Application;
}

void UseUserFoldersForTests(const QString &root)
{
    Globals().userFoldersForTests = root;
}
