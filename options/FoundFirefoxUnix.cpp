#include "FoundFirefox.h"

#include "FirefoxProfile.h"

#include <QDir>

QList<FoundFirefox> FindFirefoxes()
{
    const QStringList programs = FirefoxPrograms();
    if (programs.isEmpty())
        return {};
    return {{programs,
             FirefoxProfilesFolder(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"))}};
}
