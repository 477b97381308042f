// Child processes.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// The normal window show state.
inline constexpr int kShowNormal = 1;

// Starts the command line (cut to 256 characters) as a child process sharing
// the console, the current directory, the environment and the inheritable
// handles. The first word names the program, found by the platform's usual
// program search. With `wait`, returns when the child has ended; its exit
// code is not read. A program that cannot be started is not waited for.
void runCommand(const Text& commandLine, int showState, bool wait);

}  // namespace corrivex

namespace corrivex {

// The platform's own text editor, as the first word of a command line for
// runCommand: "notepad" on Windows, Debian's "editor" elsewhere.
Text textEditor();

}  // namespace corrivex
