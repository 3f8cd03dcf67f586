#include "StartPageBrowsers.h"

#include "BrowserStartPage.h"
#include "FoundFirefox.h"
#include "StartPageFirefox.h"
#include "StartPageInternetExplorer.h"

std::unique_ptr<BrowserStartPage> ChooseBrowser()
{
    // Internet Explorer first where it still runs: there it is the browser the box has always
    // set, and the one a user of such a machine expects.
    if (auto internetExplorer = ChooseInternetExplorer())
        return internetExplorer;
    return ChooseFirefox(FindFirefoxes());
}

BrowserChoiceTexts NoBrowserTexts()
{
    return InternetExplorerTexts();
}
