// Child processes.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// The normal window show state.
inline constexpr int kShowNormal = 1;

// Whether a child was started, and if not, why.
enum class StartResult {
    Started,
    NotFound,       // no program of that name where it is looked for
    NotExecutable,  // a file of that name that the platform cannot run
    TooLong,        // a command line beyond the platform's limit, or holding a NUL byte
    Refused,        // any other failure (no memory, no process to be had)
};

// Where a program named without a directory is looked for on POSIX systems:
// in the front end's own directory, then the current directory, then each
// directory of PATH, the order Windows uses; or along PATH alone, as a shell
// looks for a command, but for the entries that are not absolute (an empty
// entry, ".", "bin"): those are taken from the current directory, which
// holds whatever a course brings.
// Windows always uses its own search.
enum class ProgramSearch { LikeWindows, PathOnly };

// Starts the command line as a child process sharing the console, the
// current directory, the environment and the inheritable handles; a line
// longer than the platform takes (length_limits.h) starts nothing. The first
// word names the program, found by the platform's usual program search; on
// POSIX systems the rest of the line is its one argument (command_line.h).
// With `wait`, returns when the child has ended, with the console handed
// over to it meanwhile (child_console.h); its exit code is not read.
// A program that cannot be started is not waited for.
StartResult runCommand(const Text& commandLine, int showState, bool wait,
                       ProgramSearch search = ProgramSearch::LikeWindows);

// The platform's own text editor, as the first word of a command line for
// runCommand: "notepad" on Windows, Debian's "editor" elsewhere.
Text textEditor();

}  // namespace corrivex
