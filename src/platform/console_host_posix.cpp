// The process-wide console host of the POSIX build: the terminal of standard
// input for keys, that of standard output (else standard error) for the
// screen, created on first use and ended with the process.
#include <unistd.h>

#include "platform/console_host.h"
#include "platform/terminal_console_host_posix.h"

namespace corrivex::platform {

namespace {

ConsoleHost* installedHost = nullptr;

TerminalConsoleHost& terminalHost() {
    static TerminalConsoleHost host(STDIN_FILENO, isatty(STDOUT_FILENO) != 0 ? STDOUT_FILENO : STDERR_FILENO, true);
    return host;
}

}  // namespace

ConsoleHost& consoleHost() { return installedHost != nullptr ? *installedHost : terminalHost(); }

void installConsoleHost(ConsoleHost* host) { installedHost = host; }

}  // namespace corrivex::platform
