// The console host of this process: on Windows the console of the standard
// handles, elsewhere the terminal (terminal/terminal_console_host_posix.h).
// It is made when first asked for and kept until the process ends.
//
// Only where a process begins (the process frame) and where a call into the
// console tools library begins (its entry points) is it looked up; the
// console layer, the primitives and the dialogs are handed it. CT_PRO.DLL
// links a copy of its own, which works on the same console.
#pragma once

#include "platform/console_host.h"

namespace corrivex::platform {

ConsoleHost& consoleHost();

}  // namespace corrivex::platform
