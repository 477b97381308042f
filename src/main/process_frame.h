// What the process frames of both platforms share: running WINMAIN once the
// console is prepared, and the exit code of a process that cannot set up its
// run.
#pragma once

namespace corrivex {

// The exit code when the run cannot be set up before its first step.
inline constexpr int kSetupFailedExitCode = 255;

// Runs WINMAIN and gives its result, the process exit code. When the memory
// for the run's state cannot be had before the first step, nothing runs,
// nothing is shown, and the result is kSetupFailedExitCode.
int runProcess(void* instance, const char* commandTail, int showState) noexcept;

}  // namespace corrivex
