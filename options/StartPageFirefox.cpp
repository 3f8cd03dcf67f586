#include "StartPage.h"

#include "BrowserStartPage.h"
#include "FirefoxHomePage.h"
#include "FirefoxProfile.h"
#include "ProgramLayout.h"

#include <QDir>

namespace {

// The profile of the user's own Firefox, found afresh at each step: Firefox may have come or
// gone since the last.
QString UsersProfile()
{
    return FindFirefoxProfile(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                              FirefoxPrograms());
}

QString WriteError(const QString &where)
{
    return QStringLiteral("Firefox settings write error.") + u'\r' + where + u'\r' +
           QStringLiteral("Firefox home page not set.");
}

} // namespace

qint16 DetectStartPage()
{
    const QString profile = UsersProfile();
    if (profile.isEmpty())
        return 0;
    GiveBackHomePage(profile, PagePath());
    return IsPageAddress(FirefoxHomePage(profile), PagePath()) ? 1 : 0;
}

bool BrowserPresent()
{
    return !UsersProfile().isEmpty();
}

StartPageChange MakeStartPage(const QString &page)
{
    // The profile may have gone since the dialog opened.
    const QString profile = UsersProfile();
    if (profile.isEmpty())
        return {{}, WriteError(QStringLiteral("Firefox has no default profile any more."))};
    const QString replaced = FirefoxHomePage(profile);
    const QString reason = SetPageAsHomePage(profile, page);
    if (!reason.isEmpty()) {
        return {{},
                WriteError(QDir::toNativeSeparators(UserJsPath(profile)) + QStringLiteral(": ") +
                           reason)};
    }
    return {replaced, {}};
}

void PutBackStartPage(const QString &address)
{
    const QString profile = UsersProfile();
    if (!profile.isEmpty())
        RestoreHomePage(profile, address);
}

// Firefox always has a home page, so one was stored; should the store have lost it, Firefox's
// own default is what the user had before choosing any.
QString ForgottenStartPage()
{
    return FirefoxDefaultHomePage;
}

BrowserChoiceTexts BrowserChoice()
{
    return {QStringLiteral("Firefox"),
            QStringLiteral(" Makes the list Firefox's home page from Firefox's next start ")};
}
