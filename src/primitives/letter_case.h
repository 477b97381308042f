// Upper-casing of file names, in the console's character set.
#pragma once

#include "primitives/text.h"

namespace corrivex {

// a to z become A to Z, and seven letters become their capitals: ä Ä, ö Ö,
// ü Ü, é É, ñ Ñ, å Å, ç Ç. On Windows each is one byte of code page 437; on
// POSIX systems, whose names are UTF-8, each is its two-byte UTF-8 form.
// Every other byte stays; the length stays the same.
Text upperCasedName(const Text& name);

}  // namespace corrivex
