// The console host of the tests: a screen buffer in memory and a script of
// input events. When the script is used up, input reads as closed. As on
// Windows, a scripted Resize event reaches a reader only in window-aware
// input mode; others pass unseen.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "cell_printers.h"
#include "platform/screen_buffer.h"

namespace corrivex::platform {

class MemoryConsoleHost : public ScreenBuffer {
public:
    explicit MemoryConsoleHost(CellPos size = {80, 25}) : ScreenBuffer(size) {}

    bool readInput(InputEvent& event) override;

    // A pseudoconsole's buffer: as large as the terminal, sized by it alone.
    bool sizedByTerminal() const override { return sizedByTerminal_; }
    void setSizedByTerminal(bool sized) { sizedByTerminal_ = sized; }

    // Script building.
    void pushEvent(const InputEvent& event) { input_.push_back(event); }
    void pushKey(std::uint16_t virtualKey, unsigned char ch = 0, std::uint32_t modifiers = 0);
    // A printable character, with the virtual key Windows gives it.
    void pushChar(unsigned char ch, std::uint32_t modifiers = 0);
    void pushMouse(CellPos pos, std::uint32_t buttons, std::uint32_t flags = 0, std::uint32_t modifiers = 0,
                   int wheelDelta = 0);
    // A left click: press, then release.
    void pushClick(CellPos pos, std::uint32_t modifiers = 0);
    std::size_t pendingEvents() const { return input_.size(); }

    // Every call to beginChild and endChild, in order, for tests of the hand-over.
    const std::vector<std::string>& childEvents() const { return childEvents_; }
    void beginChild() override { childEvents_.push_back("begin"); }
    void endChild() override { childEvents_.push_back("end"); }

private:
    std::deque<InputEvent> input_;
    std::vector<std::string> childEvents_;
    bool sizedByTerminal_ = false;
};

}  // namespace corrivex::platform
