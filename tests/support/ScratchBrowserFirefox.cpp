#include "ScratchBrowser.h"

#include "FirefoxHomePage.h"
#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QString Home()
{
    return QDir::homePath();
}

QString Profile()
{
    return Home() + QStringLiteral("/.mozilla/firefox/tests.default");
}

QList<QString> BrowserFolders()
{
    return {Home() + QStringLiteral("/.mozilla"), Home() + QStringLiteral("/.config/mozilla")};
}

bool MakeProfile()
{
    return WriteFileBytes(Home() + QStringLiteral("/.mozilla/firefox/profiles.ini"),
                          "[Profile0]\nName=tests\nIsRelative=1\nPath=tests.default\n"
                          "Default=1\n\n[General]\nStartWithLastProfile=1\n") &&
           QDir().mkpath(Profile());
}

} // namespace

struct ScratchBrowser::State
{
    QByteArray path = qgetenv("PATH");
    QTemporaryDir programs; // the PATH the program looks through, with no Firefox at first
};

ScratchBrowser::ScratchBrowser() : state(std::make_unique<State>())
{
    if (!Home().startsWith(ScratchUser::Root()) || !state->programs.isValid())
        qFatal("No scratch home for the browser's settings");
    for (const QString &folder : BrowserFolders())
        QDir(folder).removeRecursively();
    qputenv("PATH", QFile::encodeName(state->programs.path()));
}

ScratchBrowser::~ScratchBrowser()
{
    qputenv("PATH", state->path);
}

bool ScratchBrowser::Install()
{
    const QString program = state->programs.path() + QStringLiteral("/firefox-esr");
    return MakeProfile() && WriteFileBytes(program, "#!/bin/sh\nexit 0\n") &&
           QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
}

bool ScratchBrowser::LeaveBehind()
{
    return MakeProfile();
}

bool ScratchBrowser::ShowsThePage() const
{
    return FirefoxHomePage(Profile()) == PageUrl(PagePath());
}

bool ScratchBrowser::IsUntouched() const
{
    for (const QString &folder : BrowserFolders()) {
        if (QFileInfo::exists(folder))
            return false;
    }
    return true;
}
