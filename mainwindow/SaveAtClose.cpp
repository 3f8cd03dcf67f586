#include "SaveAtClose.h"

#include "MessageBox.h"
#include "ModuleMain.h"
#include "PageWriter.h"
#include "Persistence.h"
#include "SettingsStore.h"

void SaveAtClose(QWidget *window)
{
    const ModuleMain &g = Globals();
    if (g.pageOptions.GenerateOnClose == u"True")
        GeneratePage(window, false);
    if (!SaveAll(g.pageOptions, g.itemTable, *g.itemList)) {
        ShowError(
            window,
            QStringLiteral("The list could not be saved to %1.").arg(SettingsStore::FilePath()));
    }
}
