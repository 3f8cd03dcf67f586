#pragma once

#include "FoundFirefox.h"

#include <QString>
#include <QStringList>

// The Firefoxes a Linux user may run: the distribution's package, Ubuntu's snap and Flathub's
// Flatpak. Everything is read from the folders given, so that the suites lay each out in a
// scratch folder of their own; nothing is made.

// Where the finder looks.
struct LinuxRoots
{
    QString Home;
    QString XdgConfigHome; // the values of XDG_CONFIG_HOME and XDG_DATA_HOME, empty when unset
    QString XdgDataHome;
    QString Snap;          // /snap
    QString SystemFlatpak; // /var/lib/flatpak
};

// The Firefoxes of roots that have a program, in the order they are offered:
// - the distribution's: programs, the firefox and firefox-esr programs found on the PATH, that
//   are neither below roots.Snap nor scripts that hand over to a snap or a flatpak; its profiles
//   where FirefoxProfilesFolder says;
// - the snap: programs below roots.Snap, or scripts that start roots.Snap/bin/firefox (Ubuntu's
//   transitional /usr/bin/firefox), while roots.Snap/bin/firefox is there; its profiles in
//   ~/snap/firefox/common/.mozilla/firefox, the page in ~/snap/firefox/common/Tavrel;
// - the Flatpak: exports/bin/org.mozilla.firefox of the user's installation (flatpak below
//   XDG_DATA_HOME, ~/.local/share by default) or of the system's (roots.SystemFlatpak); its
//   profiles in ~/.var/app/org.mozilla.firefox/.mozilla/firefox, the page in
//   ~/.var/app/org.mozilla.firefox/Tavrel.
QList<FoundFirefox> FindLinuxFirefoxes(const LinuxRoots &roots, const QStringList &programs);

// The firefox and firefox-esr programs on the PATH.
QStringList FirefoxPrograms();
