#pragma once

#include "StartPage.h"

#include <QString>

// One browser's own side of the start page: where its start page lives, how it is read, set and
// put back. The steps that use it, and what they store, are the same for every browser.
class BrowserStartPage
{
public:
    virtual ~BrowserStartPage() = default;

    // What the options dialog's check box says for this browser.
    virtual BrowserChoiceTexts Texts() const = 0;
    // Whether the browser is still there to take a start page.
    virtual bool Present() const = 0;
    // Whether the browser's start page is page now.
    virtual bool ShowsPage(const QString &page) = 0;

    // What making a page the start page did: the page it replaced, or why it could not.
    struct Change
    {
        QString Replaced;
        QString Failure; // the text of the "Error" box; empty when the page is the start page now
    };
    virtual Change Make(const QString &page) = 0;
    // Makes address the start page again. A failure goes unreported: the next start finds out
    // what the browser shows.
    virtual void PutBack(const QString &address) = 0;
    // Put back when the store holds no page that was replaced.
    virtual QString Forgotten() const = 0;
    // The folder where the browser can read the page, when it reads it nowhere else.
    virtual QString PageFolder() const { return {}; }
};
