// Code page 437, the code page of the console's cells: the glyph of every
// byte as UTF-8, and the way back from a Unicode character to its byte.
//
// The bytes 0x00 to 0x1F and 0x7F have graphic glyphs too (0x01 is a smiling
// face, 0x7F a house), so a byte shown through this table never reaches a
// terminal as a control character; 0x00 shows as a blank.
#pragma once

#include <string>
#include <string_view>

namespace corrivex::platform {

// The UTF-8 bytes (1 to 3) of the glyph that `byte` shows.
std::string_view cp437Glyph(unsigned char byte);

// Appends the UTF-8 bytes (1 to 4) of the character `c` (at most U+10FFFF).
void appendUtf8(std::string& out, char32_t c);

// The Unicode character that `byte` shows.
char32_t cp437CodePoint(unsigned char byte);

// The byte 0x80 to 0xFF whose glyph is `codePoint`, or -1 when that
// character has none in that range.
int cp437UpperByte(char32_t codePoint);

}  // namespace corrivex::platform
