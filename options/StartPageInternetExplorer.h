#pragma once

#include "InternetExplorerRule.h"
#include "StartPage.h"

#include <memory>

class BrowserStartPage;

// Internet Explorer's start page, the registry value "Start Page" of the current user, when
// Internet Explorer still runs here; else none.
std::unique_ptr<BrowserStartPage> ChooseInternetExplorer();

// What this Windows and Internet Explorer's "Version" say, read from the registry.
WindowsFacts ReadWindowsFacts();

// What the check box says for Internet Explorer.
BrowserChoiceTexts InternetExplorerTexts();
