#include "SettingsStore.h"

#include "IniTexts.h"
#include "LeftoverSaves.h"
#include "StoreFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSettings>

#include <utility>

struct TypedTexts
{
    QHash<std::pair<QString, QString>, QString> byGroupAndKey;
};

namespace {

const QString Application = QStringLiteral("Tavrel");

QString Path(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

// Qt commits a short write (a full disk) as if it were whole, so a freshly written file is
// checked line by line: a section header for each section, a line for each key, and a blank
// line between sections.
bool WrittenWhole(const QString &path, const QStringList &keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (keys.isEmpty())
        return content.isEmpty();
    QSet<QStringView> sections;
    for (const QString &key : keys) {
        const qsizetype slash = key.indexOf(u'/');
        sections.insert(slash < 0 ? QStringView() : QStringView(key).left(slash));
    }
    const qsizetype lines = keys.size() + 2 * sections.size() - 1;
    return content.endsWith('\n') && content.count('\n') == lines;
}

// Qt reads a settings file again only when its size or its time, in milliseconds, has changed
// since it last read it: a new store of the old one's size, saved within the same millisecond,
// would pass for the old one. The new file is made at least a millisecond newer.
bool StampedNewer(const QString &path, const QString &than)
{
    const QDateTime old = QFileInfo(than).lastModified();
    if (!old.isValid() || QFileInfo(path).lastModified() > old)
        return true;
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(old.addMSecs(1), QFileDevice::FileModificationTime);
}

QString &KnownFilePath()
{
    static QString path;
    return path;
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore()
{
    DropStaged();
}

const QSettings &SettingsStore::Stored() const
{
    if (!stored) {
        stored = std::make_unique<QSettings>(StoreFileFormat(), QSettings::UserScope, Application,
                                             Application);
        stored->setFallbacksEnabled(false);
        KnownFilePath() = QDir::toNativeSeparators(stored->fileName());
        // A first start may find the list an earlier program kept, and go on from it.
        if (std::unique_ptr<QSettings> earlier = OpenEarlierStore(Application, KnownFilePath()))
            stored = std::move(earlier);
    }
    return *stored;
}

QString SettingsStore::FilePath()
{
    if (KnownFilePath().isEmpty())
        SettingsStore().Stored();
    return KnownFilePath();
}

QString SettingsStore::ReadSetting(const QString &section, const QString &key,
                                   const QString &defaultText) const
{
    const QSettings &source = staged ? *staged : Stored();
    const QVariant value = source.value(Path(section, key));
    if (!value.isValid())
        return defaultText;
    // A hand-typed value with a bare comma comes back from Qt as a list; what the user
    // meant is the text as typed.
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return TypedText(section, key);
    return value.toString();
}

void SettingsStore::WriteSetting(const QString &section, const QString &key, const QString &text)
{
    Staged(true).setValue(Path(section, key), text);
}

void SettingsStore::DeleteAllSettings()
{
    Staged(false).clear();
}

// The new store is a file of its own beside the old one, so that the old one is never written
// to: Qt would write a reading object's changes in place, and may do so later on its own.
QSettings &SettingsStore::Staged(bool keepStored)
{
    if (staged)
        return *staged;
    RemoveLeftoverSaves(FilePath());
    static int saves = 0;
    stagedPath = QStringLiteral("%1.%2-%3.saving")
                     .arg(FilePath())
                     .arg(QCoreApplication::applicationPid())
                     .arg(++saves);
    QFile::remove(stagedPath);
    staged = std::make_unique<QSettings>(stagedPath, QSettings::IniFormat);
    if (keepStored) {
        const QSettings &old = Stored();
        for (const QString &key : old.allKeys())
            staged->setValue(key, old.value(key));
    }
    return *staged;
}

bool SettingsStore::Sync()
{
    if (!staged)
        return true; // nothing changed
    // Written whole, checked, and renamed over the old store: a crash or a full disk leaves
    // the old store or the new one, never a part of either.
    const QString target = FilePath();
    bool ok = QDir().mkpath(QFileInfo(target).absolutePath());
    if (ok) {
        staged->sync();
        ok = staged->status() == QSettings::NoError &&
             WrittenWhole(stagedPath, staged->allKeys()) && StampedNewer(stagedPath, target) &&
             ReplaceStoreFile(stagedPath, target);
    }
    DropStaged();
    stored.reset(); // a later read sees the store as it now is
    typed.reset();
    return ok;
}

void SettingsStore::DropStaged()
{
    if (!staged)
        return;
    // Unwritten changes are written when the object goes, so the file goes after it.
    staged.reset();
    QFile::remove(stagedPath);
}

QString SettingsStore::TypedText(const QString &section, const QString &key) const
{
    if (!typed) {
        typed = std::make_unique<TypedTexts>();
        QFile file(FilePath());
        if (file.open(QIODevice::ReadOnly)) {
            // A value defined twice has its last definition, as in Qt's reading.
            for (IniText &text : ReadIniTexts(file.readAll())) {
                typed->byGroupAndKey.insert({std::move(text.Group), std::move(text.Key)},
                                            std::move(text.Text));
            }
        }
    }
    return typed->byGroupAndKey.value({section.isEmpty() ? section : section + u'/', key});
}
