// Child processes.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// The normal window show state.
inline constexpr int kShowNormal = 1;

// Starts the command line as a child process sharing the console, the
// current directory, the environment and the inheritable handles; a line
// longer than the platform takes (length_limits.h) starts nothing. The first
// word names the program, found by the platform's usual program search; on
// POSIX systems the rest of the line is its one argument (command_line.h). With `wait`, returns when the child has
// ended; its exit code is not read. A program that cannot be started is not waited for.
void runCommand(const Text& commandLine, int showState, bool wait);

}  // namespace corrivex

namespace corrivex {

// The platform's own text editor, as the first word of a command line for
// runCommand: "notepad" on Windows, Debian's "editor" elsewhere.
Text textEditor();

}  // namespace corrivex
