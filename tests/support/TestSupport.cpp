#include "TestSupport.h"

#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString InstalledPictureFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/" TAVREL_PICTURES_FROM_PROGRAM));
}

bool PutPictures(const QString &folder)
{
    for (const char *name : {"high.gif", "med.gif", "low.gif"}) {
        if (!WriteFileBytes(folder + u'/' + QLatin1String(name), "GIF89a"))
            return false;
    }
    return true;
}

bool WriteStore(const QByteArray &content)
{
    const QString path = SettingsStore::FilePath();
    QFile::remove(path);
    return content.isEmpty() || WriteFileBytes(path, content);
}

QString FreshCopyForQt(const QString &path)
{
    static QTemporaryDir copies;
    static int count = 0;
    const QString copy = copies.filePath(QStringLiteral("%1.ini").arg(++count));
    QFile::copy(path, copy);
    return copy;
}

QString StoredText(const QString &key)
{
    return QSettings(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat)
        .value(key)
        .toString();
}
