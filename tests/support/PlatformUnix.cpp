#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <csignal>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

struct FileSizeLimit::Previous
{
    rlimit limit{};
    void (*handler)(int) = SIG_DFL;
};

FileSizeLimit::FileSizeLimit(qint64 bytes) : previous(std::make_unique<Previous>())
{
    if (getrlimit(RLIMIT_FSIZE, &previous->limit) != 0)
        return;
    rlimit small = previous->limit;
    small.rlim_cur = rlim_t(bytes);
    // Past the limit the system sends a signal that would end the test; the write failing is
    // what the tests want to see.
    previous->handler = std::signal(SIGXFSZ, SIG_IGN);
    active = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (active)
        setrlimit(RLIMIT_FSIZE, &previous->limit);
    std::signal(SIGXFSZ, previous->handler);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool AddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool AddressSanitizer = false;
#endif

struct MemoryLimit::Previous
{
    rlimit limit{};
};

MemoryLimit::MemoryLimit(qint64 bytes) : previous(std::make_unique<Previous>())
{
    if (AddressSanitizer || getrlimit(RLIMIT_AS, &previous->limit) != 0)
        return;
    // Large blocks are mapped afresh from now on, so that the limit sees them even where earlier
    // ones left free room behind; and what is free now goes back before the room is measured.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    malloc_trim(0);
    // The process's address space so far, in pages, is the first number of statm.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return;
    const qint64 used = statm.readLine().split(' ').value(0).toLongLong() * getpagesize();
    rlimit limited = previous->limit;
    limited.rlim_cur = rlim_t(used + bytes);
    active = used > 0 && setrlimit(RLIMIT_AS, &limited) == 0;
}

MemoryLimit::~MemoryLimit()
{
    if (active)
        setrlimit(RLIMIT_AS, &previous->limit);
}

QList<EndingSignal> EndingSignals()
{
    return {{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}};
}

bool SendSignal(qint64 pid, int signal)
{
    return ::kill(pid_t(pid), signal) == 0;
}

bool AskThisProcessToEnd()
{
    return std::raise(SIGTERM) == 0;
}

QString UseDataFolder(const QString &folder)
{
    if (folder.isEmpty()) {
        qunsetenv("XDG_DATA_HOME");
        return QDir::homePath() + QStringLiteral("/.local/share");
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    return folder;
}

unsigned AnsiCodePage()
{
    return 0;
}

QString UsersOwnRoamingFolder()
{
    return {};
}
