#pragma once

#include "StoreMap.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// The platform's side of the store.

// The store's file name in its folder: "Tavrel.conf" on Linux, "Tavrel.ini" on Windows.
QString StoreFileName();

// How names compare and lines end in the store file: exactly and LF on Linux; ignoring case and
// CR LF on Windows.
Qt::CaseSensitivity StoreNameCase();
QByteArrayView StoreLineEnd();

// The list an earlier program kept for this user in the platform's own settings area, read
// without changing it, while storeFile does not exist yet, where the platform has such an area
// and it holds one; else nothing.
std::optional<StoreMap> EarlierStore(const QString &storeFile);
