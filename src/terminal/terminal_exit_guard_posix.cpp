#include "terminal/terminal_exit_guard_posix.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "terminal/terminal_modes_posix.h"

namespace corrivex::platform {

namespace {

// Every signal whose default action ends the process (and may dump core).
// Faults of the process itself (SIGSEGV, SIGBUS, …) end it as well: the
// terminal is given back before that too.
constexpr int kEndingSignals[] = {SIGTERM, SIGHUP,    SIGINT,  SIGQUIT, SIGUSR1,   SIGUSR2, SIGALRM, SIGPIPE,
                                  SIGABRT, SIGILL,    SIGTRAP, SIGBUS,  SIGFPE,    SIGSEGV, SIGSYS,  SIGXCPU,
                                  SIGXFSZ, SIGVTALRM, SIGPROF, SIGPOLL, SIGSTKFLT, SIGPWR};

// Read by the signal handlers; written only while the handlers are not armed,
// or as single flags.
volatile sig_atomic_t armed = 0;
volatile sig_atomic_t titleSaved = 0;
volatile sig_atomic_t handedOver = 0;
volatile sig_atomic_t continued = 0;
volatile sig_atomic_t givenBackForStop = 0;
pid_t owner = 0;
int termiosFd = -1;
int outputFd = -1;
termios startSettings{};

bool ours() { return armed != 0 && getpid() == owner; }

void blockHandled(sigset_t& mask) {
    sigemptyset(&mask);
    for (int other : kEndingSignals) sigaddset(&mask, other);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&mask, signal);
    sigaddset(&mask, SIGTSTP);
    sigaddset(&mask, SIGCONT);
}

void onEndingSignal(int signal) {
    const int savedErrno = errno;
    restoreTerminalAtExit();
    // The handler was reset on entry (SA_RESETHAND): the signal, blocked
    // while the handler runs, ends the process as it would have.
    raise(signal);
    errno = savedErrno;
}

void tellContinued() {
    if (handedOver != 0 || !ours()) return;
    continued = 1;
    raise(SIGWINCH);  // wakes the host, whose terminal may have been resized meanwhile too
}

void onStop(int) {
    const int savedErrno = errno;
    if (handedOver == 0 && ours()) {
        restoreTerminalAtExit();
        givenBackForStop = 1;
    }
    // Stop as the default action would, with this handler back on continuing.
    struct sigaction stop {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    struct sigaction ownHandler {};
    sigaction(SIGTSTP, &stop, &ownHandler);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, SIGTSTP);
    sigset_t before;
    raise(SIGTSTP);
    pthread_sigmask(SIG_UNBLOCK, &only, &before);  // the stop happens here
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    sigaction(SIGTSTP, &ownHandler, nullptr);
    // Continued, or never stopped: the kernel lets no process of an
    // orphaned process group stop. Either way the terminal is taken again.
    tellContinued();
    errno = savedErrno;
}

void onContinue(int) {
    const int savedErrno = errno;
    tellContinued();
    errno = savedErrno;
}

void install(int signal, void (*handler)(int), int flags) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0) return;
    // Ignored as the process was started, or someone else's handler: left alone.
    const bool plain = (current.sa_flags & SA_SIGINFO) == 0;
    if (!plain || (current.sa_handler != SIG_DFL && current.sa_handler != handler)) return;
    struct sigaction action {};
    action.sa_handler = handler;
    blockHandled(action.sa_mask);
    action.sa_flags = flags;
    sigaction(signal, &action, nullptr);
}

}  // namespace

void restoreTerminalAtExit() {
    if (!ours()) return;
    if (outputFd >= 0) {
        writeAll(outputFd, kTerminalRestore);
        if (titleSaved != 0) writeAll(outputFd, kTitleRestore);
    }
    if (termiosFd >= 0) setAttributes(termiosFd, startSettings);
}

void armTerminalExitGuard(int fd, const termios& start, int output) {
    armed = 0;
    owner = getpid();
    termiosFd = fd;
    outputFd = output;
    startSettings = start;
    titleSaved = 0;
    handedOver = 0;
    continued = 0;
    armed = 1;

    for (int signal : kEndingSignals) install(signal, onEndingSignal, SA_RESETHAND);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) install(signal, onEndingSignal, SA_RESETHAND);
    install(SIGTSTP, onStop, SA_RESTART);
    install(SIGCONT, onContinue, SA_RESTART);
}

void disarmTerminalExitGuard() { armed = 0; }

void noteTitleSaved() { titleSaved = 1; }

void noteTerminalHandedOver(bool over) { handedOver = over ? 1 : 0; }

bool takeTerminalContinued(bool& givenBack) {
    givenBack = givenBackForStop != 0;
    givenBackForStop = 0;
    if (continued == 0) return false;
    continued = 0;
    return true;
}

}  // namespace corrivex::platform
