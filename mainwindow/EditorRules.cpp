#include "EditorRules.h"

namespace {
const QString Prefix = QStringLiteral("http://");
}

bool InvalidURL(const QString &url)
{
    return url == Prefix || (!url.isEmpty() && !url.startsWith(Prefix));
}

int PriorityPosition(qint16 priority)
{
    return priority >= 1 && priority <= 3 ? 3 - priority : -1;
}

qint16 PriorityAt(int position)
{
    return position >= 0 && position <= 2 ? qint16(3 - position) : 0;
}
