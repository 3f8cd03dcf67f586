#include "PageWriter.h"

#include "MessageBox.h"
#include "ModuleMain.h"
#include "PageText.h"
#include "ProgramLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QWidget>

#include <filesystem>
#include <system_error>

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

// A short write (the disk or the file size limit reached) is no error to QFile; writing the rest
// brings out the system's reason.
bool WriteAll(QSaveFile &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 count = file.write(bytes.data(), bytes.size());
        if (count <= 0)
            return false;
        bytes = bytes.sliced(qsizetype(count));
    }
    return true;
}

// An installed program writes its page to the user's data folder, which the first page may have
// to make. A folder that is there already, or a file in its place, is left to the write to judge.
bool MakePageFolder(const QString &path, QString &reason)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo::exists(folder))
        return true;
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error)
        reason = QString::fromLocal8Bit(error.message());
    return !error;
}

// The page goes to a temporary file beside the old one, which is replaced only once the new one
// is whole: a failed or interrupted write leaves the old page as it was, and no temporary file.
// Unbuffered, so that a failure cannot hide in a flush that the commit does not check.
bool WritePage(const QString &path, QString &reason)
{
    QSaveFile file(path);
    const ModuleMain &g = Globals();
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        WritePageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures(),
                      [&file](QByteArrayView piece) { return WriteAll(file, piece); }) &&
        file.commit();
    if (!written)
        reason = file.errorString(); // an unfinished temporary file goes with the QSaveFile
    return written;
}
} // namespace

bool GeneratePage(QWidget *window, bool ShowMessage)
{
    const QString path = PagePath();
    QString reason;
    bool written = false;
    {
        const BusyCursor busy(window);
        written = MakePageFolder(path, reason) && WritePage(path, reason);
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
