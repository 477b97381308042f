// The console of the process in a test program: the one the test handed the
// console layer (console::prepareConsole), else a memory console that no
// test reads.
#include "console/console_state.h"
#include "memory_console_host.h"
#include "process_console/process_console.h"

namespace corrivex::platform {

ConsoleHost& consoleHost() {
    if (ConsoleHost* given = console::consoleState().host) return *given;
    static MemoryConsoleHost unread;
    return unread;
}

}  // namespace corrivex::platform
