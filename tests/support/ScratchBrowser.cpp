// What the scratch browsers of both platforms do alike.
#include "ScratchBrowser.h"

#include "FirefoxHomePage.h"
#include "ProgramLayout.h"
#include "StartPage.h"

void ScratchBrowser::Settled()
{
    settled = Snapshot();
    // As the run does at its start.
    ChooseStartPageBrowser();
    UsePageFolder(StartPageFolder());
}

QString ScratchBrowser::ThePage(Browser browser)
{
    return browser == Browser::InternetExplorer ? PagePath() : PageUrl(PagePath());
}

bool ScratchBrowser::ShowsThePage() const
{
    return StartPage(last) == ThePage(last);
}

bool ScratchBrowser::IsUntouched() const
{
    return Snapshot() == settled;
}
