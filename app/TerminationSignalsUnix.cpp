#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array Handled = {SIGTERM, SIGHUP, SIGINT};

// The pipe's end that the handler writes to; set before the handlers are installed.
volatile std::sig_atomic_t wakeUpFd = -1;

void OnSignal(int)
{
    // Nothing but async-signal-safe calls. When the pipe is full it holds a wake-up already, so
    // a write that fails loses nothing.
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeUpFd, &byte, 1);
    errno = savedErrno;
}

} // namespace

struct TerminationSignals::Pipe
{
    int fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent), pipe(std::make_unique<Pipe>())
{
    // Without a pipe the signals keep their default: they end the program at once.
    if (::pipe2(pipe->fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    const int readFd = pipe->fds[0];
    pipe->notifier = std::make_unique<QSocketNotifier>(readFd, QSocketNotifier::Read);
    connect(pipe->notifier.get(), &QSocketNotifier::activated, this, [this, readFd] {
        char bytes[64];
        while (::read(readFd, bytes, sizeof bytes) > 0) {
        }
        emit Received(CloseTime::AsNeeded);
    });
    wakeUpFd = pipe->fds[1];

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // A read or write that the signal interrupts goes on rather than failing.
    action.sa_flags = SA_RESTART;
    for (const int handled : Handled) {
        struct sigaction current = {};
        if (sigaction(handled, nullptr, &current) == 0 && current.sa_handler != SIG_IGN)
            sigaction(handled, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    // The handlers stay: with no pipe to write to they do nothing at all.
    wakeUpFd = -1;
    pipe->notifier.reset();
    for (const int fd : pipe->fds) {
        if (fd >= 0)
            ::close(fd);
    }
}
