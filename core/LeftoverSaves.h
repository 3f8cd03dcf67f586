#pragma once

class QString;

// Removes what saves cut short by a crash or a kill left beside the store at storePath: the
// scratch file "<store>.<pid>-<n>.saving" and the lock Qt keeps beside it while writing it.
// Those of a process that still runs belong to a save in progress and stay.
void RemoveLeftoverSaves(const QString &storePath);
