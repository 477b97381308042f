// The console host of the process on Windows: the console of the standard
// handles, made on first use and ended with the process.
#include "platform/console_host_win32.h"
#include "process_console/process_console.h"

namespace corrivex::platform {

ConsoleHost& consoleHost() {
    static const std::unique_ptr<ConsoleHost> host = makeWindowsConsoleHost();
    return *host;
}

}  // namespace corrivex::platform
