#pragma once

#include "WholeFile.h"

#include <QDeadlineTimer>

// The system's own file calls, each failure with the system's reason.

// Makes the file at path afresh, failing where anything is there, hands produce a writer whose
// every write reaches the system or fails, and flushes the file to the disk before it closes
// it. Answers whether all of it went; if not, reason says why.
bool WriteNewFile(const QString &path, const FileProducer &produce, QString &reason);

// Puts the file at from in the place of the one at to in one step, written through to the disk:
// on Linux a rename, the folder synced after; on Windows a move that replaces, tried again
// while another program holds the target, until patience runs out. A read-only target fails at
// once. Answers whether it could; if not, reason says why.
bool MoveIntoPlace(const QString &from, const QString &to, const QDeadlineTimer &patience,
                   QString &reason);
