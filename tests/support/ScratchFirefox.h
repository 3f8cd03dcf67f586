#pragma once

#include <QString>

// A Firefox profile folder as Firefox makes it, tests.default, the default of the profiles.ini
// in profilesFolder; answers whether it could.
bool MakeFirefoxProfile(const QString &profilesFolder);
QString ScratchProfileIn(const QString &profilesFolder);

// Sets Firefox's home page as Firefox keeps what the user chose: in prefs.js.
bool SetFirefoxHomePage(const QString &profile, const QString &page);
// Puts a folder where the profile's user.js goes, so that it cannot be written: the tests run as
// root on Linux, whom no mode bit stops, and Wine replaces a read-only file.
bool BlockUserJs(const QString &profile);

// Every file and folder below folder with its size, sorted: what tells that nothing changed.
QStringList Listing(const QString &folder);
