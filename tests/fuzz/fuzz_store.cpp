// The store's text against QSettings, which read and wrote every store before it. The first
// byte chooses between:
// - any file bytes, as a user may type them: the store reads every key that Qt reads, with
//   Qt's text, or where Qt reads a list, with the characters of Qt's items and the commas as
//   typed; and the program's start-up reads the options and items without fault;
// - sections, keys and texts of any characters: what the store writes Qt reads back exactly,
//   and what Qt writes the store reads exactly as Qt reads it, '@' and all.
#include "FuzzSupport.h"
#include "ItemList.h"
#include "ItemTable.h"
#include "NumberText.h"
#include "PageOptions.h"
#include "Persistence.h"
#include "SettingsStore.h"
#include "StoreMap.h"
#include "StoreText.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace {

QString Path(const QString &section, const QString &key)
{
    return section.isEmpty() ? key : section + u'/' + key;
}

// Both slashes separate the parts of a path to Qt, and an empty key is no key to it.
bool QtCanName(const QString &section, const QString &key)
{
    return !key.isEmpty() && !section.contains(u'/') && !key.contains(u'/') &&
           !section.contains(u'\\') && !key.contains(u'\\');
}

QString WithoutSeparators(QString text)
{
    return text.remove(u',').remove(u' ').remove(u'\t');
}

// Qt keeps what it read or wrote of a file for as long as the file's size and time stay, so that
// each of its readings here is of a file of its own, removed after.
class FreshFile
{
public:
    explicit FreshFile(const QByteArray &bytes)
        : path(QFileInfo(SettingsStore::FilePath()).absolutePath() +
               QStringLiteral("/read-%1.ini").arg(++count))
    {
        Require(WriteFileBytes(path, bytes), "a file for Qt to read is written");
    }
    ~FreshFile() { QFile::remove(path); }
    Q_DISABLE_COPY_MOVE(FreshFile)

    const QString path;

private:
    static inline int count = 0;
};

StoreMap ReadOurs(const QByteArray &file)
{
    StoreMap map(Qt::CaseSensitive);
    ReadStoreText(file, map);
    return map;
}

void HandTyped(const QByteArray &file)
{
    Require(WriteStore(file), "the store file is written");
    const StoreMap ours = ReadOurs(file);
    const FreshFile fresh(file);
    QSettings qt(fresh.path, QSettings::IniFormat);
    // Reading every key first makes Qt read every section, in its own order. Qt cannot look up
    // the keys under "[]", which it names "/key", and the store leaves them out.
    QSet<QString> qtPaths;
    for (const QString &path : qt.allKeys()) {
        if (!path.startsWith(u'/'))
            qtPaths.insert(path);
    }
    QSet<QString> ourPaths;
    for (const StoreSection &section : ours.Sections()) {
        for (const StoreKey &key : section.Keys) {
            const QString path = Path(section.Name, key.Name);
            ourPaths.insert(path);
            if (!QtCanName(section.Name, key.Name))
                continue;
            Require(qtPaths.contains(path), "Qt finds the store's keys");
            if (key.Text.contains(u'@'))
                continue; // Qt reads some of those as other types
            const QVariant value = qt.value(path);
            if (value.typeId() == QMetaType::QStringList) {
                Require(WithoutSeparators(value.toStringList().join(QString())) ==
                            WithoutSeparators(key.Text),
                        "a list's text has the characters of Qt's items");
            } else {
                Require(value.typeId() == QMetaType::QString && value.toString() == key.Text,
                        "the same text as Qt's");
            }
        }
    }
    Require(ourPaths.contains(qtPaths), "the store finds Qt's keys");

    const SettingsStore store;
    PageOptions options;
    LoadOptions(store, options);
    // A long list only costs time here, without reading anything new.
    if (NumberFromText(store.ReadSetting(QStringLiteral("Main"), QStringLiteral("NumEntries"))) <=
        64) {
        ItemTable table;
        ItemList list;
        LoadItems(store, table, list);
    }
}

void Written(const QString &fields)
{
    // Section, key and text, over and over, apart at U+FFFF.
    const QStringList parts = fields.split(QChar(0xFFFF));
    StoreMap ours(Qt::CaseSensitive);
    for (qsizetype i = 0; i + 2 < parts.size(); i += 3) {
        if (QtCanName(parts[i], parts[i + 1]))
            ours.Set(parts[i], parts[i + 1], parts[i + 2]);
    }

    // Ours, as Qt reads it.
    const QString path = SettingsStore::FilePath();
    QByteArray file;
    WriteStoreText(ours, "\n", [&file](QByteArrayView piece) {
        file += piece;
        return true;
    });
    {
        const FreshFile written(file);
        QSettings qt(written.path, QSettings::IniFormat);
        qsizetype count = 0;
        for (const StoreSection &section : ours.Sections()) {
            for (const StoreKey &key : section.Keys) {
                const QVariant value = qt.value(Path(section.Name, key.Name));
                Require(value.typeId() == QMetaType::QString, "Qt reads a text");
                Require(value.toString() == key.Text, "Qt reads the text written");
                ++count;
            }
        }
        Require(qt.allKeys().size() == count, "Qt finds no other keys");
    }

    // Qt's, as the store reads it.
    Require(WriteStore({}), "the store file is removed");
    {
        QSettings qt(path, QSettings::IniFormat);
        for (const StoreSection &section : ours.Sections()) {
            for (const StoreKey &key : section.Keys)
                qt.setValue(Path(section.Name, key.Name), key.Text);
        }
    }
    const QByteArray qtFile = ReadFileBytes(path);
    const StoreMap read = ReadOurs(qtFile);
    const FreshFile fresh(qtFile);
    const QSettings qt(fresh.path, QSettings::IniFormat);
    for (const QString &key : qt.allKeys()) {
        const qsizetype slash = key.indexOf(u'/');
        const QString *text =
            read.Find(slash < 0 ? QString() : key.left(slash), key.mid(slash + 1));
        Require(text && *text == qt.value(key).toString(), "the store reads Qt's text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 1)
        HandTyped(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    else
        Written(Utf16Text(data + 1, size - 1));
    return 0;
}
