#include "TestSupport.h"

#include <QStandardPaths>

#include <windows.h>

struct FileSizeLimit::Previous
{
};

FileSizeLimit::FileSizeLimit(qint64) {}

FileSizeLimit::~FileSizeLimit() = default;

struct MemoryLimit::Previous
{
};

MemoryLimit::MemoryLimit(qint64) {}

MemoryLimit::~MemoryLimit() = default;

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
    // The folder of Qt's test mode, never the user's own, for whatever the tests write there.
    QStandardPaths::setTestModeEnabled(true);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}
