#include "UserFoldersPlatform.h"

#include <QStandardPaths>

QString PlatformConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString PlatformDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}
