#pragma once

#include <QString>

// The browser's own side of the start page, one file per platform: Internet Explorer's values
// in the registry on Windows, the user's Firefox profile on Linux. The steps that use it, and
// what they store, are the same on both.

// What making a page the start page did: the page it replaced, or why it could not.
struct StartPageChange
{
    QString Replaced;
    QString Failure; // the text of the "Error" box; empty when the page is the start page now
};
StartPageChange MakeStartPage(const QString &page);

// Makes address the start page again. A failure goes unreported: the next start finds out what
// the browser shows.
void PutBackStartPage(const QString &address);

// Put back when the store holds no page that was replaced.
QString ForgottenStartPage();
