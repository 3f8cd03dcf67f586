#pragma once

#include "ItemList.h"
#include "ItemTable.h"
#include "PageOptions.h"

// The program's shared state, alive for the whole run.
struct ModuleMain
{
    ItemTable itemTable;
    ItemList itemList; // the entries that lstItems shows
    PageOptions pageOptions;
    bool AddMode = false;
    bool EditMode = false;
};

ModuleMain &Globals();

// Opens and closes every quoted attribute value the page writer builds itself.
inline constexpr QChar Quote = u'"';
