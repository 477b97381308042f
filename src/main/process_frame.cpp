#include "main/process_frame.h"

#include <new>

#include "main/winmain.h"

namespace corrivex {

int runProcess(void* instance, const char* commandTail, int showState, void (*prepare)()) noexcept {
    // WINMAIN lets no failure for want of memory out once its first step has
    // begun: one that comes out is that of the console preparation or of the
    // run state.
    try {
        if (prepare != nullptr) prepare();
        return WINMAIN(instance, nullptr, commandTail, showState);
    } catch (const std::bad_alloc&) {
        return kSetupFailedExitCode;
    }
}

}  // namespace corrivex
