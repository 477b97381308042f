// The terminal's size, and the news that it changed (SIGWINCH), passed from
// the signal handler through a flag and a pipe that poll() can wait on.
#pragma once

#include "platform/console_host.h"

namespace corrivex::platform {

// The size of the terminal on `fd`: false when `fd` is no terminal or
// reports no size.
bool queryTerminalSize(int fd, CellPos& size);

// Installs the SIGWINCH handler once; later calls do nothing.
void watchTerminalResize();
// The pipe's end to poll for reading, or -1 when the watch is not on.
int terminalResizeFd();
// True while a change of size waits to be taken; no system call.
bool terminalResizePending();
// True once after each change of size; empties the pipe.
bool takeTerminalResize();

}  // namespace corrivex::platform
