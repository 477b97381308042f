// What a terminal pane shows: a grid of cells, each a glyph with its colours
// and attributes, read from `tmux capture-pane -p -e -N` output.
//
// A cell that the program erased (ED, EL) but never wrote reads as a blank
// default cell with tmux before 3.4, whatever background it shows: only
// written cells, blanks included, carry their colours into the capture.
//
// Columns and rows are counted from 1 at the top left corner, as the screens
// of the program are described to its users.
//
// Colours are kept as the terminal received them (an ANSI index 0 to 255, a
// 24-bit colour, or the terminal's default); the matching functions compare
// them with the colour numbers of the Windows console (1 blue, 2 green,
// 4 red, 8 intensity), accepting every usual way a terminal program renders
// such a colour:
//   - ANSI colours 30-37/40-47 and the bright 90-97/100-107, or the same
//     indices through the 256-colour forms (38;5;n / 48;5;n, n below 16);
//   - bold with a normal foreground counts as its bright colour;
//   - reverse video swaps foreground and background;
//   - a 24-bit colour counts as the nearest colour of the console palette;
//   - the default foreground counts as light grey (7), the default
//     background as black (0).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corrivex::e2e {

// A terminal colour: the default, an indexed colour 0 to 255, or 24-bit RGB.
struct TermColour {
    enum class Kind { Default, Indexed, Rgb };
    Kind kind = Kind::Default;
    int value = 0;  // the index, or 0xRRGGBB
    friend bool operator==(const TermColour&, const TermColour&) = default;
};

struct ScreenCell {
    std::string glyph = " ";  // one character, UTF-8 encoded
    TermColour fg;
    TermColour bg;
    bool bold = false;
    bool dim = false;
    bool italic = false;
    bool underline = false;
    bool blink = false;
    bool reverse = false;
    bool lineDrawing = false;  // shown from the line drawing set (SO ... SI in the capture)
};

// The Windows console colour number (0 to 15) that a cell shows as its
// foreground / background, by the rules above.
int windowsForeground(const ScreenCell& cell);
int windowsBackground(const ScreenCell& cell);
// The Windows attribute foreground + 16 x background that the cell shows.
int windowsAttribute(const ScreenCell& cell);

// ANSI index (0 red .. in ANSI order) of a Windows colour number, and back.
int ansiFromWindows(int windowsColour);
int windowsFromAnsi(int ansiIndex);

struct ScreenPos {
    int column = 0;  // 1-based
    int row = 0;     // 1-based
    friend bool operator==(const ScreenPos&, const ScreenPos&) = default;
};

class Screen {
public:
    Screen() = default;
    Screen(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // The cell at a 1-based position; outside the screen a blank default cell.
    const ScreenCell& cell(int column, int row) const;
    ScreenCell& cell(int column, int row);

    // The glyphs of a row (all columns, trailing blanks included).
    std::string rowText(int row) const;
    // The glyphs of `length` cells from (column, row) on.
    std::string textAt(int column, int row, int length) const;
    // Every row, trailing blanks removed, joined with '\n'.
    std::string text() const;

    bool contains(std::string_view needle) const { return find(needle).has_value(); }
    // The position of the first cell of the first occurrence within one row.
    std::optional<ScreenPos> find(std::string_view needle) const;

    // The number of cells for which `predicate` holds.
    int count(const std::function<bool(const ScreenCell&)>& predicate) const;
    // True when every cell shows Windows attribute `attr`.
    bool allCellsHaveAttribute(int attr) const;

    // The text with a map of Windows attributes under it, for failure messages.
    std::string describe() const;

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<ScreenCell> cells_;
};

// Parses capture-pane output (lines with SGR sequences, the colour state
// running on from one line to the next) into a screen of the given size.
// Cells that the capture does not reach are blank default cells; escape
// sequences other than SGR are skipped.
Screen parseCapture(std::string_view capture, int columns, int rows);

}  // namespace corrivex::e2e
