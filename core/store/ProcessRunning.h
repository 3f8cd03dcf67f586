#pragma once

#include <QtGlobal>

// Whether a process with this id runs now, under any user. The id may have been taken by
// another program since; that counts as running.
bool ProcessRunning(qint64 pid);
