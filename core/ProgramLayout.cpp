#include "ProgramLayout.h"
#include "TestSeams.h"
#include "UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>

namespace {

const std::array<QString, 3> PictureNames = {QStringLiteral("high.gif"), QStringLiteral("med.gif"),
                                             QStringLiteral("low.gif")};
const QString PageName = QStringLiteral("To-Do.htm");

struct Layout
{
    QString pictureFolder;
    QString pageFolder;
};

QString &ProgramDirOverride()
{
    static QString dir;
    return dir;
}

QString &HandedPageFolder()
{
    static QString folder;
    return folder;
}

std::optional<Layout> &Decided()
{
    static std::optional<Layout> layout;
    return layout;
}

bool HoldsPictures(const QString &folder)
{
    return std::all_of(PictureNames.begin(), PictureNames.end(), [&folder](const QString &name) {
        return QFileInfo::exists(folder + u'/' + name);
    });
}

Layout Decide()
{
    const QString programDir = ProgramDirOverride().isEmpty()
                                   ? QCoreApplication::applicationDirPath()
                                   : ProgramDirOverride();
    if (!HoldsPictures(programDir)) {
        // Where an install puts the pictures, seen from where it puts the program.
        const QString installed =
            QDir::cleanPath(programDir + QStringLiteral("/" TAVREL_PICTURES_FROM_PROGRAM));
        if (HoldsPictures(installed)) {
            return {QDir::toNativeSeparators(installed),
                    QDir::toNativeSeparators(UserDataFolder())};
        }
    }
    const QString beside = QDir::toNativeSeparators(programDir);
    return {beside, beside};
}

const Layout &CurrentLayout()
{
    if (!Decided())
        Decided() = Decide();
    return *Decided();
}

} // namespace

QString OwnPictureFolder()
{
    return CurrentLayout().pictureFolder;
}

QString PictureFolder()
{
    return HandedPageFolder().isEmpty() ? OwnPictureFolder() : HandedPageFolder();
}

QString PictureFile(const QString &name)
{
    return PictureFolder() + QDir::separator() + name;
}

QString PagePath()
{
    const QString folder =
        HandedPageFolder().isEmpty() ? CurrentLayout().pageFolder : HandedPageFolder();
    return folder + QDir::separator() + PageName;
}

void UsePageFolder(const QString &folder)
{
    HandedPageFolder() = folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

void SetProgramDirForTests(const QString &dir)
{
    ProgramDirOverride() = dir;
    Decided().reset();
}
