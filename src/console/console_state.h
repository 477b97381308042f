// The console layer's one state record for the process, and the console
// preparation of the process start.
#pragma once

#include <cstdint>

namespace corrivex::console {

struct ConsoleState {
    int foreground = 7;  // colour number 0 to 15 for later writes
    int background = 0;
    bool pendingScroll = false;  // the last write filled the bottom row up to its last column
    // The extended flags of the input mode (quick edit, insert mode) as the
    // console reported them at process start, 0 when it did not: every input
    // mode the program sets holds them, so that the console keeps reporting
    // them and whoever puts back a mode it read (a dialog) gives them back.
    std::uint32_t startExtendedFlags = 0;
};

// The process-wide record. Output goes to the console host of the platform
// (standard output's console, else standard error's), input comes from
// standard input's.
ConsoleState& consoleState();

// Back to the values of the process start. For tests.
void resetConsoleState();

// Process start: processed output with wrap at the end of a line, raw key
// input (every input flag off, the extended flags as found), and a visible
// cursor of 10 percent when the console reports none or one of size 0.
void prepareConsole();

}  // namespace corrivex::console
