#pragma once

class QString;

// Removes what writes of the file at path, cut short by a crash or a kill, left beside it: the
// scratch file "<file>.<pid>-<n>.saving", and the ".saving.lock" and ".saving.XXXXXX" files
// that saves of version 1.0.0 left too. Those of a process that still runs belong to a write
// in progress and stay.
void RemoveLeftoverSaves(const QString &path);
