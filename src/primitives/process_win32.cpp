// Child processes on Windows: CreateProcessA with no application name, so
// that the first word of the command line names the program and the
// platform's own program search applies (.exe assumed).
#include <windows.h>

#include <vector>

#include "primitives/error_mode_guard.h"
#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/process.h"

namespace corrivex {

void runCommand(const Text& commandLine, int showState, bool wait) {
    if (commandLine.empty() || !limits::fits(commandLine, limits::kCommandLine) || names::holdsNul(commandLine))
        return;
    const Text& command = commandLine;

    // CreateProcessA may write into the command line: a buffer of our own.
    std::vector<char> buffer(command.begin(), command.end());
    buffer.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION child{};

    {
        const native::ErrorModeGuard quiet;
        if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
            return;  // nothing started, nothing to wait for
        }
    }
    if (wait) WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

Text textEditor() { return "notepad"; }

}  // namespace corrivex
