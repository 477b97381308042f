#include "terminal/terminal_input_decoder.h"

#include <vector>

#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr int kWheelDelta = 120;  // one notch, as Windows counts it

// The button code of a mouse report (SGR, and X10 less 32).
namespace report {
constexpr int kButton = 3;  // the low two bits: 0 left, 1 middle, 2 right, 3 none
constexpr int kNoButton = 3;
constexpr int kShift = 4;
constexpr int kAlt = 8;
constexpr int kCtrl = 16;
constexpr int kMotion = 32;
constexpr int kWheel = 64;  // with button 0 away from the user, 1 towards
constexpr int kMoreButtons = 128;
}  // namespace report

// Function keys F1 to F12 have the virtual keys 0x70 to 0x7B.
constexpr std::uint16_t functionKey(int n) { return static_cast<std::uint16_t>(0x70 + n - 1); }

KeyInput makeKey(std::uint16_t virtualKey, char32_t ch, std::uint32_t modifiers) {
    KeyInput key;
    key.down = true;
    key.repeat = 1;
    key.virtualKey = virtualKey;
    key.ch = ch;
    key.modifiers = modifiers;
    return key;
}

// The key behind a C0 control byte or DEL.
KeyInput controlKey(unsigned char byte) {
    using namespace modifier;
    switch (byte) {
        case 0x00: return makeKey(vk::kSpace, 0, kLeftCtrl);
        case 0x08:
        case 0x7F: return makeKey(vk::kBack, 0x08, 0);
        case 0x09: return makeKey(vk::kTab, 0x09, 0);
        case 0x0D: return makeKey(vk::kReturn, 0x0D, 0);
        case 0x1B: return makeKey(vk::kEscape, 0x1B, 0);
        case 0x1C: return makeKey(0xDC, byte, kLeftCtrl);           // Ctrl+backslash
        case 0x1D: return makeKey(0xDD, byte, kLeftCtrl);           // Ctrl+]
        case 0x1E: return makeKey('6', byte, kLeftCtrl | kShift);   // Ctrl+^
        case 0x1F: return makeKey(0xBD, byte, kLeftCtrl | kShift);  // Ctrl+_
        default: return makeKey(static_cast<std::uint16_t>('A' + byte - 1), byte, kLeftCtrl);
    }
}

// The key of a printable ASCII character on a US keyboard.
KeyInput printableKey(unsigned char ch) {
    using modifier::kShift;
    if (ch >= 'a' && ch <= 'z') return makeKey(static_cast<std::uint16_t>(ch - 'a' + 'A'), ch, 0);
    if (ch >= 'A' && ch <= 'Z') return makeKey(ch, ch, kShift);
    if ((ch >= '0' && ch <= '9') || ch == ' ') return makeKey(ch, ch, 0);
    struct Symbol {
        char ch;
        std::uint16_t key;
        bool shift;
    };
    static constexpr Symbol kSymbols[] = {
        {'!', '1', true},    {'@', '2', true},    {'#', '3', true},   {'$', '4', true},   {'%', '5', true},
        {'^', '6', true},    {'&', '7', true},    {'*', '8', true},   {'(', '9', true},   {')', '0', true},
        {';', 0xBA, false},  {':', 0xBA, true},   {'=', 0xBB, false}, {'+', 0xBB, true},  {',', 0xBC, false},
        {'<', 0xBC, true},   {'-', 0xBD, false},  {'_', 0xBD, true},  {'.', 0xBE, false}, {'>', 0xBE, true},
        {'/', 0xBF, false},  {'?', 0xBF, true},   {'`', 0xC0, false}, {'~', 0xC0, true},  {'[', 0xDB, false},
        {'{', 0xDB, true},   {'\\', 0xDC, false}, {'|', 0xDC, true},  {']', 0xDD, false}, {'}', 0xDD, true},
        {'\'', 0xDE, false}, {'"', 0xDE, true},
    };
    for (const Symbol& s : kSymbols)
        if (static_cast<unsigned char>(s.ch) == ch) return makeKey(s.key, ch, s.shift ? kShift : 0);
    return makeKey(0, ch, 0);
}

// The modifier parameter of xterm's sequences: 1 + (1 Shift, 2 Alt, 4 Ctrl, 8 Meta).
std::uint32_t modifiersOf(int parameter) {
    const int bits = parameter >= 1 ? parameter - 1 : 0;
    std::uint32_t flags = 0;
    if ((bits & 1) != 0) flags |= modifier::kShift;
    if ((bits & (2 | 8)) != 0) flags |= modifier::kLeftAlt;
    if ((bits & 4) != 0) flags |= modifier::kLeftCtrl;
    return flags;
}

// Numeric parameters separated by ';'; false when there is anything else.
bool numericParameters(std::string_view text, std::vector<int>& numbers) {
    numbers.assign(1, 0);
    for (char c : text) {
        if (c == ';') {
            numbers.push_back(0);
        } else if (c >= '0' && c <= '9') {
            int& n = numbers.back();
            if (n < 100000) n = n * 10 + (c - '0');
        } else {
            return false;
        }
    }
    return true;
}

bool isParameterOrIntermediate(unsigned char b) { return b >= 0x20 && b <= 0x3F; }
bool isFinal(unsigned char b) { return b >= 0x40 && b <= 0x7E; }

// The navigation key of a final byte, shared by the CSI and SS3 forms.
bool navigationKey(char finalByte, std::uint16_t& key) {
    switch (finalByte) {
        case 'A': key = vk::kUp; return true;
        case 'B': key = vk::kDown; return true;
        case 'C': key = vk::kRight; return true;
        case 'D': key = vk::kLeft; return true;
        case 'H': key = vk::kHome; return true;
        case 'F': key = vk::kEnd; return true;
        default: return false;
    }
}

bool pfKey(char finalByte, std::uint16_t& key) {
    if (finalByte < 'P' || finalByte > 'S') return false;
    key = functionKey(finalByte - 'P' + 1);
    return true;
}

// The keys of CSI n ~, by their number n.
struct TildeKey {
    int number;
    std::uint16_t key;
    std::uint32_t modifiers;
};
// clang-format off
constexpr TildeKey kTildeKeys[] = {
    {1, vk::kHome, modifier::kEnhancedKey},   {2, vk::kInsert, modifier::kEnhancedKey},
    {3, vk::kDelete, modifier::kEnhancedKey}, {4, vk::kEnd, modifier::kEnhancedKey},
    {5, vk::kPrior, modifier::kEnhancedKey},  {6, vk::kNext, modifier::kEnhancedKey},
    {7, vk::kHome, modifier::kEnhancedKey},   {8, vk::kEnd, modifier::kEnhancedKey},
    {11, functionKey(1), 0},                  {12, functionKey(2), 0},
    {13, functionKey(3), 0},                  {14, functionKey(4), 0},
    {15, functionKey(5), 0},                  {17, functionKey(6), 0},
    {18, functionKey(7), 0},                  {19, functionKey(8), 0},
    {20, functionKey(9), 0},                  {21, functionKey(10), 0},
    {23, functionKey(11), 0},                 {24, functionKey(12), 0},
};
// clang-format on

}  // namespace

// A key or sequence of `length` bytes, taken (its events queued); or the
// start of one that needs more bytes; or no sequence of the kind looked for,
// for the caller to read otherwise.
struct TerminalInputDecoder::Recognized {
    enum class Kind { Complete, Partial, NotThis };
    Kind kind = Kind::NotThis;
    std::size_t length = 0;

    static Recognized complete(std::size_t length) { return {Kind::Complete, length}; }
    static Recognized partial() { return {Kind::Partial, 0}; }
    static Recognized notThis() { return {Kind::NotThis, 0}; }

    // The same, found after `prefix` bytes of the caller's input.
    Recognized after(std::size_t prefix) const { return kind == Kind::Complete ? complete(prefix + length) : *this; }
};

void TerminalInputDecoder::feed(std::string_view bytes, std::int64_t nowMs) {
    now_ = nowMs;
    pending_.append(bytes);
    decode(false);
}

void TerminalInputDecoder::flush() { decode(true); }

bool TerminalInputDecoder::next(InputEvent& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void TerminalInputDecoder::decode(bool noMoreBytes) {
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const auto byte = static_cast<unsigned char>(pending_[pos]);
        if (skipping_) {
            if (isParameterOrIntermediate(byte)) {
                ++pos;
                continue;
            }
            skipping_ = false;
            if (isFinal(byte)) {
                ++pos;
                continue;
            }
        }
        const Recognized one = decodeOne(std::string_view(pending_).substr(pos), noMoreBytes);
        if (one.kind != Recognized::Kind::Complete) break;
        pos += one.length;
    }
    pending_.erase(0, pos);
}

void TerminalInputDecoder::pushKey(const KeyInput& key) {
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.key = key;
    events_.push_back(event);
}

TerminalInputDecoder::Recognized TerminalInputDecoder::decodeOne(std::string_view in, bool noMoreBytes) {
    if (static_cast<unsigned char>(in[0]) == kEsc) return decodeEscape(in, noMoreBytes);
    return decodeText(in, noMoreBytes, 0);
}

TerminalInputDecoder::Recognized TerminalInputDecoder::decodeText(std::string_view in, bool noMoreBytes,
                                                                  std::uint32_t extraModifiers) {
    const auto byte = static_cast<unsigned char>(in[0]);
    KeyInput key;
    std::size_t length = 1;
    if (byte < 0x20 || byte == 0x7F) {
        key = controlKey(byte);
    } else if (byte < 0x80) {
        key = printableKey(byte);
    } else {
        // UTF-8: the character. A byte that is not UTF-8 stands for its
        // code page 437 glyph, as such a byte of a name shows.
        const Utf8Char decoded = decodeUtf8(in);
        if (decoded.status == Utf8Char::Status::CutShort && !noMoreBytes) return Recognized::partial();
        if (decoded.status == Utf8Char::Status::Complete) {
            key = makeKey(0, decoded.ch, 0);
            length = decoded.length;
        } else {
            key = makeKey(0, cp437CodePoint(byte), 0);
        }
    }
    key.modifiers |= extraModifiers;
    pushKey(key);
    return Recognized::complete(length);
}

TerminalInputDecoder::Recognized TerminalInputDecoder::decodeEscape(std::string_view in, bool noMoreBytes) {
    if (in.size() == 1) {
        if (!noMoreBytes) return Recognized::partial();
        pushKey(controlKey(kEsc));
        return Recognized::complete(1);
    }
    const auto second = static_cast<unsigned char>(in[1]);
    if (second == kEsc) {
        // Esc before a key sequence is Alt with that key; otherwise two Esc keys.
        if (in.size() == 2 && !noMoreBytes) return Recognized::partial();
        if (in.size() > 2) {
            const auto third = static_cast<unsigned char>(in[2]);
            const bool mouse = in.size() > 3 && third == '[' && (in[3] == '<' || in[3] == 'M');
            if ((third == '[' || third == 'O') && !mouse) {
                if (in.size() == 3 && !noMoreBytes) return Recognized::partial();
                const std::string_view sequence = in.substr(1);
                const Recognized found = third == '[' ? decodeCsi(sequence, noMoreBytes, modifier::kLeftAlt)
                                                      : decodeSs3(sequence, noMoreBytes, modifier::kLeftAlt);
                if (found.kind != Recognized::Kind::NotThis) return found.after(1);
                return decodeAltKey(sequence, noMoreBytes, modifier::kLeftAlt).after(1);
            }
        }
        pushKey(controlKey(kEsc));
        return Recognized::complete(1);
    }
    if (second == '[' || second == 'O') {
        const Recognized found = second == '[' ? decodeCsi(in, noMoreBytes, 0) : decodeSs3(in, noMoreBytes, 0);
        if (found.kind != Recognized::Kind::NotThis) return found;
    }
    return decodeAltKey(in, noMoreBytes, 0);
}

TerminalInputDecoder::Recognized TerminalInputDecoder::decodeAltKey(std::string_view in, bool noMoreBytes,
                                                                    std::uint32_t extraModifiers) {
    return decodeText(in.substr(1), noMoreBytes, modifier::kLeftAlt | extraModifiers).after(1);
}

// SS3 and a final byte: a cursor, keypad or PF key. Anything else after
// SS3 is no such sequence.
TerminalInputDecoder::Recognized TerminalInputDecoder::decodeSs3(std::string_view in, bool noMoreBytes,
                                                                 std::uint32_t extraModifiers) {
    if (in.size() < 3) return noMoreBytes ? Recognized::notThis() : Recognized::partial();
    const auto third = static_cast<unsigned char>(in[2]);
    if (!isFinal(third)) return Recognized::notThis();
    std::uint16_t key = 0;
    if (navigationKey(static_cast<char>(third), key)) {
        pushKey(makeKey(key, 0, modifier::kEnhancedKey | extraModifiers));
    } else if (pfKey(static_cast<char>(third), key)) {
        pushKey(makeKey(key, 0, extraModifiers));
    } else if (third == 'M') {  // Enter on the keypad
        pushKey(makeKey(vk::kReturn, 0x0D, modifier::kEnhancedKey | extraModifiers));
    }
    return Recognized::complete(3);
}

// CSI, parameter and intermediate bytes and a final byte: a key or an SGR
// mouse report; or the X10 mouse report, CSI M and three bytes. A sequence
// of that shape that names nothing is taken and dropped.
TerminalInputDecoder::Recognized TerminalInputDecoder::decodeCsi(std::string_view in, bool noMoreBytes,
                                                                 std::uint32_t extraModifiers) {
    // The X10 mouse report: CSI M and three bytes, each 32 + a value.
    if (in.size() >= 3 && in[2] == 'M') {
        if (in.size() < 6) return noMoreBytes ? Recognized::notThis() : Recognized::partial();
        const int code = static_cast<unsigned char>(in[3]) - 32;
        const int column = static_cast<unsigned char>(in[4]) - 32;
        const int row = static_cast<unsigned char>(in[5]) - 32;
        const bool release =
            (code & report::kButton) == report::kNoButton && (code & (report::kMotion | report::kWheel)) == 0;
        mouseReport(code, column, row, release);
        return Recognized::complete(6);
    }

    std::size_t i = 2;
    for (;; ++i) {
        if (i >= kMaxSequence) {
            // Too long to be anything a terminal sends for a key: dropped,
            // up to its final byte.
            skipping_ = true;
            return Recognized::complete(i);
        }
        if (i >= in.size()) return noMoreBytes ? Recognized::notThis() : Recognized::partial();
        const auto byte = static_cast<unsigned char>(in[i]);
        if (isParameterOrIntermediate(byte)) continue;
        if (isFinal(byte)) break;
        return Recognized::notThis();
    }

    const std::string_view params = in.substr(2, i - 2);
    const char finalByte = in[i];
    if (params == "0" && finalByte == 'n') {
        // The terminal's status report; with Alt, an Esc came just before
        // it (one that GNU screen kept back until the report came).
        statusReported_ = true;
        if ((extraModifiers & modifier::kLeftAlt) != 0) pushKey(controlKey(kEsc));
        return Recognized::complete(i + 1);
    }
    if (!params.empty() && params[0] == '<' && (finalByte == 'M' || finalByte == 'm')) {
        std::vector<int> numbers;
        if (numericParameters(params.substr(1), numbers) && numbers.size() == 3)
            mouseReport(numbers[0], numbers[1], numbers[2], finalByte == 'm');
        return Recognized::complete(i + 1);
    }
    KeyInput key;
    if (csiKey(params, finalByte, key)) {
        key.modifiers |= extraModifiers;
        pushKey(key);
    }
    return Recognized::complete(i + 1);
}

bool TerminalInputDecoder::csiKey(std::string_view params, char finalByte, KeyInput& key) const {
    std::vector<int> numbers;
    if (!numericParameters(params, numbers)) return false;
    const std::uint32_t modifiers = modifiersOf(numbers.size() >= 2 ? numbers[1] : 1);
    std::uint16_t code = 0;
    if (navigationKey(finalByte, code)) {
        key = makeKey(code, 0, modifier::kEnhancedKey | modifiers);
        return true;
    }
    if (finalByte == 'Z') {  // Shift+Tab
        key = makeKey(vk::kTab, 0x09, modifier::kShift | modifiers);
        return true;
    }
    if (pfKey(finalByte, code)) {
        key = makeKey(code, 0, modifiers);
        return true;
    }
    if (finalByte != '~') return false;
    for (const TildeKey& tilde : kTildeKeys) {
        if (tilde.number == numbers[0]) {
            key = makeKey(tilde.key, 0, tilde.modifiers | modifiers);
            return true;
        }
    }
    return false;
}

void TerminalInputDecoder::mouseReport(int code, int column, int row, bool release) {
    if (column < 1 || row < 1 || code < 0 || (code & report::kMoreButtons) != 0) return;
    MouseInput mouseInput;
    mouseInput.pos = {column - 1 + origin_.x, row - 1 + origin_.y};
    if ((code & report::kShift) != 0) mouseInput.modifiers |= modifier::kShift;
    if ((code & report::kAlt) != 0) mouseInput.modifiers |= modifier::kLeftAlt;
    if ((code & report::kCtrl) != 0) mouseInput.modifiers |= modifier::kLeftCtrl;

    const int low = code & report::kButton;
    const std::uint32_t button = low == 0   ? mouse::kLeftButton
                                 : low == 1 ? mouse::kMiddleButton
                                 : low == 2 ? mouse::kRightButton
                                            : 0;
    if ((code & report::kWheel) != 0) {
        // The wheel: 64 away from the user, 65 towards; sideways ones are not taken.
        if (release || low > 1) return;
        const int direction = low == 0 ? 1 : -1;
        if (direction == wheelDirection_ && now_ >= wheelTime_ && now_ - wheelTime_ < kWheelBurstMs) return;
        wheelDirection_ = direction;
        wheelTime_ = now_;
        mouseInput.flags = mouse::kWheeled;
        mouseInput.wheelDelta = direction * kWheelDelta;
    } else if ((code & report::kMotion) != 0) {
        buttons_ = button != 0 ? (buttons_ | button) : 0;
        mouseInput.flags = mouse::kMoved;
    } else if (release) {
        buttons_ = button != 0 ? (buttons_ & ~button) : 0;
    } else {
        buttons_ |= button;
        if (button == mouse::kLeftButton) {
            if (clickArmed_ && clickPos_ == mouseInput.pos && now_ - clickTime_ <= kDoubleClickMs &&
                now_ >= clickTime_) {
                mouseInput.flags = mouse::kDoubleClick;
                clickArmed_ = false;
            } else {
                clickArmed_ = true;
                clickPos_ = mouseInput.pos;
                clickTime_ = now_;
            }
        } else {
            clickArmed_ = false;
        }
    }
    mouseInput.buttons = buttons_;
    InputEvent event;
    event.kind = InputEvent::Kind::Mouse;
    event.mouse = mouseInput;
    events_.push_back(event);
}

}  // namespace corrivex::platform
