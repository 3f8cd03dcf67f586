#pragma once

#include "StoreMap.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// The platform's side of the store.

// The store file as the platform has it: "Tavrel.conf", names compared exactly and lines ended
// by LF on Linux; "Tavrel.ini", names compared ignoring case and lines ended by CR LF on Windows.
struct StoreFormat
{
    QString FileName; // in the store's folder
    Qt::CaseSensitivity NameCase;
    QByteArrayView LineEnd;
};
StoreFormat PlatformStore();

// The list an earlier program kept for this user in the platform's own settings area, read
// without changing it, while storeFile does not exist yet, where the platform has such an area
// and it holds one; else nothing.
std::optional<StoreMap> EarlierStore(const QString &storeFile);
