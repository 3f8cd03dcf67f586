#include "TestSupport.h"

#include <QStandardPaths>

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

QString UseDataFolder(const QString &)
{
    // The folder of Qt's test mode, never the user's own, for whatever the tests write there.
    QStandardPaths::setTestModeEnabled(true);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}
