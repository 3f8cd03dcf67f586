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
    ItemList *const list = g.itemList;
    const QString userFolders = g.userFoldersForTests;
    g = ModuleMain{};
    if (list)
        list->Clear();
    g.itemList = list;
    g.userFoldersForTests = userFolders;
}
