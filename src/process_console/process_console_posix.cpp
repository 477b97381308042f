// The console host of the process on a POSIX system: the terminal host,
// created on first use and ended with the process. Keys come from the
// terminal of standard input. The screen goes to the terminal of standard
// output, else of standard error, else (as fzf and vim do, when both are
// redirected) to the controlling terminal, /dev/tty, so that
// `corrivex >log 2>&1` still shows its dialogs while the engine's output
// goes to the log. Where no screen can be shown, input reads as closed: an
// invisible dialog never waits for keys.
#include <fcntl.h>
#include <unistd.h>

#include "process_console/process_console.h"
#include "terminal/terminal_console_host_posix.h"

namespace corrivex::platform {

namespace {

// The controlling terminal, opened once, close-on-exec: no child inherits it.
int controllingTerminal() {
    const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 && isatty(fd) == 0) {
        close(fd);
        return -1;
    }
    return fd;
}

struct Terminals {
    int input = -1;
    int screen = -1;
};

Terminals chooseTerminals() {
    Terminals chosen;
    const bool keys = isatty(STDIN_FILENO) != 0;
    if (isatty(STDOUT_FILENO) != 0) chosen.screen = STDOUT_FILENO;
    else if (isatty(STDERR_FILENO) != 0) chosen.screen = STDERR_FILENO;
    else if (keys) chosen.screen = controllingTerminal();
    if (keys && chosen.screen >= 0) chosen.input = STDIN_FILENO;
    return chosen;
}

}  // namespace

ConsoleHost& consoleHost() {
    static const Terminals terminals = chooseTerminals();
    static TerminalConsoleHost host(terminals.input, terminals.screen, true);
    return host;
}

}  // namespace corrivex::platform
