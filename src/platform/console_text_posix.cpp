// UTF-8, with the glyphs of code page 437 for what a terminal must not get
// (in an 8-bit locale, a byte that is no UTF-8 is the locale's character
// where it has a printable one); columns and letter case as Unicode's tables
// give them, through utf8proc.
#include <utf8proc.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

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

// In an 8-bit locale (ISO-8859-1, KOI8-R, ...: one byte a character), the
// locale's printable character for `byte`, else 0.
char32_t localeChar(unsigned char byte) {
    if (byte < 0xA0 || MB_CUR_MAX != 1) return 0;
    const char c = static_cast<char>(byte);
    wchar_t wide = 0;
    std::mbstate_t state{};
    if (std::mbrtowc(&wide, &c, 1, &state) != 1) return 0;
    const auto ch = static_cast<char32_t>(wide);
    if (ch < 0xA0 || ch > 0x10FFFF) return 0;
    const utf8proc_property_t* p = utf8proc_get_property(static_cast<int>(ch));
    return p->charwidth == 1 && !takesNoColumn(*p) ? ch : 0;
}

// A byte that is no UTF-8: the locale's character, in an 8-bit locale, or
// its code page 437 glyph.
ConsoleChar glyphOfByte(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (const char32_t ch = localeChar(byte); ch != 0) return ConsoleChar{ch, 1, at, 1, false};
    return ConsoleChar{cp437CodePoint(byte), 1, at, 1, byte < 0x20 || byte == 0x7F};
}

}  // namespace

std::vector<ConsoleChar> consoleChars(std::string_view text) {
    std::vector<ConsoleChar> chars;
    chars.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        // Printable ASCII, most of every name, needs no decoding.
        if (const auto byte = static_cast<unsigned char>(text[at]); byte >= 0x20 && byte < 0x7F) {
            chars.push_back(ConsoleChar{byte, 1, at, 1, false});
            ++at;
            continue;
        }
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
