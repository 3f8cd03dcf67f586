#pragma once

#include <QString>

#include <vector>

// One slot of the item table. The item's name is not here: it is the text of the
// list entry that points at this slot.
struct ItemRecord
{
    bool InUse = false;
    QString URL;
    QString Description;
    qint16 Priority = 0;
};

// The records behind the list entries, numbered from 1. Loading the list replaces the table
// (Recreate); after that it grows one slot at a time, never beyond what a 16-bit slot number can
// address, and no slot is removed.
class ItemTable
{
public:
    static constexpr int MaxSlots = 32767;

    // Replaces the table by records 1..count, all empty.
    void Recreate(int count);

    int UpperBound() const { return int(records.size()); }
    ItemRecord &Slot(int number) { return records.at(std::size_t(number - 1)); }
    const ItemRecord &Slot(int number) const { return records.at(std::size_t(number - 1)); }

    // The highest-numbered free slot; when none is free, a new empty last slot.
    // Answers 0 when every one of MaxSlots records is in use.
    int FindFreeSlot();
    bool AnyInUse() const;

private:
    std::vector<ItemRecord> records;
};
