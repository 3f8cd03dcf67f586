#include "FoundFirefoxUnix.h"

#include "FirefoxProfile.h"
#include "FirefoxTestSeams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where /snap and /var/lib/flatpak are: the machine's own, or the tests'.
QString &SystemRoot()
{
    static QString root;
    return root;
}

// Our folder inside a sandboxed Firefox's own, which its sandbox always lets it read.
const QString PageFolderName = QStringLiteral("/Tavrel");

bool Below(const QString &path, const QString &folder)
{
    return !path.isEmpty() && QDir::cleanPath(path).startsWith(QDir::cleanPath(folder) + u'/');
}

enum class Leads
{
    Here,
    ToSnap,
    ToFlatpak,
};

// Where a program on the PATH runs Firefox.
Leads WhereItLeads(const QString &program, const QString &snapRoot)
{
    const QString real = QFileInfo(program).canonicalFilePath();
    if (Below(program, snapRoot) || Below(real, snapRoot))
        return Leads::ToSnap;
    QFile file(real.isEmpty() ? program : real);
    if (!file.open(QIODevice::ReadOnly))
        return Leads::Here;
    const QByteArray start = file.read(4096);
    if (!start.startsWith("#!"))
        return Leads::Here;
    if (start.contains(QFile::encodeName(QDir::cleanPath(snapRoot)) + '/'))
        return Leads::ToSnap;
    return start.contains("flatpak") ? Leads::ToFlatpak : Leads::Here;
}

QString DataHome(const LinuxRoots &roots)
{
    return QDir::isAbsolutePath(roots.XdgDataHome) ? roots.XdgDataHome
                                                   : roots.Home + QStringLiteral("/.local/share");
}

} // namespace

QList<FoundFirefox> FindLinuxFirefoxes(const LinuxRoots &roots, const QStringList &programs)
{
    QStringList here;
    QStringList snap;
    for (const QString &program : programs) {
        switch (WhereItLeads(program, roots.Snap)) {
        case Leads::Here:
            here << program;
            break;
        case Leads::ToSnap:
            snap << program;
            break;
        case Leads::ToFlatpak:
            break; // found by its installation instead
        }
    }
    // Removing the snap leaves Ubuntu's wrapper behind.
    if (!QFileInfo::exists(roots.Snap + QStringLiteral("/bin/firefox")))
        snap.clear();
    QStringList flatpak;
    for (const QString &installation :
         {DataHome(roots) + QStringLiteral("/flatpak"), roots.SystemFlatpak}) {
        const QString program = installation + QStringLiteral("/exports/bin/org.mozilla.firefox");
        if (QFileInfo(program).isFile())
            flatpak << program;
    }

    QList<FoundFirefox> found;
    if (!here.isEmpty())
        found.append({here, FirefoxProfilesFolder(roots.Home, roots.XdgConfigHome), {}});
    const QString snapOwn = roots.Home + QStringLiteral("/snap/firefox/common");
    if (!snap.isEmpty())
        found.append(
            {snap, snapOwn + QStringLiteral("/.mozilla/firefox"), snapOwn + PageFolderName});
    const QString flatpakOwn = roots.Home + QStringLiteral("/.var/app/org.mozilla.firefox");
    if (!flatpak.isEmpty()) {
        found.append({flatpak, flatpakOwn + QStringLiteral("/.mozilla/firefox"),
                      flatpakOwn + PageFolderName});
    }
    return found;
}

QStringList FirefoxPrograms()
{
    QStringList programs;
    for (const char *name : {"firefox-esr", "firefox"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            programs.append(program);
    }
    return programs;
}

QList<FoundFirefox> FindFirefoxes()
{
    const QString system = SystemRoot();
    return FindLinuxFirefoxes({QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"),
                               qEnvironmentVariable("XDG_DATA_HOME"),
                               system + QStringLiteral("/snap"),
                               system + QStringLiteral("/var/lib/flatpak")},
                              FirefoxPrograms());
}

void UseSystemFoldersForTests(const QString &root)
{
    SystemRoot() = root;
}
