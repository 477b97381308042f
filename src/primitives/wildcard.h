// Listing masks for platforms whose directory enumeration has no wildcard
// search of its own: '*' matches any run of characters, '?' exactly one, and
// letters match without regard to case (ASCII), as the Windows search does.
// No other character is special.
#pragma once

#include <string_view>

namespace corrivex::native {

bool matchesMask(std::string_view mask, std::string_view name);

// The same text but for the case of ASCII letters.
bool sameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace corrivex::native
