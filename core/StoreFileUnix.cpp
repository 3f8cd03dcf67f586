#include "StoreFile.h"

#include <QFile>
#include <QSettings>

#include <cstdio>

QSettings::Format StoreFileFormat()
{
    return QSettings::NativeFormat;
}

bool ReplaceStoreFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Linux had no earlier program of ours, and no common settings area to find one in.
std::unique_ptr<QSettings> OpenEarlierStore(const QString &, const QString &)
{
    return nullptr;
}
