// The process frame on Windows: the console of the process, COM for the
// console tools library, the instance handle, and the exit code.
#include <windows.h>
#include <objbase.h>

#include "main/process_frame.h"
#include "process_console/process_console.h"

namespace {

// The command line after the program's own name and the blanks behind it.
const char* commandTail() {
    const char* p = GetCommandLineA();
    if (p == nullptr) return "";
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

// Ctrl+C and Ctrl+Break never end the front end: they are meant for the
// child that has the console (the engine, the editor), or reach the program
// as keys. Other events (the console closing, logoff, shutdown) go on to the
// system's handler. A handler, unlike the ignore flag, is not inherited by a
// child, which keeps the usual response to them.
BOOL WINAPI ignoreInterrupts(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

}  // namespace

int main() {
    SetConsoleCtrlHandler(ignoreInterrupts, TRUE);
    CoInitialize(nullptr);
    const int exitCode =
        corrivex::runProcess(corrivex::platform::consoleHost, GetModuleHandleA(nullptr), commandTail(), SW_SHOWNORMAL);
    CoUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}
