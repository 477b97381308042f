// The characters of texts, as the system's code page for them makes them of
// bytes. On Windows that is the ANSI code page: in its double-byte forms
// (932, 936, 949, 950) a character is a lead byte and a trail byte, and the
// trail byte may have the value of an ASCII one, the backslash or a letter.
// On POSIX systems texts are UTF-8, where no byte of a character of several
// bytes has an ASCII value, so every byte is stepped over on its own there.
#pragma once

#include <cstddef>
#include <string_view>

namespace corrivex {

// The number of bytes of the character that begins at `at`, which lies
// inside `text`: 2 for a lead byte that a byte follows, else 1.
std::size_t characterLength(std::string_view text, std::size_t at);

// Where the last character of `text` that is one of the single bytes of
// `singles` begins; npos when there is none.
std::size_t findLastCharacterOf(std::string_view text, std::string_view singles);

// Whether the last character of `text` is one of the single bytes of
// `singles`; false for the empty text.
bool endsWithCharacterOf(std::string_view text, std::string_view singles);

}  // namespace corrivex
