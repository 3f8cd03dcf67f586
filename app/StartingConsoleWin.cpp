#include "StartingConsole.h"

#include <cstdio>

#include <windows.h>

namespace {

// A stream that was redirected to a file or a pipe keeps going there.
void ToConsoleUnlessRedirected(DWORD handle, std::FILE *stream)
{
    const HANDLE current = GetStdHandle(handle);
    if (current == nullptr || current == INVALID_HANDLE_VALUE ||
        GetFileType(current) == FILE_TYPE_UNKNOWN)
        std::freopen("CONOUT$", "w", stream);
}

} // namespace

void JoinStartingConsole()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    ToConsoleUnlessRedirected(STD_OUTPUT_HANDLE, stdout);
    ToConsoleUnlessRedirected(STD_ERROR_HANDLE, stderr);
}
