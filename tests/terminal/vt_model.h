// A small model of an xterm-compatible terminal for the tests: it takes the
// bytes a program sends and keeps the screen (characters and SGR colours),
// the cursor (with what DECSC saves), the private modes and the title. Like the Linux console, it
// may be made without REP (repeat the last glyph): it then ignores it, and
// erased cells keep only the background, so that a test can tell which
// cells a renderer erased. Its profile may make it erase in its own background (no bce: GNU screen), take
// Latin-1 with the VT100 line drawing set (SO, SI, ESC ( 0, ESC ) 0), or have 8 colours as the Linux console
// (90-97 are bold 30-37 until SGR 0 or 22; 100-107 are 40-47). Unknown sequences and control bytes outside
// sequences (C1 bytes of an 8-bit terminal too) are counted, so a test can insist that there are none.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace corrivex::testing {

struct VtCell {
    char32_t ch = U' ';
    int fg = 39;  // SGR numbers; 39 and 49 are the terminal's own colours
    int bg = 49;
    bool reverse = false;
    bool underline = false;
    bool bold = false;  // of the pen, with 8 colours: makes 30-37 bright
    friend bool operator==(const VtCell&, const VtCell&) = default;
};

struct VtProfile {
    bool repeats = true, backgroundErase = true, utf8 = true;
    int colours = 16;
};

class VtModel {
public:
    // What the second cell of a double-width character holds.
    static constexpr char32_t kSecondHalf = U'\0';

    VtModel(int columns, int rows, bool repeats = true) : VtModel(columns, rows, VtProfile{repeats}) {}
    VtModel(int columns, int rows, VtProfile profile)
        : columns_(columns), rows_(rows), profile_(profile), cells_(static_cast<std::size_t>(columns * rows)) {}

    void feed(std::string_view bytes) {
        for (unsigned char byte : bytes) take(byte);
    }

    const VtCell& at(int x, int y) const { return cells_[static_cast<std::size_t>(y * columns_ + x)]; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cursorX() const { return x_; }
    int cursorY() const { return y_; }
    bool cursorVisible() const { return privateMode(25, true); }
    bool privateMode(int mode, bool byDefault = false) const {
        auto it = modes_.find(mode);
        return it == modes_.end() ? byDefault : it->second;
    }
    const std::string& title() const { return title_; }
    int titleChanges() const { return titleChanges_; }
    const std::vector<std::string>& unknown() const { return unknown_; }
    int strayControls() const { return strayControls_; }
    int scrolledLines() const { return scrolled_; }
    VtCell pen() const { return pen_; }
    // The characters of row y, as UTF-32.
    std::u32string row(int y) const {
        std::u32string s;
        for (int x = 0; x < columns_; ++x) s += at(x, y).ch;
        return s;
    }

private:
    enum class State { Ground, Escape, Designate, Csi, Osc, OscEscape };

    // What the bytes of the VT100 line drawing set show, on the Linux console.
    static char32_t lineDrawing(char32_t c) {
        static constexpr std::u32string_view kLow = U"→←↑↓█";  // + , - . 0
        static constexpr std::u32string_view kHigh = U" ◆▒␉␌␍␊°±␤␋┘┐┌└┼⎺⎻─⎼⎽├┤┴┬│≤≥π≠£·";
        if (c >= U'+' && c <= U'0' && c != U'/') return kLow[c == U'0' ? 4 : c - U'+'];
        if (c >= 0x5F && c <= 0x7E) return kHigh[c - 0x5F];
        return c;
    }

    VtCell& cell(int x, int y) { return cells_[static_cast<std::size_t>(y * columns_ + x)]; }

    void take(unsigned char byte) {
        switch (state_) {
            case State::Ground: ground(byte); return;
            case State::Escape:
                if (byte == '[') {
                    state_ = State::Csi;
                    sequence_.clear();
                } else if (byte == ']') {
                    state_ = State::Osc;
                    sequence_.clear();
                } else if (byte == '(' || byte == ')') {
                    designating_ = byte == '(' ? 0 : 1;
                    state_ = State::Designate;
                } else if (byte == '7') {  // DECSC
                    saved_ = {x_, y_, pen_};
                    state_ = State::Ground;
                } else if (byte == '8' || byte == 'D' || byte == 'E' || byte == 'M') {
                    if (byte == '8') std::tie(x_, y_, pen_) = saved_;  // DECRC
                    if (byte == 'E') x_ = 0;                           // next line, and
                    if (byte == 'D' || byte == 'E') lineFeed();        // index
                    if (byte == 'M') y_ > 0 ? --y_ : ++scrolled_;      // reverse index
                    wrapPending_ = false;
                    state_ = State::Ground;
                } else {
                    unknown_.push_back(std::string("ESC ") + static_cast<char>(byte));
                    state_ = State::Ground;
                }
                return;
            case State::Designate:
                lines_[designating_] = byte == '0';
                state_ = State::Ground;
                return;
            case State::Csi:
                if (byte >= 0x40 && byte <= 0x7E) {
                    csi(sequence_, static_cast<char>(byte));
                    state_ = State::Ground;
                } else {
                    sequence_ += static_cast<char>(byte);
                }
                return;
            case State::Osc:
                if (byte == 0x07) {
                    osc();
                } else if (byte == 0x1B) {
                    state_ = State::OscEscape;
                } else {
                    sequence_ += static_cast<char>(byte);
                }
                return;
            case State::OscEscape:
                if (byte == '\\') osc();
                else unknown_.push_back("OSC ESC");
                state_ = State::Ground;
                return;
        }
    }

    void ground(unsigned char byte) {
        if (utf8Left_ > 0) {
            if ((byte & 0xC0) == 0x80) {
                code_ = (code_ << 6) | (byte & 0x3F);
                if (--utf8Left_ == 0) print(code_);
                return;
            }
            utf8Left_ = 0;
            print(U'\uFFFD');
        }
        if (byte == 0x1B) {
            state_ = State::Escape;
        } else if (byte == '\r') {
            x_ = 0;
            wrapPending_ = false;
        } else if (byte == '\n') {
            lineFeed();
        } else if (byte == '\b') {
            if (x_ > 0 && !wrapPending_) --x_;
            wrapPending_ = false;
        } else if (!profile_.utf8 && (byte == 0x0E || byte == 0x0F)) {
            shifted_ = byte == 0x0E;  // SO: the G1 set, SI: G0
        } else if (byte < 0x20 || byte == 0x7F) {
            ++strayControls_;
        } else if (byte < 0x80) {
            print(lines_[shifted_ ? 1 : 0] ? lineDrawing(byte) : byte);
        } else if (!profile_.utf8) {
            print(byte);  // Latin-1; 0x80 to 0x9F are C1 controls
        } else if ((byte & 0xE0) == 0xC0) {
            code_ = byte & 0x1F;
            utf8Left_ = 1;
        } else if ((byte & 0xF0) == 0xE0) {
            code_ = byte & 0x0F;
            utf8Left_ = 2;
        } else if ((byte & 0xF8) == 0xF0) {
            code_ = byte & 0x07;
            utf8Left_ = 3;
        } else {
            print(U'\uFFFD');
        }
    }

    void lineFeed() {
        wrapPending_ = false;
        if (y_ + 1 < rows_) {
            ++y_;
            return;
        }
        ++scrolled_;
        for (int y = 1; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) cell(x, y - 1) = cell(x, y);
        for (int x = 0; x < columns_; ++x) cell(x, rows_ - 1) = blank();
    }

    VtCell blank() const {
        VtCell b;
        b.bg = profile_.backgroundErase ? pen_.bg : 49;  // erasing takes the current background, with bce
        if (!profile_.repeats) b.fg = -1;                // and no foreground: marks an erased cell
        return b;
    }

    // The characters of the tests that take two columns, as a terminal
    // gives them: CJK ideographs, Hangul, fullwidth forms, emoji.
    static bool wide(char32_t c) {
        return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
               (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60) ||
               (c >= 0x1F300 && c <= 0x1F64F) || (c >= 0x20000 && c <= 0x3FFFD);
    }

    // Writing over one half of a double-width character blanks the other,
    // as xterm does.
    void breakWide(int x) {
        if (cell(x, y_).ch == kSecondHalf && x > 0) cell(x - 1, y_).ch = U' ';
        if (x + 1 < columns_ && cell(x + 1, y_).ch == kSecondHalf) cell(x + 1, y_).ch = U' ';
    }

    void print(char32_t c) {
        if (c >= 0x80 && c <= 0x9F) ++strayControls_;  // C1 controls
        const int width = wide(c) ? 2 : 1;
        if ((wrapPending_ || x_ + width > columns_) && privateMode(7, true) && (wrapPending_ || width == 2)) {
            x_ = 0;
            wrapPending_ = false;
            lineFeed();
        }
        breakWide(x_);
        if (width == 2 && x_ + 1 < columns_) breakWide(x_ + 1);
        VtCell& target = cell(x_, y_);
        target = pen_;
        target.ch = c;
        if (target.bold && target.fg >= 30 && target.fg <= 37) target.fg += 60;
        target.bold = false;
        last_ = c;
        if (width == 2 && x_ + 1 < columns_) {
            cell(x_ + 1, y_) = pen_;
            cell(x_ + 1, y_).ch = kSecondHalf;
        }
        if (x_ + width < columns_) {
            x_ += width;
        } else {
            x_ = columns_ - 1;
            wrapPending_ = true;
        }
    }

    static std::vector<int> numbers(const std::string& text) {
        std::vector<int> out;
        int n = -1;
        for (char c : text) {
            if (c == ';') {
                out.push_back(n);
                n = -1;
            } else if (c >= '0' && c <= '9') {
                n = (n < 0 ? 0 : n * 10) + (c - '0');
            }
        }
        out.push_back(n);
        return out;
    }

    void csi(const std::string& params, char final) {
        const bool isPrivate = !params.empty() && params[0] == '?';
        std::vector<int> p = numbers(isPrivate ? params.substr(1) : params);
        auto arg = [&](std::size_t i, int byDefault) { return i < p.size() && p[i] > 0 ? p[i] : byDefault; };
        // Cursor moves stop at the screen's edges and end a pending wrap.
        auto moveTo = [&](int x, int y) {
            x_ = std::clamp(x, 0, columns_ - 1);
            y_ = std::clamp(y, 0, rows_ - 1);
            wrapPending_ = false;
        };
        if (isPrivate) {
            if (final == 'h' || final == 'l') {
                for (int mode : p) modes_[mode] = final == 'h';
                return;
            }
            unknown_.push_back("CSI " + params + final);
            return;
        }
        switch (final) {
            case 'H': moveTo(arg(1, 1) - 1, arg(0, 1) - 1); return;
            case 'A': moveTo(x_, y_ - arg(0, 1)); return;
            case 'B': moveTo(x_, y_ + arg(0, 1)); return;
            case 'C': moveTo(x_ + arg(0, 1), y_); return;
            case 'D': moveTo(x_ - arg(0, 1), y_); return;
            case 'G': moveTo(arg(0, 1) - 1, y_); return;
            case 'd': moveTo(x_, arg(0, 1) - 1); return;
            case 'X':
                for (int x = x_; x < std::min(columns_, x_ + arg(0, 1)); ++x) cell(x, y_) = blank();
                wrapPending_ = false;
                return;
            case 'b':
                // Repeats within the row, as tmux does.
                if (!profile_.repeats || last_ == 0) return;
                for (int n = arg(0, 1); n > 0 && !wrapPending_; --n) print(last_);
                return;
            case 'K':
                if (arg(0, 0) != 0) break;
                for (int x = x_; x < columns_; ++x) cell(x, y_) = blank();
                return;
            case 'J':
                if (arg(0, 0) != 0) break;
                for (int x = x_; x < columns_; ++x) cell(x, y_) = blank();
                for (int y = y_ + 1; y < rows_; ++y)
                    for (int x = 0; x < columns_; ++x) cell(x, y) = blank();
                return;
            case 'm':
                for (int n : p) sgr(n < 0 ? 0 : n);
                return;
            case 't':  // the title stack: 22 saves, 23 gives back
                if (p.size() == 2 && p[0] == 22 && p[1] == 0) {
                    titles_.push_back(title_);
                    return;
                }
                if (p.size() == 2 && p[0] == 23 && p[1] == 0 && !titles_.empty()) {
                    title_ = titles_.back();
                    titles_.pop_back();
                    return;
                }
                break;
            default: break;
        }
        unknown_.push_back("CSI " + params + final);
    }

    void sgr(int n) {
        const bool eight = profile_.colours < 16;
        if (eight && ((n >= 90 && n <= 97) || n == 1 || n == 22)) pen_.bold = n != 22;
        if (eight && (n == 1 || n == 22)) return;
        if (eight && n >= 90) n -= 60;
        if (n == 0) pen_ = VtCell{};
        else if (n == 4) pen_.underline = true;
        else if (n == 7) pen_.reverse = true;
        else if (n == 24) pen_.underline = false;
        else if (n == 27) pen_.reverse = false;
        else if ((n >= 30 && n <= 37) || n == 39 || (n >= 90 && n <= 97)) pen_.fg = n;
        else if ((n >= 40 && n <= 47) || n == 49 || (n >= 100 && n <= 107)) pen_.bg = n;
        else unknown_.push_back("SGR " + std::to_string(n));
    }

    void osc() {
        state_ = State::Ground;
        if (sequence_.rfind("2;", 0) == 0) {
            title_ = sequence_.substr(2);
            ++titleChanges_;
        } else {
            unknown_.push_back("OSC " + sequence_);
        }
    }

    int columns_;
    int rows_;
    VtProfile profile_;
    bool lines_[2] = {false, false};  // G0 and G1 hold the line drawing set
    bool shifted_ = false;
    int designating_ = 0;
    char32_t last_ = 0;
    std::vector<VtCell> cells_;
    int x_ = 0;
    int y_ = 0;
    bool wrapPending_ = false;
    VtCell pen_;
    std::tuple<int, int, VtCell> saved_{0, 0, VtCell{}};
    State state_ = State::Ground;
    std::string sequence_;
    char32_t code_ = 0;
    int utf8Left_ = 0;
    std::map<int, bool> modes_;
    std::string title_;
    std::vector<std::string> titles_;
    int titleChanges_ = 0;
    std::vector<std::string> unknown_;
    int strayControls_ = 0;
    int scrolled_ = 0;
};

}  // namespace corrivex::testing
