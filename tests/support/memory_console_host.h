// The console host of the tests: a screen buffer in memory and a script of
// input events. When the script is used up, input reads as closed.
// Resize events reach a reader only in window-aware mode, as on Windows.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "cell_printers.h"
#include "platform/screen_buffer.h"

namespace corrivex::platform {

class MemoryConsoleHost : public ScreenBuffer {
public:
    explicit MemoryConsoleHost(CellPos size = {80, 25}) : ScreenBuffer(size) {}

    bool readInput(InputEvent& event) override;

    bool sizedByTerminal() const override { return pseudoconsole; }
    bool pseudoconsole = false;  // sized by the terminal alone

    // Script building.
    void pushEvent(const InputEvent& event) { input_.push_back(event); }
    void pushKey(std::uint16_t virtualKey, char32_t ch = 0, std::uint32_t modifiers = 0);
    // A printable character, with the virtual key Windows gives it.
    void pushChar(char32_t ch, std::uint32_t modifiers = 0);
    // Typed characters, ' ' as Space and '\r' as Enter.
    void pushTyped(std::u32string_view typed);
    void pushMouse(CellPos pos, std::uint32_t buttons, std::uint32_t flags = 0, std::uint32_t modifiers = 0,
                   int wheelDelta = 0);
    // A left click: press, then release.
    void pushClick(CellPos pos, std::uint32_t modifiers = 0);
    std::size_t pendingEvents() const { return input_.size(); }
    void clearInput() { input_.clear(); }

    // Every call to beginChild and endChild, in order, for tests of the hand-over.
    const std::vector<std::string>& childEvents() const { return childEvents_; }
    void beginChild() override { childEvents_.push_back("begin"); }
    void endChild() override { childEvents_.push_back("end"); }

private:
    std::deque<InputEvent> input_;
    std::vector<std::string> childEvents_;
};

}  // namespace corrivex::platform
