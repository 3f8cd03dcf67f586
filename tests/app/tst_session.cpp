#include "ModuleMain.h"
#include "OneCopyPerStore.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "frmMain.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray TwoItems = "[Main]\nRunBefore=Yes\nNumEntries=2\n"
                            "[%201]\nName=pears\nURL=http://p\nPriority=3\n"
                            "[%202]\nName=apples\nURL=\nPriority=1\n";
} // namespace

class tst_session : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void secondStart_data();
    void secondStart();

private:
    void Open(const QByteArray &store);

    std::unique_ptr<frmMain> window;
    QTemporaryDir programDir;
};

void tst_session::initTestCase()
{
    QVERIFY(programDir.isValid());
    SetProgramDirForTests(programDir.path());
}

void tst_session::cleanup()
{
    window.reset();
    ResetGlobals();
    QCOMPARE(CloseLeftOpenWindows(), QStringList());
}

void tst_session::Open(const QByteArray &store)
{
    QVERIFY(WriteStore(store));
    ResetGlobals();
    window = std::make_unique<frmMain>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void tst_session::secondStart_data()
{
    QTest::addColumn<bool>("firstClosed");
    QTest::newRow("a minimised window comes to the front") << false;
    QTest::newRow("a closed window has given the store up") << true;
}

void tst_session::secondStart()
{
    QFETCH(bool, firstClosed);
    Open(TwoItems);
    OneCopyPerStore first;
    QCOMPARE(first.Claim(), OneCopyPerStore::Start::Alone);
    first.ServeFrontRequests(*window);
    QWidget elsewhere;
    if (firstClosed) {
        window->close();
    } else {
        window->showMinimized();
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    }

    OneCopyPerStore second;
    const auto expected =
        firstClosed ? OneCopyPerStore::Start::Alone : OneCopyPerStore::Start::HandedOver;
    QCOMPARE(second.Claim(), expected);
    if (!firstClosed) {
        QTRY_VERIFY(window->isActiveWindow());
        QVERIFY(!window->isMinimized());
    }
}

QTEST_MAIN(tst_session)
#include "tst_session.moc"
