// The console window of Windows, found with GetConsoleWindow. Without one
// (a console that has no window of its own) nothing but the title changes.
#include <windows.h>

#include "console_tools/ct_pro_codes.h"
#include "ct_pro/window_menu_win32.h"
#include "ct_pro/window_ops.h"

namespace corrivex::ctpro {

bool initWindowOps(void*) { return GetConsoleWindow() != nullptr; }

bool moveWindow(std::int32_t x, std::int32_t y) {
    HWND window = GetConsoleWindow();
    if (window == nullptr) return false;
    RECT frame;
    if (!GetWindowRect(window, &frame)) return false;
    if (x == kCentre || y == kCentre) {
        RECT work;
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return false;
        if (x == kCentre) x = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
        if (y == kCentre) y = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
    }
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool setWindowIcon(std::int32_t icon) {
    HWND window = GetConsoleWindow();
    if (window == nullptr) return false;
    HICON handle = LoadIconA(nullptr, MAKEINTRESOURCEA(icon));
    if (handle == nullptr) return false;
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(handle));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(handle));
    return true;
}

bool deleteWindowMenuItem(std::int32_t command) {
    return removeWindowMenuEntry(GetConsoleWindow(), static_cast<UINT>(command));
}

bool restoreWindowMenu() { return restoreWindowMenuEntries(GetConsoleWindow()); }

bool bringWindowToTop() {
    HWND window = GetConsoleWindow();
    if (window == nullptr) return false;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return SetForegroundWindow(window) != FALSE;
}

}  // namespace corrivex::ctpro
