#include "main/process_frame.h"

#include <new>

#include "console/console_state.h"
#include "main/winmain.h"
#include "primitives/child_console.h"

namespace corrivex {

int runProcess(platform::ConsoleHost& (*findConsole)(), void* instance, const char* commandTail,
               int showState) noexcept {
    // WINMAIN lets no failure for want of memory out once its first step has
    // begun: one that comes out is that of the console or of the run state.
    try {
        platform::ConsoleHost& host = findConsole();
        console::prepareConsole(host);
        setChildConsole(&host);
        return WINMAIN(instance, nullptr, commandTail, showState);
    } catch (const std::bad_alloc&) {
        return kSetupFailedExitCode;
    }
}

}  // namespace corrivex
