#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <csignal>

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
