#include "terminal/terminal_glyphs.h"

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool halfOf(const Cell& cell, std::uint16_t half) { return (cell.attr & half) != 0; }

}  // namespace

void appendGlyph(std::string& out, char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
        out += cp437Glyph(static_cast<unsigned char>(c));
        return;
    }
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    appendUtf8(out, c);
}

void appendTextGlyphs(std::string& out, std::string_view text) {
    for (const ConsoleChar& c : consoleChars(text)) appendGlyph(out, c.ch);
}

int glyphSpan(const Cell* cells, int at, int count) {
    const Cell& cell = cells[at];
    if (halfOf(cell, kLeadingHalf) && at + 1 < count && halfOf(cells[at + 1], kTrailingHalf) &&
        cells[at + 1].ch == cell.ch)
        return 2;
    if (halfOf(cell, kTrailingHalf) && at > 0 && halfOf(cells[at - 1], kLeadingHalf) && cells[at - 1].ch == cell.ch)
        return 0;
    return 1;
}

char32_t spanChar(const Cell& cell, int span) {
    if (span == 1 && (halfOf(cell, kLeadingHalf) || halfOf(cell, kTrailingHalf))) return U' ';
    return cell.ch;
}

}  // namespace corrivex::platform
