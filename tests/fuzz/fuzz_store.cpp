// The store read from any file bytes, against Qt's own reading of the same bytes:
// - the store's own reading finds exactly the keys that Qt finds;
// - where Qt reads a text, it reads the same text; where Qt reads a list, the same characters,
//   but for the commas and blanks that Qt takes as item separators;
// - the store hands out Qt's text, or its own where Qt reads a list;
// - the program's start-up reads the options and items without fault.
// Texts holding "@" are left out of the comparisons: Qt reads some of those as other types.
#include "FuzzSupport.h"
#include "IniTexts.h"
#include "ItemList.h"
#include "ItemTable.h"
#include "NumberText.h"
#include "PageOptions.h"
#include "Persistence.h"
#include "SettingsStore.h"
#include "TestSupport.h"

#include <QHash>
#include <QSet>
#include <QSettings>

namespace {

QString Path(const IniText &text)
{
    return text.Group + text.Key;
}

QString Section(const IniText &text)
{
    return text.Group.chopped(text.Group.isEmpty() ? 0 : 1);
}

// A name with a slash in it, an empty key or an empty section name can stand for the same path
// as another, or for none that Qt can look up.
bool Comparable(const IniText &text)
{
    return !text.Key.isEmpty() && !text.Key.contains(u'/') && text.Group != u"/" &&
           text.Group.count(u'/') <= 1 && !text.Text.contains(u'@');
}

QString WithoutSeparators(QString text)
{
    return text.remove(u',').remove(u' ').remove(u'\t');
}

bool IsList(const QVariant &value)
{
    return value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    Require(WriteStore(file), "the store file is written");
    const std::vector<IniText> texts = ReadIniTexts(file);

    QSettings qt(SettingsStore::FilePath(), QSettings::IniFormat);
    // Reading every key first makes Qt read every section, in its own order.
    const QStringList qtPaths = qt.allKeys();
    QSet<QString> paths;
    QHash<QString, QString> last; // a value defined twice has its last definition
    for (const IniText &text : texts) {
        paths.insert(Path(text));
        last.insert(Path(text), text.Text);
    }
    Require(paths == QSet<QString>(qtPaths.begin(), qtPaths.end()), "the same keys as Qt's");

    const SettingsStore store;
    for (const IniText &text : texts) {
        if (!Comparable(text) || last.value(Path(text)) != text.Text)
            continue;
        const QVariant value = qt.value(Path(text));
        if (IsList(value)) {
            Require(value.typeId() == QMetaType::QStringList, "a list without \"@\" is of texts");
            Require(WithoutSeparators(value.toStringList().join(QString())) ==
                        WithoutSeparators(text.Text),
                    "a list's text has the characters of Qt's items");
            Require(store.ReadSetting(Section(text), text.Key) == text.Text,
                    "the store gives a list's text as typed");
        } else {
            Require(value.typeId() == QMetaType::QString && value.toString() == text.Text,
                    "the same text as Qt's");
            Require(store.ReadSetting(Section(text), text.Key) == text.Text,
                    "the store gives Qt's text");
        }
    }

    PageOptions options;
    LoadOptions(store, options);
    // A long list only costs time here, without reading anything new.
    if (NumberFromText(store.ReadSetting(QStringLiteral("Main"), QStringLiteral("NumEntries"))) <=
        64) {
        ItemTable table;
        ItemList list;
        LoadItems(store, table, list);
    }
    return 0;
}
