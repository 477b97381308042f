// The console's code page: one byte, one cell; the glyphs of frames as their
// Unicode characters, which show the same in every code page.
#include <windows.h>

#include <array>

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

// For each byte of the console's code page, the byte of its upper-case
// letter where the code page has that letter, else the byte itself.
std::array<unsigned char, 256> upperBytes() {
    std::array<unsigned char, 256> upper{};
    for (int b = 0; b < 256; ++b) upper[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetOEMCP();  // no console
    for (int b = 0x80; b < 0x100; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide = 0;
        wchar_t wideUpper = 0;
        char back = 0;
        BOOL defaulted = FALSE;
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) == 1 &&
            LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &wide, 1, &wideUpper, 1) == 1 &&
            WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wideUpper, 1, &back, 1, nullptr, &defaulted) == 1 &&
            !defaulted)
            upper[b] = static_cast<unsigned char>(back);
    }
    return upper;
}

}  // namespace

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

std::string keyText(char32_t ch) { return ch < 0x100 ? std::string(1, static_cast<char>(ch)) : std::string(); }

char32_t foldedChar(char32_t ch) {
    // Computed once: the console keeps its code page for the program's run.
    static const std::array<unsigned char, 256> upper = upperBytes();
    return ch < 0x100 ? upper[ch] : ch;
}

}  // namespace corrivex::platform
