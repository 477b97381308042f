// What both consoles share of their text: the columns of a text and the
// glyphs of code page 437.
#include "platform/console_text.h"

#include "platform/cp437.h"

namespace corrivex::platform {

int consoleColumns(std::string_view text) {
    int columns = 0;
    for (const ConsoleChar& c : consoleChars(text)) columns += c.columns;
    return columns;
}

char32_t glyphCharOf(unsigned char byte) { return cp437CodePoint(byte); }

}  // namespace corrivex::platform
