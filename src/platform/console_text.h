// How the console takes the bytes of a text: as the characters its cells
// hold.
//
// A cell holds a Unicode character; a character of East Asian width takes
// two cells (a leading and a trailing one, marked as the Windows console
// marks them). Texts are bytes of the platform's code page: on the POSIX
// terminal UTF-8, with the widths of Unicode's tables (through utf8proc);
// on Windows the system's ANSI code page (1252, 1251, 932, ..., or 65001),
// double-byte characters whole, and the width of each character from its
// East Asian width. Bytes that make no character, control characters and
// characters that a terminal would show in no cell of their own show as the
// code page 437 glyphs of their bytes, one cell each, so that no text can
// send a control to the terminal or move its columns; in an 8-bit
// locale (ISO-8859-1, ...) a byte that is no UTF-8 is the locale's
// printable character on the POSIX terminal, where it has one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console_host.h"

namespace corrivex::platform {

// The attribute bits of the two cells of a double-width character, with the
// values of the Windows console (COMMON_LVB_LEADING_BYTE, _TRAILING_BYTE).
inline constexpr std::uint16_t kLeadingHalf = 0x0100;
inline constexpr std::uint16_t kTrailingHalf = 0x0200;

struct ConsoleChar {
    char32_t ch = ' ';       // what its cells hold
    int columns = 1;         // 1, or 2 for a double-width character
    std::size_t offset = 0;  // where its bytes start in the text
    std::size_t length = 1;  // how many bytes it takes
    bool control = false;    // a control byte (0x00 to 0x1F, 0x7F)
};

// The cells that show `c` in the colours `attr`: the first `count` of
// `cells`, the two halves of a double-width character or one cell.
struct CharCells {
    std::array<Cell, 2> cells;
    int count = 1;
};
inline CharCells cellsOf(const ConsoleChar& c, std::uint16_t attr) {
    if (c.columns != 2) return {{Cell{c.ch, attr}, Cell{}}, 1};
    return {{Cell{c.ch, static_cast<std::uint16_t>(attr | kLeadingHalf)},
             Cell{c.ch, static_cast<std::uint16_t>(attr | kTrailingHalf)}},
            2};
}

// The characters of `text`, in order; their bytes cover the text.
std::vector<ConsoleChar> consoleChars(std::string_view text);

// The columns that `text` takes.
int consoleColumns(std::string_view text);

// What a cell holds to show the code page 437 glyph of `byte` (a line of a
// frame, say): its Unicode character, so that the frame shows the same in
// every code page. Bytes put into cells one by one must go through it, since
// two of them together may read as another character.
char32_t glyphCharOf(unsigned char byte);

// The text a typed character adds, from the character of its key event: its
// bytes in the platform's code page (UTF-8 on the POSIX terminal, the ANSI
// code page on Windows); the empty text when that code page has no such
// character, which then is in no text either.
std::string keyText(char32_t ch);

// What `ch` (a character as consoleChars gives it) and every character that
// differs from it only in letter case have in common, for comparing texts
// as shown without regard to letter case: the lower case of its upper case
// by Unicode's simple case mapping (utf8proc on the POSIX terminal, the
// invariant locale's mapping on Windows).
char32_t foldedChar(char32_t ch);

}  // namespace corrivex::platform
