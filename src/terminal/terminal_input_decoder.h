// Turns the bytes that an xterm-compatible terminal sends for keys and mouse
// actions into console input events.
//
// Feed it bytes as they arrive, in pieces of any size; take the events with
// next(). A sequence cut off at the end of a piece waits for its remaining
// bytes. When nothing more has come for kEscapeWaitMs, call flush(): a lone
// Esc is then the Esc key, and the bytes of an unfinished sequence count as
// the keys they are.
//
// Keys come as key-down events with the Windows virtual-key code, the
// Unicode character and the modifier flags: Ctrl+letter gives the
// characters 1 to 26 with the letter's key; Esc before a key is Alt.
// A character sent as UTF-8 is that character; a byte that is not UTF-8
// stands for its code page 437 glyph, as the console shows such a byte.
// Mouse reports (SGR, mode 1006, and the older X10 form) give mouse events at
// buffer positions (terminal cell + window origin), with the buttons held
// after the event; a second press of the left button on the same cell within
// kDoubleClickMs is a double click, as Windows reports it. The wheel turns
// by notches, as on Windows: reports of one direction within kWheelBurstMs
// of the one counted are one notch (alacritty sends three a notch, xterm
// one). The terminal's status report (CSI 0 n) gives no event: it is
// counted, and an Esc just before it is the Esc key.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "platform/console_host.h"

namespace corrivex::platform {

class TerminalInputDecoder {
public:
    // Long enough for the rest of a sequence that a terminal, tmux or a
    // network connection sent in two pieces.
    static constexpr int kEscapeWaitMs = 100;
    static constexpr int kDoubleClickMs = 500;
    static constexpr int kWheelBurstMs = 10;
    // Longest escape sequence taken; a longer one is dropped whole.
    static constexpr std::size_t kMaxSequence = 64;

    // The bytes that arrived at `nowMs` (any monotonic clock in milliseconds).
    void feed(std::string_view bytes, std::int64_t nowMs);
    // The wait for the rest of a sequence is over.
    void flush();
    // True while the bytes of an unfinished sequence wait for more.
    bool waiting() const { return !pending_.empty(); }

    bool next(InputEvent& event);
    bool hasEvents() const { return !events_.empty(); }
    // Whether a status report came since the last call.
    bool takeStatusReport() { return std::exchange(statusReported_, false); }

    // Mouse positions are terminal cells plus this origin (the window's top left).
    void setWindowOrigin(CellPos origin) { origin_ = origin; }

private:
    // What a recognizer below makes of the bytes at the start of its input.
    struct Recognized;

    void decode(bool noMoreBytes);
    // Each recognizer reads one key or sequence at the start of `in`; with
    // `noMoreBytes`, nothing is to come after `in`, so nothing is partial.
    Recognized decodeOne(std::string_view in, bool noMoreBytes);
    Recognized decodeEscape(std::string_view in, bool noMoreBytes);
    // Esc and the key after it: that key with Alt.
    Recognized decodeAltKey(std::string_view in, bool noMoreBytes, std::uint32_t extraModifiers);
    Recognized decodeCsi(std::string_view in, bool noMoreBytes, std::uint32_t extraModifiers);
    Recognized decodeSs3(std::string_view in, bool noMoreBytes, std::uint32_t extraModifiers);
    Recognized decodeText(std::string_view in, bool noMoreBytes, std::uint32_t extraModifiers);
    // The key of a CSI sequence's parameters and final byte; false when it
    // names none.
    bool csiKey(std::string_view params, char finalByte, KeyInput& key) const;
    void mouseReport(int code, int column, int row, bool release);
    void pushKey(const KeyInput& key);

    std::string pending_;
    bool skipping_ = false;  // inside an over-long sequence, until its final byte
    std::deque<InputEvent> events_;
    std::int64_t now_ = 0;
    CellPos origin_{0, 0};
    std::uint32_t buttons_ = 0;
    // The last press of the left button that can start a double click.
    bool clickArmed_ = false;
    CellPos clickPos_{0, 0};
    std::int64_t clickTime_ = 0;
    // The last wheel report counted: its direction (0 none yet) and time.
    int wheelDirection_ = 0;
    std::int64_t wheelTime_ = 0;
    bool statusReported_ = false;
};

}  // namespace corrivex::platform
