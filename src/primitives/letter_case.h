// Upper-casing of file names, character by character in the system's code
// page for them.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// a to z become A to Z, and seven letters become their capitals: ä Ä, ö Ö,
// ü Ü, é É, ñ Ñ, å Å, ç Ç. On Windows they are the characters of the ANSI
// code page, where it has the letter and its capital (in 1252 ü 0xFC becomes
// Ü 0xDC; 1251 has neither); on POSIX systems, whose names are UTF-8, their
// two-byte UTF-8 forms. Only whole characters are read: the trail byte of a
// double-byte character is never taken for a letter. Every other character
// stays byte for byte; the length stays the same.
Text upperCasedName(const Text& name);

}  // namespace corrivex
