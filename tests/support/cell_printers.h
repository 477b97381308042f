// How GoogleTest shows the console's cell types in a failure message:
// a position as (x, y), a rectangle as its four inclusive edges, a cell as
// its character (or its byte, when not printable) and its attribute.
// Include it in every test that compares them.
#pragma once

#include <cstdio>
#include <ostream>

#include "platform/console_host.h"

namespace corrivex::platform {

inline void PrintTo(const CellPos& pos, std::ostream* out) { *out << "(" << pos.x << ", " << pos.y << ")"; }

inline void PrintTo(const CellRect& rect, std::ostream* out) {
    *out << "{left " << rect.left << ", top " << rect.top << ", right " << rect.right << ", bottom " << rect.bottom
         << "}";
}

inline void PrintTo(const Cell& cell, std::ostream* out) {
    char text[32];
    if (cell.ch >= 0x20 && cell.ch < 0x7F)
        std::snprintf(text, sizeof text, "'%c' in 0x%02X", cell.ch, static_cast<unsigned>(cell.attr));
    else std::snprintf(text, sizeof text, "\\x%02X in 0x%02X", cell.ch, static_cast<unsigned>(cell.attr));
    *out << text;
}

}  // namespace corrivex::platform
