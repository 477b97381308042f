#include "terminal/terminal_renderer.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "platform/console_text.h"
#include "terminal/terminal_glyphs.h"

namespace corrivex::platform {

namespace {

// Escape sequences of two bytes (ESC, then a letter or digit): DECSC and
// DECRC save and restore the cursor's place with the colours; index and
// reverse index move a row down or up; next line moves to the start of the
// next row.
constexpr std::string_view kSaveCursor = "\0337";
constexpr std::string_view kRestoreCursor = "\0338";
constexpr std::string_view kIndex = "\033D";
constexpr std::string_view kReverseIndex = "\033M";
constexpr std::string_view kNextLine = "\033E";
static_assert(kSaveCursor.size() == 2 && kRestoreCursor.size() == 2 && kIndex.size() == 2 &&
              kReverseIndex.size() == 2 && kNextLine.size() == 2);

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

// A sequence with a count n and the final byte `final` (A up, B down, C
// right, D left, X erase n cells, b repeat the last glyph n times), the
// count left out when it is 1.
std::string relativeMove(int n, char final) {
    std::string s = "\x1b[";
    if (n != 1) appendNumber(s, n);
    return s + final;
}

// A move to the 0-based row or column `to` (d row, G column).
std::string absoluteMove(int to, char final) { return relativeMove(to + 1, final); }

void shortest(std::string& best, std::string candidate) {
    if (candidate.size() < best.size()) best = std::move(candidate);
}

// Cell (x, y) of `frame` is not known to show on the terminal: there is no
// earlier frame, it lay outside it, or it held something else.
bool changedAt(const TerminalFrame& frame, const TerminalFrame* previous, int x, int y) {
    return previous == nullptr || x >= previous->size.x || y >= previous->size.y ||
           previous->at(x, y) != frame.at(x, y);
}

// The shown attribute that the most cells of `frame` have.
std::uint16_t mostCommonColours(const TerminalFrame& frame) {
    // kShownBits as an index: the colour byte and the two flags above it.
    const auto index = [](std::uint16_t attr) {
        return (attr & 0x00FF) | ((attr & kReverseVideo) >> 6) | ((attr & kUnderscore) >> 6);
    };
    std::array<int, 0x400> cells{};
    std::uint16_t best = frame.cells.front().attr & kShownBits;
    for (const Cell& cell : frame.cells) {
        const std::uint16_t attr = cell.attr & kShownBits;
        if (++cells[static_cast<std::size_t>(index(attr))] > cells[static_cast<std::size_t>(index(best))]) best = attr;
    }
    return best;
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

CellRect shownPart(CellRect window, CellPos terminal) {
    return window.intersection(CellRect::sized(window.topLeft(), terminal.x, terminal.y));
}

TerminalFrame captureFrame(const ScreenBuffer& buffer, CellPos terminal) {
    TerminalFrame frame;
    frame.terminal = terminal;
    const CellRect shown = shownPart(buffer.window(), terminal);
    frame.size.x = std::max(0, shown.width());
    frame.size.y = std::max(0, shown.height());
    frame.cells.reserve(static_cast<std::size_t>(frame.size.x) * frame.size.y);
    for (int y = 0; y < frame.size.y; ++y)
        for (int x = 0; x < frame.size.x; ++x) {
            const Cell& cell = buffer.at(shown.left + x, shown.top + y);
            frame.cells.push_back(Cell{cell.ch, static_cast<std::uint16_t>(cell.attr & (kShownBits | kHalves))});
        }
    frame.cursor = {buffer.cursor().x - shown.left, buffer.cursor().y - shown.top};
    frame.cursorShown = buffer.currentCursorInfo().visible && shown.contains(buffer.cursor());
    frame.title = buffer.title();
    return frame;
}

void TerminalRenderer::invalidate() {
    shown_.reset();
    row_.reset();
    column_.reset();
    pen_.reset();
    cursorShown_.reset();
    title_.reset();
}

void TerminalRenderer::setPen(std::string& out, std::uint16_t attr) {
    attr &= kShownBits;
    if (pen_ == attr) return;
    const std::uint16_t flags = attr & (kReverseVideo | kUnderscore);
    std::string params;
    // With 8 colours a bright foreground is a bold one (the Linux console
    // takes 90-97 so), which only a clean rendition ends.
    const bool dimmer = profile_.colours < 16 && pen_ && (*pen_ & 0x08) != 0 && (attr & 0x08) == 0;
    if (!pen_ || (*pen_ & (kReverseVideo | kUnderscore)) != flags || dimmer) {
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
    if (row_ == to.y && column_ == to.x) return;
    std::string best = cursorPosition(to);
    if (row_) {
        // A vertical and a horizontal part, each the shortest of its forms.
        std::string vertical;
        if (to.y != *row_) {
            vertical = to.y < *row_ ? relativeMove(*row_ - to.y, 'A') : relativeMove(to.y - *row_, 'B');
            shortest(vertical, absoluteMove(to.y, 'd'));
            // A row up or down: reverse index or index, which keep the
            // column (and do not scroll, the row being on the screen).
            if (to.y == *row_ - 1) shortest(vertical, std::string(kReverseIndex));
            if (to.y == *row_ + 1) shortest(vertical, std::string(kIndex));
        }
        std::string horizontal = to.x == 0 ? std::string("\r") : absoluteMove(to.x, 'G');
        if (column_) {
            if (to.x == *column_) {
                horizontal.clear();
            } else if (to.x > *column_) {
                shortest(horizontal, relativeMove(to.x - *column_, 'C'));
            } else {
                const int left = *column_ - to.x;
                shortest(horizontal,
                         left <= 3 ? std::string(static_cast<std::size_t>(left), '\b') : relativeMove(left, 'D'));
            }
        }
        shortest(best, vertical + horizontal);
        // To the first column of the next row: next line (NEL), which also
        // ends a wait to wrap and does not scroll, the row being on the
        // screen. Unlike a carriage return and a line feed, no output
        // setting of the terminal makes more bytes of it (ONLCR sends a line
        // feed as both).
        if (to.x == 0 && to.y == *row_ + 1) shortest(best, std::string(kNextLine));

        // Forward on the same row over cells that already show what the
        // frame holds, in the colours in force: writing them again may be
        // shorter than a move.
        if (frame != nullptr && column_ && to.y == *row_ && to.x > *column_ && pen_ && to.y < frame->size.y &&
            to.x <= frame->size.x) {
            std::string rewrite;
            for (int x = *column_; x < to.x && rewrite.size() < best.size(); ++x) {
                const Cell& cell = frame->at(x, to.y);
                if ((cell.attr & kShownBits) != *pen_ || (cell.attr & kHalves) != 0) {
                    rewrite.clear();
                    break;
                }
                glyphs_.append(rewrite, cell.ch);
            }
            glyphs_.finish(rewrite);
            if (!rewrite.empty()) shortest(best, rewrite);
        }
    }
    out += best;
    row_ = to.y;
    column_ = to.x;
}

void TerminalRenderer::advance(const TerminalFrame& frame, int x, int y) {
    // Past the terminal's last column the cursor waits to wrap (or stays
    // there, with autowrap off): its column is not known, in a way that
    // differs between terminals, but it is still on its row.
    row_ = y;
    if (x + 1 >= frame.terminal.x) {
        column_.reset();
    } else {
        column_ = x + 1;
    }
}

int TerminalRenderer::drawSpan(std::string& out, const TerminalFrame& frame, const TerminalFrame* previous,
                               const Span& span) {
    const int y = span.y;
    for (int x = span.left; x < span.right;) {
        const Cell& cell = frame.at(x, y);
        int plainEnd = x + 1;  // the cells written as they are
        if (cell.ch == ' ' && (cell.attr & (kReverseVideo | kUnderscore)) == 0 && profile_.backgroundErase) {
            // A run of blanks: erased in its background, where the terminal
            // erases in the background in force (bce), then, where it
            // repeats (REP), written again as one blank repeated, so that
            // a terminal that keeps each cell's colours holds the
            // foreground too. A terminal without REP keeps the erased
            // blanks and its cursor where the erasing began.
            int end = x;
            while (end < span.right && frame.at(end, y) == cell) ++end;
            bool toRowEnd = false;
            if (end == span.right && frame.size.x == frame.terminal.x) {
                int rest = end;
                while (rest < frame.size.x && frame.at(rest, y) == cell) ++rest;
                if (rest == frame.size.x) {
                    toRowEnd = true;
                    end = rest;
                }
            }
            const int n = end - x;
            const std::string erase = toRowEnd ? std::string("\x1b[K") : relativeMove(n, 'X');
            // The blank, then the REP of it where there are more.
            const std::size_t blank = profile_.repeat ? 1 : 0;
            const std::string repeat = blank != 0 && n > 1 ? relativeMove(n - 1, 'b') : std::string();
            const std::size_t after = toRowEnd ? 0 : absoluteMove(end, 'G').size();
            // Against the changed cells it covers written as they are,
            // with a short move over each stretch of unchanged ones.
            std::size_t plain = 0;
            for (int i = x, gap = 0; i < end; ++i) {
                if (changedAt(frame, previous, i, y)) {
                    plain += 1 + (gap > 0 ? 4 : 0);
                    gap = 0;
                } else {
                    ++gap;
                }
            }
            if ((toRowEnd || profile_.eraseCharacters) && erase.size() + blank + repeat.size() + after < plain) {
                moveTo(out, {x, y}, &frame);
                setPen(out, cell.attr);
                out += erase;
                if (blank != 0) out += ' ';
                out += repeat;
                // With REP the cursor is behind the run, or behind the
                // first blank on a terminal that ignores it: on the row, in
                // a column not known. Without it, where the erasing began.
                if (profile_.repeat) column_.reset();
                if (toRowEnd) return x;
                x = end;
                continue;
            }
            // Not worth it for the run, nor for any shorter part of it.
            plainEnd = std::min(end, span.right);
        }
        moveTo(out, {x, y}, &frame);
        setPen(out, cell.attr);
        const Cell* row = &frame.at(0, y);
        while (x < plainEnd) {
            // A double-width character goes out whole, once for its two cells.
            const int glyph = glyphSpan(row, x, frame.size.x);
            if (glyph == 0) {
                ++x;
                continue;
            }
            glyphs_.append(out, spanChar(row[x], glyph), glyph);
            advance(frame, x + glyph - 1, y);
            x += glyph;
        }
        glyphs_.finish(out);
    }
    return frame.size.x;
}

std::string TerminalRenderer::penAndCursor(std::uint16_t attr, std::optional<CellPos> to) {
    std::string out;
    pen_.reset();
    setPen(out, attr);
    if (to) {
        out += cursorPosition(*to);
        row_ = to->y;
        column_ = to->x;
    }
    return out;
}

std::string TerminalRenderer::lineText(const Cell* cells, int count, std::uint16_t attr) {
    std::string out;
    for (int x = 0; x < count;) {
        const int glyph = glyphSpan(cells, x, count);
        if (glyph == 0) {
            ++x;
            continue;
        }
        setPen(out, cells[x].attr);
        glyphs_.append(out, spanChar(cells[x], glyph), glyph);
        x += glyph;
    }
    glyphs_.finish(out);
    setPen(out, attr);
    out += "\r\n";
    shown_.reset();
    row_.reset();
    column_.reset();
    return out;
}

std::string TerminalRenderer::render(TerminalFrame frame) {
    std::string out;
    const TerminalFrame* previous = shown_ && shown_->terminal == frame.terminal ? &*shown_ : nullptr;

    // A terminal whose line drawing set must be made ready (enacs) gets it
    // with every whole drawing: another program may have changed it.
    if (previous == nullptr) out += glyphs_.start();

    if (!frame.cursorShown && cursorShown_ != false) {
        out += "\x1b[?25l";
        cursorShown_ = false;
    }

    if (title_ ? *title_ != frame.title : !frame.title.empty()) {
        out += "\x1b]2;";
        glyphs_.appendText(out, frame.title);
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

    // The changed cells, as runs of one row in one colour. Both halves of a
    // double-width character count as changed when either one is, so that
    // the character goes out whole, once for its two cells.
    std::vector<Span> spans;
    const auto changed = [&](int x, int y) {
        if (changedAt(frame, previous, x, y)) return true;
        const int span = glyphSpan(&frame.at(0, y), x, frame.size.x);
        return (span == 2 && changedAt(frame, previous, x + 1, y)) ||
               (span == 0 && changedAt(frame, previous, x - 1, y));
    };
    for (int y = 0; y < frame.size.y; ++y) {
        for (int x = 0; x < frame.size.x;) {
            if (!changed(x, y)) {
                ++x;
                continue;
            }
            const std::uint16_t attr = frame.at(x, y).attr & kShownBits;
            const int left = x;
            while (x < frame.size.x && changed(x, y) && (frame.at(x, y).attr & kShownBits) == attr) ++x;
            spans.push_back(Span{y, left, x, attr});
        }
    }

    // Drawn top to bottom; a small change (a key's: a highlight moved over
    // two rows in two colours and a counter in the first) also grouped by
    // colours, those in force first. Each order ends with the cursor where
    // the console has it, shown or hidden, when that is inside the frame
    // (screen readers and braille displays follow it): by a move at the
    // end, or for a small change also by going there first, saving it
    // (DECSC, with the colours) and restoring it after the drawing (DECRC).
    // The shortest of these is sent.
    const bool cursorInside = CellRect::sized({0, 0}, frame.size.x, frame.size.y).contains(frame.cursor);
    const auto drawSpans = [&](std::string& bytes, const std::vector<Span>& order) {
        // Rows drawn to their end by an erase: [row] = the first column drawn so.
        std::vector<int> finished(static_cast<std::size_t>(frame.size.y), frame.size.x);
        for (const Span& span : order) {
            int& from = finished[static_cast<std::size_t>(span.y)];
            if (span.left >= from) continue;
            from = std::min(from, drawSpan(bytes, frame, previous, span));
        }
    };
    const auto start = std::tuple(row_, column_, pen_);
    std::string drawn;
    auto end = start;
    bool first = true;
    const auto consider = [&](std::string bytes) {
        if (first || bytes.size() < drawn.size()) {
            drawn = std::move(bytes);
            end = std::tuple(row_, column_, pen_);
            first = false;
        }
        std::tie(row_, column_, pen_) = start;
    };
    constexpr std::size_t kSmallChange = 64;  // spans
    const bool small = previous != nullptr && !spans.empty() && spans.size() <= kSmallChange;
    const auto tryOrder = [&](const std::vector<Span>& order) {
        std::string bytes;
        drawSpans(bytes, order);
        const std::size_t drawnBytes = bytes.size();
        if (cursorInside) moveTo(bytes, frame.cursor, &frame);
        const bool longMove = bytes.size() - drawnBytes > kSaveCursor.size() + kRestoreCursor.size();
        consider(std::move(bytes));
        if (!cursorInside || !small || !longMove) return;
        bytes.clear();
        moveTo(bytes, frame.cursor, &frame);
        const std::optional<std::uint16_t> savedPen = pen_;
        bytes += kSaveCursor;
        drawSpans(bytes, order);
        bytes += kRestoreCursor;
        row_ = frame.cursor.y;
        column_ = frame.cursor.x;
        pen_ = savedPen;
        consider(std::move(bytes));
    };
    tryOrder(spans);
    if (small) {
        std::vector<std::uint16_t> colours;
        if (std::get<2>(start)) colours.push_back(*std::get<2>(start));
        for (const Span& span : spans)
            if (std::find(colours.begin(), colours.end(), span.attr) == colours.end()) colours.push_back(span.attr);
        std::vector<Span> grouped;
        grouped.reserve(spans.size());
        for (const std::uint16_t colour : colours)
            for (const Span& span : spans)
                if (span.attr == colour) grouped.push_back(span);
        if (grouped != spans) tryOrder(grouped);
    }
    std::tie(row_, column_, pen_) = end;
    out += drawn;

    // A frame drawn whole leaves the colours of most of its cells in force:
    // the change that follows (a key's) most likely draws in them.
    if (previous == nullptr && !frame.cells.empty()) setPen(out, mostCommonColours(frame));

    if (frame.cursorShown) {
        if (cursorShown_ != true) {
            out += "\x1b[?25h";
            cursorShown_ = true;
        }
    }

    shown_ = std::move(frame);
    return out;
}

}  // namespace corrivex::platform
