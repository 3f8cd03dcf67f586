#include "ScratchRegistry.h"

#include "RegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

struct ScratchRegistry::Keys
{
};

// Whatever a test left where the file or its folder should be goes too.
ScratchRegistry::ScratchRegistry()
{
    const QFileInfo file(RegistryFilePath());
    const QFileInfo folder(file.absolutePath());
    if (folder.isFile())
        QFile::remove(folder.filePath());
    else if (file.isDir())
        QDir(file.filePath()).removeRecursively();
    else
        QFile::remove(file.filePath());
}

ScratchRegistry::~ScratchRegistry() = default;

bool ScratchRegistry::IsEmpty() const
{
    return !QFileInfo::exists(RegistryFilePath());
}

bool ScratchRegistry::RefuseWrites()
{
    return QDir().mkpath(RegistryFilePath()); // a folder where the file should be
}

bool RegWriteNumber(RegRoot root, const QString &keyPath, const QString &valueName, quint32 number)
{
    // A key line of its own at the end: the last definition of a value is the one that counts.
    const QString rootName = root == RegRoot::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                                          : QStringLiteral("HKEY_LOCAL_MACHINE");
    QFile file(RegistryFilePath());
    const bool isNew = !file.exists();
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !file.open(QIODevice::Append))
        return false;
    const QString text =
        QStringLiteral("%1\n[%2\\%3]\n\"%4\"=dword:%5\n")
            .arg(isNew ? QStringLiteral("REGEDIT4\n") : QString(), rootName, keyPath, valueName,
                 QString::number(number, 16).rightJustified(8, u'0'));
    return file.write(text.toUtf8()) > 0;
}

QString RegistryFile()
{
    return RegistryFilePath();
}
