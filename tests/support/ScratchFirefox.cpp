#include "ScratchFirefox.h"

#include "FirefoxHomePage.h"
#include "TestSupport.h"
#include "UserPrefs.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

bool MakeFirefoxProfile(const QString &profilesFolder)
{
    return WriteFileBytes(profilesFolder + QStringLiteral("/profiles.ini"),
                          "[Profile0]\nName=tests\nIsRelative=1\nPath=tests.default\n"
                          "Default=1\n\n[General]\nStartWithLastProfile=1\n") &&
           QDir().mkpath(ScratchProfileIn(profilesFolder));
}

QString ScratchProfileIn(const QString &profilesFolder)
{
    return profilesFolder + QStringLiteral("/tests.default");
}

bool SetFirefoxHomePage(const QString &profile, const QString &page)
{
    return WriteFileBytes(profile + QStringLiteral("/prefs.js"),
                          "user_pref(\"browser.startup.homepage\", " +
                              JsStringLiteral(page).toUtf8() + ");\n");
}

bool BlockUserJs(const QString &profile)
{
    return QDir().mkpath(UserJsPath(profile) + QStringLiteral("/in the way"));
}

QStringList Listing(const QString &folder)
{
    QStringList all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        all << path + u' ' + QString::number(QFileInfo(path).size());
    }
    all.sort();
    return all;
}
