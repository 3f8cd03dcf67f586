#include "GeneratePage.h"

#include "MessageBox.h"
#include "PageWriter.h"
#include "ProgramLayout.h"

#include <QPointer>
#include <QWidget>

namespace {
// The busy cursor on the window while the page is built and written, back to the default on
// every way out, before any message is shown.
class BusyCursor
{
public:
    explicit BusyCursor(QWidget *window) : window(window)
    {
        if (window)
            window->setCursor(Qt::WaitCursor);
    }
    ~BusyCursor()
    {
        if (window)
            window->unsetCursor();
    }
    Q_DISABLE_COPY_MOVE(BusyCursor)

private:
    QPointer<QWidget> window;
};
} // namespace

bool GeneratePage(QWidget *window, bool ShowMessage)
{
    QString reason;
    bool written = false;
    {
        const BusyCursor busy(window);
        written = WritePage(reason);
    }
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
