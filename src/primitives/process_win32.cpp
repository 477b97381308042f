// Child processes on Windows: CreateProcessA with no application name, so
// that the first word of the command line names the program and the
// platform's own program search applies (.exe assumed). A child that is
// waited for starts suspended, so that the console is handed over (its modes
// of the process start put back) before it runs its first instruction.
#include <windows.h>

#include <vector>

#include "primitives/child_console.h"
#include "primitives/error_mode_guard.h"
#include "primitives/length_limits.h"
#include "primitives/name_checks.h"
#include "primitives/out_of_memory.h"
#include "primitives/process.h"

namespace corrivex {
namespace {

StartResult startFailure(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME: return StartResult::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_BAD_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_EXE_MARKED_INVALID: return StartResult::NotExecutable;
        default: return StartResult::Refused;
    }
}

}  // namespace

StartResult runCommand(const Text& commandLine, int showState, bool wait, ProgramSearch /*search*/) {
    if (!limits::fits(commandLine, limits::kCommandLine)) return StartResult::TooLong;
    if (commandLine.empty()) return StartResult::NotFound;
    if (names::holdsNul(commandLine)) return StartResult::Refused;
    // CreateProcessA may write into the command line: a buffer of our own,
    // left empty when there is no memory to hold it. A command beyond the
    // limit would be cut: it is not run.
    std::vector<char> buffer;
    memory::orNothing([&] {
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        buffer.swap(line);
    });
    if (buffer.empty()) return StartResult::Refused;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION child{};
    // The child gets the system's default error mode, not the front end's
    // (which keeps the system's error boxes off while it calls CreateProcessA),
    // so that Notepad and the engine show "drive not ready" and "file not
    // found" as they would started anywhere else.
    const DWORD flags = NORMAL_PRIORITY_CLASS | CREATE_DEFAULT_ERROR_MODE | (wait ? CREATE_SUSPENDED : 0);

    {
        const native::ErrorModeGuard quiet;
        if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup,
                            &child)) {
            return startFailure(GetLastError());  // nothing started, nothing to wait for
        }
    }
    if (wait) {
        handOverConsole();
        ResumeThread(child.hThread);
        WaitForSingleObject(child.hProcess, INFINITE);
        takeBackConsole();
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return StartResult::Started;
}

Text textEditor() { return "notepad"; }

}  // namespace corrivex
