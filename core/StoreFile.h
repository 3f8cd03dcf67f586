#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The platform's side of the settings store.

// The format whose user-scope file is the store: $XDG_CONFIG_HOME/<application>/<application>.conf
// on Linux, %APPDATA%\<application>\<application>.ini on Windows, where the native format would
// be the registry.
QSettings::Format StoreFileFormat();

// Puts the file at from in the place of the file at to in one step, written through to the
// disk: a crash leaves the one or the other. Answers whether it could.
bool ReplaceStoreFile(const QString &from, const QString &to);

// The settings an earlier program kept for this user in the platform's own settings area,
// opened for reading, while storeFile does not exist yet, where the platform has such an area
// and it holds them; else nothing.
std::unique_ptr<QSettings> OpenEarlierStore(const QString &application, const QString &storeFile);
