#pragma once

#include "ItemList.h"
#include "ItemTable.h"
#include "PageOptions.h"

// The program's shared state, alive for the whole run.
struct ModuleMain
{
    ItemTable itemTable;
    ItemList *itemList = nullptr; // the entries that lstItems shows, while a RunItemList lives
    PageOptions pageOptions;
    bool AddMode = false;
    bool EditMode = false;
};

ModuleMain &Globals();

// The item list of a run, which Globals() points at while it lives. A model holding a collator
// belongs inside the application object's lifetime, so the run keeps it on its own stack, after
// the application object, rather than in the shared state that outlives it.
class RunItemList
{
public:
    RunItemList();
    ~RunItemList();
    Q_DISABLE_COPY_MOVE(RunItemList)

private:
    ItemList list;
};

// Opens and closes every quoted attribute value the page writer builds itself.
inline constexpr QChar Quote = u'"';
