#include "ProcessRunning.h"

#include <cerrno>
#include <csignal>

bool ProcessRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    // Signal 0 only asks; a process of another user answers "not permitted", but it runs.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}
