// The string rules of data set names: upper-casing, the base name and the
// name order. Pure functions on byte strings.
#pragma once

#include "primitives/text.h"

namespace corrivex::selection {

// a to z become A to Z, and seven letters become their capitals (ä Ä, ö Ö,
// ü Ü, é É, ñ Ñ, å Å, ç Ç), as characters: of the ANSI code page on
// Windows, of UTF-8 on POSIX systems (letter_case.h). Every other character
// stays; the length stays the same.
Text upperCased(const Text& name);

// The name without its final ".DAT" or ".TXT" (exact bytes, so apply it to
// an upper-cased name). A name with neither ending is returned unchanged;
// an extension inside the name ("A.DATA.TXT") is kept.
Text baseNameOf(const Text& name);

// Name order: byte by byte as unsigned values over the shorter length, the
// first differing byte deciding; with none, the shorter name comes first.
bool nameBefore(const Text& a, const Text& b);

}  // namespace corrivex::selection
