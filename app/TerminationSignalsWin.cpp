#include "TerminationSignals.h"

#include <QMetaObject>

#include <mutex>

#include <windows.h>

// Windows closes a program's windows to end it (taskkill, the task manager) and asks it to save
// before the session ends; Qt meets both. What is left is the console the program was started
// from: Ctrl+C, Ctrl+Break and the console's own close box. The system reports them on a thread
// of its own, which hands them to the event loop.

namespace {

std::mutex receiverMutex;
TerminationSignals *receiver = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    // A closed console ends the process about 5 s from now, whatever is open: the close saves
    // at once.
    const CloseTime time = event == CTRL_CLOSE_EVENT ? CloseTime::Seconds : CloseTime::AsNeeded;
    {
        const std::lock_guard lock(receiverMutex);
        if (TerminationSignals *const to = receiver) {
            QMetaObject::invokeMethod(
                to, [to, time] { emit to->Received(time); }, Qt::QueuedConnection);
        }
    }
    // The system ends the process as soon as this returns from a closed console; the close
    // ends it first, from the main thread.
    if (event == CTRL_CLOSE_EVENT)
        Sleep(INFINITE);
    return TRUE;
}

} // namespace

struct TerminationSignals::Pipe
{
};

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    const std::lock_guard lock(receiverMutex);
    receiver = this;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// The handler stays, so that a console's events during the rest of the close are ignored too.
TerminationSignals::~TerminationSignals()
{
    const std::lock_guard lock(receiverMutex);
    receiver = nullptr;
}
