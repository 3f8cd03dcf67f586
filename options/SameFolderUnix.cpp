#include "SameFolder.h"

#include <QDir>

bool SameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}
