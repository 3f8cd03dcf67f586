#include "RunProgram.h"

#include "OneCopyPerStore.h"
#include "frmMain.h"

#include <QApplication>

int RunProgram()
{
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
    window.show();
    return QApplication::exec();
}
