// Windows only: entries taken out of a window's window menu and put back.
//
// A console window's menu holds the console's own entries besides the
// system's (Edit with Mark, Copy, Paste and Find; Defaults; Properties).
// Resetting the menu to the system's default (GetSystemMenu with TRUE)
// would drop those; so each entry taken out is remembered (its command,
// text, kind, state, bitmap and place) and exactly those are put back.
#pragma once

#include <windows.h>

namespace corrivex::ctpro {

// Takes the entry of `command` (an SC_* number) out of the window menu of
// `window` and remembers it; false when the menu holds no such entry.
bool removeWindowMenuEntry(HWND window, UINT command);

// Puts the remembered entries back where they were, the last taken out
// first, and forgets them; an entry whose command the menu holds again is
// left out. False without a window or a menu.
bool restoreWindowMenuEntries(HWND window);

}  // namespace corrivex::ctpro
