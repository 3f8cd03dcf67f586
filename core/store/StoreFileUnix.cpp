#include "StoreFile.h"

QString StoreFileName()
{
    return QStringLiteral("Tavrel.conf");
}

Qt::CaseSensitivity StoreNameCase()
{
    return Qt::CaseSensitive;
}

QByteArrayView StoreLineEnd()
{
    return "\n";
}

// Linux had no earlier program of ours, and no common settings area to find one in.
std::optional<StoreMap> EarlierStore(const QString &)
{
    return std::nullopt;
}
