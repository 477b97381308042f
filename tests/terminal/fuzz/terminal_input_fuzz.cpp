// libFuzzer target for the terminal input decoder: any bytes, in any pieces,
// with waits in between. The decoder must neither crash nor read outside its
// input, must give the same events however the bytes are cut, and its events
// must hold sensible values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "terminal/terminal_input_decoder.h"

namespace {

using namespace corrivex::platform;

bool same(const InputEvent& a, const InputEvent& b) {
    if (a.kind != b.kind) return false;
    if (a.kind == InputEvent::Kind::Key)
        return a.key.down == b.key.down && a.key.repeat == b.key.repeat && a.key.virtualKey == b.key.virtualKey &&
               a.key.ch == b.key.ch && a.key.modifiers == b.key.modifiers;
    if (a.kind == InputEvent::Kind::Mouse)
        return a.mouse.pos == b.mouse.pos && a.mouse.buttons == b.mouse.buttons &&
               a.mouse.modifiers == b.mouse.modifiers && a.mouse.flags == b.mouse.flags &&
               a.mouse.wheelDelta == b.mouse.wheelDelta;
    return true;
}

void check(const InputEvent& e) {
    constexpr std::uint32_t keyModifiers =
        modifier::kLeftAlt | modifier::kLeftCtrl | modifier::kShift | modifier::kEnhancedKey;
    constexpr std::uint32_t buttons = mouse::kLeftButton | mouse::kRightButton | mouse::kMiddleButton;
    switch (e.kind) {
        case InputEvent::Kind::Key:
            if (!e.key.down || e.key.repeat != 1 || (e.key.modifiers & ~keyModifiers) != 0) std::abort();
            break;
        case InputEvent::Kind::Mouse:
            if (e.mouse.pos.x < 0 || e.mouse.pos.y < 0 || (e.mouse.buttons & ~buttons) != 0) std::abort();
            if (e.mouse.flags == mouse::kWheeled ? (e.mouse.wheelDelta != 120 && e.mouse.wheelDelta != -120)
                                                 : e.mouse.wheelDelta != 0)
                std::abort();
            break;
        default: std::abort();  // the decoder makes only keys and mouse events
    }
}

std::vector<InputEvent> take(TerminalInputDecoder& decoder) {
    std::vector<InputEvent> events;
    InputEvent event;
    while (decoder.next(event)) {
        check(event);
        events.push_back(event);
    }
    return events;
}

void expectSame(const std::vector<InputEvent>& a, const std::vector<InputEvent>& b) {
    if (a.size() != b.size()) std::abort();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!same(a[i], b[i])) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte says how the rest is cut.
    const std::size_t piece = data[0] % 16 + 1;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    TerminalInputDecoder whole;
    whole.feed(input, 0);
    std::vector<InputEvent> wholeEvents = take(whole);

    TerminalInputDecoder pieces;
    std::vector<InputEvent> pieceEvents;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        pieces.feed(input.substr(at, piece), 0);
        for (const InputEvent& e : take(pieces)) pieceEvents.push_back(e);
    }
    expectSame(wholeEvents, pieceEvents);
    if (whole.waiting() != pieces.waiting()) std::abort();

    whole.flush();
    pieces.flush();
    if (whole.waiting() || pieces.waiting()) std::abort();
    expectSame(take(whole), take(pieces));

    // With the wait running out between pieces, and time going on.
    TerminalInputDecoder waits;
    waits.setWindowOrigin({static_cast<int>(data[0]), 7});
    std::int64_t now = 0;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        waits.feed(input.substr(at, piece), now);
        now += static_cast<unsigned char>(input[at]) * 3;
        if ((input[at] & 1) != 0) waits.flush();
        take(waits);
    }
    waits.flush();
    take(waits);
    return 0;
}
