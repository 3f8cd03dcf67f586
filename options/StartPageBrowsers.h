#pragma once

#include "StartPage.h"

#include <memory>

class BrowserStartPage;

// The browsers this platform's program can set, tried in order: the first one present is
// chosen; none when no browser is there.
std::unique_ptr<BrowserStartPage> ChooseBrowser();

// What the check box says when no browser is there: the platform's usual browser.
BrowserChoiceTexts NoBrowserTexts();
