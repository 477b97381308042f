// The process frame on a POSIX terminal.
#include "console/console_state.h"
#include "main/process_frame.h"

int main() {
    corrivex::console::prepareConsole();
    return corrivex::runProcess(nullptr, "", 1);
}
