#pragma once

#include <QByteArray>
#include <QString>

// Makes the file at path hold exactly bytes: they go to a scratch file beside it, which is
// written through to the disk and then takes the file's place in one step, so that Firefox or a
// crash sees the old file or the new one, never half of one. On failure the old file stays as
// it was and the answer is the system's reason; on success it is empty.
QString ReplaceFileInOneStep(const QString &path, const QByteArray &bytes);
