// UTF-8, with the glyphs of code page 437 for what a terminal must not get;
// columns and letter case as Unicode's tables give them, through utf8proc.
#include <utf8proc.h>

#include <algorithm>

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

// A character that a terminal would show in no column of its own (a
// combining or enclosing mark, a format or zero-width character, a jamo
// that joins the Hangul syllable before it), or in as many columns as each
// terminal pleases (a code point that is no character yet).
bool takesNoColumn(const utf8proc_property_t& p) {
    return p.charwidth == 0 || p.ignorable || p.category == UTF8PROC_CATEGORY_CN ||
           p.boundclass == UTF8PROC_BOUNDCLASS_V || p.boundclass == UTF8PROC_BOUNDCLASS_T;
}

// A byte shown as its code page 437 glyph.
ConsoleChar glyphOfByte(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    return ConsoleChar{cp437CodePoint(byte), 1, at, 1, byte < 0x20 || byte == 0x7F};
}

}  // namespace

std::vector<ConsoleChar> consoleChars(std::string_view text) {
    std::vector<ConsoleChar> chars;
    chars.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const Utf8Char decoded = decodeUtf8(text.substr(at));
        const bool complete = decoded.status == Utf8Char::Status::Complete;
        const char32_t c = decoded.ch;
        const std::size_t length = complete ? decoded.length : 0;
        // Printable ASCII takes a column; a C0 control or DEL, a C1 control,
        // anything not UTF-8 and a character of no column of its own show
        // each byte as its glyph.
        const utf8proc_property_t* p = c >= 0x80 && length > 0 ? utf8proc_get_property(static_cast<int>(c)) : nullptr;
        if (length == 0 || c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (p != nullptr && takesNoColumn(*p))) {
            const std::size_t bytes = std::max<std::size_t>(length, 1);
            for (std::size_t i = 0; i < bytes; ++i) chars.push_back(glyphOfByte(text, at + i));
            at += bytes;
            continue;
        }
        chars.push_back(ConsoleChar{c, p != nullptr && p->charwidth == 2 ? 2 : 1, at, length, false});
        at += length;
    }
    return chars;
}

std::string keyText(char32_t ch) {
    std::string text;
    if (ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF)) appendUtf8(text, ch);
    return text;
}

char32_t foldedChar(char32_t ch) {
    if (ch < 0x80) return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
    if (ch > 0x10FFFF) return ch;
    return static_cast<char32_t>(utf8proc_tolower(utf8proc_toupper(static_cast<utf8proc_int32_t>(ch))));
}

}  // namespace corrivex::platform
