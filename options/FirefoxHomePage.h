#pragma once

#include <QString>

// Firefox's home page in one profile folder, read from prefs.js and user.js and set through
// lines of ours at the end of user.js, which Firefox applies at each start.

// Firefox's home page when no file of the profile sets one.
extern const QString FirefoxDefaultHomePage;

// The page's file URL, fully encoded, so that a '|' or '%' of the path cannot be read as
// something else.
QString PageUrl(const QString &pagePath);

// Whether address leads to the page at pagePath: the same file URL or path once percent
// escapes are decoded, case ignored. Several pages separated by '|' are not the page.
bool IsPageAddress(const QString &address, const QString &pagePath);

// The home page Firefox starts with: user.js's when it sets one, else prefs.js's (of which
// only the first few megabytes are read), else Firefox's default.
QString FirefoxHomePage(const QString &profile);

// Makes the page at pagePath the home page from Firefox's next start, with syncing of that
// preference turned off so that other machines do not get an address that leads nowhere
// there. Answers the system's reason when user.js could not be written, else an empty text.
QString SetPageAsHomePage(const QString &profile, const QString &pagePath);

// Puts address back as the home page, with syncing of it on again; same answer.
QString RestoreHomePage(const QString &profile, const QString &address);

// Once Firefox has taken the home page we put back into prefs.js, our lines go from user.js,
// so that the user can change the home page in Firefox again. Failures go unnoticed: the next
// start tries again.
void GiveBackHomePage(const QString &profile, const QString &pagePath);

// The user.js of a profile.
QString UserJsPath(const QString &profile);
