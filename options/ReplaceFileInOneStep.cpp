#include "ReplaceFileInOneStep.h"

#include <QSaveFile>

QString ReplaceFileInOneStep(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}
