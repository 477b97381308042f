#include "platform/terminal_renderer.h"

#include <algorithm>

#include "platform/console_text.h"
#include "platform/terminal_glyphs.h"

namespace corrivex::platform {

namespace {

// Console attribute bits that a terminal shows besides the colours.
constexpr std::uint16_t kReverseVideo = 0x4000;
constexpr std::uint16_t kUnderscore = 0x8000;
constexpr std::uint16_t kShownBits = 0x00FF | kReverseVideo | kUnderscore;
constexpr std::uint16_t kHalves = kLeadingHalf | kTrailingHalf;

// Windows numbers its colours blue = 1, red = 4; ANSI red = 1, blue = 4.
int ansiColour(int colour) { return ((colour & 1) << 2) | (colour & 2) | ((colour & 4) >> 2); }

void appendNumber(std::string& out, int n) { out += std::to_string(n); }

// Cursor Position, 1-based, with the parameters a terminal takes as 1 left out.
std::string cursorPosition(CellPos to) {
    std::string s = "\x1b[";
    if (to.x == 0 && to.y == 0) return s + "H";
    appendNumber(s, to.y + 1);
    if (to.x != 0) {
        s += ';';
        appendNumber(s, to.x + 1);
    }
    return s + "H";
}

// A relative move of n cells with the final byte `final` (A up, B down, C right, D left).
std::string relativeMove(int n, char final) {
    std::string s = "\x1b[";
    if (n != 1) appendNumber(s, n);
    return s + final;
}

// The cells x to x + span - 1 of `row` show what those of `before` (a row
// of `width` cells) showed.
bool sameSpan(const Cell* before, int width, const Cell* row, int x, int span) {
    if (x + span > width || glyphSpan(before, x, width) != span) return false;
    for (int i = x; i < x + span; ++i)
        if (!(before[i] == row[i])) return false;
    return true;
}

}  // namespace

int ansiForeground(std::uint16_t attr) {
    const int colour = attr & 0x0F;
    return ((colour & 8) != 0 ? 90 : 30) + ansiColour(colour);
}

int ansiBackground(std::uint16_t attr) {
    const int colour = (attr >> 4) & 0x0F;
    return ((colour & 8) != 0 ? 100 : 40) + ansiColour(colour);
}

TerminalFrame captureFrame(const ScreenBuffer& buffer, CellPos terminal) {
    TerminalFrame frame;
    frame.terminal = terminal;
    const CellRect window = buffer.window();
    frame.size.x = std::max(0, std::min(window.right - window.left + 1, terminal.x));
    frame.size.y = std::max(0, std::min(window.bottom - window.top + 1, terminal.y));
    frame.cells.reserve(static_cast<std::size_t>(frame.size.x) * frame.size.y);
    for (int y = 0; y < frame.size.y; ++y)
        for (int x = 0; x < frame.size.x; ++x) {
            const Cell& cell = buffer.at(window.left + x, window.top + y);
            frame.cells.push_back(Cell{cell.ch, static_cast<std::uint16_t>(cell.attr & (kShownBits | kHalves))});
        }
    frame.cursor = {buffer.cursor().x - window.left, buffer.cursor().y - window.top};
    frame.cursorShown = buffer.currentCursorInfo().visible && frame.cursor.x >= 0 && frame.cursor.y >= 0 &&
                        frame.cursor.x < frame.size.x && frame.cursor.y < frame.size.y;
    frame.title = buffer.title();
    return frame;
}

void TerminalRenderer::invalidate() {
    shown_.reset();
    at_.reset();
    pen_.reset();
    cursorShown_.reset();
    title_.reset();
}

void TerminalRenderer::setPen(std::string& out, std::uint16_t attr) {
    attr &= kShownBits;
    if (pen_ == attr) return;
    const std::uint16_t flags = attr & (kReverseVideo | kUnderscore);
    std::string params;
    if (!pen_ || (*pen_ & (kReverseVideo | kUnderscore)) != flags) {
        // From a clean rendition: whatever else is in force goes.
        params = "0;";
        if ((flags & kReverseVideo) != 0) params += "7;";
        if ((flags & kUnderscore) != 0) params += "4;";
        params += std::to_string(ansiForeground(attr)) + ";" + std::to_string(ansiBackground(attr));
    } else {
        if ((*pen_ & 0x0F) != (attr & 0x0F)) params = std::to_string(ansiForeground(attr));
        if ((*pen_ & 0xF0) != (attr & 0xF0)) {
            if (!params.empty()) params += ';';
            params += std::to_string(ansiBackground(attr));
        }
    }
    out += "\x1b[" + params + "m";
    pen_ = attr;
}

void TerminalRenderer::moveTo(std::string& out, CellPos to, const TerminalFrame* frame) {
    if (at_ == to) return;
    std::string best = cursorPosition(to);
    if (at_) {
        const CellPos from = *at_;
        std::string relative;
        if (to.y < from.y) relative += relativeMove(from.y - to.y, 'A');
        if (to.y > from.y) relative += relativeMove(to.y - from.y, 'B');
        if (to.x == 0 && from.x != 0) {
            relative += '\r';
        } else if (to.x > from.x) {
            relative += relativeMove(to.x - from.x, 'C');
        } else if (to.x < from.x) {
            relative += relativeMove(from.x - to.x, 'D');
        }
        if (relative.size() < best.size()) best = std::move(relative);

        // Forward on the same row over cells that already show what the
        // frame holds, in the colours in force: writing them again may be
        // shorter than a move.
        if (frame != nullptr && to.y == from.y && to.x > from.x && pen_ && to.y < frame->size.y &&
            to.x <= frame->size.x) {
            std::string rewrite;
            for (int x = from.x; x < to.x && rewrite.size() < best.size(); ++x) {
                const Cell& cell = frame->at(x, to.y);
                if ((cell.attr & kShownBits) != *pen_ || (cell.attr & kHalves) != 0) {
                    rewrite.clear();
                    break;
                }
                appendGlyph(rewrite, cell.ch);
            }
            if (!rewrite.empty() && rewrite.size() < best.size()) best = std::move(rewrite);
        }
    }
    out += best;
    at_ = to;
}

std::string TerminalRenderer::penAndCursor(std::uint16_t attr, std::optional<CellPos> to) {
    std::string out;
    pen_.reset();
    setPen(out, attr);
    if (to) {
        out += cursorPosition(*to);
        at_ = to;
    }
    return out;
}

std::string TerminalRenderer::render(TerminalFrame frame) {
    std::string out;
    const TerminalFrame* previous = shown_ && shown_->terminal == frame.terminal ? &*shown_ : nullptr;

    if (!frame.cursorShown && cursorShown_ != false) {
        out += "\x1b[?25l";
        cursorShown_ = false;
    }

    if (title_ ? *title_ != frame.title : !frame.title.empty()) {
        out += "\x1b]2;";
        appendTextGlyphs(out, frame.title);
        out += '\a';
        title_ = frame.title;
    }

    // What lies outside the frame and is not known to be blank (the last
    // frame's area, or the whole terminal when nothing is known) is erased
    // in the terminal's own colours.
    const CellPos known = previous != nullptr ? previous->size : frame.terminal;
    bool erasing = false;
    const auto erase = [&](CellPos from, std::string_view sequence) {
        if (!erasing) {
            out += "\x1b[0m";
            pen_.reset();
            erasing = true;
        }
        moveTo(out, from, nullptr);
        out += sequence;
    };
    if (known.x > frame.size.x)
        for (int y = 0; y < std::min(frame.size.y, known.y); ++y) erase({frame.size.x, y}, "\x1b[K");
    if (known.y > frame.size.y) erase({0, frame.size.y}, "\x1b[J");

    for (int y = 0; y < frame.size.y && frame.size.x > 0; ++y) {
        const Cell* row = &frame.at(0, y);
        const Cell* before = previous != nullptr && y < previous->size.y && previous->size.x > 0 ? &previous->at(0, y)
                                                                                                 : nullptr;
        for (int x = 0; x < frame.size.x; ++x) {
            // A double-width character goes out whole, once for its two cells.
            const int span = glyphSpan(row, x, frame.size.x);
            if (span == 0) continue;
            if (before != nullptr && sameSpan(before, previous->size.x, row, x, span)) continue;
            const Cell& cell = row[x];
            moveTo(out, {x, y}, &frame);
            setPen(out, cell.attr);
            appendGlyph(out, spanChar(cell, span));
            // Past the terminal's last column the cursor waits to wrap, in a
            // way that differs between terminals: its place is not known.
            const int end = x + span;
            if (end >= frame.terminal.x)
                at_.reset();
            else
                at_ = CellPos{end, y};
            x = end - 1;
        }
    }

    if (frame.cursorShown) {
        moveTo(out, frame.cursor, &frame);
        if (cursorShown_ != true) {
            out += "\x1b[?25h";
            cursorShown_ = true;
        }
    }

    shown_ = std::move(frame);
    return out;
}

}  // namespace corrivex::platform
