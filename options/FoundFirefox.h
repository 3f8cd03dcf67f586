#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A Firefox of the user's as found on this machine: the programs that run it, the folder of
// the profiles.ini it starts from, and, for a Firefox in a sandbox, the folder inside its own
// where it can read the page.
struct FoundFirefox
{
    QStringList Programs;
    QString ProfilesFolder;
    QString PageFolder; // empty: it reads the page wherever the program keeps it
};

// The Firefoxes of the user, in the order they are preferred. Found afresh at each call.
QList<FoundFirefox> FindFirefoxes();
