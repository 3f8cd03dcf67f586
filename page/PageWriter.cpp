#include "PageWriter.h"

#include "MessageBox.h"
#include "ModuleMain.h"
#include "PageText.h"
#include "PictureCopies.h"
#include "ProgramLayout.h"
#include "WholeFile.h"

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

// The page is written whole or not at all, and a failure leaves the old page as it was. An
// installed program writes it to the user's data folder, which the first page makes.
bool WritePage(const QString &path, QString &reason)
{
    const ModuleMain &g = Globals();
    return WriteWholeFile(
        path,
        [&g](const PieceWriter &write) {
            return WritePageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures(), write);
        },
        reason);
}
} // namespace

bool GeneratePage(QWidget *window, bool ShowMessage)
{
    const QString path = PagePath();
    QString reason;
    bool written = false;
    {
        const BusyCursor busy(window);
        written = CopyPicturesBesidePage(reason) && WritePage(path, reason);
    }
    if (!written) {
        ShowError(window,
                  QStringLiteral("The page could not be written to %1.\n\n%2").arg(path, reason));
        return false;
    }
    if (ShowMessage) {
        ShowMessageBox(window,
                       {QStringLiteral("Information"), QStringLiteral("HTML has been generated."),
                        MessageIcon::Information});
    }
    return true;
}
