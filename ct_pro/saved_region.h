// What a dialog takes from the console while it is open, and gives back
// when it closes: the cells it covers, the cursor (position, size and
// visibility) and the input mode.
#pragma once

#include <vector>

#include "platform/console_host.h"

namespace corrivex::ctpro {

class SavedRegion {
public:
    SavedRegion(platform::ConsoleHost& host, platform::CellRect rect);
    // Puts back the cells and the cursor.
    ~SavedRegion();
    SavedRegion(const SavedRegion&) = delete;
    SavedRegion& operator=(const SavedRegion&) = delete;

private:
    platform::ConsoleHost& host_;
    platform::CellRect rect_;
    std::vector<platform::Cell> cells_;
    bool haveBuffer_ = false;
    platform::CellPos cursor_;
    bool haveCursorInfo_ = false;
    platform::CursorInfo cursorInfo_;
};

// The input mode a dialog needs, set for its lifetime; the previous mode is
// put back afterwards.
class InputModeScope {
public:
    InputModeScope(platform::ConsoleHost& host, std::uint32_t mode);
    ~InputModeScope();
    InputModeScope(const InputModeScope&) = delete;
    InputModeScope& operator=(const InputModeScope&) = delete;

private:
    platform::ConsoleHost& host_;
    std::uint32_t previous_ = 0;
    bool havePrevious_ = false;
};

// Mouse events on, quick-edit selection off, and window-aware, so that a
// resized window reaches the dialog: what the dialogs ask for.
inline constexpr std::uint32_t kDialogInputMode =
    platform::mode::kExtendedFlags | platform::mode::kWindowInput | platform::mode::kMouseInput;

// A dialog's hold on the console: the region and the cursor saved, the
// dialog's input mode set and the cursor hidden; all put back at the end.
class DialogScope {
public:
    DialogScope(platform::ConsoleHost& host, platform::CellRect rect);

private:
    SavedRegion region_;
    InputModeScope inputMode_;
};

// The visible part of the screen buffer, where dialogs are placed; 80 x 25
// when the console tells nothing.
platform::CellRect visibleWindow(platform::ConsoleHost& host);

}  // namespace corrivex::ctpro
