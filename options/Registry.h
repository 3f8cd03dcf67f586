#pragma once

#include <QString>
#include <QtGlobal>

// The two predefined roots the program touches, with the values the system gives them.
enum class RegRoot : quint32
{
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

// The string value valueName of the key keyPath (names separated by backslashes, case
// ignored) under root. A missing key or value, or a value that is not a plain string, gives
// defaultText; a string holding a NUL ends there. Never creates anything.
QString RegReadString(RegRoot root, const QString &keyPath, const QString &valueName,
                      const QString &defaultText);

// Stores value as a plain string under valueName, creating the key and every missing key
// above it. Answers false when it could not; nothing is shown either way.
bool RegWriteString(RegRoot root, const QString &keyPath, const QString &valueName,
                    const QString &value);
