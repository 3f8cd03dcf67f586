#include "StoreFile.h"

StoreFormat PlatformStore()
{
    return {QStringLiteral("Tavrel.conf"), Qt::CaseSensitive, "\n"};
}

// Linux had no earlier program of ours, and no common settings area to find one in.
std::optional<StoreMap> EarlierStore(const QString &)
{
    return std::nullopt;
}
