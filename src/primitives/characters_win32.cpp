// The ANSI code page's lead bytes, as the platform knows them. UTF-8 (code
// page 65001) has none: it is stepped byte by byte, as on POSIX systems.
#include <windows.h>

#include "primitives/characters.h"

namespace corrivex {

std::size_t characterLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    // Lead bytes are never ASCII.
    if (byte < 0x80 || at + 1 >= text.size()) return 1;
    return IsDBCSLeadByteEx(GetACP(), byte) ? 2 : 1;
}

}  // namespace corrivex
