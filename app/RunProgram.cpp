#include "RunProgram.h"

#include "OneCopyPerStore.h"
#include "SessionEnd.h"
#include "TerminationSignals.h"
#include "frmMain.h"

#include <QApplication>

int RunProgram()
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
    frmMain window;
    oneCopy.ServeFrontRequests(window);
    SessionEnd sessionEnd(window, termination);
    QObject::connect(&sessionEnd, &SessionEnd::Finished, qApp, &QCoreApplication::exit);
    window.show();
    return QApplication::exec();
}
