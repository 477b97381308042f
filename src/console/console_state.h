// The console layer's one state record for the process, and the console
// preparation of the process start.
#pragma once

#include <cstdint>

#include "platform/console_host.h"

namespace corrivex::console {

struct ConsoleState {
    // The console of the process, given at process start: output goes to
    // it, input comes from it. Before one is given, the operations of
    // console_output.h do nothing.
    platform::ConsoleHost* host = nullptr;
    int foreground = 7;  // colour number 0 to 15 for later writes
    int background = 0;
    bool pendingScroll = false;  // the last write filled the bottom row up to its last column
    // The extended flags of the input mode (quick edit, insert mode) as the
    // console reported them at process start, 0 when it did not: every input
    // mode the program sets holds them, so that the console keeps reporting
    // them and whoever puts back a mode it read (a dialog) gives them back.
    std::uint32_t startExtendedFlags = 0;
};

// The process-wide record.
ConsoleState& consoleState();

// Process start: the record starts afresh with `host` as the console of the
// process, which gets processed output with wrap at the end of a line, raw
// key input (every input flag off, the extended flags as found), and a
// visible cursor of 10 percent when it reports none or one of size 0.
void prepareConsole(platform::ConsoleHost& host);

}  // namespace corrivex::console
