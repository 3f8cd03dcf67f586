#include "ModuleMain.h"
#include "TestSeams.h"

ModuleMain &Globals()
{
    static ModuleMain shared;
    return shared;
}

RunItemList::RunItemList()
{
    Globals().itemList = &list;
}

RunItemList::~RunItemList()
{
    Globals().itemList = nullptr;
}

void ResetGlobals()
{
    ModuleMain &g = Globals();
    g.itemTable = ItemTable{};
    if (g.itemList)
        g.itemList->Clear();
    g.pageOptions = PageOptions{};
    g.AddMode = false;
    g.EditMode = false;
}
