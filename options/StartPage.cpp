#include "StartPage.h"

#include "BrowserStartPage.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "SettingsStore.h"
#include "StartPageBrowsers.h"

namespace {

const QString MainSection = QStringLiteral("Main");
const QString OldIEHomeKey = QStringLiteral("OldIEHome");

// No browser takes the page: the box is greyed out, so the steps never reach it to change a
// start page, and nothing is made or written.
class NoBrowser final : public BrowserStartPage
{
public:
    BrowserChoiceTexts Texts() const override { return NoBrowserTexts(); }
    bool Present() const override { return false; }
    bool ShowsPage(const QString &) override { return false; }
    Change Make(const QString &) override
    {
        return {{},
                QStringLiteral("No browser was found.") + u'\r' + Texts().Caption +
                    QStringLiteral(" home page not set.")};
    }
    void PutBack(const QString &) override {}
    QString Forgotten() const override { return {}; }
};

std::unique_ptr<BrowserStartPage> &Chosen()
{
    static std::unique_ptr<BrowserStartPage> chosen;
    return chosen;
}

// Whatever runs before the choice at start-up, as a dialog in a test, gets the browser that a
// start would choose now.
BrowserStartPage &Browser()
{
    if (!Chosen())
        ChooseStartPageBrowser();
    return *Chosen();
}

} // namespace

void ChooseStartPageBrowser()
{
    Chosen() = ChooseBrowser();
    if (!Chosen())
        Chosen() = std::make_unique<NoBrowser>();
}

qint16 DetectStartPage()
{
    return Browser().ShowsPage(PagePath()) ? 1 : 0;
}

QString StartPageFolder()
{
    return Browser().PageFolder();
}

bool BrowserPresent()
{
    return Browser().Present();
}

BrowserChoiceTexts BrowserChoice()
{
    return Browser().Texts();
}

QString ApplyStartPage(int IEChecked, PageOptions &options)
{
    if (options.IEHomeSet == 0 && IEChecked == 1) {
        const BrowserStartPage::Change change = Browser().Make(PagePath());
        if (!change.Failure.isEmpty()) {
            options.OldIEHome.clear();
            options.IEHomeSet = 0;
            return change.Failure;
        }
        options.OldIEHome = change.Replaced;
        // Stored at once rather than at close, so that the page it replaced survives whatever
        // happens to this run.
        SettingsStore store;
        store.WriteSetting(MainSection, OldIEHomeKey, options.OldIEHome);
        store.Sync();
        options.IEHomeSet = 1;
    } else if (options.IEHomeSet == 1 && IEChecked == 0) {
        Browser().PutBack(
            SettingsStore().ReadSetting(MainSection, OldIEHomeKey, Browser().Forgotten()));
        options.IEHomeSet = 0;
    }
    return {};
}
