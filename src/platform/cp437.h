// Code page 437, the code page of the console's cells: the glyph of every
// byte as UTF-8, and UTF-8 itself.
//
// The bytes 0x00 to 0x1F and 0x7F have graphic glyphs too (0x01 is a smiling
// face, 0x7F a house), so a byte shown through this table never reaches a
// terminal as a control character; 0x00 shows as a blank.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corrivex::platform {

// The UTF-8 bytes (1 to 3) of the glyph that `byte` shows.
std::string_view cp437Glyph(unsigned char byte);

// Appends the UTF-8 bytes (1 to 4) of the character `c` (at most U+10FFFF).
void appendUtf8(std::string& out, char32_t c);

// The UTF-8 character at the start of a text: complete (its code point and
// length), cut short (the bytes there begin one, but more are needed), or
// not well-formed (overlong forms, surrogates and values beyond U+10FFFF
// included). An empty text is cut short.
struct Utf8Char {
    enum class Status { Complete, CutShort, Malformed };
    Status status = Status::Malformed;
    char32_t ch = 0;
    std::size_t length = 0;  // with Complete
};
Utf8Char decodeUtf8(std::string_view in);

// The Unicode character that `byte` shows.
char32_t cp437CodePoint(unsigned char byte);

}  // namespace corrivex::platform
