#include "ModuleMain.h"
#include "TestSeams.h"

#include <memory>

namespace {
std::unique_ptr<ModuleMain> &Instance()
{
    static std::unique_ptr<ModuleMain> instance;
    return instance;
}
} // namespace

ModuleMain &Globals()
{
    if (!Instance())
        Instance() = std::make_unique<ModuleMain>();
    return *Instance();
}

void ResetGlobals()
{
    ModuleMain &g = Globals();
    g.itemTable = ItemTable{};
    g.itemList.Clear();
    g.pageOptions = PageOptions{};
    g.AddMode = false;
    g.EditMode = false;
}
