#include "FirefoxHomePage.h"
#include "FirefoxProfile.h"
#include "FoundFirefox.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "RowHome.h"
#include "ScratchBrowser.h"
#include "ScratchFirefox.h"
#include "ScratchUser.h"
#include "StartPage.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "UserFolders.h"
#include "UserPrefs.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString HomePagePref = QStringLiteral("browser.startup.homepage");
const QString SyncPref = QStringLiteral("services.sync.prefs.sync.browser.startup.homepage");
const QString None = QStringLiteral("(none)");

QByteArray Ours(const QString &name, const QString &value)
{
    return OurLine(name, value).toUtf8();
}

QString Shown(const std::optional<QString> &text)
{
    return text.value_or(None);
}

} // namespace

class tst_firefox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void profilesFolder_data();
    void profilesFolder();
    void defaultProfile_data();
    void defaultProfile();
    void stringLiteral_data();
    void stringLiteral();
    void readPrefs_data();
    void readPrefs();
    void homePage_data();
    void homePage();
    void pageAddress_data();
    void pageAddress();
    void writeUserJs_data();
    void writeUserJs();
    void giveBack_data();
    void giveBack();
    void largePrefsJs();
    void windowsFinder_data();
    void windowsFinder();

private:
    QTemporaryDir programDir;
    std::optional<ScratchBrowser> browser;
};

void tst_firefox::initTestCase()
{
    QVERIFY(programDir.isValid());
    SetProgramDirForTests(programDir.path());
}

void tst_firefox::init()
{
    browser.reset();
    browser.emplace();
    QVERIFY(WriteStore({}));
}

void tst_firefox::cleanupTestCase()
{
    browser.reset();
    SetProgramDirForTests({});
}

void tst_firefox::profilesFolder_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("xdgConfigHome"); // relative to the home when it starts with '~'
    QTest::addColumn<QString>("expected");

    QTest::newRow("classic") << Files{{".mozilla/firefox/", {}}} << "~xdg"
                             << ".mozilla/firefox";
    QTest::newRow("XDG_CONFIG_HOME") << Files{} << "~xdg"
                                     << "xdg/mozilla/firefox";
    QTest::newRow("relative XDG_CONFIG_HOME") << Files{} << "xdg"
                                              << ".config/mozilla/firefox";
    QTest::newRow("no XDG_CONFIG_HOME") << Files{} << ""
                                        << ".config/mozilla/firefox";
    QTest::newRow("classic is a file") << Files{{".mozilla/firefox", "x"}} << ""
                                       << ".config/mozilla/firefox";
}

void tst_firefox::profilesFolder()
{
    QFETCH(Files, files);
    QFETCH(QString, xdgConfigHome);
    QFETCH(QString, expected);

    const RowHome home(files);
    if (xdgConfigHome.startsWith(u'~'))
        xdgConfigHome = home.Path(xdgConfigHome.mid(1));
    QCOMPARE(FirefoxProfilesFolder(home.Path(), xdgConfigHome), home.Path(expected));
}

void tst_firefox::defaultProfile_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("expected"); // empty: none

    const QString ff = QStringLiteral(".mozilla/firefox/");
    const QStringList program{"opt/firefox/firefox"};
    const auto profile = [&](const char *path) {
        return std::pair(ff + path + u'/', QByteArray());
    };
    const auto ini = [&](const QByteArray &text) { return std::pair(ff + "profiles.ini", text); };
    const QByteArray ab = "[Profile0]\nPath=a\nIsRelative=1\nDefault=1\n"
                          "[Profile1]\nPath=b\nIsRelative=1\n";
    const auto ran = [&](const char *path, const char *folder) {
        return std::pair(ff + path + "/compatibility.ini",
                         "[Compatibility]\nLastPlatformDir=%HOME%/" + QByteArray(folder) + '\n');
    };

    QTest::newRow("no profiles.ini") << Files{profile("a")} << program << "";
    QTest::newRow("Default=1") << Files{ini(ab), profile("a"), profile("b")} << program << ff + "a";
    QTest::newRow("XDG place") << Files{{".config/mozilla/firefox/profiles.ini",
                                         "[Profile0]\nPath=p\nIsRelative=1\n"},
                                        {".config/mozilla/firefox/p/", {}}}
                               << program << ".config/mozilla/firefox/p";
    QTest::newRow("[Install] over Default=1")
        << Files{ini("[Install4F96D1932A9F858E]\nDefault=b\nLocked=1\n" + ab), profile("a"),
                 profile("b")}
        << program << ff + "b";
    QTest::newRow("installs.ini over Default=1")
        << Files{ini(ab),
                 {ff + "installs.ini", "[4F96D1932A9F858E]\nDefault=b\nLocked=1\n"},
                 profile("a"),
                 profile("b")}
        << program << ff + "b";
    QTest::newRow("profiles.ini's [Install] over installs.ini")
        << Files{ini("[InstallX]\nDefault=a\n" + ab),
                 {ff + "installs.ini", "[InstallX]\nDefault=b\n"},
                 profile("a"),
                 profile("b")}
        << program << ff + "a";
    QTest::newRow("[Install] naming no profile")
        << Files{ini("[InstallX]\nDefault=c\n" + ab), profile("a"), profile("b"), profile("c")}
        << program << ff + "a";
    QTest::newRow("the only profile")
        << Files{ini("[Profile0]\nPath=a\nIsRelative=1\n"), profile("a")} << program << ff + "a";
    QTest::newRow("two profiles, none default")
        << Files{ini("[Profile0]\nPath=a\nIsRelative=1\n[Profile1]\nPath=b\nIsRelative=1\n"),
                 profile("a"), profile("b")}
        << program << "";
    QTest::newRow("StartWithLastProfile=0")
        << Files{ini("[General]\nStartWithLastProfile=0\n" + ab), profile("a"), profile("b")}
        << program << "";
    QTest::newRow("absolute Path") << Files{ini("[Profile0]\nPath=%HOME%/elsewhere/p, with "
                                                "comma\\x\nIsRelative=0\nDefault=1\n"),
                                            {"elsewhere/p, with comma\\x/", {}}}
                                   << program << "elsewhere/p, with comma\\x";
    QTest::newRow("relative Path with blanks around")
        << Files{ini("[Profile0]\r\n Path = sub/a b \r\nIsRelative=1\r\nDefault=1\r\n"),
                 profile("sub/a b")}
        << program << ff + "sub/a b";
    QTest::newRow("profile folder gone") << Files{ini(ab), profile("b")} << program << "";
    QTest::newRow("several installs: the one the Firefox found ran")
        << Files{ini("[InstallA]\nDefault=a\n[InstallB]\nDefault=b\n" + ab), profile("a"),
                 profile("b"), ran("a", "usr/lib/other"), ran("b", "opt/firefox")}
        << program << ff + "b";
    QTest::newRow("several installs: found through a link")
        << Files{ini("[InstallA]\nDefault=a\n[InstallB]\nDefault=b\n" + ab),
                 profile("a"),
                 profile("b"),
                 ran("a", "usr/lib/other"),
                 ran("b", "opt/firefox"),
                 {"opt/firefox/firefox", "#!/bin/sh\n"},
                 {"bin/firefox", "->opt/firefox/firefox"}}
        << QStringList{"bin/firefox"} << ff + "b";
    QTest::newRow("several installs, none ran by it: the latest used")
        << Files{ini("[InstallA]\nDefault=a\n[InstallB]\nDefault=b\n[InstallC]\nDefault=c\n" + ab +
                     "[Profile2]\nPath=c\nIsRelative=1\n"),
                 profile("a"),
                 profile("b"),
                 profile("c"),
                 {ff + "a/prefs.js", "old"},
                 {ff + "b/prefs.js", "new"},
                 {ff + "c/prefs.js", "old"}}
        << program << ff + "b";
}

void tst_firefox::defaultProfile()
{
    QFETCH(Files, files);
    QFETCH(QStringList, programs);
    QFETCH(QString, expected);

    for (const auto &file : files) {
        if (OnWindows && file.second.startsWith("->"))
            QSKIP("Windows has shortcuts, not links; its Firefox is found by its own path");
    }
    const RowHome home(files);
    // Firefox rewrites prefs.js as it runs: "new" was written last.
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto &[path, content] : files) {
        if (path.endsWith(u"prefs.js")) {
            QFile file(home.Path(path));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(content == "new" ? now : now.addDays(-1),
                                     QFileDevice::FileModificationTime));
        }
    }
    for (QString &program : programs)
        program = home.Path(program);
    const QString found = DefaultFirefoxProfile(
        FirefoxProfilesFolder(home.Path(), home.Path(QStringLiteral(".config"))), programs);
    // A backslash of a path is a separator on Windows.
    QCOMPARE(found, expected.isEmpty() ? QString() : QDir::cleanPath(home.Path(expected)));
}

void tst_firefox::stringLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("literal");

    QTest::newRow("plain") << "https://example.org/"
                           << R"("https://example.org/")";
    QTest::newRow("quote and backslash") << R"(a"b\c)"
                                         << R"("a\"b\\c")";
    QTest::newRow("control characters") << "a\nb\tc\x01"
                                        << R"("a\u000ab\u0009c\u0001")";
    QTest::newRow("outside ASCII") << QString::fromUtf8("é😀") << R"("\u00e9\ud83d\ude00")";
    QTest::newRow("pipe, percent and single quote") << "a|b%20'"
                                                    << R"("a|b%20'")";
    QTest::newRow("empty") << ""
                           << R"("")";
}

void tst_firefox::stringLiteral()
{
    QFETCH(QString, text);
    QFETCH(QString, literal);

    QCOMPARE(JsStringLiteral(text), literal);
    const QList<UserPref> read = ParseUserPrefs(OurLine(HomePagePref, literal));
    QCOMPARE(read.size(), 1);
    QCOMPARE(Shown(read.first().Text), text);
}

void tst_firefox::readPrefs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected"); // the last string for "h"

    QTest::newRow("double quotes") << R"(user_pref("h", "x");)"
                                   << "x";
    QTest::newRow("single quotes") << R"(user_pref('h', 'x');)"
                                   << "x";
    QTest::newRow("escapes") << R"(user_pref("h", "\"\\\n\x41\u00e9\'");)"
                             << QString::fromUtf8("\"\\\nAé'");
    QTest::newRow("surrogate pair")
        << R"(user_pref("h", "\ud83d\ude00");)" << QString::fromUtf8("😀");
    QTest::newRow("last wins") << "user_pref(\"h\", \"a\");\nuser_pref(\"h\", \"b\");\n"
                               << "b";
    QTest::newRow("blanks and comments between") << "user_pref /*c*/ ( \"h\" , // c\n \"x\" ) ;"
                                                 << "x";
    QTest::newRow("line comment") << "// user_pref(\"h\", \"x\");\n" << None;
    QTest::newRow("hash comment") << "# user_pref(\"h\", \"x\");\n" << None;
    QTest::newRow("block comment over lines")
        << "/*\nuser_pref(\"h\", \"x\");\n*/\nuser_pref(\"h\", \"y\");"
        << "y";
    QTest::newRow("comment marks in a string") << R"(user_pref("h", "http://a//b#c/*");)"
                                               << "http://a//b#c/*";
    QTest::newRow("a broken statement is skipped")
        << "user_pref(\"h\", nonsense);\nuser_pref(\"h\", \"ok\");"
        << "ok";
    QTest::newRow("skipped up to a ';' outside strings")
        << "user_pref(\"h\", \"a\\q;\" \"x;\");\nuser_pref(\"h\", \"ok\");"
        << "ok";
    QTest::newRow("NUL ends the file")
        << QString::fromUtf8("user_pref(\"h\", \"a\");\0user_pref(\"h\", \"b\");", 41) << "a";
    QTest::newRow("\\u0000 is refused") << R"(user_pref("h", "a\u0000");)" << None;
    QTest::newRow("unknown escape") << R"(user_pref("h", "a\qb");)" << None;
    QTest::newRow("a number is no string")
        << "user_pref(\"h\", \"x\");\nuser_pref(\"h\", 5);" << None;
    QTest::newRow("pref() is no user preference") << R"(pref("h", "x");)" << None;
    QTest::newRow("string left open") << "user_pref(\"h\", \"x);\n" << None;
    QTest::newRow("other names") << R"(user_pref("h.x", "x"); user_pref("H", "y");)" << None;
}

void tst_firefox::readPrefs()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);

    QCOMPARE(Shown(LastStringPref(ParseUserPrefs(file), u"h")), expected);
}

void tst_firefox::homePage_data()
{
    QTest::addColumn<QByteArray>("userJs"); // null: no file
    QTest::addColumn<QByteArray>("prefsJs");
    QTest::addColumn<QString>("expected");

    const QByteArray x = R"(user_pref("browser.startup.homepage", "https://x.example/");)";
    const QByteArray u = R"(user_pref("browser.startup.homepage", "https://u.example/");)";
    QTest::newRow("neither file") << QByteArray() << QByteArray() << "about:home";
    QTest::newRow("prefs.js only") << QByteArray() << x << "https://x.example/";
    QTest::newRow("user.js over prefs.js") << u << x << "https://u.example/";
    QTest::newRow("user.js of other preferences")
        << QByteArray(R"(user_pref("a", 1);)") << x << "https://x.example/";
}

void tst_firefox::homePage()
{
    QFETCH(QByteArray, userJs);
    QFETCH(QByteArray, prefsJs);
    QFETCH(QString, expected);

    const RowHome home({{"p/prefs.js", prefsJs}});
    if (!userJs.isNull())
        QVERIFY(WriteFileBytes(home.Path(QStringLiteral("p/user.js")), userJs));
    QCOMPARE(FirefoxHomePage(home.Path(QStringLiteral("p"))), expected);
}

void tst_firefox::pageAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("isPage");

    // The page is at "/home/u/My List/To-Do.htm".
    QTest::newRow("the path") << "/home/u/My List/To-Do.htm" << true;
    QTest::newRow("other case") << "/HOME/u/my list/TO-DO.HTM" << true;
    QTest::newRow("file URL") << "file:///home/u/My%20List/To-Do.htm" << true;
    QTest::newRow("file URL, blank as is") << "file:///home/u/My List/To-Do.htm" << true;
    QTest::newRow("escaped letters") << "file:///home/u/My%20List/To%2dDo.htm" << true;
    QTest::newRow("trailing blank") << "/home/u/My List/To-Do.htm " << false;
    QTest::newRow("with another page") << "file:///home/u/My%20List/To-Do.htm|about:home" << false;
    QTest::newRow("another page") << "file:///home/u/To-Do.htm" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_firefox::pageAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, isPage);

    QCOMPARE(IsPageAddress(address, QStringLiteral("/home/u/My List/To-Do.htm")), isPage);
}

void tst_firefox::writeUserJs_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QByteArray>("after");  // null: not written

    // The page is at "/p/a|b%c/To-Do.htm".
    const QByteArray page = Ours(HomePagePref, R"("file:///p/a%7Cb%25c/To-Do.htm")");
    const QByteArray noSync = Ours(SyncPref, "false");
    const QByteArray ours = page + '\n' + noSync + '\n';
    const QByteArray own = "// mine\nuser_pref(\"browser.startup.homepage\", \"https://u/\");\n";

    QTest::newRow("no user.js") << QByteArray() << ours;
    QTest::newRow("the user's lines") << own << own + ours;
    QTest::newRow("ours earlier, replaced at the end")
        << "user_pref(\"a\", 1);\n" + Ours(HomePagePref, R"("https://old/")") + "\n" +
               Ours(SyncPref, "true") + "\nuser_pref(\"b\", 2);\n"
        << "user_pref(\"a\", 1);\nuser_pref(\"b\", 2);\n" + ours;
    QTest::newRow("no line end at the end")
        << QByteArray("user_pref(\"a\", 1);") << "user_pref(\"a\", 1);\n" + ours;
    QTest::newRow("CR LF") << QByteArray("user_pref(\"a\", 1);\r\n")
                           << "user_pref(\"a\", 1);\r\n" + page + "\r\n" + noSync + "\r\n";
    QTest::newRow("comment left open") << QByteArray("/* to do\n") << QByteArray();
    QTest::newRow("string left open") << QByteArray("user_pref(\"a\", \"x);\n") << QByteArray();
}

void tst_firefox::writeUserJs()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    const RowHome home(Files{{"p/", {}}});
    const QString profile = home.Path(QStringLiteral("p"));
    if (!before.isNull())
        QVERIFY(WriteFileBytes(UserJsPath(profile), before));

    const QString reason = SetPageAsHomePage(profile, QStringLiteral("/p/a|b%c/To-Do.htm"));

    QCOMPARE(reason.isEmpty(), !after.isNull());
    QCOMPARE(home.Read(QStringLiteral("p/user.js")), after.isNull() ? before : after);
    // No scratch file is left beside it.
    const bool noFile = before.isNull() && after.isNull();
    QCOMPARE(QDir(profile).entryList(QDir::Files | QDir::Hidden),
             noFile ? QStringList() : QStringList{"user.js"});
}

void tst_firefox::giveBack_data()
{
    QTest::addColumn<QByteArray>("userJs");
    QTest::addColumn<QByteArray>("prefsJs");
    QTest::addColumn<QByteArray>("after");

    const QByteArray own = "user_pref(\"a\", 1);\n";
    const QByteArray set = own + Ours(HomePagePref, R"("file:///p/To-Do.htm")") + '\n' +
                           Ours(SyncPref, "false") + '\n';
    const auto restored = [&](const char *page) {
        return own + Ours(HomePagePref, JsStringLiteral(QString::fromUtf8(page))) + '\n' +
               Ours(SyncPref, "true") + '\n';
    };
    const QByteArray pageInPrefs =
        R"(user_pref("browser.startup.homepage", "file:///p/To-Do.htm");)";
    const QByteArray oldInPrefs = R"(user_pref("browser.startup.homepage", "https://OLD/");)";

    QTest::newRow("set: stays") << set << pageInPrefs << set;
    QTest::newRow("restored, Firefox not run since")
        << restored("https://old/") << pageInPrefs << restored("https://old/");
    QTest::newRow("restored and taken") << restored("https://old/") << oldInPrefs << own;
    QTest::newRow("Firefox's default restored and taken")
        << restored("about:home") << QByteArray() << own;
    QTest::newRow("nothing of ours") << own << oldInPrefs << own;
}

void tst_firefox::giveBack()
{
    QFETCH(QByteArray, userJs);
    QFETCH(QByteArray, prefsJs);
    QFETCH(QByteArray, after);

    const RowHome home({{"p/user.js", userJs}, {"p/prefs.js", prefsJs}});
    GiveBackHomePage(home.Path(QStringLiteral("p")), QStringLiteral("/p/To-Do.htm"));
    QCOMPARE(home.Read(QStringLiteral("p/user.js")), after);
}

// A prefs.js grown far past anything Firefox writes: only its start is read, so start-up stays
// quick; what stands beyond it is not seen.
void tst_firefox::largePrefsJs()
{
    QVERIFY(browser->Install(Browser::Firefox));
    const QString profile = ScratchBrowser::FirefoxProfile();
    QByteArray prefs;
    for (int i = 0; prefs.size() < (8 << 20); ++i)
        prefs += "user_pref(\"some.preference.of.the.user." + QByteArray::number(i) +
                 "\", \"value\");\n";
    prefs += R"(user_pref("browser.startup.homepage", "file:///late/");)";
    QVERIFY(WriteFileBytes(profile + QStringLiteral("/prefs.js"), prefs));

    QCOMPARE(DetectStartPage(), 0);
    QCOMPARE(FirefoxHomePage(profile), "about:home");
}

// Firefox on Windows, as its installers register it. Programs are named by letter: A in
// Program Files, B installed for the user alone.
void tst_firefox::windowsFinder_data()
{
    QTest::addColumn<QStringList>("registrations"); // where:PathToExe
    QTest::addColumn<QString>("user");              // the name of the user's folder
    QTest::addColumn<Files>("profiles");            // none: one profile, the default
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("profile"); // empty: none

    const QString user = QStringLiteral("tester");
    const QString one = QStringLiteral("tests.default");
    QTest::newRow("per user") << QStringList{"HKCU:B"} << user << Files{} << QStringList{"B"}
                              << one;
    QTest::newRow("for the machine")
        << QStringList{"HKLM:A"} << user << Files{} << QStringList{"A"} << one;
    QTest::newRow("32-bit on 64-bit Windows")
        << QStringList{"WOW:A"} << user << Files{} << QStringList{"A"} << one;
    QTest::newRow("one program registered twice, in another case")
        << QStringList{"HKCU:A", "HKLM:a"} << user << Files{} << QStringList{"A"} << one;
    QTest::newRow("PathToExe missing")
        << QStringList{"HKLM:none"} << user << Files{} << QStringList() << "";
    QTest::newRow("PathToExe a folder")
        << QStringList{"HKLM:folder"} << user << Files{} << QStringList() << "";
    QTest::newRow("PathToExe a number")
        << QStringList{"HKLM:number"} << user << Files{} << QStringList() << "";
    QTest::newRow("PathToExe holding a NUL")
        << QStringList{"HKLM:nul"} << user << Files{} << QStringList() << "";
    QTest::newRow("PathToExe of a program gone")
        << QStringList{"HKLM:gone"} << user << Files{} << QStringList() << "";
    QTest::newRow("a bad registration beside a good one")
        << QStringList{"HKCU:folder", "HKLM:A"} << user << Files{} << QStringList{"A"} << one;
    const QByteArray ab = "[InstallA]\nDefault=a\n[InstallB]\nDefault=b\n"
                          "[Profile0]\nPath=a\nIsRelative=1\n[Profile1]\nPath=b\nIsRelative=1\n";
    QTest::newRow("several installs: the one that ran the profile, case and separators aside")
        << QStringList{"HKLM:A", "HKCU:B"} << user
        << Files{{"profiles.ini", ab},
                 {"a/compatibility.ini", "[Compatibility]\nLastPlatformDir=C:\\Other\n"},
                 {"b/compatibility.ini", "[Compatibility]\nLastPlatformDir=%B%\n"}}
        << QStringList{"B", "A"} << "b";
    QTest::newRow("a user named outside the code page")
        << QStringList{"HKCU:B"} << QString::fromUtf8("Пользователь") << Files{} << QStringList{"B"}
        << one;
}

void tst_firefox::windowsFinder()
{
    QFETCH(QStringList, registrations);
    QFETCH(QString, user);
    QFETCH(Files, profiles);
    QFETCH(QStringList, programs);
    QFETCH(QString, profile);

    if (!OnWindows)
        QSKIP("Firefox is registered so on Windows only");
    if (user.front().unicode() > 0xff && (AnsiCodePage() == 1251 || AnsiCodePage() == 65001))
        QSKIP("The ANSI code page holds the user's name");
    // The user's roaming folder goes with the user's name, below a folder of the row's own.
    static int rows = 0;
    const QString home = ScratchUser::Root() + QStringLiteral("/users%1/").arg(++rows) + user;
    UseUserFoldersForTests(home + QStringLiteral("/AppData"));
    const auto back = qScopeGuard([] { UseUserFoldersForTests(ScratchUser::Root()); });
    const QString profilesFolder = UserConfigFolder() + QStringLiteral("/Mozilla/Firefox");
    const QMap<QString, QString> program{
        {"A", home + QStringLiteral("/Program Files/Mozilla Firefox/firefox.exe")},
        {"B", home + QStringLiteral("/AppData/Local/Mozilla Firefox/firefox.exe")},
    };
    for (const QString &path : program)
        QVERIFY(ScratchBrowser::MakeProgram(path));
    if (profiles.isEmpty())
        QVERIFY(MakeFirefoxProfile(profilesFolder));
    for (auto [path, content] : profiles) {
        content.replace(
            "%B%", QDir::toNativeSeparators(QFileInfo(program["B"]).path()).toUpper().toUtf8());
        QVERIFY(WriteFileBytes(profilesFolder + u'/' + path, content));
    }
    using Where = ScratchBrowser::Registration;
    const QMap<QString, Where> places{
        {"HKCU", Where::CurrentUser}, {"HKLM", Where::Machine}, {"WOW", Where::Machine32}};
    for (const QString &registration : registrations) {
        const QString where = registration.section(u':', 0, 0);
        const QString exe = registration.section(u':', 1);
        const QString a = QDir::toNativeSeparators(program["A"]);
        const QVariant value = exe == u"A"        ? QVariant(a)
                               : exe == u"a"      ? QVariant(a.toLower())
                               : exe == u"B"      ? QVariant(QDir::toNativeSeparators(program["B"]))
                               : exe == u"folder" ? QVariant(QFileInfo(a).path())
                               : exe == u"number" ? QVariant(5u)
                               : exe == u"nul"    ? QVariant(a + QChar(0) + QStringLiteral("x"))
                               : exe == u"gone"   ? QVariant(home + QStringLiteral("/gone.exe"))
                                                  : QVariant();
        QVERIFY(browser->RegisterFirefox(places[where], QStringLiteral("115.5.0esr (x64 en-US)"),
                                         value));
    }

    const QList<FoundFirefox> found = FindFirefoxes();
    QStringList expected;
    for (const QString &letter : programs)
        expected << program[letter];
    QCOMPARE(found.isEmpty() ? QStringList() : found.first().Programs, expected);
    if (found.isEmpty())
        return;
    QCOMPARE(found.first().ProfilesFolder, profilesFolder);
    const QString chosen =
        DefaultFirefoxProfile(found.first().ProfilesFolder, found.first().Programs);
    QCOMPARE(chosen, profilesFolder + u'/' + profile);

    // The page reaches the profile's user.js as an encoded file URL; Internet Explorer stays as
    // it was.
    ChooseStartPageBrowser();
    QCOMPARE(BrowserChoice().Caption, "Firefox");
    PageOptions options;
    QCOMPARE(ApplyStartPage(1, options), QString());
    const QString address = PageUrl(PagePath());
    QVERIFY2(address.startsWith(QStringLiteral("file:///")) &&
                 QString::fromLatin1(address.toLatin1()) == address,
             qPrintable(address));
    QVERIFY(ReadFileBytes(UserJsPath(chosen)).contains(address.toLatin1()));
    QCOMPARE(browser->StartPage(Browser::InternetExplorer), QString());
}

TAVREL_TEST_GUILESS_MAIN(tst_firefox)
#include "tst_firefox.moc"
