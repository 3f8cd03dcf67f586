#include "Persistence.h"

#include "ItemList.h"
#include "ItemTable.h"
#include "NumberText.h"
#include "PageOptions.h"
#include "SettingsStore.h"

#include <algorithm>

namespace {

const QString Main = QStringLiteral("Main");

struct TextOption
{
    const char *key;
    QString PageOptions::*field;
};

// Read at start-up and written at close in this order.
const TextOption TextOptions[] = {
    {"GenerateOnClose", &PageOptions::GenerateOnClose},
    {"HeaderColor", &PageOptions::HeaderColor},
    {"HeaderSize", &PageOptions::HeaderSize},
    {"BodyColor", &PageOptions::BodyColor},
    {"BodySize", &PageOptions::BodySize},
    {"LinkColor", &PageOptions::LinkColor},
    {"VisitedLinkColor", &PageOptions::VisitedLinkColor},
    {"BGColor", &PageOptions::BGColor},
    {"Font Style", &PageOptions::FontStyle},
};

} // namespace

void LoadOptions(const SettingsStore &store, PageOptions &options)
{
    const PageOptions defaults;
    options.RunBefore = store.ReadSetting(Main, QStringLiteral("RunBefore"), defaults.RunBefore);
    for (const TextOption &option : TextOptions) {
        options.*option.field =
            store.ReadSetting(Main, QString::fromLatin1(option.key), defaults.*option.field);
    }
    options.HomeInNetscape = NumberFromText(
        store.ReadSetting(Main, QStringLiteral("HomeInNetscape"), QStringLiteral("1")));
    // Kept from the run that set the start page, so that a later close does not drop it.
    options.OldIEHome = store.ReadSetting(Main, QStringLiteral("OldIEHome"));
}

int LoadItems(const SettingsStore &store, ItemTable &table, ItemList &list)
{
    const qint16 stored =
        NumberFromText(store.ReadSetting(Main, QStringLiteral("NumEntries"), QStringLiteral("0")));
    const int count = std::max<int>(stored, 0);
    table.Recreate(std::max(count, 1));
    QList<ItemList::Entry> entries;
    entries.reserve(count);
    for (int i = 1; i <= count; ++i) {
        const QString section = CountText(i);
        const QString name = store.ReadSetting(section, QStringLiteral("Name"));
        ItemRecord &slot = table.Slot(i);
        slot.Description = store.ReadSetting(section, QStringLiteral("Description"));
        slot.URL = store.ReadSetting(section, QStringLiteral("URL"));
        slot.Priority = NumberFromText(store.ReadSetting(section, QStringLiteral("Priority")));
        slot.InUse = true;
        entries.append({name, i});
    }
    list.Fill(std::move(entries));
    return count;
}

bool SaveAll(const PageOptions &options, const ItemTable &table, const ItemList &list,
             QString *reason)
{
    // One fresh store object: clearing, writing and syncing in one go makes a single
    // replacement of the file, never an empty store on disk in between.
    SettingsStore store;
    if (options.RunBefore == u"Yes")
        store.DeleteAllSettings();
    store.WriteSetting(Main, QStringLiteral("RunBefore"), QStringLiteral("Yes"));
    for (const TextOption &option : TextOptions)
        store.WriteSetting(Main, QString::fromLatin1(option.key), options.*option.field);
    if (!options.OldIEHome.isEmpty())
        store.WriteSetting(Main, QStringLiteral("OldIEHome"), options.OldIEHome);
    store.WriteSetting(Main, QStringLiteral("HomeInNetscape"),
                       QString::number(options.HomeInNetscape));
    store.WriteSetting(Main, QStringLiteral("NumEntries"), CountText(list.Count()));

    for (int i = 1; i <= list.Count(); ++i) {
        const ItemList::Entry &entry = list.At(i - 1);
        const ItemRecord &slot = table.Slot(entry.Slot);
        const QString section = CountText(i);
        store.WriteSetting(section, QStringLiteral("Name"), entry.Name);
        store.WriteSetting(section, QStringLiteral("Description"), slot.Description);
        store.WriteSetting(section, QStringLiteral("URL"), slot.URL);
        store.WriteSetting(section, QStringLiteral("Priority"), QString::number(slot.Priority));
    }
    return store.Sync(reason);
}
