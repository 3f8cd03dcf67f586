// A save killed at any moment leaves the old list or the new one in the store, never a mix, a
// cut or nothing; what it leaves beside the store is its own, and the next save removes it.
// The saving process is this test itself, started again with --keep-saving.
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

constexpr int Items = 6000;
const char KeepSaving[] = "--keep-saving";

// Two lists that differ in every item, so that a mix of them matches neither.
bool SaveList(int which)
{
    const QString tag = which == 0 ? QStringLiteral("first") : QStringLiteral("second");
    SettingsStore store;
    store.DeleteAllSettings();
    store.WriteSetting(QStringLiteral("Main"), QStringLiteral("NumEntries"),
                       u' ' + QString::number(Items));
    for (int i = 1; i <= Items; ++i) {
        const QString section = u' ' + QString::number(i);
        store.WriteSetting(section, QStringLiteral("Name"),
                           QStringLiteral("%1 %2").arg(tag).arg(i));
        store.WriteSetting(section, QStringLiteral("Description"),
                           QStringLiteral("item %2 of the %1 list").arg(tag).arg(i));
        store.WriteSetting(section, QStringLiteral("URL"),
                           QStringLiteral("http://example.org/%1/%2").arg(which).arg(i));
        store.WriteSetting(section, QStringLiteral("Priority"), QString::number(i % 3 + 1));
    }
    return store.Sync();
}

void Say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// The child: saves the two lists in turn, starting with which, until it is killed. It says
// when each save starts writing and when each has been saved.
[[noreturn]] void SaveUntilKilled(int which)
{
    for (;; which = 1 - which) {
        Say("writing " + QByteArray::number(which));
        Say(SaveList(which) ? "saved " + QByteArray::number(which) : "failed");
    }
}

QString StoreFolderPath()
{
    return QFileInfo(SettingsStore::FilePath()).absolutePath();
}

// What lies beside the store.
QStringList Beside()
{
    QStringList names = QDir(StoreFolderPath()).entryList(QDir::Files | QDir::Hidden);
    names.removeOne(QFileInfo(SettingsStore::FilePath()).fileName());
    return names;
}

// The scratch files that the saves of process id have beside the store now.
QStringList SaveFilesOf(qint64 id)
{
    const QString store = QFileInfo(SettingsStore::FilePath()).fileName();
    return QDir(StoreFolderPath())
        .entryList({QStringLiteral("%1.%2-*.saving").arg(store, QString::number(id))},
                   QDir::Files | QDir::Hidden);
}

bool WaitUntil(const std::function<bool()> &done)
{
    const QDeadlineTimer patience(30000);
    while (!done()) {
        if (patience.hasExpired())
            return false;
        QThread::usleep(50);
    }
    return true;
}

// Reads the child's lines until one starts with word; answers false when the child ends or
// says nothing for a long time first, or when a save failed.
bool Expect(QProcess &child, const QByteArray &word, int *which = nullptr)
{
    for (;;) {
        while (!child.canReadLine()) {
            if (!child.waitForReadyRead(30000))
                return false;
        }
        const QByteArray line = child.readLine().trimmed();
        if (line == "failed")
            return false;
        if (line.startsWith(word + ' ')) {
            if (which)
                *which = line.mid(word.size() + 1).toInt();
            return true;
        }
    }
}

} // namespace

class tst_killedsave : public QObject
{
    Q_OBJECT

private slots:
    void killedSavesLeaveOneWholeList();
};

void tst_killedsave::killedSavesLeaveOneWholeList()
{
    QDir(StoreFolderPath()).removeRecursively();
    QByteArray lists[2];
    for (int which : {1, 0}) {
        QVERIFY(SaveList(which));
        lists[which] = ReadFileBytes(SettingsStore::FilePath());
        const SettingsStore store;
        QCOMPARE(store.ReadSetting(QStringLiteral(" 1"), QStringLiteral("Description")),
                 QStringLiteral("item 1 of the %1 list").arg(which == 0 ? "first" : "second"));
    }
    QVERIFY(lists[0] != lists[1]);

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("random seed %u", seed);
    QRandomGenerator random(seed);
    int left[2] = {0, 0}; // kills that left the old list, and the new one
    int withFileBeside = 0;
    int inStore = 0;
    QStringList leftover;
    for (int kill = 1; kill <= TAVREL_KILLS; ++kill) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(KeepSaving), QString::number(1 - inStore)});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        const qint64 childId = child.processId();
        const auto saving = [childId] { return !SaveFilesOf(childId).isEmpty(); };

        // The first save, timed: as a whole, and from its scratch file's coming, whole, to its
        // going in the store's place.
        QElapsedTimer clock;
        QVERIFY(Expect(child, "writing"));
        clock.start();
        QVERIFY(WaitUntil(saving));
        const qint64 written = clock.nsecsElapsed();
        QVERIFY(WaitUntil([&saving] { return !saving(); }));
        const qint64 replaced = clock.nsecsElapsed() - written;
        QVERIFY(Expect(child, "saved", &inStore));
        const qint64 whole = clock.nsecsElapsed();
        for (const QString &name : std::as_const(leftover))
            QVERIFY2(!Beside().contains(name), qPrintable(name + " outlived the next save"));

        // The kill comes in the second save: every other one anywhere in it or a little into
        // the third, the others where the files change, as most of a save is in memory.
        QVERIFY(Expect(child, "writing"));
        qint64 ns = random.bounded(whole * 3 / 2);
        if (kill % 2 == 0) {
            QVERIFY(WaitUntil(saving));
            ns = random.bounded(replaced * 5 / 4 + 1);
        }
        QThread::usleep(ns / 1000);
        child.kill();
        QVERIFY(child.waitForFinished());
        while (Expect(child, "saved", &inStore)) {
        }

        const QByteArray stored = ReadFileBytes(SettingsStore::FilePath());
        QVERIFY2(stored == lists[0] || stored == lists[1],
                 qPrintable(QStringLiteral("kill %1 left a store of %2 bytes that is neither list")
                                .arg(kill)
                                .arg(stored.size())));
        const int now = stored == lists[0] ? 0 : 1;
        ++left[now == inStore ? 0 : 1];
        inStore = now;

        // Only the killed save's own scratch file.
        leftover = Beside();
        QVERIFY2(leftover.size() <= 1, qPrintable(leftover.join(u' ')));
        QVERIFY2(leftover.isEmpty() || SaveFilesOf(childId) == leftover,
                 qPrintable(leftover.join(u' ') + " is not the killed save's"));
        withFileBeside += leftover.isEmpty() ? 0 : 1;
    }
    qInfo("%d kills left the old list and %d the new one; %d left a save's file beside the store",
          left[0], left[1], withFileBeside);

    QVERIFY(SaveList(inStore));
    QCOMPARE(Beside(), QStringList());
}

int main(int argc, char *argv[])
{
    const ScratchUser scratchUser; // the saving children share the suite's
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], KeepSaving) == 0)
        SaveUntilKilled(QByteArray(argv[2]).toInt());
    tst_killedsave test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killedsave.moc"
