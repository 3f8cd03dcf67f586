#include "PageWriter.h"

#include "ModuleMain.h"
#include "PageText.h"
#include "ProgramLayout.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// Our pictures are a few hundred bytes; a larger file is none of them.
constexpr qint64 PictureLimit = 1 << 20;

std::optional<QByteArray> ReadPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(PictureLimit);
}

// When the page has a folder of its own, the pictures it shows are copies there of the
// program's own: each written whole where it is missing or differs, left alone where it is the
// same. A picture the program lacks is not copied, as the page shows none for it either way.
bool CopyPicturesBesidePage(QString &reason)
{
    if (QDir::cleanPath(PictureFolder()) == QDir::cleanPath(OwnPictureFolder()))
        return true;
    const PagePictures copies = ProgramPictures();
    for (const QString &copy : {copies.High, copies.Medium, copies.Low}) {
        const std::optional<QByteArray> own =
            ReadPicture(OwnPictureFolder() + QDir::separator() + QFileInfo(copy).fileName());
        if (!own || ReadPicture(copy) == own)
            continue;
        if (!WriteWholeFile(
                QDir::fromNativeSeparators(copy),
                [&own](const PieceWriter &write) { return write(*own); }, reason)) {
            reason = copy + QStringLiteral(": ") + reason;
            return false;
        }
    }
    return true;
}

} // namespace

bool WritePage(QString &reason)
{
    if (!CopyPicturesBesidePage(reason))
        return false;
    const ModuleMain &g = Globals();
    return WriteWholeFile(
        PagePath(),
        [&g](const PieceWriter &write) {
            return WritePageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures(), write);
        },
        reason);
}
