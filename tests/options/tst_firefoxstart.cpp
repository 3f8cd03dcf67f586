// Firefox itself, started as a user starts it, on a home of the suite's own and a virtual X
// display (CTest runs the suite under xvfb-run): ticking the box makes it open on the page, and
// clearing it puts back the page it showed before.
#include "FirefoxHomePage.h"
#include "FirefoxProfile.h"
#include "FirefoxTestSeams.h"
#include "FoundFirefoxUnix.h"
#include "ModuleMain.h"
#include "PageWriter.h"
#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "StartPage.h"
#include "TestSeams.h"
#include "UserPrefs.h"
#include "WindowSupport.h"
#include "frmOptions.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// Firefox's first-run pages, which would stand in front of the home page.
const QByteArray FirstRunOff = R"(user_pref("browser.startup.firstrunSkipsHomepage", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("startup.homepage_welcome_url", "");
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionPolicyBypassNotification", true);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.page", 1);
)";

constexpr int StartSeconds = 90;

QString Home()
{
    return QDir::homePath();
}

// Runs Firefox to its end, within a time limit.
bool RunFirefox(const QString &program, const QStringList &arguments)
{
    QProcess firefox;
    firefox.setStandardOutputFile(QProcess::nullDevice());
    firefox.setStandardErrorFile(QProcess::nullDevice());
    firefox.start(program, arguments);
    if (firefox.waitForFinished(StartSeconds * 1000))
        return firefox.exitStatus() == QProcess::NormalExit;
    firefox.kill();
    firefox.waitForFinished();
    return false;
}

// What the last Firefox started wrote, for a failure's message.
QString LogPath()
{
    return ScratchUser::Root() + QStringLiteral("/firefox.log");
}

QByteArray Log()
{
    return ReadFileBytes(LogPath()).right(2000);
}

// The titles of the X display's windows.
QStringList WindowTitles()
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {"search", "--onlyvisible", "--name", ".", "getwindowname", "%@"});
    xdotool.waitForFinished(10000);
    return QString::fromUtf8(xdotool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// A picture of the whole display, for a person to look at, where TAVREL_SCREENSHOTS names a
// folder.
void Screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("TAVREL_SCREENSHOTS");
    if (!folder.isEmpty())
        QProcess::execute(QStringLiteral("import"),
                          {"-window", "root", folder + u'/' + name + QStringLiteral(".png")});
}

class RunningFirefox
{
public:
    // Without a profile, Firefox picks its default profile, which must be the one we wrote to.
    explicit RunningFirefox(const QString &program, const QString &profile = {})
    {
        firefox.setProcessChannelMode(QProcess::MergedChannels);
        firefox.setStandardOutputFile(LogPath());
        QStringList arguments{"--no-remote", "--new-instance"};
        if (!profile.isEmpty())
            arguments << "--profile" << profile;
        firefox.start(program, arguments);
        firefox.waitForStarted();
    }
    ~RunningFirefox()
    {
        // Asked to end, Firefox writes prefs.js as at any close.
        firefox.terminate();
        if (!firefox.waitForFinished(30000)) {
            firefox.kill();
            firefox.waitForFinished();
        }
    }
    Q_DISABLE_COPY_MOVE(RunningFirefox)

    // Waits until a window's title holds text; answers all titles then, or at the time limit.
    QStringList WaitForTitle(const QString &text)
    {
        const QDeadlineTimer deadline(StartSeconds * 1000);
        QStringList titles;
        while (!deadline.hasExpired() && firefox.state() == QProcess::Running) {
            titles = WindowTitles();
            if (titles.filter(text).size() > 0)
                break;
            QThread::msleep(500);
        }
        if (firefox.state() != QProcess::Running)
            titles << QStringLiteral("(Firefox ended: %1, exit code %2)")
                          .arg(firefox.errorString())
                          .arg(firefox.exitCode());
        return titles;
    }

private:
    QProcess firefox;
};

} // namespace

class tst_firefoxstart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tickingOpensFirefoxOnThePage();
    void clearingPutsTheOldPageBack();
    void sandboxLayoutOpensOnThePage_data();
    void sandboxLayoutOpensOnThePage();
    void cleanupTestCase();

private:
    void SetBox(bool ticked);

    QTemporaryDir programDir;
    QString program;
    QString profile;
};

void tst_firefoxstart::initTestCase()
{
    const QStringList programs = FirefoxPrograms();
    if (programs.isEmpty())
        QSKIP("No Firefox is installed (packaging/setup-debian.sh installs firefox-esr)");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("No X display: CTest runs this suite under xvfb-run");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool, which reads the windows' titles, is not installed");
    QVERIFY(Home().startsWith(ScratchUser::Root()));
    program = programs.first();

    QVERIFY(programDir.isValid());
    ResetGlobals();
    SetProgramDirForTests(programDir.path());
    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    QVERIFY(RunFirefox(program, {"--headless", "-CreateProfile", "tavrel-tests"}));
    profile = DefaultFirefoxProfile(
        FirefoxProfilesFolder(Home(), qEnvironmentVariable("XDG_CONFIG_HOME")), programs);
    QVERIFY(profile.endsWith(QStringLiteral(".tavrel-tests")));
    // Firefox makes a profile its default only once it has run in it; a new one made by
    // -CreateProfile alone would lose to a fresh profile of Firefox's own.
    QVERIFY(RunFirefox(program, {"--headless", "--no-remote", "--profile", profile, "--screenshot",
                                 programDir.filePath("first-run.png"), "about:blank"}));
    QFile prefs(profile + QStringLiteral("/prefs.js"));
    QVERIFY(prefs.open(QIODevice::Append));
    QVERIFY(prefs.write(FirstRunOff) == FirstRunOff.size());
}

void tst_firefoxstart::cleanupTestCase()
{
    SetProgramDirForTests({});
    UsePageFolder({});
    UseSystemFoldersForTests({});
}

// Through the options dialog, as a user does.
void tst_firefoxstart::SetBox(bool ticked)
{
    // As the run does at its start.
    ChooseStartPageBrowser();
    UsePageFolder(StartPageFolder());
    Globals().pageOptions.IEHomeSet = DetectStartPage();
    frmOptions dialog;
    dialog.show();
    auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("chkIE"));
    QVERIFY(box && box->isEnabled());
    QCOMPARE(box->text(), "Firefox");
    if (box->isChecked() != ticked)
        Click(dialog, QStringLiteral("chkIE"));
    Click(dialog, QStringLiteral("cmdDone"));
    QCOMPARE(Globals().pageOptions.IEHomeSet, ticked ? 1 : 0);
}

void tst_firefoxstart::tickingOpensFirefoxOnThePage()
{
    SetBox(true);
    QCOMPARE(FirefoxHomePage(profile), PageUrl(PagePath()));

    RunningFirefox firefox(program);
    const QStringList titles = firefox.WaitForTitle(QStringLiteral("Tavrel List"));
    Screenshot(QStringLiteral("firefox-ticked"));
    QVERIFY2(!titles.filter(QStringLiteral("Tavrel List")).isEmpty(),
             qPrintable(titles.join(" | ") + u'\n' + QString::fromUtf8(Log())));
}

void tst_firefoxstart::clearingPutsTheOldPageBack()
{
    SetBox(false);
    const QByteArray userJs = ReadFileBytes(UserJsPath(profile));
    QCOMPARE(OurStringPref(userJs, u"browser.startup.homepage"), FirefoxDefaultHomePage);

    {
        RunningFirefox firefox(program);
        const QStringList titles = firefox.WaitForTitle(QStringLiteral("Mozilla Firefox"));
        QVERIFY2(!titles.filter(QStringLiteral("Mozilla Firefox")).isEmpty(),
                 qPrintable(titles.join(" | ") + u'\n' + QString::fromUtf8(Log())));
        QThread::sleep(3); // the home page's load, had it gone to the list
        Screenshot(QStringLiteral("firefox-cleared"));
        QVERIFY2(WindowTitles().filter(QStringLiteral("Tavrel List")).isEmpty(),
                 qPrintable(WindowTitles().join(" | ")));
    }
    // Firefox has taken the old page into prefs.js: the next start of the program gives the
    // setting back.
    QCOMPARE(DetectStartPage(), 0);
    QVERIFY(!ReadFileBytes(UserJsPath(profile)).contains(OurMark.toUtf8()));
}

// The same profile moved into a sandboxed Firefox's layout of the home, with that Firefox's
// program where the finder looks for it: below a scratch /snap with Ubuntu's wrapper the only
// Firefox on the PATH, or exported by the user's Flatpak installation. The page and its pictures
// go into that Firefox's own folder, and Firefox opens on it there. No snap or Flatpak runs
// here, and ESR has no sandbox: the steps rows show that the page lies where a sandbox reads it.
void tst_firefoxstart::sandboxLayoutOpensOnThePage_data()
{
    QTest::addColumn<QString>("own");     // the Firefox's own folder, below the home
    QTest::addColumn<QString>("program"); // below the scratch folder
    QTest::addColumn<bool>("wrapped");    // started by a wrapper on the PATH

    QTest::newRow("snap") << "snap/firefox/common"
                          << "system/snap/bin/firefox" << true;
    QTest::newRow("Flatpak") << ".var/app/org.mozilla.firefox"
                             << "home/.local/share/flatpak/exports/bin/org.mozilla.firefox"
                             << false;
}

void tst_firefoxstart::sandboxLayoutOpensOnThePage()
{
    QFETCH(QString, own);
    QFETCH(QString, program);
    QFETCH(bool, wrapped);

    const QString system = ScratchUser::Root() + QStringLiteral("/system");
    QVERIFY(QDir(system).removeRecursively()); // the earlier row's snap with it
    UseSystemFoldersForTests(system);
    program = ScratchUser::Root() + u'/' + program;
    QVERIFY(WriteFileBytes(program, "#!/bin/sh\n"));
    const QTemporaryDir path;
    if (wrapped) {
        const QString wrapper = path.filePath(QStringLiteral("firefox"));
        QVERIFY(
            WriteFileBytes(wrapper, "#!/bin/sh\nexec " + QFile::encodeName(program) + " \"$@\"\n"));
        QVERIFY(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray userPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(path.path()));
    const auto restorePath = qScopeGuard([&userPath] { qputenv("PATH", userPath); });

    own = Home() + u'/' + own;
    const QString moved = own + QStringLiteral("/.mozilla/firefox/tavrel-tests");
    QVERIFY(QDir().mkpath(own + QStringLiteral("/.mozilla/firefox")));
    QVERIFY(QDir().rename(profile, moved));
    profile = moved;
    QVERIFY(WriteFileBytes(own + QStringLiteral("/.mozilla/firefox/profiles.ini"),
                           "[Profile0]\nName=tavrel-tests\nIsRelative=1\nPath=tavrel-tests\n"
                           "Default=1\n\n[General]\nStartWithLastProfile=1\n"));
    // Installed, with its real pictures, the program would write its page to ~/.local/share.
    const QString bin = programDir.filePath(QStringLiteral("installed/usr/bin"));
    for (const char *name : {"high.gif", "med.gif", "low.gif"}) {
        const QString picture = QFINDTESTDATA(QStringLiteral("../../assets/") + name);
        QVERIFY(WriteFileBytes(InstalledPictureFolder(bin) + u'/' + QLatin1String(name),
                               ReadFileBytes(picture)));
    }
    ResetGlobals();
    SetProgramDirForTests(bin);
    ModuleMain &g = Globals();
    for (const qint16 priority : {3, 2, 1}) {
        const int slot = g.itemTable.FindFreeSlot();
        g.itemTable.Slot(slot) =
            ItemRecord{true, {}, QStringLiteral("in its own folder"), priority};
        g.itemList->Insert(QStringLiteral("Priority %1").arg(priority), slot);
    }

    SetBox(true);
    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    // Where the pictures lie, and that nothing goes to ~/.local/share: tst_startpage's steps.
    QVERIFY2(PagePath().startsWith(own + QStringLiteral("/Tavrel/")), qPrintable(PagePath()));
    QCOMPARE(FirefoxHomePage(profile), PageUrl(PagePath()));
    {
        // Firefox itself runs with the user's PATH.
        qputenv("PATH", userPath);
        RunningFirefox firefox(this->program, profile);
        const QStringList titles = firefox.WaitForTitle(QStringLiteral("Tavrel List"));
        QThread::sleep(2); // the pictures' load
        Screenshot(QStringLiteral("firefox-%1-layout").arg(QTest::currentDataTag()));
        QVERIFY2(!titles.filter(QStringLiteral("Tavrel List")).isEmpty(),
                 qPrintable(titles.join(" | ") + u'\n' + QString::fromUtf8(Log())));
    }
    qputenv("PATH", QFile::encodeName(path.path()));
    SetBox(false);
    QCOMPARE(OurStringPref(ReadFileBytes(UserJsPath(profile)), u"browser.startup.homepage"),
             FirefoxDefaultHomePage);
}

TAVREL_TEST_MAIN(tst_firefoxstart)
#include "tst_firefoxstart.moc"
