#pragma once

#include "StartPage.h"

#include <QList>

#include <memory>

class BrowserStartPage;
struct FoundFirefox;

// The first of firefoxes that has a default profile, as the browser that takes the start page
// through that profile's user.js; none when none has one.
std::unique_ptr<BrowserStartPage> ChooseFirefox(const QList<FoundFirefox> &firefoxes);

// What the check box says for Firefox.
BrowserChoiceTexts FirefoxTexts();
