// Frames as the tests write them, with the Unicode box-drawing characters,
// turned into what the console's cells hold for the code page 437 glyphs, as
// ScreenBuffer::rowText gives it: the low byte of each cell's character.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/console_text.h"

namespace corrivex::ctpro::testing {

inline std::string cp437(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kBoxes[] = {
        {"┌", '\xDA'}, {"┐", '\xBF'}, {"└", '\xC0'}, {"┘", '\xD9'}, {"─", '\xC4'}, {"│", '\xB3'}, {"├", '\xC3'},
        {"┤", '\xB4'}, {"╔", '\xC9'}, {"╗", '\xBB'}, {"╚", '\xC8'}, {"╝", '\xBC'}, {"═", '\xCD'}, {"║", '\xBA'},
    };
    std::string bytes;
    while (!text.empty()) {
        std::size_t length = 1;
        char byte = text.front();
        for (const auto& [glyph, code] : kBoxes)
            if (text.starts_with(glyph)) {
                length = glyph.size();
                byte = static_cast<char>(platform::glyphCharOf(static_cast<unsigned char>(code)));
                break;
            }
        bytes += byte;
        text.remove_prefix(length);
    }
    return bytes;
}

}  // namespace corrivex::ctpro::testing
