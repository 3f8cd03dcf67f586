#include "TestSupport.h"
#include "UserFolders.h"
#include "UserFoldersPlatform.h"

#include <QFileInfo>

#include <windows.h>

struct FileSizeLimit::Previous
{
};

FileSizeLimit::FileSizeLimit(qint64) {}

FileSizeLimit::~FileSizeLimit() = default;

QList<EndingSignal> EndingSignals()
{
    return {};
}

bool SendSignal(qint64, int)
{
    return false;
}

bool AskThisProcessToEnd()
{
    // A console of the test's own: one it was started with may hold other programs too.
    static const bool ownConsole = [] {
        FreeConsole();
        return AllocConsole() != 0;
    }();
    return ownConsole && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

QString UseDataFolder(const QString &)
{
    // The system names the folder whatever the environment says; the suite's scratch user has
    // one of its own.
    return QFileInfo(UserDataFolder()).path();
}

unsigned AnsiCodePage()
{
    return GetACP();
}

QString UsersOwnRoamingFolder()
{
    return PlatformConfigFolder(); // the system's, whatever the suite moved
}
