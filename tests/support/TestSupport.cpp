#include "TestSupport.h"

#include "SettingsStore.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QWidget>

#include <csignal>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
        return;
    rlimit small = previous;
    small.rlim_cur = rlim_t(bytes);
    // Past the limit the system sends a signal that would end the test; the write failing is
    // what the tests want to see.
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    active = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (active)
        setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
}

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool WriteStore(const QByteArray &content)
{
    const QString path = SettingsStore::FilePath();
    QFile::remove(path);
    if (content.isEmpty())
        return true;
    if (!WriteFileBytes(path, content))
        return false;
    // Qt reads a settings file again only when its size or time has changed since it last read
    // it; two stores of one size written within a millisecond would pass for one.
    static QDateTime stamp = QDateTime::currentDateTimeUtc().addYears(-1);
    stamp = stamp.addSecs(1);
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

void Click(const QWidget &form, const QString &name)
{
    auto *control = form.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton);
}

void ClickCorners(const QWidget &about, const QList<int> &corners)
{
    for (int corner : corners)
        Click(about, QStringLiteral("cmd%1").arg(corner));
}

QStringList CloseLeftOpenWindows()
{
    QStringList leftOpen;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            leftOpen << window->objectName();
            window->close();
        }
    }
    return leftOpen;
}
