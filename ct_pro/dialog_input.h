// The input of a dialog: the console's events reduced to what a dialog acts
// on (key presses, button presses, drags, double-clicks, wheel turns), or
// the end of input.
#pragma once

#include <cstdint>

#include "platform/console_host.h"

namespace corrivex::ctpro {

struct DialogEvent {
    // Resized: the console's window may have changed; the dialog is placed
    // again.
    enum class Kind { Closed, Key, Click, Drag, DoubleClick, Wheel, Resized };
    Kind kind = Kind::Closed;
    // Key: the virtual key, the character (0 for none), the repeat count
    // and when it came (a steady clock in milliseconds).
    std::uint16_t key = 0;
    char32_t ch = 0;
    int repeat = 1;
    std::int64_t timeMs = 0;
    // Click, Drag, DoubleClick, Wheel: the cell under the pointer.
    platform::CellPos pos;
    // Wheel: +1 away from the user (up), -1 towards the user (down).
    int wheel = 0;
    std::uint32_t modifiers = 0;

    bool ctrl() const { return (modifiers & platform::modifier::kCtrl) != 0; }
    bool shift() const { return (modifiers & platform::modifier::kShift) != 0; }
    bool alt() const { return (modifiers & platform::modifier::kAlt) != 0; }
};

// Where the focus goes on Tab among `count` parts taken in turn: to the
// next, from the last to the first; with Shift back to the one before.
inline int focusAfterTab(int focus, int count, const DialogEvent& event) {
    return (focus + (event.shift() ? count - 1 : 1)) % count;
}

class DialogInput {
public:
    explicit DialogInput(platform::ConsoleHost& host) : host_(host) {}

    // Waits for the next event a dialog acts on. Key releases, button
    // releases and other events are passed over; a change of the console's
    // size is Resized. Ctrl+C (the character 3) is Esc, as Linux users leave
    // a dialog. A click is the left button going down; a drag is the pointer
    // moving while it stays down; other pointer moves are passed over.
    DialogEvent next();

private:
    platform::ConsoleHost& host_;
    std::uint32_t buttons_ = 0;
};

}  // namespace corrivex::ctpro
