#include "GeneratePage.h"

#include "MessageBox.h"
#include "PageWriter.h"
#include "ProgramLayout.h"

#include <QWidget>

bool GeneratePage(QWidget *window, bool ShowMessage)
{
    QString reason;
    if (window)
        window->setCursor(Qt::WaitCursor);
    const bool written = WritePage(reason);
    // The default cursor is back before any message is shown.
    if (window)
        window->unsetCursor();
    if (!written) {
        ShowError(
            window,
            QStringLiteral("The page could not be written to %1.\n\n%2").arg(PagePath(), reason));
        return false;
    }
    if (ShowMessage) {
        ShowMessageBox(window,
                       {QStringLiteral("Information"), QStringLiteral("HTML has been generated."),
                        MessageIcon::Information});
    }
    return true;
}
