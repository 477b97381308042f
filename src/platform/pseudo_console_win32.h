// Windows only: whether the console is a pseudoconsole, the console that
// Windows Terminal (and other terminals: VS Code, ssh) gives a program.
//
// There, GetConsoleWindow gives no window that is shown: Microsoft documents
// it as a window "for message queue purposes only", and the console host
// (conhost, OpenConsole) makes it of the class "PseudoConsoleWindow"; a
// console of its own window has the class "ConsoleWindowClass". The screen
// buffer of a pseudoconsole stands for the terminal's window, which only the
// terminal sizes.
#pragma once

#include <windows.h>

#include <cstring>

namespace corrivex::platform {

inline bool isPseudoConsoleWindow(HWND window) {
    char name[32] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
           std::strcmp(name, "PseudoConsoleWindow") == 0;
}

}  // namespace corrivex::platform
