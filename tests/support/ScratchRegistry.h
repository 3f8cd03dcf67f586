#pragma once

#include "Registry.h"

#include <QString>
#include <QtGlobal>

#include <memory>

// While one lives, both roots of the registry that this process reads and writes start empty
// and belong to the tests alone, so that no test reaches the browser's real values: they are
// pointed at scratch keys under HKEY_CURRENT_USER\Software\Tavrel tests\<process id>, which go
// again with the object. One at a time; Windows only.
class ScratchRegistry
{
public:
    ScratchRegistry();
    ~ScratchRegistry();
    Q_DISABLE_COPY_MOVE(ScratchRegistry)

    // Whether nothing has been written to it.
    bool IsEmpty() const;
    // From now on every write fails, as to a registry the user may not change. Answers whether
    // it could arrange that.
    bool RefuseWrites();

private:
    struct Keys;
    std::unique_ptr<Keys> keys;
};

// Stores number as a number (REG_DWORD), for the tests of what a reader makes of a value that
// is not a string.
bool RegWriteNumber(RegRoot root, const QString &keyPath, const QString &valueName, quint32 number);
