#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A Firefox of the user's as found on this machine: the programs that run it and the folder
// of the profiles.ini it starts from.
struct FoundFirefox
{
    QStringList Programs;
    QString ProfilesFolder;
};

// The Firefoxes of the user, in the order they are preferred. Found afresh at each call.
QList<FoundFirefox> FindFirefoxes();
