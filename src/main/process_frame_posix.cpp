// The process frame on a POSIX terminal.
#include "console/console_state.h"
#include "main/winmain.h"

int main() {
    corrivex::console::prepareConsole();
    return corrivex::WINMAIN(nullptr, nullptr, "", 1);
}
