#include "SettingsStore.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

const QByteArray TwoItems = "[Main]\nRunBefore=Yes\nNumEntries=2\n"
                            "[%201]\nName=pears\nURL=http://p\nPriority=3\n"
                            "[%202]\nName=apples\nURL=\nPriority=1\n";

// The folder that XDG_CONFIG_HOME names for a store at storePath.
QString ConfigHome(const QString &storePath)
{
    return QFileInfo(QFileInfo(storePath).absolutePath()).absolutePath();
}

} // namespace

class tst_program : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void secondStartHandsOver();
    void killedCopyDoesNotBlock();

private:
    QProcess &Start(const QString &configHome);
    static bool Running(const QProcess &process, const QString &configHome);
    QString Page() const { return programDir.filePath(QStringLiteral("To-Do.htm")); }

    QTemporaryDir programDir;
    QString ownConfig;
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
    ownConfig = ConfigHome(SettingsStore::FilePath());
}

void tst_program::init()
{
    QDir(QFileInfo(SettingsStore::FilePath()).absolutePath()).removeRecursively();
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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process->setProcessEnvironment(environment);
    process->start(programDir.filePath(QFileInfo(QStringLiteral(TAVREL_BUILT_PROGRAM)).fileName()),
                   {});
    started.push_back(std::move(process));
    return *started.back();
}

// Whether process has the store of configHome: its lock file names it.
bool tst_program::Running(const QProcess &process, const QString &configHome)
{
    const QString lock = configHome + QStringLiteral("/Tavrel/Tavrel.conf.running");
    return QTest::qWaitFor([&] {
        return process.state() == QProcess::Running &&
               ReadFileBytes(lock).startsWith(QByteArray::number(process.processId()) + '\n');
    });
}

void tst_program::secondStartHandsOver()
{
    QVERIFY(WriteStore(TwoItems));
    const QProcess &first = Start(ownConfig);
    QVERIFY(Running(first, ownConfig));

    QProcess &second = Start(ownConfig);
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), TwoItems);
    QVERIFY(!QFileInfo::exists(Page()));
    QCOMPARE(first.state(), QProcess::Running);

    const QTemporaryDir otherConfig;
    QVERIFY(Running(Start(otherConfig.path()), otherConfig.path()));
}

void tst_program::killedCopyDoesNotBlock()
{
    QProcess &killed = Start(ownConfig);
    QVERIFY(Running(killed, ownConfig));
    killed.kill();
    QVERIFY(killed.waitForFinished());

    QVERIFY(Running(Start(ownConfig), ownConfig));
}

QTEST_MAIN(tst_program)
#include "tst_program.moc"
