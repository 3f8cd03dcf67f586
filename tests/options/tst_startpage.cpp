#include "InternetExplorerRule.h"
#include "ModuleMain.h"
#include "PageOptions.h"
#include "PageWriter.h"
#include "ProgramLayout.h"
#include "ScratchBrowser.h"
#include "ScratchFirefox.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "StartPage.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "UserPrefs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(Browser)

namespace {

const QString MakersAddress = QStringLiteral("http://www.tavrel.example/");
const QString SyncOff = OurLine(QStringLiteral("services.sync.prefs.sync.browser.startup.homepage"),
                                QStringLiteral("false"));

QString Name(Browser browser)
{
    return browser == Browser::InternetExplorer ? QStringLiteral("Internet Explorer")
                                                : QStringLiteral("Firefox");
}

// A null text stands for no stored "OldIEHome".
QString StoredOldIEHome()
{
    return SettingsStore().ReadSetting("Main", "OldIEHome", QString());
}

void StoreOldIEHome(const QString &old)
{
    if (old.isNull())
        return;
    SettingsStore store;
    store.WriteSetting("Main", "OldIEHome", old);
    QVERIFY(store.Sync());
}

bool Offered(Browser browser)
{
    return ScratchBrowser::Browsers().contains(browser);
}

// The browser as a row's name has it.
QString Label(Browser browser)
{
    switch (browser) {
    case Browser::SnapFirefox:
        return QStringLiteral("snap Firefox");
    case Browser::FlatpakFirefox:
        return QStringLiteral("Flatpak Firefox");
    default:
        return Name(browser);
    }
}

// The page, for a list of one item of each priority, and the pictures it names.
QStringList WrittenPageAndPictures()
{
    ModuleMain &g = Globals();
    for (const qint16 priority : {1, 2, 3}) {
        const int slot = g.itemTable.FindFreeSlot();
        g.itemTable.Slot(slot) = ItemRecord{true, {}, {}, priority};
        g.itemList->Insert(QString::number(priority), slot);
    }
    QString reason;
    const bool written = WritePage(reason);
    g.itemTable = ItemTable{};
    g.itemList->Clear();
    QStringList files{written ? PagePath() : QStringLiteral("(not written)")};
    static const QRegularExpression src(QStringLiteral("src=\"([^\"]*)\""));
    for (const QRegularExpressionMatch &match :
         src.globalMatch(QString::fromLocal8Bit(ReadFileBytes(PagePath()))))
        files << match.captured(1);
    return files;
}

} // namespace

class tst_startpage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void steps_data();
    void steps();
    void failedWrite_data();
    void failedWrite();
    void internetExplorerRule_data();
    void internetExplorerRule();
    void choice_data();
    void choice();
    void earlierRunSetAnotherBrowser_data();
    void earlierRunSetAnotherBrowser();
    void usersOwnFirefoxUntouched();
    void detectInternetExplorer_data();
    void detectInternetExplorer();

private:
    QTemporaryDir programDir;
    std::optional<ScratchBrowser> browser;
};

// Installed, as the program finds itself, its page goes to the user's data folder unless a
// browser needs it elsewhere.
void tst_startpage::initTestCase()
{
    QVERIFY(programDir.isValid());
    const QString bin = programDir.filePath(QStringLiteral("usr/bin"));
    QVERIFY(PutPictures(InstalledPictureFolder(bin)));
    SetProgramDirForTests(bin);
}

// Every test starts with no browser and a store holding other settings, which must survive
// whatever the start-page steps write.
void tst_startpage::init()
{
    browser.reset();
    browser.emplace();
    SettingsStore store;
    store.DeleteAllSettings();
    store.WriteSetting("Main", "HeaderColor", "Red");
    store.WriteSetting(" 1", "Name", "First");
    QVERIFY(store.Sync());
}

void tst_startpage::cleanupTestCase()
{
    browser.reset();
    SetProgramDirForTests({});
}

// The three steps as the program runs them, once for each browser it can set here.
void tst_startpage::steps_data()
{
    QTest::addColumn<Browser>("browser");
    QTest::addColumn<QString>("startPage"); // null: none of the user's
    QTest::addColumn<QString>("storedOld"); // null: none stored
    QTest::addColumn<int>("ieHomeSet");
    QTest::addColumn<int>("ieChecked"); // and so IEHomeSet after
    QTest::addColumn<QString>("expectedOldIEHome");
    QTest::addColumn<QString>("expectedStoredOld");
    QTest::addColumn<QString>("expectedStartPage"); // "page": the page, as the browser takes it

    const QString none;
    const QString old = QStringLiteral("http://old/");
    const QString x = QStringLiteral("http://x/");
    const QString mem = QStringLiteral("mem");
    const QString page = QStringLiteral("page");
    for (const Browser b : ScratchBrowser::Browsers()) {
        // What differs: the page a browser without a start page of the user's shows, and the
        // one put back when the store lost the page it replaced.
        const bool ie = b == Browser::InternetExplorer;
        const QString unset = ie ? PagePath() : QStringLiteral("about:home");
        const QString forgotten = ie ? MakersAddress : QStringLiteral("about:home");
        const auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(Label(b) + QStringLiteral(": ") + name)) << b;
        };
        // OldIEHome starts as "mem" in memory.
        row("set keeps the old page") << old << none << 0 << 1 << old << old << page;
        row("set with no start page") << none << none << 0 << 1 << unset << unset << page;
        row("set replaces a stored old page") << old << x << 0 << 1 << old << old << page;
        row("restore the stored page") << x << old << 1 << 0 << mem << old << old;
        row("restore with nothing stored") << x << none << 1 << 0 << mem << none << forgotten;
        row("ticked and already set") << x << none << 1 << 1 << mem << none << x;
        row("clear and not set") << x << old << 0 << 0 << mem << old << x;
    }
}

void tst_startpage::steps()
{
    QFETCH(Browser, browser);
    QFETCH(QString, startPage);
    QFETCH(QString, storedOld);
    QFETCH(int, ieHomeSet);
    QFETCH(int, ieChecked);
    QFETCH(QString, expectedOldIEHome);
    QFETCH(QString, expectedStoredOld);
    QFETCH(QString, expectedStartPage);

    QVERIFY(this->browser->Install(browser));
    QVERIFY(BrowserPresent());
    QCOMPARE(BrowserChoice().Caption, Name(browser));
    if (!startPage.isNull())
        QVERIFY(this->browser->SetStartPage(browser, startPage));
    StoreOldIEHome(storedOld);
    PageOptions options;
    options.IEHomeSet = qint16(ieHomeSet);
    options.OldIEHome = "mem";
    const QString dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QStringList dataFiles = Listing(dataHome);

    QCOMPARE(ApplyStartPage(ieChecked, options), QString());

    const bool showsPage = expectedStartPage == u"page";
    QCOMPARE(options.IEHomeSet, ieChecked);
    QCOMPARE(options.OldIEHome, expectedOldIEHome);
    QCOMPARE(this->browser->StartPage(browser),
             showsPage ? ScratchBrowser::ThePage(browser) : expectedStartPage);
    QCOMPARE(StoredOldIEHome(), expectedStoredOld);
    // Stored on disk at once, not when the program closes.
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()).contains("OldIEHome"),
             !expectedStoredOld.isNull());
    QCOMPARE(SettingsStore().ReadSetting("Main", "HeaderColor"), "Red");
    QCOMPARE(SettingsStore().ReadSetting(" 1", "Name"), "First");
    QCOMPARE(DetectStartPage(), showsPage ? 1 : 0);
    if (browser != Browser::InternetExplorer) {
        // Syncing of the home page is off exactly while our line sets the page.
        const QByteArray userJs =
            ReadFileBytes(ScratchBrowser::FirefoxProfile(browser) + "/user.js");
        QCOMPARE(userJs.contains(SyncOff.toUtf8()), showsPage && ieChecked == 1 && ieHomeSet == 0);
    }
    // A sandbox reads only its own folder: the page and its pictures are there, and nothing
    // goes to the user's data folder.
    if (const QString own = ScratchBrowser::OwnFolder(browser); !own.isEmpty()) {
        const QStringList written = WrittenPageAndPictures();
        QCOMPARE(written.size(), 4);
        for (const QString &file : written) {
            QVERIFY2(file.startsWith(own + u'/'), qPrintable(file));
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        }
        QCOMPARE(Listing(dataHome), dataFiles);
    }
}

void tst_startpage::failedWrite_data()
{
    QTest::addColumn<Browser>("browser");
    QTest::addColumn<int>("ieHomeSet");
    QTest::addColumn<int>("ieChecked");
    QTest::addColumn<QString>("expectedOldIEHome");
    QTest::addColumn<QStringList>("failure"); // the lines of the "Error" box; "*" any text

    for (const Browser b : ScratchBrowser::Browsers()) {
        const QStringList failure =
            b == Browser::InternetExplorer
                ? QStringList{"Registry write error.", "Internet Explorer home page not set."}
                : QStringList{"Firefox settings write error.", "*", "Firefox home page not set."};
        QTest::newRow(qPrintable(Label(b) + QStringLiteral(": set")))
            << b << 0 << 1 << "" << failure;
        QTest::newRow(qPrintable(Label(b) + QStringLiteral(": restore goes unreported")))
            << b << 1 << 0 << "mem" << QStringList();
    }
}

void tst_startpage::failedWrite()
{
    QFETCH(Browser, browser);
    QFETCH(int, ieHomeSet);
    QFETCH(int, ieChecked);
    QFETCH(QString, expectedOldIEHome);
    QFETCH(QStringList, failure);

    QVERIFY(this->browser->Install(browser));
    StoreOldIEHome(QStringLiteral("https://kept/"));
    QVERIFY(this->browser->RefuseWrites(browser));
    const QByteArray store = ReadFileBytes(SettingsStore::FilePath());
    PageOptions options;
    options.IEHomeSet = qint16(ieHomeSet);
    options.OldIEHome = "mem";

    const QStringList lines = ApplyStartPage(ieChecked, options).split(u'\r', Qt::SkipEmptyParts);

    QCOMPARE(options.IEHomeSet, 0);
    QCOMPARE(options.OldIEHome, expectedOldIEHome);
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), store);
    QCOMPARE(lines.size(), failure.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (failure[i] != u"*")
            QCOMPARE(lines[i], failure[i]);
    }
    if (browser != Browser::InternetExplorer && !failure.isEmpty()) {
        // The line between names the file and the system's reason.
        const QString userJs =
            QDir::toNativeSeparators(ScratchBrowser::FirefoxProfile(browser) + "/user.js");
        QVERIFY2(lines[1].startsWith(userJs + QStringLiteral(": ")) &&
                     lines[1].size() > userJs.size() + 2,
                 qPrintable(lines[1]));
    }
}

void tst_startpage::internetExplorerRule_data()
{
    QTest::addColumn<QStringList>("facts"); // build, edition, installation type, IE's version
    QTest::addColumn<bool>("runs");

    const QString ie = QStringLiteral("9.11.19041.0");
    using F = QStringList;
    QTest::newRow("Windows 11") << F{"22631", "Professional", "Client", ie} << false;
    QTest::newRow("Windows 11 LTSC") << F{"26100", "EnterpriseS", "Client", ie} << false;
    QTest::newRow("Windows 10, retired") << F{"19045", "Professional", "Client", ie} << false;
    QTest::newRow("Windows 10 LTSC") << F{"17763", "EnterpriseS", "Client", ie} << true;
    QTest::newRow("Windows 10 IoT LTSC") << F{"19044", "IoTEnterpriseS", "Client", ie} << true;
    QTest::newRow("LTSC without IE") << F{"17763", "EnterpriseS", "Client", ""} << false;
    QTest::newRow("Server 2022") << F{"20348", "ServerStandard", "Server", ie} << true;
    QTest::newRow("Server Core") << F{"20348", "ServerStandard", "Server Core", ie} << false;
    QTest::newRow("edition in another case") << F{"17763", "enterprises", "Client", ie} << false;
    QTest::newRow("build not a number") << F{"17763a", "EnterpriseS", "Client", ie} << false;
    QTest::newRow("values missing") << F{"", "", "", ie} << false;
}

void tst_startpage::internetExplorerRule()
{
    QFETCH(QStringList, facts);
    QFETCH(bool, runs);

    QCOMPARE(InternetExplorerRuns({facts[0], facts[1], facts[2], facts[3]}), runs);
}

// Which browser the box sets, as the registry and the user's folders say at the start. With none,
// what uninstalled browsers leave among it, nothing is written and nothing stored.
void tst_startpage::choice_data()
{
    QTest::addColumn<QStringList>("windows");  // build, edition, installation type; none: no values
    QTest::addColumn<QStringList>("browsers"); // installed, or "left behind"
    QTest::addColumn<QString>("chosen");       // empty: none

    const QStringList win11{"22631", "Professional", "Client"};
    const QString ie = QStringLiteral("Internet Explorer");
    const QString ff = QStringLiteral("Firefox");
    using B = QStringList;
    QTest::newRow("nothing") << B() << B() << "";
    QTest::newRow("what uninstalled browsers leave") << B() << B{"left behind"} << "";
    QTest::newRow("Firefox alone") << B() << B{ff} << ff;
    QTest::newRow("LTSC: Internet Explorer over Firefox")
        << B{"17763", "EnterpriseS", "Client"} << B{ie, ff} << ie;
    QTest::newRow("Windows 11: Firefox, though IE's version is there") << win11 << B{ie, ff} << ff;
    QTest::newRow("Windows 11 without Firefox") << win11 << B{ie} << "";
    QTest::newRow("Server: Internet Explorer")
        << B{"20348", "ServerDatacenter", "Server"} << B{ie} << ie;
}

void tst_startpage::choice()
{
    QFETCH(QStringList, windows);
    QFETCH(QStringList, browsers);
    QFETCH(QString, chosen);

    if ((browsers.contains(u"Internet Explorer") || !windows.isEmpty()) &&
        !Offered(Browser::InternetExplorer))
        QSKIP("Internet Explorer is a browser of Windows only");
    for (const QString &name : browsers) {
        if (name == u"left behind")
            QVERIFY(browser->LeaveBehind());
        else
            QVERIFY(browser->Install(name == u"Firefox" ? Browser::Firefox
                                                        : Browser::InternetExplorer));
    }
    if (!windows.isEmpty())
        QVERIFY(browser->SetWindows(windows[0], windows[1], windows[2]));

    QCOMPARE(BrowserPresent(), !chosen.isEmpty());
    // With none, the box shows the platform's usual browser.
    QCOMPARE(BrowserChoice().Caption,
             chosen.isEmpty() ? Name(ScratchBrowser::Browsers().constFirst()) : chosen);
    if (chosen.isEmpty()) {
        const QByteArray store = ReadFileBytes(SettingsStore::FilePath());
        QCOMPARE(DetectStartPage(), 0);
        PageOptions options;
        QVERIFY(!ApplyStartPage(1, options).isEmpty());
        QCOMPARE(options.IEHomeSet, 0);
        options.IEHomeSet = 1;
        QCOMPARE(ApplyStartPage(0, options), QString());
        QVERIFY(browser->IsUntouched());
        QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), store);
    }
}

// What an earlier run set in another browser stays as it was, the page with it: Internet
// Explorer's value once Windows 11 runs it no more, a Firefox of another kind.
void tst_startpage::earlierRunSetAnotherBrowser_data()
{
    QTest::addColumn<Browser>("earlier");
    QTest::addColumn<Browser>("now");

    QTest::newRow("IE set earlier, now Windows 11 with Firefox")
        << Browser::InternetExplorer << Browser::Firefox;
    // Ubuntu's upgrade replaces the package with a wrapper that starts the snap.
    QTest::newRow("the distribution's package to the snap")
        << Browser::Firefox << Browser::SnapFirefox;
    QTest::newRow("the snap removed") << Browser::SnapFirefox << Browser::Firefox;
}

void tst_startpage::earlierRunSetAnotherBrowser()
{
    QFETCH(Browser, earlier);
    QFETCH(Browser, now);

    if (!Offered(earlier) || !Offered(now))
        QSKIP("Internet Explorer is Windows's, snaps and Flatpaks are Linux's");
    QVERIFY(browser->Install(earlier));
    PageOptions earlierRun;
    QCOMPARE(ApplyStartPage(1, earlierRun), QString());
    const QString earlierPage = PagePath();
    const QString setEarlier = browser->StartPage(earlier);
    const QString earlierUserJs = ScratchBrowser::FirefoxProfile(earlier) + "/user.js";
    const QByteArray earlierBytes = ReadFileBytes(earlierUserJs);
    // Internet Explorer stays on the disk: Windows 11 runs it no more.
    if (earlier == Browser::InternetExplorer)
        QVERIFY(browser->SetWindows("22631", "Professional", "Client"));
    else
        QVERIFY(browser->Remove(earlier));
    QVERIFY(browser->Install(now));
    QVERIFY(browser->SetStartPage(now, QStringLiteral("https://now-old/")));

    PageOptions options;
    options.IEHomeSet = DetectStartPage();
    QCOMPARE(options.IEHomeSet, 0);
    QCOMPARE(PagePath() != earlierPage,
             ScratchBrowser::OwnFolder(earlier) != ScratchBrowser::OwnFolder(now));
    QCOMPARE(ApplyStartPage(1, options), QString());
    QCOMPARE(browser->StartPage(now), ScratchBrowser::ThePage(now));
    QCOMPARE(StoredOldIEHome(), QStringLiteral("https://now-old/"));
    QCOMPARE(ApplyStartPage(0, options), QString());
    QCOMPARE(browser->StartPage(now), QStringLiteral("https://now-old/"));
    QCOMPARE(browser->StartPage(earlier), setEarlier);
    if (earlier != Browser::InternetExplorer)
        QCOMPARE(ReadFileBytes(earlierUserJs), earlierBytes);
}

// The suites' Firefox is found below the scratch folder; the user's own profiles, in the roaming
// folder the system names, are never read or written.
void tst_startpage::usersOwnFirefoxUntouched()
{
    const QString own = UsersOwnRoamingFolder();
    if (own.isEmpty())
        QSKIP("On Linux the suites move HOME itself, so no path leads to the user's own");
    const QString mozilla = own + QStringLiteral("/Mozilla");
    QVERIFY(!mozilla.startsWith(ScratchUser::Root()));
    const QStringList before = Listing(mozilla);
    if (!QFileInfo::exists(mozilla + QStringLiteral("/Firefox/profiles.ini")))
        qInfo("The user has no Firefox profile of their own here: only its absence is checked");

    QVERIFY(browser->Install(Browser::Firefox));
    PageOptions options;
    options.IEHomeSet = DetectStartPage();
    QCOMPARE(ApplyStartPage(1, options), QString());
    QCOMPARE(DetectStartPage(), 1);
    QCOMPARE(ApplyStartPage(0, options), QString());

    QCOMPARE(Listing(mozilla), before);
    QVERIFY(!browser->ShowsThePage());
}

void tst_startpage::detectInternetExplorer_data()
{
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<int>("expected");

    QTest::newRow("the page") << PagePath() << 1;
    QTest::newRow("other case") << PagePath().toUpper() << 1;
    QTest::newRow("no value") << QString() << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("trailing blank") << PagePath() + u' ' << 0;
    QTest::newRow("file URL") << "file://" + PagePath() << 0;
}

// Internet Explorer's start page is its page only as the same text, case aside.
void tst_startpage::detectInternetExplorer()
{
    QFETCH(QString, startPage);
    QFETCH(int, expected);

    if (!Offered(Browser::InternetExplorer))
        QSKIP("Internet Explorer is a browser of Windows only");
    QVERIFY(browser->Install(Browser::InternetExplorer));
    if (!startPage.isNull())
        QVERIFY(browser->SetStartPage(Browser::InternetExplorer, startPage));
    QCOMPARE(DetectStartPage(), expected);
}

TAVREL_TEST_GUILESS_MAIN(tst_startpage)
#include "tst_startpage.moc"
