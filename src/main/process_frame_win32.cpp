// The process frame on Windows: console preparation, COM for the console
// tools library, the instance handle, and the exit code.
#include <windows.h>
#include <objbase.h>

#include "console/console_state.h"
#include "main/winmain.h"

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

}  // namespace

int main() {
    corrivex::console::prepareConsole();
    CoInitialize(nullptr);
    const int exitCode = corrivex::WINMAIN(GetModuleHandleA(nullptr), nullptr, commandTail(), SW_SHOWNORMAL);
    CoUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}
