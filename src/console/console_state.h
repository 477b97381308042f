// The console layer's one state record for the process, and the console
// preparation of the process start.
#pragma once

namespace corrivex::console {

struct ConsoleState {
    int foreground = 7;  // colour number 0 to 15 for later writes
    int background = 0;
    bool pendingScroll = false;  // the last write filled the bottom row up to its last column
};

// The process-wide record. Output goes to the console host of the platform
// (standard output's console, else standard error's), input comes from
// standard input's.
ConsoleState& consoleState();

// Back to the values of the process start. For tests.
void resetConsoleState();

// Process start: processed output with wrap at the end of a line, raw key
// input (every input flag off), and a visible cursor of 10 percent when the
// console reports none or one of size 0.
void prepareConsole();

}  // namespace corrivex::console
