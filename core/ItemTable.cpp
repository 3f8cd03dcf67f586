#include "ItemTable.h"

#include <algorithm>

void ItemTable::Recreate(int count)
{
    records.assign(std::size_t(std::max(count, 0)), ItemRecord{});
}

int ItemTable::FindFreeSlot()
{
    // Walking down from the top finds the same slot as a full walk up that keeps the last hit.
    for (int number = UpperBound(); number >= 1; --number) {
        if (!Slot(number).InUse)
            return number;
    }
    if (UpperBound() >= MaxSlots)
        return 0;
    records.emplace_back();
    return UpperBound();
}

bool ItemTable::AnyInUse() const
{
    return std::any_of(records.begin(), records.end(), [](const ItemRecord &r) { return r.InUse; });
}
