#include "MessageBox.h"
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "Registry.h"
#include "ScratchRegistry.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "StartPage.h"
#include "TestSeams.h"
#include "WindowSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString StartPageKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");
const QString MakersAddress = QStringLiteral("http://www.tavrel.example/");

// A null text stands for no "Start Page" value at all.
QString StartPage()
{
    return RegReadString(RegRoot::CurrentUser, StartPageKey, QStringLiteral("Start Page"),
                         QString());
}

void SetStartPage(const QString &page)
{
    if (!page.isNull())
        QVERIFY(RegWriteString(RegRoot::CurrentUser, StartPageKey, "Start Page", page));
}

// A null text stands for no stored "OldIEHome".
QString StoredOldIEHome()
{
    return SettingsStore().ReadSetting("Main", "OldIEHome", QString());
}

} // namespace

class tst_startpage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void detect_data();
    void detect();
    void browserPresent_data();
    void browserPresent();
    void apply_data();
    void apply();
    void failedWrite_data();
    void failedWrite();

private:
    QTemporaryDir programDir;
    QList<Message> messages;
    std::optional<ScratchRegistry> registry;
};

void tst_startpage::initTestCase()
{
    QVERIFY(programDir.isValid());
    SetProgramDirForTests(programDir.path());
    SetMessageSink([this](const Message &message) { messages.append(message); });
}

// Every test starts with an empty registry and a store holding other settings, which must
// survive whatever the start-page steps write.
void tst_startpage::init()
{
    messages.clear();
    registry.reset();
    registry.emplace();
    SettingsStore store;
    store.DeleteAllSettings();
    store.WriteSetting("Main", "HeaderColor", "Red");
    store.WriteSetting(" 1", "Name", "First");
    QVERIFY(store.Sync());
}

void tst_startpage::cleanupTestCase()
{
    SetMessageSink({});
    SetProgramDirForTests({});
}

void tst_startpage::detect_data()
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

void tst_startpage::detect()
{
    QFETCH(QString, startPage);
    QFETCH(int, expected);

    SetStartPage(startPage);
    QCOMPARE(DetectStartPage(), expected);
}

void tst_startpage::browserPresent_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QVariant>("version"); // a text, a number, or nothing at all
    QTest::addColumn<bool>("expected");

    QTest::newRow("no version") << BrowserKey << QVariant() << false;
    QTest::newRow("version") << BrowserKey << QVariant("11.0") << true;
    QTest::newRow("key in other case")
        << "Software\\microsoft\\internet explorer" << QVariant("9") << true;
    QTest::newRow("empty version") << BrowserKey << QVariant("") << false;
    QTest::newRow("version as a number") << BrowserKey << QVariant(11u) << false;
}

void tst_startpage::browserPresent()
{
    QFETCH(QString, keyPath);
    QFETCH(QVariant, version);
    QFETCH(bool, expected);

    const QString name = QStringLiteral("Version");
    if (version.typeId() == QMetaType::UInt)
        QVERIFY(RegWriteNumber(RegRoot::LocalMachine, keyPath, name, version.toUInt()));
    else if (version.isValid())
        QVERIFY(RegWriteString(RegRoot::LocalMachine, keyPath, name, version.toString()));
    QCOMPARE(BrowserPresent(), expected);
}

void tst_startpage::apply_data()
{
    QTest::addColumn<int>("ieHomeSet");
    QTest::addColumn<int>("ieChecked");
    QTest::addColumn<QString>("startPage");
    QTest::addColumn<QString>("storedOld");
    QTest::addColumn<int>("expectedIEHomeSet");
    QTest::addColumn<QString>("expectedOldIEHome");
    QTest::addColumn<QString>("expectedStartPage");
    QTest::addColumn<QString>("expectedStoredOld");

    // OldIEHome starts as "mem" in memory.
    const QString none;
    const QString page = PagePath();
    QTest::newRow("set keeps the old page")
        << 0 << 1 << "http://old/" << none << 1 << "http://old/" << page << "http://old/";
    QTest::newRow("set with no start page keeps the page itself")
        << 0 << 1 << none << none << 1 << page << page << page;
    QTest::newRow("set replaces a stored old page")
        << 0 << 1 << "http://b/"
        << "http://a/" << 1 << "http://b/" << page << "http://b/";
    QTest::newRow("restore the stored page") << 1 << 0 << page << "http://old/" << 0 << "mem"
                                             << "http://old/"
                                             << "http://old/";
    QTest::newRow("restore with nothing stored")
        << 1 << 0 << page << none << 0 << "mem" << MakersAddress << none;
    QTest::newRow("ticked and already set") << 1 << 1 << "http://x/" << none << 1 << "mem"
                                            << "http://x/" << none;
    QTest::newRow("clear and not set")
        << 0 << 0 << page << "http://old/" << 0 << "mem" << page << "http://old/";
}

void tst_startpage::apply()
{
    QFETCH(int, ieHomeSet);
    QFETCH(int, ieChecked);
    QFETCH(QString, startPage);
    QFETCH(QString, storedOld);
    QFETCH(int, expectedIEHomeSet);
    QFETCH(QString, expectedOldIEHome);
    QFETCH(QString, expectedStartPage);
    QFETCH(QString, expectedStoredOld);

    SetStartPage(startPage);
    if (!storedOld.isNull()) {
        SettingsStore store;
        store.WriteSetting("Main", "OldIEHome", storedOld);
        QVERIFY(store.Sync());
    }
    PageOptions options;
    options.IEHomeSet = qint16(ieHomeSet);
    options.OldIEHome = "mem";

    ApplyStartPage(nullptr, ieChecked, options);

    QCOMPARE(options.IEHomeSet, expectedIEHomeSet);
    QCOMPARE(options.OldIEHome, expectedOldIEHome);
    QCOMPARE(StartPage(), expectedStartPage);
    QCOMPARE(StoredOldIEHome(), expectedStoredOld);
    // Stored on disk at once, not when the program closes.
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()).contains("OldIEHome"),
             !expectedStoredOld.isNull());
    QCOMPARE(SettingsStore().ReadSetting("Main", "HeaderColor"), "Red");
    QCOMPARE(SettingsStore().ReadSetting(" 1", "Name"), "First");
    QVERIFY(messages.isEmpty());
}

void tst_startpage::failedWrite_data()
{
    QTest::addColumn<int>("ieHomeSet");
    QTest::addColumn<int>("ieChecked");
    QTest::addColumn<QString>("expectedOldIEHome");
    QTest::addColumn<bool>("reported");

    QTest::newRow("set") << 0 << 1 << "" << true;
    QTest::newRow("restore goes unreported") << 1 << 0 << "mem" << false;
}

void tst_startpage::failedWrite()
{
    QFETCH(int, ieHomeSet);
    QFETCH(int, ieChecked);
    QFETCH(QString, expectedOldIEHome);
    QFETCH(bool, reported);

    QVERIFY(registry->RefuseWrites());
    const QByteArray store = ReadFileBytes(SettingsStore::FilePath());
    PageOptions options;
    options.IEHomeSet = qint16(ieHomeSet);
    options.OldIEHome = "mem";

    ApplyStartPage(nullptr, ieChecked, options);

    QCOMPARE(options.IEHomeSet, 0);
    QCOMPARE(options.OldIEHome, expectedOldIEHome);
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), store);
    QCOMPARE(messages.size(), reported ? 1 : 0);
    if (reported) {
        QCOMPARE(messages[0].Title, "Error");
        QCOMPARE(messages[0].Text, "Registry write error.\rInternet Explorer home page not set.");
        QCOMPARE(messages[0].Icon, MessageIcon::Critical);
    }
}

TAVREL_TEST_MAIN(tst_startpage)
#include "tst_startpage.moc"
