#include "FuzzSupport.h"
#include "ScratchUser.h"

#include <QCoreApplication>
#include <QFileInfo>

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

// Every target gets, once, before its first input, a Qt application object and the user's
// folders moved below a scratch folder of this process's own, as in the suites.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // In memory where there is room for it: writes to a file wait for the disk otherwise.
    // The folder goes when the run ends; the application object stays to the end, as Qt's own
    // objects expect.
    static const ScratchUser scratchUser(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                             ? QStringLiteral("/dev/shm")
                                             : QString());
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
