#include "MessageBox.h"
#include "ModuleMain.h"
#include "OneCopyPerStore.h"
#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "SessionEnd.h"
#include "SettingsStore.h"
#include "TerminationSignals.h"
#include "TestSeams.h"
#include "UserFolders.h"
#include "WindowSupport.h"
#include "frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {
// A dialog that does not close when asked, as one whose handler is still busy.
class StubbornDialog : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

const QByteArray TwoItems = "[Main]\nRunBefore=Yes\nNumEntries=2\n"
                            "[%201]\nName=pears\nURL=http://p\nPriority=3\n"
                            "[%202]\nName=apples\nURL=\nPriority=1\n";

} // namespace

class tst_session : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void signalClosesOverOpenWindows_data();
    void signalClosesOverOpenWindows();
    void closeWithSecondsSavesAtOnce_data();
    void closeWithSecondsSavesAtOnce();
    void sessionManagerSaveLetsWorkGoOn();
    void sessionManagerSaveWaitsForNoOne();
    void secondStart_data();
    void secondStart();

private:
    std::unique_ptr<frmMain> window;
    QTemporaryDir programDir;
};

void tst_session::initTestCase()
{
    QVERIFY(programDir.isValid());
}

void tst_session::init()
{
    SetProgramDirForTests(programDir.path());
    QDir(StoreFolder()).removeRecursively();
    QFile::remove(PagePath());
}

void tst_session::cleanup()
{
    window.reset();
    ResetGlobals();
    QCOMPARE(CloseLeftOpenWindows(), QStringList());
}

void tst_session::signalClosesOverOpenWindows_data()
{
    QTest::addColumn<QStringList>("clicks"); // each in the dialog on top, else the main window

    QTest::newRow("options, changed") << QStringList{"cmdOptions", "chkExitGenerate"};
    QTest::newRow("about box over options")
        << QStringList{"cmdOptions", "chkExitGenerate", "cmdAbout", "cmd1", "cmd2", "cmd3"};
    QTest::newRow("message box") << QStringList{"cmdGenerate"};
    QTest::newRow("easter egg") << QStringList{"cmdOptions", "cmdAbout", "cmd1",
                                               "cmd2",       "cmd3",     "cmdOK"};
}

void tst_session::signalClosesOverOpenWindows()
{
    QFETCH(QStringList, clicks);
    QVERIFY(OpenOnStore(window, TwoItems));
    const TerminationSignals termination;
    SessionEnd sessionEnd(*window, termination);
    QEventLoop run; // the program's own loop
    int loopsAtEnd = 0;
    connect(&sessionEnd, &SessionEnd::Finished, &run, [&run, &loopsAtEnd](int status) {
        loopsAtEnd = QThread::currentThread()->loopLevel();
        run.exit(status);
    });

    // Each dialog waits in a loop of its own, inside the click that opened it.
    int after = 0;
    for (const QString &name : clicks) {
        QTimer::singleShot(after += 20, this, [this, name] {
            QWidget *top = QApplication::activeModalWidget();
            Click(top ? *top : *window, name);
        });
    }
    QTimer::singleShot(after + 50, this, [] { QVERIFY(AskThisProcessToEnd()); });
    QTimer::singleShot(10000, &run, [&run] {
        CloseLeftOpenWindows(); // ends the loops of dialogs left open
        run.exit(-1);
    });
    QCOMPARE(run.exec(), 0);
    QCOMPARE(loopsAtEnd, 1); // every dialog's loop, and the click beneath it, had ended

    QCOMPARE(CloseLeftOpenWindows(), QStringList());
    QCOMPARE(StoredText(QStringLiteral("Main/GenerateOnClose")), QStringLiteral("True"));
    QCOMPARE(StoredText(QStringLiteral(" 1/Name")), QStringLiteral("apples"));
    QVERIFY(QFileInfo::exists(PagePath()));
}

void tst_session::closeWithSecondsSavesAtOnce_data()
{
    QTest::addColumn<bool>("signalFirst"); // whose close waits for the dialog
    QTest::newRow("console closed") << false;
    QTest::newRow("console closed while a signal's close waits") << true;
}

void tst_session::closeWithSecondsSavesAtOnce()
{
    QFETCH(bool, signalFirst);
    QVERIFY(OpenOnStore(window, TwoItems));
    const TerminationSignals termination;
    SessionEnd sessionEnd(*window, termination);
    StubbornDialog stubborn(window.get());
    QElapsedTimer sinceRequest;
    qint64 finishedAfter = -1;
    connect(&sessionEnd, &SessionEnd::Finished, &stubborn, [&](int status) {
        finishedAfter = sinceRequest.elapsed();
        stubborn.done(status);
    });
    QTimer::singleShot(20, this, [&] {
        if (signalFirst)
            sessionEnd.Close(CloseTime::AsNeeded);
        sinceRequest.start();
        sessionEnd.Close(CloseTime::Seconds);
    });
    QTimer::singleShot(10000, &stubborn, [&stubborn] { stubborn.done(-1); });
    QCOMPARE(stubborn.exec(), 0);
    // The close that waits gives a dialog 5 s to end; the save alone takes 2 s under Wine.
    QVERIFY2(finishedAfter < 4000, qPrintable(QString::number(finishedAfter)));
    QCOMPARE(StoredText(QStringLiteral(" 1/Name")), QStringLiteral("apples"));
}

void tst_session::sessionManagerSaveLetsWorkGoOn()
{
    QVERIFY(OpenOnStore(window, TwoItems));
    const TerminationSignals termination;
    SessionEnd sessionEnd(*window, termination);
    Globals().pageOptions.BodySize = QStringLiteral("4");
    sessionEnd.SaveForSessionManager();
    QCOMPARE(StoredText(QStringLiteral("Main/BodySize")), QStringLiteral("4"));
    QVERIFY(QFileInfo::exists(PagePath()));
    QVERIFY(window->isVisible());

    // The log-out was called off, and what is done after it is saved at close as ever.
    Globals().pageOptions.BodySize = QStringLiteral("6");
    window->close();
    QCOMPARE(StoredText(QStringLiteral("Main/BodySize")), QStringLiteral("6"));
}

void tst_session::sessionManagerSaveWaitsForNoOne()
{
    QVERIFY(OpenOnStore(window, TwoItems));
    QStringList shown;
    SetMessageSink([&shown](const Message &message) { shown << message.Text; });
    QVERIFY(QFile::remove(SettingsStore::FilePath()));
    QVERIFY(QDir().mkpath(SettingsStore::FilePath())); // a folder where the store should go

    const TerminationSignals termination;
    SessionEnd sessionEnd(*window, termination);
    sessionEnd.SaveForSessionManager();
    QCOMPARE(shown, QStringList());
    window->close(); // with the user there again
    QCOMPARE(shown.size(), 1);
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
    QVERIFY(OpenOnStore(window, TwoItems));
    OneCopyPerStore first;
    QCOMPARE(first.Claim(), OneCopyPerStore::Start::Alone);
    first.Serve(*window);
    QWidget elsewhere;
    if (firstClosed) {
        window->close();
    } else {
        window->showMinimized();
        QVERIFY(ShowActive(elsewhere));
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

TAVREL_TEST_MAIN(tst_session)
#include "tst_session.moc"
