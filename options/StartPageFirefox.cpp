#include "StartPage.h"

#include "FirefoxHomePage.h"
#include "FirefoxProfile.h"
#include "MessageBox.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "SettingsStore.h"

#include <QDir>

namespace {

const QString MainSection = QStringLiteral("Main");
const QString OldIEHomeKey = QStringLiteral("OldIEHome");

// The profile of the user's own Firefox, found afresh at each step: Firefox may have come or
// gone since the last.
QString UsersProfile()
{
    return FindFirefoxProfile(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                              FirefoxPrograms());
}

// userJs is empty when Firefox's profile went missing since the dialog opened.
void ShowWriteError(QWidget *parent, const QString &userJs, const QString &reason)
{
    const QString where = userJs.isEmpty()
                              ? reason
                              : QDir::toNativeSeparators(userJs) + QStringLiteral(": ") + reason;
    ShowError(parent, QStringLiteral("Firefox settings write error.") + u'\r' + where + u'\r' +
                          QStringLiteral("Firefox home page not set."));
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

void ApplyStartPage(QWidget *parent, int IEChecked, PageOptions &options)
{
    const QString profile = UsersProfile();
    if (options.IEHomeSet == 0 && IEChecked == 1) {
        const QString old = profile.isEmpty() ? QString() : FirefoxHomePage(profile);
        const QString reason = profile.isEmpty()
                                   ? QStringLiteral("Firefox has no default profile any more.")
                                   : SetPageAsHomePage(profile, PagePath());
        if (reason.isEmpty()) {
            options.OldIEHome = old;
            // Stored at once rather than at close, so that the page it replaced survives
            // whatever happens to this run.
            SettingsStore store;
            store.WriteSetting(MainSection, OldIEHomeKey, options.OldIEHome);
            store.Sync();
            options.IEHomeSet = 1;
        } else {
            ShowWriteError(parent, profile.isEmpty() ? QString() : UserJsPath(profile), reason);
            options.OldIEHome.clear();
            options.IEHomeSet = 0;
        }
    } else if (options.IEHomeSet == 1 && IEChecked == 0) {
        // Firefox always has a home page, so one was stored; should the store have lost it,
        // Firefox's own default is what the user had before choosing any.
        const QString old =
            SettingsStore().ReadSetting(MainSection, OldIEHomeKey, FirefoxDefaultHomePage);
        // A failed write goes unreported; the next start finds out what Firefox shows.
        if (!profile.isEmpty())
            RestoreHomePage(profile, old);
        options.IEHomeSet = 0;
    }
}

BrowserChoiceTexts BrowserChoice()
{
    return {QStringLiteral("Firefox"),
            QStringLiteral(" Makes the list Firefox's home page from Firefox's next start ")};
}
