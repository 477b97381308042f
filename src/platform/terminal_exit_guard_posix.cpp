#include "platform/terminal_exit_guard_posix.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/terminal_modes_posix.h"

namespace corrivex::platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

// Read by the signal handlers; written only while the handlers are not armed.
volatile sig_atomic_t armed = 0;
pid_t owner = 0;
int termiosFd = -1;
int outputFd = -1;
termios startSettings{};

void onSignal(int signal) {
    const int savedErrno = errno;
    restoreTerminalAtExit();
    // The handler was reset on entry (SA_RESETHAND): the signal, blocked
    // while the handler runs, ends the process as it would have.
    raise(signal);
    errno = savedErrno;
}

}  // namespace

void restoreTerminalAtExit() {
    if (armed == 0 || getpid() != owner) return;
    if (outputFd >= 0) writeAll(outputFd, kTerminalRestore);
    if (termiosFd >= 0) setAttributes(termiosFd, startSettings);
}

void armTerminalExitGuard(int fd, const termios& start, int output) {
    armed = 0;
    owner = getpid();
    termiosFd = fd;
    outputFd = output;
    startSettings = start;
    armed = 1;

    for (int signal : kSignals) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0) continue;
        // Ignored as the process was started, or someone else's handler: left alone.
        const bool plain = (current.sa_flags & SA_SIGINFO) == 0;
        if (!plain || (current.sa_handler != SIG_DFL && current.sa_handler != onSignal)) continue;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (int other : kSignals) sigaddset(&action.sa_mask, other);
        action.sa_flags = SA_RESETHAND;
        sigaction(signal, &action, nullptr);
    }
}

void disarmTerminalExitGuard() { armed = 0; }

}  // namespace corrivex::platform
