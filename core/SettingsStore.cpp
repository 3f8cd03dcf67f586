#include "SettingsStore.h"

#include "StoreFile.h"
#include "StoreMap.h"
#include "StoreText.h"
#include "UserFolders.h"
#include "WholeFile.h"

#include <QFile>

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FilePath()
{
    return StoreFolder() + u'/' + PlatformStore().FileName;
}

StoreMap &SettingsStore::Map() const
{
    if (map)
        return *map;
    const QString path = FilePath();
    // A first start may find the list an earlier program kept, and go on from it.
    if (std::optional<StoreMap> earlier = EarlierStore(path)) {
        map = std::make_unique<StoreMap>(std::move(*earlier));
        return *map;
    }
    map = std::make_unique<StoreMap>(PlatformStore().NameCase);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        ReadStoreText(file.readAll(), *map);
    return *map;
}

QString SettingsStore::ReadSetting(const QString &section, const QString &key,
                                   const QString &defaultText) const
{
    const QString *text = Map().Find(section, key);
    return text ? *text : defaultText;
}

void SettingsStore::WriteSetting(const QString &section, const QString &key, const QString &text)
{
    Map().Set(section, key, text);
    changed = true;
}

void SettingsStore::DeleteAllSettings()
{
    // What the file holds is never needed after this, so it is not read.
    map = std::make_unique<StoreMap>(PlatformStore().NameCase);
    changed = true;
}

bool SettingsStore::Sync(QString *reason)
{
    if (!changed)
        return true;
    QString why;
    const bool written = WriteWholeFile(
        FilePath(),
        [this](const PieceWriter &write) {
            return WriteStoreText(*map, PlatformStore().LineEnd, write);
        },
        why);
    changed = !written;
    if (reason)
        *reason = why;
    return written;
}
