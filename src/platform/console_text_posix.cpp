// UTF-8, with the glyphs of code page 437 for what a terminal must not get.
#include <algorithm>
#include <iterator>

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Characters of East Asian width Wide or Fullwidth: two columns.
// clang-format off
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F0},
    {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x267F, 0x267F},
    {0x2693, 0x2693},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},
    {0x26CE, 0x26CE},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},
    {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},   {0x2757, 0x2757},   {0x2795, 0x2797},
    {0x27B0, 0x27B0},   {0x27BF, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF},
    {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251},
    {0x1F300, 0x1F320}, {0x1F32D, 0x1F335}, {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393}, {0x1F3A0, 0x1F3CA},
    {0x1F3CF, 0x1F3D3}, {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E}, {0x1F440, 0x1F440},
    {0x1F442, 0x1F4FC}, {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E}, {0x1F550, 0x1F567}, {0x1F57A, 0x1F57A},
    {0x1F595, 0x1F596}, {0x1F5A4, 0x1F5A4}, {0x1F5FB, 0x1F64F}, {0x1F680, 0x1F6C5}, {0x1F6CC, 0x1F6CC},
    {0x1F6D0, 0x1F6D2}, {0x1F6D5, 0x1F6D7}, {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC}, {0x1F7E0, 0x1F7EB},
    {0x1F90C, 0x1F93A}, {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
};
// clang-format on

// Characters a terminal shows in no column of their own, or that change the
// direction or joining of others: combining marks, zero-width and format
// characters, and code points that are no characters.
// clang-format off
constexpr Range kNoColumn[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x061C, 0x061C}, {0x064B, 0x065F},
    {0x0670, 0x0670}, {0x06D6, 0x06DD}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED},
    {0x0900, 0x0903}, {0x093A, 0x094F}, {0x0951, 0x0957}, {0x0962, 0x0963}, {0x0E31, 0x0E31},
    {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1160, 0x11FF}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x2028, 0x202E}, {0x2060, 0x206F}, {0x20D0, 0x20FF}, {0x302A, 0x302F},
    {0x3099, 0x309A}, {0xD800, 0xDFFF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
    {0xFFF9, 0xFFFB}, {0xE0000, 0xE0FFF},
};
// clang-format on

template <std::size_t N>
bool within(const Range (&ranges)[N], char32_t c) {
    const Range* found = std::upper_bound(std::begin(ranges), std::end(ranges), c,
                                          [](char32_t value, const Range& range) { return value < range.first; });
    return found != std::begin(ranges) && c <= std::prev(found)->last;
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
        // Not UTF-8, a C0 control or DEL, a C1 control, or a character of no
        // column of its own: each byte its glyph.
        if (length == 0 || c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || within(kNoColumn, c)) {
            const std::size_t bytes = std::max<std::size_t>(length, 1);
            for (std::size_t i = 0; i < bytes; ++i) chars.push_back(glyphOfByte(text, at + i));
            at += bytes;
            continue;
        }
        chars.push_back(ConsoleChar{c, within(kWide, c) ? 2 : 1, at, length, false});
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

std::string keyText(unsigned char byte) {
    std::string text;
    appendUtf8(text, cp437CodePoint(byte));
    return text;
}

}  // namespace corrivex::platform
