#include "ProgramLayout.h"
#include "ModuleMain.h"
#include "TestSeams.h"
#include "UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

const std::array<QString, 3> PictureNames = {QStringLiteral("high.gif"), QStringLiteral("med.gif"),
                                             QStringLiteral("low.gif")};
const QString PageName = QStringLiteral("To-Do.htm");

bool HoldsPictures(const QString &folder)
{
    return std::all_of(PictureNames.begin(), PictureNames.end(), [&folder](const QString &name) {
        return QFileInfo::exists(folder + u'/' + name);
    });
}

ProgramPlaces Decide()
{
    const QString &override = Globals().programDirForTests;
    const QString programDir =
        override.isEmpty() ? QCoreApplication::applicationDirPath() : override;
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

const ProgramPlaces &CurrentLayout()
{
    std::optional<ProgramPlaces> &places = Globals().places;
    if (!places)
        places = Decide();
    return *places;
}

} // namespace

QString OwnPictureFolder()
{
    return CurrentLayout().PictureFolder;
}

QString PictureFolder()
{
    const QString &handed = Globals().handedPageFolder;
    return handed.isEmpty() ? OwnPictureFolder() : handed;
}

QString PictureFile(const QString &name)
{
    return PictureFolder() + QDir::separator() + name;
}

QString PagePath()
{
    const QString &handed = Globals().handedPageFolder;
    return (handed.isEmpty() ? CurrentLayout().PageFolder : handed) + QDir::separator() + PageName;
}

void UsePageFolder(const QString &folder)
{
    Globals().handedPageFolder = QDir::toNativeSeparators(folder);
}

void SetProgramDirForTests(const QString &dir)
{
    Globals().programDirForTests = dir;
    Globals().places.reset();
}
