// What the process frames of both platforms share: running WINMAIN once the
// console is prepared, and the exit code of a process that cannot set up its
// run.
#pragma once

namespace corrivex {

// The exit code when the run cannot be set up before its first step.
inline constexpr int kSetupFailedExitCode = 255;

// Runs `prepare` (the console preparation of the process start, when given),
// then WINMAIN, and gives WINMAIN's result, the process exit code. When the
// memory for either cannot be had before the first step, nothing runs,
// nothing is shown, and the result is kSetupFailedExitCode.
int runProcess(void* instance, const char* commandTail, int showState, void (*prepare)() = nullptr) noexcept;

}  // namespace corrivex
