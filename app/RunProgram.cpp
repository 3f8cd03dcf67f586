#include "RunProgram.h"

#include "CommandLine.h"
#include "ModuleMain.h"
#include "OneCopyPerStore.h"
#include "ProgramLayout.h"
#include "SessionEnd.h"
#include "StartPage.h"
#include "StartingConsole.h"
#include "TerminationSignals.h"
#include "frmMain.h"

#include <QApplication>

namespace {

int RunMainWindow()
{
    // From the start, so that a signal while the list loads closes the program too.
    const TerminationSignals termination;
    OneCopyPerStore oneCopy;
    switch (oneCopy.Claim()) {
    case OneCopyPerStore::Start::HandedOver:
        return 0;
    case OneCopyPerStore::Start::Refused:
        return 1;
    case OneCopyPerStore::Start::Alone:
        break;
    }
    const RunItemList items;
    // Before the list loads: the page goes where the browser chosen for the run can read it.
    ChooseStartPageBrowser();
    UsePageFolder(StartPageFolder());
    frmMain window;
    oneCopy.Serve(window);
    SessionEnd sessionEnd(window, termination);
    QObject::connect(&sessionEnd, &SessionEnd::Finished, qApp, &QCoreApplication::exit);
    window.show();
    return QApplication::exec();
}

} // namespace

int RunProgram(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Tavrel List Manager"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(TAVREL_VERSION_MAJOR).arg(TAVREL_VERSION_MINOR));
    QApplication::setDesktopFileName(QStringLiteral("example.tavrel.ListManager"));
    JoinStartingConsole();
    if (const std::optional<int> status = AnswerCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    return RunMainWindow();
}
