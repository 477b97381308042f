#include "ct_pro/dialog_input.h"

#include <chrono>

namespace corrivex::ctpro {

using platform::InputEvent;

DialogEvent DialogInput::next() {
    InputEvent event;
    while (host_.readInput(event)) {
        DialogEvent out;
        if (event.kind == InputEvent::Kind::Key) {
            if (!event.key.down) continue;
            out.kind = DialogEvent::Kind::Key;
            out.repeat = event.key.repeat > 0 ? event.key.repeat : 1;
            out.timeMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
            if (event.key.ch == 3) {
                out.key = platform::vk::kEscape;
                out.ch = 0x1B;
                return out;
            }
            out.key = event.key.virtualKey;
            out.ch = event.key.ch;
            out.modifiers = event.key.modifiers;
            return out;
        }
        if (event.kind == InputEvent::Kind::Resize) {
            out.kind = DialogEvent::Kind::Resized;
            return out;
        }
        if (event.kind != InputEvent::Kind::Mouse) continue;

        const platform::MouseInput& mouse = event.mouse;
        out.pos = mouse.pos;
        out.modifiers = mouse.modifiers;
        if ((mouse.flags & platform::mouse::kWheeled) != 0) {
            if (mouse.wheelDelta == 0) continue;
            out.kind = DialogEvent::Kind::Wheel;
            out.wheel = mouse.wheelDelta > 0 ? 1 : -1;
            return out;
        }
        const bool leftDown = (mouse.buttons & platform::mouse::kLeftButton) != 0;
        const bool wasDown = (buttons_ & platform::mouse::kLeftButton) != 0;
        buttons_ = mouse.buttons;
        if ((mouse.flags & platform::mouse::kDoubleClick) != 0) {
            if (!leftDown) continue;
            out.kind = DialogEvent::Kind::DoubleClick;
            return out;
        }
        if ((mouse.flags & platform::mouse::kMoved) != 0) {
            if (!leftDown || !wasDown) continue;
            out.kind = DialogEvent::Kind::Drag;
            return out;
        }
        if (leftDown && !wasDown) {
            out.kind = DialogEvent::Kind::Click;
            return out;
        }
    }
    return DialogEvent{};
}

}  // namespace corrivex::ctpro
