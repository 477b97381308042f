// What the process frames of both platforms share: the console of the
// process handed down, WINMAIN run, and the exit code of a process that
// cannot set up its run.
#pragma once

#include "platform/console_host.h"

namespace corrivex {

// The exit code when the run cannot be set up before its first step.
inline constexpr int kSetupFailedExitCode = 255;

// Takes the console of the process from `findConsole` (the process's own is
// process_console/process_console.h), prepares it and hands it to the
// console layer and to runCommand, then runs WINMAIN, and gives WINMAIN's
// result, the process exit code. When the memory for the console or for the
// run cannot be had before the first step, nothing runs, nothing is shown,
// and the result is kSetupFailedExitCode.
int runProcess(platform::ConsoleHost& (*findConsole)(), void* instance, const char* commandTail,
               int showState) noexcept;

}  // namespace corrivex
