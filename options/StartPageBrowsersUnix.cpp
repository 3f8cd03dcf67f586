#include "StartPageBrowsers.h"

#include "BrowserStartPage.h"
#include "FoundFirefox.h"
#include "StartPageFirefox.h"

std::unique_ptr<BrowserStartPage> ChooseBrowser()
{
    return ChooseFirefox(FindFirefoxes());
}

BrowserChoiceTexts NoBrowserTexts()
{
    return FirefoxTexts();
}
