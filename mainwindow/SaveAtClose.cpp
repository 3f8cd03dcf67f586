#include "SaveAtClose.h"

#include "GeneratePage.h"
#include "MessageBox.h"
#include "ModuleMain.h"
#include "Persistence.h"
#include "SettingsStore.h"
#include "WholeFile.h"

#include <QDir>

using namespace std::chrono_literals;

void SaveAtClose(QWidget *window)
{
    // A file another program holds is waited for, page and store together, only so long that a
    // close Windows gives five seconds still ends in time.
    const SharedReplacePatience patience(2s);
    const ModuleMain &g = Globals();
    if (g.pageOptions.GenerateOnClose == u"True")
        GeneratePage(window, false);
    QString reason;
    if (!SaveAll(g.pageOptions, g.itemTable, *g.itemList, &reason)) {
        ShowError(window, QStringLiteral("The list could not be saved to %1.\n\n%2")
                              .arg(QDir::toNativeSeparators(SettingsStore::FilePath()), reason));
    }
}
