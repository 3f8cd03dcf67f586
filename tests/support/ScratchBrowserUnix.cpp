#include "ScratchBrowser.h"

#include "FirefoxHomePage.h"
#include "FirefoxTestSeams.h"
#include "ProgramLayout.h"
#include "ScratchFirefox.h"
#include "ScratchUser.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString Home()
{
    return QDir::homePath();
}

// Where /snap and /var/lib/flatpak are for the program while one lives.
QString SystemRoot()
{
    return ScratchUser::Root() + QStringLiteral("/system");
}

QString ProfilesFolder(Browser browser)
{
    const QString own = ScratchBrowser::OwnFolder(browser);
    return (own.isEmpty() ? Home() : own) + QStringLiteral("/.mozilla/firefox");
}

QList<QString> BrowserFolders()
{
    return {Home() + QStringLiteral("/.mozilla"), Home() + QStringLiteral("/.config/mozilla"),
            Home() + QStringLiteral("/snap"), Home() + QStringLiteral("/.var"), SystemRoot()};
}

bool MakeScript(const QString &path, const QByteArray &script)
{
    return WriteFileBytes(path, script) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
}

} // namespace

struct ScratchBrowser::State
{
    QByteArray path = qgetenv("PATH");
    QTemporaryDir programs; // the PATH the program looks through, with no Firefox at first

    // The program that runs a Firefox of that kind: for the snap, the one its wrapper starts.
    QString Program(Browser browser) const
    {
        switch (browser) {
        case Browser::SnapFirefox:
            return SystemRoot() + QStringLiteral("/snap/bin/firefox");
        case Browser::FlatpakFirefox:
            return Home() + QStringLiteral("/.local/share/flatpak/exports/bin/org.mozilla.firefox");
        default:
            return programs.path() + QStringLiteral("/firefox-esr");
        }
    }
};

ScratchBrowser::ScratchBrowser() : state(std::make_unique<State>())
{
    if (!Home().startsWith(ScratchUser::Root()) || !state->programs.isValid())
        qFatal("No scratch home for the browser's settings");
    for (const QString &folder : BrowserFolders())
        QDir(folder).removeRecursively();
    qputenv("PATH", QFile::encodeName(state->programs.path()));
    UseSystemFoldersForTests(SystemRoot());
    Settled();
}

ScratchBrowser::~ScratchBrowser()
{
    qputenv("PATH", state->path);
    UseSystemFoldersForTests({});
    UsePageFolder({});
}

QStringList ScratchBrowser::Snapshot()
{
    QStringList all;
    for (const QString &folder : BrowserFolders())
        all << folder << Listing(folder);
    return all;
}

QList<Browser> ScratchBrowser::Browsers()
{
    return {Browser::Firefox, Browser::SnapFirefox, Browser::FlatpakFirefox};
}

bool ScratchBrowser::Install(Browser browser)
{
    const QString program = state->Program(browser);
    // Ubuntu's transitional package puts a script on the PATH that starts the snap.
    const bool wrapped = browser != Browser::SnapFirefox ||
                         MakeScript(state->programs.path() + QStringLiteral("/firefox"),
                                    "#!/bin/sh\nexec " + QFile::encodeName(program) + " \"$@\"\n");
    const bool made = browser != Browser::InternetExplorer && wrapped &&
                      MakeFirefoxProfile(ProfilesFolder(browser)) &&
                      MakeScript(program, "#!/bin/sh\nexit 0\n");
    last = browser;
    Settled();
    return made;
}

bool ScratchBrowser::LeaveBehind()
{
    const bool made = MakeFirefoxProfile(ProfilesFolder(Browser::Firefox));
    Settled();
    return made;
}

bool ScratchBrowser::Remove(Browser browser)
{
    const bool removed = QFile::remove(state->Program(browser));
    Settled();
    return removed;
}

bool ScratchBrowser::SetWindows(const QString &, const QString &, const QString &)
{
    return false;
}

bool ScratchBrowser::RefuseWrites(Browser browser)
{
    return browser != Browser::InternetExplorer && BlockUserJs(FirefoxProfile(browser));
}

QString ScratchBrowser::StartPage(Browser browser) const
{
    return FirefoxHomePage(FirefoxProfile(browser));
}

bool ScratchBrowser::SetStartPage(Browser browser, const QString &page)
{
    return SetFirefoxHomePage(FirefoxProfile(browser), page);
}

QString ScratchBrowser::FirefoxProfile(Browser browser)
{
    return ScratchProfileIn(ProfilesFolder(browser));
}

QString ScratchBrowser::OwnFolder(Browser browser)
{
    switch (browser) {
    case Browser::SnapFirefox:
        return Home() + QStringLiteral("/snap/firefox/common");
    case Browser::FlatpakFirefox:
        return Home() + QStringLiteral("/.var/app/org.mozilla.firefox");
    default:
        return {};
    }
}

bool ScratchBrowser::RegisterFirefox(Registration, const QString &, const QVariant &)
{
    return false;
}

bool ScratchBrowser::MakeProgram(const QString &path)
{
    return WriteFileBytes(path, "#!/bin/sh\nexit 0\n");
}
