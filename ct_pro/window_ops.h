// The operations on the console window itself: its title, icon, place,
// window menu and stacking. Where the platform has no console window (a
// terminal, or Windows without a window for the console), all but the title
// do nothing. Each returns whether it took effect.
#pragma once

#include <cstdint>
#include <string>

#include "platform/console_host.h"

namespace corrivex::ctpro {

// Starts the library for the program whose instance handle is given; the
// window operations need nothing kept from it.
bool initWindowOps(void* instance);
// A tool bar: the console window has none, so this changes nothing.
bool showToolBar(std::int32_t mode, std::int32_t id);
// Moves the window's top left corner to (x, y) in screen pixels; kCentre
// (console_tools/ct_pro_codes.h) for a coordinate centres the window on the
// work area along that axis.
bool moveWindow(std::int32_t x, std::int32_t y);
// Sets the window's icon to one of the system icons (IDI_* numbers).
bool setWindowIcon(std::int32_t icon);
// Sets the title of `console`; returns the title as set.
std::string setWindowTitle(platform::ConsoleHost& console, const std::string& title);
// Removes an entry (SC_* command) from the window menu.
bool deleteWindowMenuItem(std::int32_t command);
// Gives the window menu its default entries back.
bool restoreWindowMenu();
// Brings the window to the front.
bool bringWindowToTop();

}  // namespace corrivex::ctpro
