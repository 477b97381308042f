// Texts: byte strings with an explicit length, any byte value allowed (NUL
// included), in the system's ANSI code page; no character-set conversion
// ever takes place, and operations that look for a byte step over
// double-byte characters. The empty text is a valid value and is what every
// failing read or lookup gives.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corrivex {

using Text = std::string;

// A fixed table of 1000 text slots, numbered 1 to 1000 (index 0 to 999),
// all empty at the start.
inline constexpr int kNameSlots = 1000;
using NameList = std::array<Text, kNameSlots>;

// One left-to-right pass: each occurrence of `search` (exact bytes) that
// begins a character (characters.h) becomes `replacement`, the scan going on
// right after it. So the trail byte of a double-byte character never starts
// one. An empty search text, or one longer than the text, leaves the text
// unchanged.
Text replaceAll(const Text& text, const Text& search, const Text& replacement);

// Blanks (0x20) only; tabs and every other byte stay.
Text trimLeft(const Text& text);
Text trimRight(const Text& text);
Text trim(const Text& text);
// The text without the blanks at both ends, as a view into it.
std::string_view trimmed(std::string_view text);

// From `start` (1 for the first byte; negative counts from the end, -1 the
// last byte) at most `count` bytes. A start of 0 or beyond the end gives the
// empty text.
Text substring(const Text& text, int start, int count);

// Joining and equality are those of std::string: `a + b`, `a == b`.

}  // namespace corrivex
