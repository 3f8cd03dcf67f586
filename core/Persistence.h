#pragma once

class ItemList;
class QString;
class ItemTable;
class SettingsStore;
struct PageOptions;

// Reads every option of section "Main" with its default (IEHomeSet is left alone).
void LoadOptions(const SettingsStore &store, PageOptions &options);

// Fills the list and the table from the stored items: stored item i goes to slot i.
// With nothing stored the table gets one free slot. Answers the number of items loaded.
int LoadItems(const SettingsStore &store, ItemTable &table, ItemList &list);

// Replaces the whole store by the options and the items in list order. Answers false when the
// store could not be written, with the system's reason in reason where given; the old store is
// then left as it was.
bool SaveAll(const PageOptions &options, const ItemTable &table, const ItemList &list,
             QString *reason = nullptr);
