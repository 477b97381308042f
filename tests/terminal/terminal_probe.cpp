// A program that uses the process-wide console host as the front end does,
// for the tests of what the terminal gets back when a process ends.
//
//   terminal_probe run     prepares the console, draws, says "<<ready>>" and
//                          reads keys; ends normally on 'q' (exit code 0 when
//                          Ctrl+C came before it as a key, else 3).
//   terminal_probe none    reports hasOutput and readInput on standard output.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "process_console/process_console.h"
#include "terminal/terminal_console_host_posix.h"

namespace {

using namespace corrivex::platform;

// To standard output when it is a terminal or when standard error is none.
void say(const char* marker) {
    const int fd = isatty(STDOUT_FILENO) != 0 || isatty(STDERR_FILENO) == 0 ? STDOUT_FILENO : STDERR_FILENO;
    [[maybe_unused]] auto n = write(fd, marker, std::strlen(marker));
}

}  // namespace

int main(int argc, char** argv) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const std::string scenario = argc > 1 ? argv[1] : "";
    ConsoleHost& host = consoleHost();

    if (scenario == "none") {
        host.setOutputMode(mode::kProcessedOutput | mode::kWrapAtEolOutput);
        host.setInputMode(0);
        host.fillAttribute(0x2E, 2000, {0, 0});
        InputEvent event;
        std::printf("hasOutput=%d readInput=%d\n", host.hasOutput() ? 1 : 0, host.readInput(event) ? 1 : 0);
        return 0;
    }

    host.setOutputMode(mode::kProcessedOutput | mode::kWrapAtEolOutput);
    host.setInputMode(0);
    host.setInputMode(mode::kMouseInput);
    host.setCursorInfo({25, false});
    host.setTextAttribute(0x2E);
    host.setTitle("probe");
    host.fillAttribute(0x2E, 80 * 25, {0, 0});
    const Cell cell{'X', 0x2E};
    host.writeCells({3, 3}, 1, 1, &cell);
    // Shown before the marker, as when the program waits.
    if (auto* terminal = dynamic_cast<TerminalConsoleHost*>(&host)) terminal->present();
    say("<<ready>>");

    bool sawCtrlC = false;
    InputEvent event;
    while (host.readInput(event)) {
        if (event.kind == InputEvent::Kind::Resize) {
            const std::string marker =
                "<<resized " + std::to_string(event.newSize.x) + "x" + std::to_string(event.newSize.y) + ">>";
            say(marker.c_str());
        }
        if (event.kind != InputEvent::Kind::Key) continue;
        if (event.key.ch == 3 && event.key.virtualKey == 'C' && event.key.modifiers == modifier::kLeftCtrl)
            sawCtrlC = true;
        if (event.key.ch == 'q') return sawCtrlC ? 0 : 3;
    }
    return 4;
}
