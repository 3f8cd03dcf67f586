#pragma once

class QString;

// Removes what saves cut short by a crash or a kill left beside the store at storePath: the
// scratch file "<store>.<pid>-<n>.saving", the lock Qt keeps beside it while writing it, and
// the temporary copy "<store>.<pid>-<n>.saving.XXXXXX" Qt writes first where the system cannot
// make a nameless one, as on Windows.
// Those of a process that still runs belong to a save in progress and stay.
void RemoveLeftoverSaves(const QString &storePath);
