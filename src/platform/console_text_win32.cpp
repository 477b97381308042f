// The console's code page: one byte, one cell; the glyphs of frames as their
// Unicode characters, which show the same in every code page.
#include "platform/console_text.h"

#include "platform/cp437.h"

namespace corrivex::platform {

std::vector<ConsoleChar> consoleChars(std::string_view text) {
    std::vector<ConsoleChar> chars;
    chars.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        chars.push_back(ConsoleChar{byte, 1, i, 1, byte < 0x20 || byte == 0x7F});
    }
    return chars;
}

int consoleColumns(std::string_view text) { return static_cast<int>(text.size()); }

char32_t glyphCharOf(unsigned char byte) {
    const char32_t glyph = cp437CodePoint(byte);
    return glyph > 0xFF ? glyph : byte;
}

std::string keyText(unsigned char byte) { return std::string(1, static_cast<char>(byte)); }

}  // namespace corrivex::platform
