// The Firefoxes of Linux on scratch roots: the distribution's package, the snap and the Flatpak,
// and the one chosen among them.
#include "BrowserStartPage.h"
#include "FirefoxProfile.h"
#include "FoundFirefoxUnix.h"
#include "RowHome.h"
#include "StartPageFirefox.h"

#include <QMap>
#include <QTest>

namespace {

// A default profile in profilesFolder.
Files ProfileIn(const QString &profilesFolder)
{
    return {{profilesFolder + QStringLiteral("/profiles.ini"),
             "[Profile0]\nName=p\nIsRelative=1\nPath=p\nDefault=1\n"},
            {profilesFolder + QStringLiteral("/p/"), {}}};
}

const QString SnapOwn = QStringLiteral("home/snap/firefox/common");
const QString FlatpakOwn = QStringLiteral("home/.var/app/org.mozilla.firefox");

} // namespace

class tst_firefoxlinux : public QObject
{
    Q_OBJECT

private slots:
    void firefoxes_data();
    void firefoxes();
};

void tst_firefoxlinux::firefoxes_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("programs"); // those found on the PATH
    QTest::addColumn<QString>("xdgDataHome");  // below the row's folder; empty: unset
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("chosen"); // empty: none

    // The row's folder stands for /: the home is home/, the snap's root snap/.
    const Files esr = {{"usr/lib/firefox-esr/firefox-esr", "\x7f"
                                                           "ELF"}};
    const QStringList esrProgram{"usr/lib/firefox-esr/firefox-esr"};
    const Files snap = {{"snap/bin/firefox", "#!/bin/sh\n"}};
    const Files wrapper = {{"usr/bin/firefox", "#!/bin/sh\nexec %HOME%/snap/bin/firefox \"$@\"\n"}};
    const QStringList wrapperProgram{"usr/bin/firefox"};
    const Files userFlatpak = {
        {"home/.local/share/flatpak/exports/bin/org.mozilla.firefox", "#!/bin/sh\n"}};
    const Files systemFlatpak = {
        {"var/lib/flatpak/exports/bin/org.mozilla.firefox", "#!/bin/sh\n"}};
    const Files esrProfile = ProfileIn(QStringLiteral("home/.mozilla/firefox"));
    const Files snapProfile = ProfileIn(SnapOwn + QStringLiteral("/.mozilla/firefox"));
    const Files flatpakProfile = ProfileIn(FlatpakOwn + QStringLiteral("/.mozilla/firefox"));
    const QString none;
    const QStringList noPrograms;

    QTest::newRow("snap by program") << snap + snapProfile << QStringList{"snap/bin/firefox"}
                                     << none << QStringList{"snap"} << "snap";
    QTest::newRow("snap by program, no profile")
        << snap << QStringList{"snap/bin/firefox"} << none << QStringList{"snap"} << none;
    QTest::newRow("snap by wrapper")
        << snap + wrapper + snapProfile << wrapperProgram << none << QStringList{"snap"} << "snap";
    QTest::newRow("snap by wrapper, no profile")
        << snap + wrapper << wrapperProgram << none << QStringList{"snap"} << none;
    QTest::newRow("wrapper left by a removed snap")
        << wrapper + snapProfile << wrapperProgram << none << QStringList() << none;
    QTest::newRow("Flatpak for the user") << userFlatpak + flatpakProfile << noPrograms << none
                                          << QStringList{"flatpak"} << "flatpak";
    QTest::newRow("Flatpak for the user, no profile")
        << userFlatpak << noPrograms << none << QStringList{"flatpak"} << none;
    QTest::newRow("Flatpak for the user in XDG_DATA_HOME")
        << Files{{"data/flatpak/exports/bin/org.mozilla.firefox", "#!/bin/sh\n"}} + userFlatpak +
               flatpakProfile
        << noPrograms << "data" << QStringList{"flatpak"} << "flatpak";
    QTest::newRow("Flatpak for the system") << systemFlatpak + flatpakProfile << noPrograms << none
                                            << QStringList{"flatpak"} << "flatpak";
    QTest::newRow("Flatpak for the system, no profile")
        << systemFlatpak << noPrograms << none << QStringList{"flatpak"} << none;
    QTest::newRow("a script that runs the Flatpak is not the distribution's")
        << Files{{"usr/bin/firefox", "#!/bin/sh\nexec flatpak run org.mozilla.firefox \"$@\"\n"}} +
               esrProfile
        << wrapperProgram << none << QStringList() << none;
    QTest::newRow("Debian's wrapper is the distribution's")
        << Files{{"usr/bin/firefox",
                  "#!/bin/sh\nFIREFOX=\"$(command -v firefox)\"\nexec firefox-esr \"$@\"\n"}} +
               esrProfile
        << wrapperProgram << none << QStringList{"distribution"} << "distribution";
    QTest::newRow("a program naming the snap is no script")
        << Files{{"usr/bin/firefox", "\x7f"
                                     "ELF %HOME%/snap/bin/firefox"}} +
               snap + esrProfile
        << wrapperProgram << none << QStringList{"distribution"} << "distribution";
    QTest::newRow("the distribution's, then the snap, then the Flatpak")
        << esr + esrProfile + snap + snapProfile + userFlatpak + flatpakProfile
        << esrProgram + QStringList{"snap/bin/firefox"} << none
        << QStringList{"distribution", "snap", "flatpak"} << "distribution";
    QTest::newRow("the snap before the Flatpak")
        << snap + wrapper + snapProfile + systemFlatpak + flatpakProfile << wrapperProgram << none
        << QStringList{"snap", "flatpak"} << "snap";
    QTest::newRow("the first with a profile")
        << esr + snap + wrapper + userFlatpak + flatpakProfile << esrProgram + wrapperProgram
        << none << QStringList{"distribution", "snap", "flatpak"} << "flatpak";
}

void tst_firefoxlinux::firefoxes()
{
    QFETCH(Files, files);
    QFETCH(QStringList, programs);
    QFETCH(QString, xdgDataHome);
    QFETCH(QStringList, found);
    QFETCH(QString, chosen);

    const RowHome root(files);
    for (QString &program : programs)
        program = root.Path(program);
    const QString home = root.Path(QStringLiteral("home"));
    const LinuxRoots roots{home,
                           {},
                           xdgDataHome.isEmpty() ? QString() : root.Path(xdgDataHome),
                           root.Path(QStringLiteral("snap")),
                           root.Path(QStringLiteral("var/lib/flatpak"))};
    // Each kind by the folders of its profiles and of the page.
    const QMap<QString, std::pair<QString, QString>> folders{
        {"distribution", {FirefoxProfilesFolder(home, {}), {}}},
        {"snap", {root.Path(SnapOwn + "/.mozilla/firefox"), root.Path(SnapOwn + "/Tavrel")}},
        {"flatpak",
         {root.Path(FlatpakOwn + "/.mozilla/firefox"), root.Path(FlatpakOwn + "/Tavrel")}}};

    const QList<FoundFirefox> firefoxes = FindLinuxFirefoxes(roots, programs);

    QStringList kinds;
    for (const FoundFirefox &firefox : firefoxes)
        kinds << folders.key({firefox.ProfilesFolder, firefox.PageFolder}, "unexpected");
    QCOMPARE(kinds, found);
    const std::unique_ptr<BrowserStartPage> taken = ChooseFirefox(firefoxes);
    QCOMPARE(bool(taken), !chosen.isEmpty());
    if (taken)
        QCOMPARE(taken->PageFolder(), folders[chosen].second);
}

TAVREL_TEST_GUILESS_MAIN(tst_firefoxlinux)
#include "tst_firefoxlinux.moc"
