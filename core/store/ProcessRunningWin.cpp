#include "ProcessRunning.h"

#include <windows.h>

bool ProcessRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED; // another user's process
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}
