#include "ScratchBrowser.h"

#include "FirefoxHomePage.h"
#include "FirefoxTestSeams.h"
#include "ProgramLayout.h"
#include "ScratchFirefox.h"
#include "ScratchUser.h"
#include "StartPage.h"
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

QString ProfilesFolder()
{
    return Home() + QStringLiteral("/.mozilla/firefox");
}

QList<QString> BrowserFolders()
{
    return {Home() + QStringLiteral("/.mozilla"), Home() + QStringLiteral("/.config/mozilla")};
}

QStringList Snapshot()
{
    QStringList all;
    for (const QString &folder : BrowserFolders())
        all << folder << Listing(folder);
    return all;
}

} // namespace

struct ScratchBrowser::State
{
    QByteArray path = qgetenv("PATH");
    QTemporaryDir programs; // the PATH the program looks through, with no Firefox at first
    QStringList settled;
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

void ScratchBrowser::Settled()
{
    state->settled = Snapshot();
    // As the run does at its start.
    ChooseStartPageBrowser();
    UsePageFolder(StartPageFolder());
}

QList<Browser> ScratchBrowser::Browsers()
{
    return {Browser::Firefox};
}

bool ScratchBrowser::Install(Browser browser)
{
    const QString program = state->programs.path() + QStringLiteral("/firefox-esr");
    const bool made = browser == Browser::Firefox && MakeFirefoxProfile(ProfilesFolder()) &&
                      WriteFileBytes(program, "#!/bin/sh\nexit 0\n") &&
                      QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    Settled();
    return made;
}

bool ScratchBrowser::LeaveBehind()
{
    const bool made = MakeFirefoxProfile(ProfilesFolder());
    Settled();
    return made;
}

bool ScratchBrowser::SetWindows(const QString &, const QString &, const QString &)
{
    return false;
}

bool ScratchBrowser::RefuseWrites(Browser browser)
{
    return browser == Browser::Firefox && BlockUserJs(FirefoxProfile());
}

QString ScratchBrowser::StartPage(Browser) const
{
    return FirefoxHomePage(FirefoxProfile());
}

bool ScratchBrowser::SetStartPage(Browser, const QString &page)
{
    return SetFirefoxHomePage(FirefoxProfile(), page);
}

QString ScratchBrowser::ThePage(Browser)
{
    return PageUrl(PagePath());
}

bool ScratchBrowser::ShowsThePage() const
{
    return StartPage(Browser::Firefox) == ThePage(Browser::Firefox);
}

bool ScratchBrowser::IsUntouched() const
{
    return Snapshot() == state->settled;
}

QString ScratchBrowser::FirefoxProfile()
{
    return ScratchProfileIn(ProfilesFolder());
}

bool ScratchBrowser::RegisterFirefox(Registration, const QString &, const QVariant &)
{
    return false;
}

bool ScratchBrowser::MakeProgram(const QString &path)
{
    return WriteFileBytes(path, "#!/bin/sh\nexit 0\n");
}
