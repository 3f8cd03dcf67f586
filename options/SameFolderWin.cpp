#include "SameFolder.h"

#include <QDir>

// Firefox writes the folder as Windows spells it, with backslashes and in whatever case the
// installer chose; the registry may spell the program's path otherwise.
bool SameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(a))
               .compare(QDir::cleanPath(QDir::fromNativeSeparators(b)), Qt::CaseInsensitive) == 0;
}
