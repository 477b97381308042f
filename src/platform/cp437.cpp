#include "platform/cp437.h"

#include <array>
#include <cstdint>

namespace corrivex::platform {

namespace {

// The glyph of every byte; 0x20 to 0x7E are ASCII.
// clang-format off
constexpr std::array<char16_t, 32> kLowGlyphs = {
    u' ',     u'\u263A', u'\u263B', u'\u2665', u'\u2666', u'\u2663', u'\u2660', u'\u2022',
    u'\u25D8', u'\u25CB', u'\u25D9', u'\u2642', u'\u2640', u'\u266A', u'\u266B', u'\u263C',
    u'\u25BA', u'\u25C4', u'\u2195', u'\u203C', u'\u00B6', u'\u00A7', u'\u25AC', u'\u21A8',
    u'\u2191', u'\u2193', u'\u2192', u'\u2190', u'\u221F', u'\u2194', u'\u25B2', u'\u25BC',
};
// clang-format on

constexpr char16_t kDelGlyph = u'\u2302';

// clang-format off
constexpr std::array<char16_t, 128> kHighGlyphs = {
    // 0x80
    u'\u00C7', u'\u00FC', u'\u00E9', u'\u00E2', u'\u00E4', u'\u00E0', u'\u00E5', u'\u00E7',
    u'\u00EA', u'\u00EB', u'\u00E8', u'\u00EF', u'\u00EE', u'\u00EC', u'\u00C4', u'\u00C5',
    // 0x90
    u'\u00C9', u'\u00E6', u'\u00C6', u'\u00F4', u'\u00F6', u'\u00F2', u'\u00FB', u'\u00F9',
    u'\u00FF', u'\u00D6', u'\u00DC', u'\u00A2', u'\u00A3', u'\u00A5', u'\u20A7', u'\u0192',
    // 0xA0
    u'\u00E1', u'\u00ED', u'\u00F3', u'\u00FA', u'\u00F1', u'\u00D1', u'\u00AA', u'\u00BA',
    u'\u00BF', u'\u2310', u'\u00AC', u'\u00BD', u'\u00BC', u'\u00A1', u'\u00AB', u'\u00BB',
    // 0xB0
    u'\u2591', u'\u2592', u'\u2593', u'\u2502', u'\u2524', u'\u2561', u'\u2562', u'\u2556',
    u'\u2555', u'\u2563', u'\u2551', u'\u2557', u'\u255D', u'\u255C', u'\u255B', u'\u2510',
    // 0xC0
    u'\u2514', u'\u2534', u'\u252C', u'\u251C', u'\u2500', u'\u253C', u'\u255E', u'\u255F',
    u'\u255A', u'\u2554', u'\u2569', u'\u2566', u'\u2560', u'\u2550', u'\u256C', u'\u2567',
    // 0xD0
    u'\u2568', u'\u2564', u'\u2565', u'\u2559', u'\u2558', u'\u2552', u'\u2553', u'\u256B',
    u'\u256A', u'\u2518', u'\u250C', u'\u2588', u'\u2584', u'\u258C', u'\u2590', u'\u2580',
    // 0xE0
    u'\u03B1', u'\u00DF', u'\u0393', u'\u03C0', u'\u03A3', u'\u03C3', u'\u00B5', u'\u03C4',
    u'\u03A6', u'\u0398', u'\u03A9', u'\u03B4', u'\u221E', u'\u03C6', u'\u03B5', u'\u2229',
    // 0xF0
    u'\u2261', u'\u00B1', u'\u2265', u'\u2264', u'\u2320', u'\u2321', u'\u00F7', u'\u2248',
    u'\u00B0', u'\u2219', u'\u00B7', u'\u221A', u'\u207F', u'\u00B2', u'\u25A0', u'\u00A0',
};
// clang-format on

struct Utf8Glyph {
    std::array<char, 4> bytes{};
    std::uint8_t length = 0;
};

constexpr Utf8Glyph encode(char32_t c) {
    Utf8Glyph g;
    if (c < 0x80) {
        g.bytes[0] = static_cast<char>(c);
        g.length = 1;
    } else if (c < 0x800) {
        g.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        g.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        g.length = 2;
    } else if (c < 0x10000) {
        g.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        g.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        g.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        g.length = 3;
    } else {
        g.bytes[0] = static_cast<char>(0xF0 | (c >> 18));
        g.bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        g.bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        g.bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
        g.length = 4;
    }
    return g;
}

constexpr char32_t codePointOf(unsigned char byte) {
    if (byte < 0x20) return kLowGlyphs[byte];
    if (byte < 0x7F) return byte;
    if (byte == 0x7F) return kDelGlyph;
    return kHighGlyphs[byte - 0x80];
}

constexpr std::array<Utf8Glyph, 256> makeTable() {
    std::array<Utf8Glyph, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = encode(codePointOf(static_cast<unsigned char>(b)));
    return table;
}

constexpr std::array<Utf8Glyph, 256> kTable = makeTable();

}  // namespace

std::string_view cp437Glyph(unsigned char byte) {
    const Utf8Glyph& g = kTable[byte];
    return {g.bytes.data(), g.length};
}

char32_t cp437CodePoint(unsigned char byte) { return codePointOf(byte); }

void appendUtf8(std::string& out, char32_t c) {
    const Utf8Glyph g = encode(c);
    out.append(g.bytes.data(), g.length);
}

Utf8Char decodeUtf8(std::string_view in) {
    using Status = Utf8Char::Status;
    if (in.empty()) return {Status::CutShort};
    const auto lead = static_cast<unsigned char>(in[0]);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        return {Status::Complete, lead, 1};
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return {Status::Malformed};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= in.size()) return {Status::CutShort};
        const auto next = static_cast<unsigned char>(in[i]);
        if ((next & 0xC0) != 0x80) return {Status::Malformed};
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {Status::Malformed};
    return {Status::Complete, c, length};
}

}  // namespace corrivex::platform
