#pragma once

#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <functional>

// Takes a file's bytes piece by piece, in order; answers false to stop the writing.
using PieceWriter = std::function<bool(QByteArrayView)>;
using FileProducer = std::function<bool(const PieceWriter &)>;

// Writes the file at path whole or not at all, making its folder as needed. The bytes go to a
// scratch file of this process's own beside it, "<path>.<pid>-<n>.saving", every write checked
// and the whole flushed to the disk, which then takes the file's place in one step: a failure, a
// crash or a kill leaves the old file or the new one, never a part of either. A failed write
// removes its scratch file, and the next write beside the same file removes those that ended
// processes left. Answers whether the file is in place; if not, reason says why, in the
// system's words.
bool WriteWholeFile(const QString &path, const FileProducer &produce, QString &reason);

// Where another program holds the file open for a moment (Windows: a virus scanner, the search
// indexer), taking its place is tried again for a short while: up to ReplacePatience for each
// write, or, while a SharedReplacePatience lives, for all writes together until its time is up.
constexpr std::chrono::milliseconds ReplacePatience{2000};

class SharedReplacePatience
{
public:
    explicit SharedReplacePatience(std::chrono::milliseconds patience);
    ~SharedReplacePatience();
    Q_DISABLE_COPY_MOVE(SharedReplacePatience)
};
