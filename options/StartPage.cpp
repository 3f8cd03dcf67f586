#include "StartPage.h"

#include "BrowserStartPage.h"
#include "MessageBox.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "SettingsStore.h"

namespace {

const QString MainSection = QStringLiteral("Main");
const QString OldIEHomeKey = QStringLiteral("OldIEHome");

} // namespace

void ApplyStartPage(QWidget *parent, int IEChecked, PageOptions &options)
{
    if (options.IEHomeSet == 0 && IEChecked == 1) {
        const StartPageChange change = MakeStartPage(PagePath());
        if (!change.Failure.isEmpty()) {
            ShowError(parent, change.Failure);
            options.OldIEHome.clear();
            options.IEHomeSet = 0;
            return;
        }
        options.OldIEHome = change.Replaced;
        // Stored at once rather than at close, so that the page it replaced survives whatever
        // happens to this run.
        SettingsStore store;
        store.WriteSetting(MainSection, OldIEHomeKey, options.OldIEHome);
        store.Sync();
        options.IEHomeSet = 1;
    } else if (options.IEHomeSet == 1 && IEChecked == 0) {
        PutBackStartPage(
            SettingsStore().ReadSetting(MainSection, OldIEHomeKey, ForgottenStartPage()));
        options.IEHomeSet = 0;
    }
}
