// Texts in the system's ANSI code page (1252, 1251, 932, ..., 65001 with
// "Use Unicode UTF-8"), shown as the Unicode characters that code page makes
// of their bytes; letter case and widths of those characters.
#include <windows.h>

#include <array>
#include <iterator>

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

// The ANSI code page, read once: it is the system's and holds for the run.
struct AnsiCodePage {
    UINT id = CP_ACP;
    bool utf8 = false;
    std::array<bool, 256> lead{};        // the lead bytes of a double-byte code page
    std::array<char32_t, 256> single{};  // each byte alone; 0 where it is none
};

AnsiCodePage readAnsiCodePage() {
    AnsiCodePage page;
    page.id = GetACP();
    page.utf8 = page.id == CP_UTF8;
    CPINFO info{};
    if (!page.utf8 && GetCPInfo(page.id, &info) && info.MaxCharSize == 2)
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                page.lead[static_cast<std::size_t>(b)] = true;
    for (int b = 0; b < 0x100; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide = 0;
        if (b < 0x80 || (!page.utf8 && !page.lead[static_cast<std::size_t>(b)] &&
                         MultiByteToWideChar(page.id, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) == 1))
            page.single[static_cast<std::size_t>(b)] = b < 0x80 ? static_cast<char32_t>(b) : wide;
    }
    return page;
}

const AnsiCodePage& ansiCodePage() {
    static const AnsiCodePage page = readAnsiCodePage();
    return page;
}

// The characters of East Asian width Wide or Fullwidth, which the console
// shows in two cells (Unicode's EastAsianWidth.txt, in blocks). Windows has
// no call that gives this: its character types (GetStringTypeW, CT_CTYPE3)
// mark katakana and the fullwidth forms as full width, but not hiragana,
// Hangul or the CJK symbols.
struct Range {
    char32_t first, last;
};
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x2E80, 0x303E},   {0x3041, 0x33FF},
    {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
    {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

bool inRanges(char32_t c, const Range* first, const Range* last) {
    for (; first != last; ++first)
        if (c >= first->first && c <= first->last) return true;
    return false;
}

int columnsOf(char32_t c) { return inRanges(c, std::begin(kWide), std::end(kWide)) ? 2 : 1; }

// A character that would take no cell of its own: a control or format
// character, a combining mark, a jamo that joins the Hangul syllable before
// it, a code point the platform knows no character for.
bool takesNoColumn(char32_t c) {
    if (c < 0xA0) return c < 0x20 || c >= 0x7F;
    if (c >= 0x1160 && c <= 0x11FF) return true;
    if (c < 0x300 || c > 0xFFFF) return false;
    const wchar_t wide = static_cast<wchar_t>(c);
    WORD type1 = 0;
    WORD type3 = 0;
    if (!GetStringTypeW(CT_CTYPE1, &wide, 1, &type1) || !GetStringTypeW(CT_CTYPE3, &wide, 1, &type3)) return true;
    return (type1 & C1_DEFINED) == 0 || (type1 & C1_CNTRL) != 0 ||
           ((type3 & C3_NONSPACING) != 0 && (type3 & C3_ALPHA) == 0);
}

// A byte shown as its code page 437 glyph, as on the POSIX terminal.
ConsoleChar glyphOfByte(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    return ConsoleChar{cp437CodePoint(byte), 1, at, 1, byte < 0x20 || byte == 0x7F};
}

// The character of a double-byte code page whose lead byte is at `at`; 0
// when the bytes there make none.
char32_t doubleByteChar(UINT codePage, std::string_view text, std::size_t at) {
    if (at + 1 >= text.size()) return 0;
    wchar_t wide = 0;
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data() + at, 2, &wide, 1) == 1 ? wide : 0;
}

}  // namespace

std::vector<ConsoleChar> consoleChars(std::string_view text) {
    const AnsiCodePage& page = ansiCodePage();
    std::vector<ConsoleChar> chars;
    chars.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        char32_t c = 0;
        std::size_t length = 1;
        if (page.utf8 && byte >= 0x80) {
            const Utf8Char decoded = decodeUtf8(text.substr(at));
            if (decoded.status == Utf8Char::Status::Complete) {
                c = decoded.ch;
                length = decoded.length;
            }
        } else if (page.lead[byte]) {
            c = doubleByteChar(page.id, text, at);
            length = 2;
        } else {
            c = page.single[byte];
        }
        // Bytes that make no character, or one of no cell of its own, show
        // each as its glyph.
        if (c == 0 || takesNoColumn(c)) {
            const std::size_t bytes = c == 0 ? 1 : length;
            for (std::size_t i = 0; i < bytes; ++i) chars.push_back(glyphOfByte(text, at + i));
            at += bytes;
            continue;
        }
        chars.push_back(ConsoleChar{c, columnsOf(c), at, length, false});
        at += length;
    }
    return chars;
}

int consoleColumns(std::string_view text) {
    int columns = 0;
    for (const ConsoleChar& c : consoleChars(text)) columns += c.columns;
    return columns;
}

char32_t glyphCharOf(unsigned char byte) { return cp437CodePoint(byte); }

std::string keyText(char32_t ch) {
    if (ch == 0 || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return std::string();
    wchar_t wide[2];
    int units = 1;
    if (ch > 0xFFFF) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((ch - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        units = 2;
    } else {
        wide[0] = static_cast<wchar_t>(ch);
    }
    const AnsiCodePage& page = ansiCodePage();
    char bytes[8] = {};
    BOOL defaulted = FALSE;
    const int length = WideCharToMultiByte(page.id, page.utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, units, bytes,
                                           sizeof bytes, nullptr, page.utf8 ? nullptr : &defaulted);
    if (length <= 0 || defaulted) return std::string();
    return std::string(bytes, static_cast<std::size_t>(length));
}

char32_t foldedChar(char32_t ch) {
    if (ch < 0x80) return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
    if (ch > 0xFFFF) return ch;
    // As Unicode's simple case mapping on the POSIX terminal: the lower case
    // of the upper case, so that letters with no capital of their own fold
    // with those that have one.
    const wchar_t wide = static_cast<wchar_t>(ch);
    wchar_t upper = wide;
    wchar_t lower = wide;
    if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &wide, 1, &upper, 1) != 1) upper = wide;
    if (LCMapStringW(LOCALE_INVARIANT, LCMAP_LOWERCASE, &upper, 1, &lower, 1) != 1) lower = upper;
    return lower;
}

}  // namespace corrivex::platform
