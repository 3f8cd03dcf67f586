#include "StartPage.h"

#include "MessageBox.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "Registry.h"
#include "SettingsStore.h"

namespace {

const QString StartPageKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString StartPageValue = QStringLiteral("Start Page");
const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");
const QString VersionValue = QStringLiteral("Version");

const QString MainSection = QStringLiteral("Main");
const QString OldIEHomeKey = QStringLiteral("OldIEHome");
// Put back as the start page when the page it replaced was never stored.
const QString MakersAddress = QStringLiteral("http://www.tavrel.example/");

} // namespace

qint16 DetectStartPage()
{
    const QString startPage =
        RegReadString(RegRoot::CurrentUser, StartPageKey, StartPageValue, QString());
    // Case is all that is forgiven: a file URL or other spelling of the same file is
    // another page.
    return startPage.toLower() == PagePath().toLower() ? 1 : 0;
}

bool BrowserPresent()
{
    return !RegReadString(RegRoot::LocalMachine, BrowserKey, VersionValue, QString()).isEmpty();
}

void ApplyStartPage(QWidget *parent, int IEChecked, PageOptions &options)
{
    if (options.IEHomeSet == 0 && IEChecked == 1) {
        const QString page = PagePath();
        options.OldIEHome = RegReadString(RegRoot::CurrentUser, StartPageKey, StartPageValue, page);
        if (RegWriteString(RegRoot::CurrentUser, StartPageKey, StartPageValue, page)) {
            // Stored at once rather than at close, so that the page it replaced survives
            // whatever happens to this run.
            SettingsStore store;
            store.WriteSetting(MainSection, OldIEHomeKey, options.OldIEHome);
            store.Sync();
            options.IEHomeSet = 1;
        } else {
            ShowError(parent, QStringLiteral("Registry write error.") + u'\r' +
                                  QStringLiteral("Internet Explorer home page not set."));
            options.OldIEHome.clear();
            options.IEHomeSet = 0;
        }
    } else if (options.IEHomeSet == 1 && IEChecked == 0) {
        const QString old = SettingsStore().ReadSetting(MainSection, OldIEHomeKey, MakersAddress);
        // A failed write goes unreported; the next start finds out what the browser shows.
        RegWriteString(RegRoot::CurrentUser, StartPageKey, StartPageValue, old);
        options.IEHomeSet = 0;
    }
}

BrowserChoiceTexts BrowserChoice()
{
    return {QStringLiteral("Internet Explorer"), QStringLiteral(" Only verified on versions 4-5 ")};
}
