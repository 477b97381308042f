#include "console/console_state.h"

#include "platform/console_host.h"

namespace corrivex::console {

ConsoleState& consoleState() {
    static ConsoleState state;
    return state;
}

void resetConsoleState() { consoleState() = ConsoleState{}; }

void prepareConsole() {
    platform::ConsoleHost& host = platform::consoleHost();
    host.setOutputMode(platform::mode::kProcessedOutput | platform::mode::kWrapAtEolOutput);
    std::uint32_t start = 0;
    if (host.inputMode(start) && (start & platform::mode::kExtendedFlags) != 0)
        consoleState().startExtendedFlags = start & platform::mode::kExtendedMask;
    host.setInputMode(consoleState().startExtendedFlags);
    platform::CursorInfo cursor;
    if (!host.cursorInfo(cursor) || cursor.size == 0) host.setCursorInfo(platform::CursorInfo{10, true});
}

}  // namespace corrivex::console
