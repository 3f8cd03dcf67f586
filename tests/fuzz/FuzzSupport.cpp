#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

void Require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Property does not hold: %s\n", property);
    std::abort();
}

// Every target gets, once, before its first input, a Qt application object and a settings folder
// of this process's own.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // In memory where there is room for it: writes to a file wait for the disk otherwise.
    // The folder goes when the run ends; the application object stays to the end, as Qt's own
    // objects expect.
    static QTemporaryDir config(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/tavrel-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/tavrel-fuzz-XXXXXX"));
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static const QCoreApplication *app = new QCoreApplication(argc, argv);
    Q_UNUSED(app);
    return 0;
}

QString Utf16Text(const std::uint8_t *data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}
