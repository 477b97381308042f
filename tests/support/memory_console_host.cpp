#include "memory_console_host.h"

namespace corrivex::platform {

bool MemoryConsoleHost::readInput(InputEvent& event) {
    const bool windowAware = (currentInputMode() & mode::kWindowInput) != 0;
    while (!input_.empty() && input_.front().kind == InputEvent::Kind::Resize && !windowAware) input_.pop_front();
    if (input_.empty()) return false;
    event = input_.front();
    input_.pop_front();
    return true;
}

void MemoryConsoleHost::pushKey(std::uint16_t virtualKey, char32_t ch, std::uint32_t modifiers) {
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.key = KeyInput{.down = true, .virtualKey = virtualKey, .ch = ch, .modifiers = modifiers};
    input_.push_back(event);
    event.key.down = false;
    input_.push_back(event);
}

void MemoryConsoleHost::pushChar(char32_t ch, std::uint32_t modifiers) {
    std::uint16_t virtualKey = 0;
    if (ch >= 'a' && ch <= 'z') {
        virtualKey = static_cast<std::uint16_t>(ch - 'a' + 'A');
    } else if (ch >= 'A' && ch <= 'Z') {
        virtualKey = ch;
        modifiers |= modifier::kShift;
    } else if ((ch >= '0' && ch <= '9') || ch == ' ') {
        virtualKey = ch;
    }
    pushKey(virtualKey, ch, modifiers);
}

void MemoryConsoleHost::pushTyped(std::u32string_view typed) {
    for (const char32_t c : typed) {
        if (c == ' ') pushKey(vk::kSpace, ' ');
        else if (c == '\r') pushKey(vk::kReturn, '\r');
        else pushChar(c);
    }
}

void MemoryConsoleHost::pushMouse(CellPos pos, std::uint32_t buttons, std::uint32_t flags, std::uint32_t modifiers,
                                  int wheelDelta) {
    InputEvent event;
    event.kind = InputEvent::Kind::Mouse;
    event.mouse =
        MouseInput{.pos = pos, .buttons = buttons, .modifiers = modifiers, .flags = flags, .wheelDelta = wheelDelta};
    input_.push_back(event);
}

void MemoryConsoleHost::pushClick(CellPos pos, std::uint32_t modifiers) {
    pushMouse(pos, mouse::kLeftButton, 0, modifiers);
    pushMouse(pos, 0, 0, modifiers);
}

}  // namespace corrivex::platform
