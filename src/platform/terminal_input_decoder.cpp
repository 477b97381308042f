#include "platform/terminal_input_decoder.h"

#include <vector>

#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr int kWheelDelta = 120;  // one notch, as Windows counts it

// Function keys F1 to F12 have the virtual keys 0x70 to 0x7B.
constexpr std::uint16_t functionKey(int n) { return static_cast<std::uint16_t>(0x70 + n - 1); }

KeyInput makeKey(std::uint16_t virtualKey, unsigned char ch, std::uint32_t modifiers) {
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
        {'!', '1', true},   {'@', '2', true},   {'#', '3', true},   {'$', '4', true},   {'%', '5', true},
        {'^', '6', true},   {'&', '7', true},   {'*', '8', true},   {'(', '9', true},   {')', '0', true},
        {';', 0xBA, false}, {':', 0xBA, true},  {'=', 0xBB, false}, {'+', 0xBB, true},  {',', 0xBC, false},
        {'<', 0xBC, true},  {'-', 0xBD, false}, {'_', 0xBD, true},  {'.', 0xBE, false}, {'>', 0xBE, true},
        {'/', 0xBF, false}, {'?', 0xBF, true},  {'`', 0xC0, false}, {'~', 0xC0, true},  {'[', 0xDB, false},
        {'{', 0xDB, true},  {'\\', 0xDC, false}, {'|', 0xDC, true}, {']', 0xDD, false}, {'}', 0xDD, true},
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
bool navigationKey(char final, std::uint16_t& key) {
    switch (final) {
        case 'A': key = vk::kUp; return true;
        case 'B': key = vk::kDown; return true;
        case 'C': key = vk::kRight; return true;
        case 'D': key = vk::kLeft; return true;
        case 'H': key = vk::kHome; return true;
        case 'F': key = vk::kEnd; return true;
        default: return false;
    }
}

bool pfKey(char final, std::uint16_t& key) {
    if (final < 'P' || final > 'S') return false;
    key = functionKey(final - 'P' + 1);
    return true;
}

}  // namespace

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

void TerminalInputDecoder::decode(bool final) {
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
        const std::size_t taken = decodeOne(std::string_view(pending_).substr(pos), final);
        if (taken == 0) break;
        pos += taken;
    }
    pending_.erase(0, pos);
}

void TerminalInputDecoder::pushKey(const KeyInput& key) {
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.key = key;
    events_.push_back(event);
}

std::size_t TerminalInputDecoder::decodeOne(std::string_view in, bool final) {
    if (static_cast<unsigned char>(in[0]) == kEsc) return decodeEscape(in, final);
    return decodeText(in, final, 0);
}

std::size_t TerminalInputDecoder::decodeText(std::string_view in, bool final, std::uint32_t extraModifiers) {
    const auto byte = static_cast<unsigned char>(in[0]);
    KeyInput key;
    std::size_t length = 1;
    if (byte < 0x20 || byte == 0x7F) {
        key = controlKey(byte);
    } else if (byte < 0x80) {
        key = printableKey(byte);
    } else {
        // UTF-8: the character's code page 437 byte. Bytes that are not
        // UTF-8 pass through unchanged.
        std::size_t need = 0;
        char32_t c = 0;
        if (byte >= 0xC2 && byte <= 0xDF) {
            need = 2;
            c = byte & 0x1F;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            need = 3;
            c = byte & 0x0F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            need = 4;
            c = byte & 0x07;
        }
        bool valid = need > 0;
        for (std::size_t i = 1; valid && i < need; ++i) {
            if (i >= in.size()) {
                if (!final) return 0;
                valid = false;
                break;
            }
            const auto next = static_cast<unsigned char>(in[i]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (valid && ((need == 3 && c < 0x800) || (need == 4 && c < 0x10000) || (c >= 0xD800 && c <= 0xDFFF) ||
                      c > 0x10FFFF))
            valid = false;
        if (valid) {
            const int mapped = cp437UpperByte(c);
            key = makeKey(0, mapped >= 0 ? static_cast<unsigned char>(mapped) : '?', 0);
            length = need;
        } else {
            key = makeKey(0, byte, 0);
        }
    }
    key.modifiers |= extraModifiers;
    pushKey(key);
    return length;
}

std::size_t TerminalInputDecoder::decodeEscape(std::string_view in, bool final) {
    if (in.size() == 1) {
        if (!final) return 0;
        pushKey(controlKey(kEsc));
        return 1;
    }
    const auto second = static_cast<unsigned char>(in[1]);
    if (second == '[') return decodeCsi(in, final, 0);
    if (second == 'O') return decodeSs3(in, final, 0);
    if (second == kEsc) {
        // Esc before a key sequence is Alt with that key; otherwise two Esc keys.
        if (in.size() == 2 && !final) return 0;
        if (in.size() > 2) {
            const auto third = static_cast<unsigned char>(in[2]);
            const bool mouse = in.size() > 3 && third == '[' && (in[3] == '<' || in[3] == 'M');
            if ((third == '[' || third == 'O') && !mouse) {
                if (in.size() == 3 && !final) return 0;
                const std::size_t taken = third == '[' ? decodeCsi(in.substr(1), final, modifier::kLeftAlt)
                                                       : decodeSs3(in.substr(1), final, modifier::kLeftAlt);
                return taken == 0 ? 0 : taken + 1;
            }
        }
        pushKey(controlKey(kEsc));
        return 1;
    }
    const std::size_t taken = decodeText(in.substr(1), final, modifier::kLeftAlt);
    return taken == 0 ? 0 : taken + 1;
}

std::size_t TerminalInputDecoder::decodeSs3(std::string_view in, bool final, std::uint32_t extraModifiers) {
    if (in.size() < 3) {
        if (!final) return 0;
        return decodeText(in.substr(1), true, modifier::kLeftAlt | extraModifiers) + 1;  // Alt+O
    }
    const auto third = static_cast<unsigned char>(in[2]);
    if (!isFinal(third)) return decodeText(in.substr(1), final, modifier::kLeftAlt | extraModifiers) + 1;
    std::uint16_t key = 0;
    if (navigationKey(static_cast<char>(third), key)) {
        pushKey(makeKey(key, 0, modifier::kEnhancedKey | extraModifiers));
    } else if (pfKey(static_cast<char>(third), key)) {
        pushKey(makeKey(key, 0, extraModifiers));
    } else if (third == 'M') {  // Enter on the keypad
        pushKey(makeKey(vk::kReturn, 0x0D, modifier::kEnhancedKey | extraModifiers));
    }
    return 3;
}

std::size_t TerminalInputDecoder::decodeCsi(std::string_view in, bool final, std::uint32_t extraModifiers) {
    // The X10 mouse report: CSI M and three bytes, each 32 + a value.
    if (in.size() >= 3 && in[2] == 'M') {
        if (in.size() < 6) {
            if (!final) return 0;
            return decodeText(in.substr(1), true, modifier::kLeftAlt) + 1;
        }
        const int code = static_cast<unsigned char>(in[3]) - 32;
        const int column = static_cast<unsigned char>(in[4]) - 32;
        const int row = static_cast<unsigned char>(in[5]) - 32;
        if ((code & 3) == 3 && (code & (32 | 64)) == 0)
            mouseReport(code, column, row, true);
        else
            mouseReport(code, column, row, false);
        return 6;
    }

    std::size_t i = 2;
    for (;; ++i) {
        if (i >= kMaxSequence) {
            // Too long to be anything a terminal sends for a key: dropped,
            // up to its final byte.
            skipping_ = true;
            return i;
        }
        if (i >= in.size()) {
            if (!final) return 0;
            return decodeText(in.substr(1), true, modifier::kLeftAlt | extraModifiers) + 1;  // Alt+[
        }
        const auto byte = static_cast<unsigned char>(in[i]);
        if (isParameterOrIntermediate(byte)) continue;
        if (isFinal(byte)) break;
        // Not a sequence after all: Alt+[ and what follows, key by key.
        return decodeText(in.substr(1), final, modifier::kLeftAlt | extraModifiers) + 1;
    }

    const std::string_view params = in.substr(2, i - 2);
    const char finalByte = in[i];
    if (!params.empty() && params[0] == '<' && (finalByte == 'M' || finalByte == 'm')) {
        std::vector<int> numbers;
        if (numericParameters(params.substr(1), numbers) && numbers.size() == 3)
            mouseReport(numbers[0], numbers[1], numbers[2], finalByte == 'm');
        return i + 1;
    }
    KeyInput key;
    if (csiKey(params, finalByte, key)) {
        key.modifiers |= extraModifiers;
        pushKey(key);
    }
    return i + 1;
}

bool TerminalInputDecoder::csiKey(std::string_view params, char final, KeyInput& key) const {
    std::vector<int> numbers;
    if (!numericParameters(params, numbers)) return false;
    const std::uint32_t modifiers = modifiersOf(numbers.size() >= 2 ? numbers[1] : 1);
    std::uint16_t code = 0;
    if (navigationKey(final, code)) {
        key = makeKey(code, 0, modifier::kEnhancedKey | modifiers);
        return true;
    }
    if (final == 'Z') {  // Shift+Tab
        key = makeKey(vk::kTab, 0x09, modifier::kShift | modifiers);
        return true;
    }
    if (pfKey(final, code)) {
        key = makeKey(code, 0, modifiers);
        return true;
    }
    if (final != '~') return false;
    switch (numbers[0]) {
        case 1:
        case 7: code = vk::kHome; break;
        case 2: code = vk::kInsert; break;
        case 3: code = vk::kDelete; break;
        case 4:
        case 8: code = vk::kEnd; break;
        case 5: code = vk::kPrior; break;
        case 6: code = vk::kNext; break;
        case 11: case 12: case 13: case 14: case 15:
            key = makeKey(functionKey(numbers[0] - 10), 0, modifiers);
            return true;
        case 17: case 18: case 19: case 20: case 21:
            key = makeKey(functionKey(numbers[0] - 11), 0, modifiers);
            return true;
        case 23: case 24:
            key = makeKey(functionKey(numbers[0] - 12), 0, modifiers);
            return true;
        default: return false;
    }
    key = makeKey(code, 0, modifier::kEnhancedKey | modifiers);
    return true;
}

void TerminalInputDecoder::mouseReport(int code, int column, int row, bool release) {
    if (column < 1 || row < 1 || code < 0 || (code & 128) != 0) return;
    MouseInput mouseInput;
    mouseInput.pos = {column - 1 + origin_.x, row - 1 + origin_.y};
    if ((code & 4) != 0) mouseInput.modifiers |= modifier::kShift;
    if ((code & 8) != 0) mouseInput.modifiers |= modifier::kLeftAlt;
    if ((code & 16) != 0) mouseInput.modifiers |= modifier::kLeftCtrl;

    const int low = code & 3;
    const std::uint32_t button = low == 0   ? mouse::kLeftButton
                                 : low == 1 ? mouse::kMiddleButton
                                 : low == 2 ? mouse::kRightButton
                                            : 0;
    if ((code & 64) != 0) {
        // The wheel: 64 away from the user, 65 towards; sideways ones are not taken.
        if (release || low > 1) return;
        mouseInput.flags = mouse::kWheeled;
        mouseInput.wheelDelta = low == 0 ? kWheelDelta : -kWheelDelta;
    } else if ((code & 32) != 0) {
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
