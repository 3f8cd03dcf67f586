#pragma once

#include "ModuleMain.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

// The running user's folders, for as long as the suite runs, are folders of its own below a
// scratch folder: the store, the page, the browser's settings and whatever else a suite or the
// processes it starts would write for the user. On Linux HOME and the XDG folders point there,
// so that the program's own way of finding them is what the suites run; on Windows, where the
// system names the folders whatever the environment says, the program's test hook moves them.
// A process started by a suite shares its parent's scratch folder; suites side by side never
// share one.
class ScratchUser
{
public:
    // The scratch folder is made in base (the system's temporary folder unless given), unless
    // the process was started by a suite.
    explicit ScratchUser(const QString &base = {});
    Q_DISABLE_COPY_MOVE(ScratchUser)

    // The scratch folder, in Qt's form.
    static QString Root();

private:
    std::optional<QTemporaryDir> owned; // removed with the suite; a child's belongs to its parent
};

// QTEST_MAIN and QTEST_GUILESS_MAIN, with the user's folders moved first and an item list for
// the suite's whole run, as the program has.
#define TAVREL_TEST_MAIN_WITH(Application, TestObject)                                             \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        const ScratchUser scratchUser;                                                             \
        Application app(argc, argv);                                                               \
        const RunItemList items;                                                                   \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#define TAVREL_TEST_MAIN(TestObject) TAVREL_TEST_MAIN_WITH(QApplication, TestObject)
#define TAVREL_TEST_GUILESS_MAIN(TestObject) TAVREL_TEST_MAIN_WITH(QCoreApplication, TestObject)
