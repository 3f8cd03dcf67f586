#include "FirefoxProfile.h"

#include "MozillaIni.h"
#include "SameFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Far more than any profiles.ini; a larger file is not one.
constexpr qint64 IniLimit = 1 << 20;

QList<IniSection> ReadIni(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseMozillaIni(file.read(IniLimit));
}

struct Profile
{
    QString Path;   // as profiles.ini spells it
    QString Folder; // where it is
    bool Default = false;
};

QList<Profile> Profiles(const QList<IniSection> &ini, const QString &profilesFolder)
{
    QList<Profile> profiles;
    for (const IniSection &section : ini) {
        const QString path = section.Value(u"Path");
        if (!section.Name.startsWith(u"Profile") || path.isEmpty())
            continue;
        const bool relative = section.Value(u"IsRelative") == u"1";
        profiles.append({path, QDir::cleanPath(relative ? profilesFolder + u'/' + path : path),
                         section.Value(u"Default") == u"1"});
    }
    return profiles;
}

// The profiles that the installs' sections name as their default, in file order: in
// profiles.ini the [Install…] sections, in installs.ini every section, named by the install alone.
QList<Profile> InstallDefaults(const QList<IniSection> &ini, const QList<Profile> &profiles,
                               bool onlyInstallSections)
{
    QList<Profile> chosen;
    for (const IniSection &section : ini) {
        if (onlyInstallSections && !section.Name.startsWith(u"Install"))
            continue;
        const QString path = section.Value(u"Default");
        const auto found = std::find_if(profiles.cbegin(), profiles.cend(),
                                        [&path](const Profile &p) { return p.Path == path; });
        if (found != profiles.cend())
            chosen.append(*found);
    }
    return chosen;
}

// The folder a program's files are in, the way Firefox names it in compatibility.ini.
QString ProgramFolder(const QString &program)
{
    const QString real = QFileInfo(program).canonicalFilePath();
    return QFileInfo(real.isEmpty() ? program : real).absolutePath();
}

bool LastRunByOneOf(const Profile &profile, const QStringList &programs)
{
    const QList<IniSection> compatibility =
        ReadIni(profile.Folder + QStringLiteral("/compatibility.ini"));
    for (const IniSection &section : compatibility) {
        if (section.Name != u"Compatibility")
            continue;
        const QString platformDir = section.Value(u"LastPlatformDir");
        for (const QString &program : programs) {
            if (!platformDir.isEmpty() && SameFolder(platformDir, ProgramFolder(program)))
                return true;
        }
    }
    return false;
}

// Firefox rewrites prefs.js whenever it runs.
QDateTime LastUsed(const Profile &profile)
{
    const QFileInfo prefs(profile.Folder + QStringLiteral("/prefs.js"));
    return prefs.exists() ? prefs.lastModified() : QFileInfo(profile.Folder).lastModified();
}

Profile ChooseInstall(const QList<Profile> &installs, const QStringList &programs)
{
    for (const Profile &profile : installs) {
        if (LastRunByOneOf(profile, programs))
            return profile;
    }
    return *std::max_element(
        installs.cbegin(), installs.cend(),
        [](const Profile &a, const Profile &b) { return LastUsed(a) < LastUsed(b); });
}

QString ChooseProfile(const QString &profilesFolder, const QStringList &programs)
{
    const QList<IniSection> ini = ReadIni(profilesFolder + QStringLiteral("/profiles.ini"));
    for (const IniSection &section : ini) {
        // Firefox asks which profile to use: none is the default.
        if (section.Name == u"General" && section.Value(u"StartWithLastProfile") == u"0")
            return {};
    }
    const QList<Profile> profiles = Profiles(ini, profilesFolder);
    QList<Profile> installs = InstallDefaults(ini, profiles, true);
    if (installs.isEmpty())
        installs = InstallDefaults(ReadIni(profilesFolder + QStringLiteral("/installs.ini")),
                                   profiles, false);
    if (!installs.isEmpty())
        return ChooseInstall(installs, programs).Folder;
    for (const Profile &profile : profiles) {
        if (profile.Default)
            return profile.Folder;
    }
    return profiles.size() == 1 ? profiles.first().Folder : QString();
}

} // namespace

QString FirefoxProfilesFolder(const QString &home, const QString &xdgConfigHome)
{
    const QString classic = home + QStringLiteral("/.mozilla/firefox");
    if (QFileInfo(classic).isDir())
        return classic;
    const QString config =
        QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/mozilla/firefox"));
}

QString DefaultFirefoxProfile(const QString &profilesFolder, const QStringList &programs)
{
    const QString folder = ChooseProfile(profilesFolder, programs);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}
