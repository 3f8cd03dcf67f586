#pragma once

#include <QString>

// What the registry says of this Windows, the values of the key
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion, and of Internet Explorer, its
// "Version"; a value that is missing or not a string is an empty text.
struct WindowsFacts
{
    QString CurrentBuildNumber;
    QString EditionID;
    QString InstallationType;
    QString InternetExplorerVersion;
};

// Whether Internet Explorer still runs as a browser there: only on Windows before Windows 11
// (build 22000), and there only in the long-term servicing editions and on Server with its
// desktop, where it was not retired; and only when it is installed. A value that is missing or
// not a number counts against it: a greyed-out box is better than a page no browser shows.
bool InternetExplorerRuns(const WindowsFacts &facts);
