// What a terminal is sent for the characters of the console's cells: UTF-8,
// never a control. A double-width character is sent once for its two cells;
// a half whose other half was overwritten shows as a blank.
#pragma once

#include <string>
#include <string_view>

#include "platform/console_host.h"

namespace corrivex::platform {

// Appends the UTF-8 bytes that show `c`: control characters (C0, DEL, C1)
// as the code page 437 glyphs of their values, what is no character as
// U+FFFD.
void appendGlyph(std::string& out, char32_t c);

// Appends the glyphs of `text` taken as the console takes it.
void appendTextGlyphs(std::string& out, std::string_view text);

// How many of the cells `cells[at]`, `cells[at + 1]` one glyph covers in a
// row of `count` cells: 2 for a whole double-width character from its
// leading half, 0 for its trailing half (sent with the leading one), 1 for
// any other cell.
int glyphSpan(const Cell* cells, int at, int count);

// The character sent for a cell that starts a span: a blank for a lone half.
char32_t spanChar(const Cell& cell, int span);

}  // namespace corrivex::platform
