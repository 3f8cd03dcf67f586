#include "PictureCopies.h"

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

} // namespace

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
        const QByteArray &bytes = *own;
        if (!WriteWholeFile(
                QDir::fromNativeSeparators(copy),
                [&bytes](const PieceWriter &write) { return write(bytes); }, reason)) {
            reason = copy + QStringLiteral(": ") + reason;
            return false;
        }
    }
    return true;
}
