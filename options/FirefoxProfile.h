#pragma once

#include <QString>
#include <QStringList>

// Finding the profile a Firefox of the user starts with when it is given none. Everything is
// read from the folders given, so that tests can build a home of their own; nothing is made.

// The folder of profiles.ini: home/.mozilla/firefox when it exists, as Firefox keeps using it;
// else mozilla/firefox below xdgConfigHome (the value of XDG_CONFIG_HOME) when that is an
// absolute path, else home/.config/mozilla/firefox.
QString FirefoxProfilesFolder(const QString &home, const QString &xdgConfigHome);

// The default profile's folder in profilesFolder, or an empty text when there is none (no
// profiles.ini, StartWithLastProfile=0, nothing marked as default and more than one profile,
// or a folder that is not there). programs, the Firefox programs found, choose between
// several installs: the one whose profile was last run by one of them.
QString DefaultFirefoxProfile(const QString &profilesFolder, const QStringList &programs);
