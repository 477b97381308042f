// Checks on texts before they are handed to the platform as names.
#pragma once

#include "primitives/text.h"

namespace corrivex::names {

// On Windows a name holding '*' or '?' is a wildcard mask, never the name of
// one file or directory. On POSIX systems both are ordinary bytes of a name:
// masks apply only to listings.
inline bool readsAsMask(const Text& name) {
#ifdef _WIN32
    return name.find_first_of("*?") != Text::npos;
#else
    (void)name;
    return false;
#endif
}

// The platform takes names as C strings: a NUL byte inside a text would cut
// the name short and make it name something else, so such a text names
// nothing at all.
inline bool holdsNul(const Text& name) { return name.find('\0') != Text::npos; }

}  // namespace corrivex::names
