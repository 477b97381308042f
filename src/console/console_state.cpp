#include "console/console_state.h"

namespace corrivex::console {

ConsoleState& consoleState() {
    static ConsoleState state;
    return state;
}

void prepareConsole(platform::ConsoleHost& host) {
    ConsoleState& state = consoleState();
    state = ConsoleState{};
    state.host = &host;
    host.setOutputMode(platform::mode::kProcessedOutput | platform::mode::kWrapAtEolOutput);
    std::uint32_t start = 0;
    if (host.inputMode(start) && (start & platform::mode::kExtendedFlags) != 0)
        state.startExtendedFlags = start & platform::mode::kExtendedMask;
    host.setInputMode(state.startExtendedFlags);
    platform::CursorInfo cursor;
    if (!host.cursorInfo(cursor) || cursor.size == 0) host.setCursorInfo(platform::CursorInfo{10, true});
}

}  // namespace corrivex::console
