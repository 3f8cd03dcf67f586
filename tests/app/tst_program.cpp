#include "ScratchUser.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "UserFolders.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// Items stored in the reverse of the list's order, which the close saves them in.
QByteArray ReversedItems(int count)
{
    QByteArray store = "[Main]\nRunBefore=Yes\nNumEntries=" + QByteArray::number(count) + '\n';
    for (int i = 1; i <= count; ++i)
        store += "[%20" + QByteArray::number(i) + "]\nName=item " +
                 QByteArray::number(count - i + 10000) + "\nURL=\nPriority=2\n";
    return store;
}

} // namespace

class tst_program : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void signalClosesAndSaves_data();
    void signalClosesAndSaves();
    void failedCloseSaysSoAndFails_data();
    void failedCloseSaysSoAndFails();
    void secondStartHandsOver();
    void killedCopyDoesNotBlock();
    void pageWhereTheFlatpakReadsIt();

private:
    // The program, with the suite's scratch user, or on Linux with another config folder.
    QProcess &Start(const QString &configHome = {});
    static bool Running(const QProcess &process, const QString &store);
    static bool Ended(QProcess &process);
    QString Page() const { return programDir.filePath(QStringLiteral("To-Do.htm")); }

    QTemporaryDir programDir;
    std::vector<std::unique_ptr<QProcess>> started;
};

void tst_program::initTestCase()
{
    QVERIFY(programDir.isValid());
    // The program writes its page beside itself: a copy of it, with its pictures, keeps the
    // build tree clean.
    const QFileInfo built(QStringLiteral(TAVREL_BUILT_PROGRAM));
    for (const QString &name : {built.fileName(), QStringLiteral("high.gif"),
                                QStringLiteral("med.gif"), QStringLiteral("low.gif")}) {
        QVERIFY(QFile::copy(built.dir().filePath(name), programDir.filePath(name)));
    }
}

void tst_program::init()
{
    QDir(StoreFolder()).removeRecursively();
    QDir(Page()).removeRecursively();
    QFile::remove(Page());
}

void tst_program::cleanup()
{
    for (const auto &process : started) {
        process->kill();
        process->waitForFinished();
    }
    started.clear();
}

QProcess &tst_program::Start(const QString &configHome)
{
    auto process = std::make_unique<QProcess>();
    if (!configHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        process->setProcessEnvironment(environment);
    }
    process->start(programDir.filePath(QFileInfo(QStringLiteral(TAVREL_BUILT_PROGRAM)).fileName()),
                   {});
    started.push_back(std::move(process));
    return *started.back();
}

// Whether process has the store: its lock file names it.
bool tst_program::Running(const QProcess &process, const QString &store)
{
    const QString lock = store + QStringLiteral(".running");
    return QTest::qWaitFor([&] {
        return process.state() == QProcess::Running &&
               ReadFileBytes(lock).startsWith(QByteArray::number(process.processId()) + '\n');
    });
}

// Asks process to end as the system does (SIGTERM; on Windows WM_CLOSE to its windows) until it
// has: a WM_CLOSE sent before the program's window is up is lost.
bool tst_program::Ended(QProcess &process)
{
    const QDeadlineTimer fewSeconds(10000);
    do
        process.terminate();
    while (!process.waitForFinished(1000) && !fewSeconds.hasExpired());
    return process.state() == QProcess::NotRunning;
}

void tst_program::signalClosesAndSaves_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("againAndAgain"); // until the program has ended, its save included

    const QList<EndingSignal> endings = EndingSignals();
    if (endings.isEmpty())
        QSKIP("no signals on Windows; its close by WM_CLOSE is QProcess::terminate()");
    for (const EndingSignal &ending : endings)
        QTest::newRow(ending.Name) << ending.Number << false;
    QTest::newRow("SIGTERM again and again") << endings.first().Number << true;
}

void tst_program::signalClosesAndSaves()
{
    QFETCH(int, signal);
    QFETCH(bool, againAndAgain);
    QVERIFY(WriteStore(ReversedItems(500)));
    QProcess &program = Start();
    QVERIFY(Running(program, SettingsStore::FilePath()));

    const QDeadlineTimer fewSeconds(5000);
    do
        SendSignal(program.processId(), signal);
    while (!program.waitForFinished(againAndAgain ? 1 : 5000) && !fewSeconds.hasExpired());
    QCOMPARE(program.state(), QProcess::NotRunning);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QCOMPARE(StoredText(QStringLiteral("Main/NumEntries")), QStringLiteral(" 500"));
    QCOMPARE(StoredText(QStringLiteral(" 1/Name")), QStringLiteral("item 10000"));
    QCOMPARE(StoredText(QStringLiteral(" 500/Name")), QStringLiteral("item 10499"));
    QVERIFY(QFileInfo::exists(Page()));
}

void tst_program::failedCloseSaysSoAndFails_data()
{
    QTest::addColumn<bool>("storeBlocked"); // else the page
    QTest::addColumn<QString>("message");
    if (OnWindows)
        QSKIP("a close from outside is the close box's on Windows, which says so in a box");

    QTest::newRow("page") << false
                          << QStringLiteral("Error: The page could not be written to ") +
                                 QDir::toNativeSeparators(Page());
    QTest::newRow("store") << true
                           << QStringLiteral("Error: The list could not be saved to %1.\n")
                                  .arg(QDir::toNativeSeparators(SettingsStore::FilePath()));
}

void tst_program::failedCloseSaysSoAndFails()
{
    QFETCH(bool, storeBlocked);
    QFETCH(QString, message);
    const QString blocked = storeBlocked ? SettingsStore::FilePath() : Page();
    QVERIFY(QDir().mkpath(blocked)); // a folder where the file should go

    QProcess &program = Start();
    QVERIFY(Running(program, SettingsStore::FilePath()));
    QVERIFY(Ended(program));
    QCOMPARE(program.exitCode(), 1);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(errors.contains(message), qPrintable(errors));
}

void tst_program::secondStartHandsOver()
{
    const QByteArray store = ReversedItems(2);
    QVERIFY(WriteStore(store));
    QProcess &first = Start();
    QVERIFY(Running(first, SettingsStore::FilePath()));

    QProcess &second = Start();
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), store);
    QVERIFY(!QFileInfo::exists(Page()));
    QCOMPARE(first.state(), QProcess::Running);

    // A copy on another store runs beside it; Windows gives a user one store only.
    if (!OnWindows) {
        const QTemporaryDir otherConfig;
        const QString otherStore = otherConfig.filePath(
            QStringLiteral("Tavrel/") + QFileInfo(SettingsStore::FilePath()).fileName());
        QVERIFY(Running(Start(otherConfig.path()), otherStore));
    }
    QVERIFY(Ended(first));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(StoredText(QStringLiteral(" 1/Name")), QStringLiteral("item 10000"));
}

void tst_program::killedCopyDoesNotBlock()
{
    QProcess &killed = Start();
    QVERIFY(Running(killed, SettingsStore::FilePath()));
    killed.kill();
    QVERIFY(killed.waitForFinished());

    QVERIFY(Running(Start(), SettingsStore::FilePath()));
}

// The run looks for the browser before the list loads: with the Flatpak Firefox the one found, the
// page that the close writes, and its pictures, go into that Firefox's own folder.
void tst_program::pageWhereTheFlatpakReadsIt()
{
    if (OnWindows)
        QSKIP("Flatpak is Linux's");
    const QString home = QDir::homePath();
    const QString own = home + QStringLiteral("/.var/app/org.mozilla.firefox");
    const QString exported =
        home + QStringLiteral("/.local/share/flatpak/exports/bin/org.mozilla.firefox");
    const auto removeFlatpak = qScopeGuard([&] {
        QDir(home + QStringLiteral("/.local/share/flatpak")).removeRecursively();
        QDir(home + QStringLiteral("/.var")).removeRecursively();
    });
    QVERIFY(WriteFileBytes(exported, "#!/bin/sh\n"));
    QVERIFY(WriteFileBytes(own + QStringLiteral("/.mozilla/firefox/profiles.ini"),
                           "[Profile0]\nName=p\nIsRelative=1\nPath=p\nDefault=1\n"));
    QVERIFY(QDir().mkpath(own + QStringLiteral("/.mozilla/firefox/p")));
    QVERIFY(WriteStore(ReversedItems(3)));

    QProcess &program = Start();
    QVERIFY(Running(program, SettingsStore::FilePath()));
    QVERIFY(Ended(program));

    for (const char *name : {"To-Do.htm", "high.gif", "med.gif", "low.gif"})
        QVERIFY2(QFileInfo::exists(own + QStringLiteral("/Tavrel/") + QLatin1String(name)), name);
    QVERIFY(!QFileInfo::exists(Page()));
}

TAVREL_TEST_GUILESS_MAIN(tst_program)
#include "tst_program.moc"
