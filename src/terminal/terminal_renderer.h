// What a screen buffer looks like on an xterm-compatible terminal, and the
// bytes that bring the terminal from what it shows to what it should show.
//
// A frame is the window of the buffer, clipped to the terminal's size, drawn
// from the terminal's top left corner. The renderer remembers the frame it
// drew last and what it knows of the terminal (cursor position, colours,
// cursor visibility, title), and sends only what changed, in few bytes,
// with the sequences the terminal's profile declares: a run of blanks is
// erased in its background (EL, ECH) where erasing takes the background in
// force (bce), and written again as one blank repeated (REP) where the
// terminal repeats; elsewhere the blanks are written out. The cursor moves
// by the shortest form. Every cell goes out as its glyph in the locale's
// character set (terminal_glyphs.h), a control character as its code page
// 437 glyph, so no cell and no title ever sends a control character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console_host.h"
#include "platform/screen_buffer.h"
#include "terminal/terminal_glyphs.h"
#include "terminal/terminal_profile.h"

namespace corrivex::platform {

struct TerminalFrame {
    CellPos terminal;          // the terminal's columns x rows
    CellPos size;              // columns x rows drawn: the window clipped to the terminal
    std::vector<Cell> cells;   // size.x * size.y, row by row, with the attribute bits a terminal shows
                               // and the halves of double-width characters
    CellPos cursor;            // in frame coordinates
    bool cursorShown = false;  // visible, and inside the frame
    std::string title;

    const Cell& at(int x, int y) const { return cells[static_cast<std::size_t>(y) * size.x + x]; }
    friend bool operator==(const TerminalFrame&, const TerminalFrame&) = default;
};

// The part of `window` that a terminal of `terminal` columns x rows shows
// from its top left corner: the window cut at the terminal's right and
// bottom.
CellRect shownPart(CellRect window, CellPos terminal);

// The window of `buffer` as a terminal of `terminal` columns x rows shows it.
TerminalFrame captureFrame(const ScreenBuffer& buffer, CellPos terminal);

// Select Graphic Rendition parameters of a console attribute: the
// foreground and background colour numbers (1 blue, 2 green, 4 red,
// 8 intensity) as ANSI colours 30-37/90-97 and 40-47/100-107.
int ansiForeground(std::uint16_t attr);
int ansiBackground(std::uint16_t attr);

class TerminalRenderer {
public:
    // A renderer for a terminal of `profile` (by default xterm-like, UTF-8).
    explicit TerminalRenderer(const TerminalProfile& profile = {}) : profile_(profile), glyphs_(profile) {}

    // The bytes that make the terminal show `frame`.
    std::string render(TerminalFrame frame);

    // The terminal's contents, colours, cursor and title are no longer
    // known (another program drew on it, it was resized): the next render
    // draws everything and clears the terminal around the frame.
    void invalidate();

    // Sets the colours of `attr` (from a clean rendition) and, when `to` is
    // given, puts the cursor there (absolutely); the renderer remembers both.
    std::string penAndCursor(std::uint16_t attr, std::optional<CellPos> to);

    // Writes `cells` as text where the terminal's cursor is, each in its
    // colours, and goes on to the start of the next line in the colours
    // `attr` (CR LF, which scrolls at the bottom), as a program writing
    // lines does. What the terminal shows is then no frame of ours, and the
    // cursor's place is not known.
    std::string lineText(const Cell* cells, int count, std::uint16_t attr);

private:
    // Changed cells of one row in one colour: columns [left, right).
    struct Span {
        int y = 0;
        int left = 0;
        int right = 0;
        std::uint16_t attr = 0;
        friend bool operator==(const Span&, const Span&) = default;
    };

    void moveTo(std::string& out, CellPos to, const TerminalFrame* frame);
    void setPen(std::string& out, std::uint16_t attr);
    // Draws `span` of `frame` over `previous` (nullptr: nothing known);
    // returns the column from which it drew the rest of its row (the row's
    // width when it did not).
    int drawSpan(std::string& out, const TerminalFrame& frame, const TerminalFrame* previous, const Span& span);
    void advance(const TerminalFrame& frame, int x, int y);

    TerminalProfile profile_;
    TerminalGlyphs glyphs_;
    std::optional<TerminalFrame> shown_;
    std::optional<int> row_;  // where the terminal's cursor is, as far as known
    std::optional<int> column_;
    std::optional<std::uint16_t> pen_;  // the colours in force, when they are ours
    std::optional<bool> cursorShown_;
    std::optional<std::string> title_;
};

}  // namespace corrivex::platform
