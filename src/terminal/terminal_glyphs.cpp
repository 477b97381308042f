#include "terminal/terminal_glyphs.h"

#include <algorithm>

#include "platform/console_text.h"
#include "platform/cp437.h"

namespace corrivex::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool halfOf(const Cell& cell, std::uint16_t half) { return (cell.attr & half) != 0; }

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// The lines, blocks and arrows of code page 437 that the VT100's line
// drawing set has: its letter for each (as terminfo's `acsc` names them)
// and the ASCII that stands for it where the terminal has no such set.
// Double lines take the single ones.
struct LineGlyph {
    char32_t ch;
    char letter;
    char ascii;
};
constexpr LineGlyph kLineGlyphs[] = {
    {U'─', 'q', '-'}, {U'│', 'x', '|'}, {U'┌', 'l', '+'}, {U'┐', 'k', '+'}, {U'└', 'm', '+'}, {U'┘', 'j', '+'},
    {U'├', 't', '+'}, {U'┤', 'u', '+'}, {U'┬', 'w', '+'}, {U'┴', 'v', '+'}, {U'┼', 'n', '+'}, {U'═', 'q', '='},
    {U'║', 'x', '|'}, {U'╒', 'l', '+'}, {U'╓', 'l', '+'}, {U'╔', 'l', '+'}, {U'╕', 'k', '+'}, {U'╖', 'k', '+'},
    {U'╗', 'k', '+'}, {U'╘', 'm', '+'}, {U'╙', 'm', '+'}, {U'╚', 'm', '+'}, {U'╛', 'j', '+'}, {U'╜', 'j', '+'},
    {U'╝', 'j', '+'}, {U'╞', 't', '+'}, {U'╟', 't', '+'}, {U'╠', 't', '+'}, {U'╡', 'u', '+'}, {U'╢', 'u', '+'},
    {U'╣', 'u', '+'}, {U'╤', 'w', '+'}, {U'╥', 'w', '+'}, {U'╦', 'w', '+'}, {U'╧', 'v', '+'}, {U'╨', 'v', '+'},
    {U'╩', 'v', '+'}, {U'╪', 'n', '+'}, {U'╫', 'n', '+'}, {U'╬', 'n', '+'}, {U'░', 'a', '#'}, {U'▒', 'a', '#'},
    {U'▓', 'a', '#'}, {U'█', '0', '#'}, {U'►', '+', '>'}, {U'◄', ',', '<'}, {U'▲', '-', '^'}, {U'▼', '.', 'v'},
    {U'→', '+', '>'}, {U'←', ',', '<'}, {U'↑', '-', '^'}, {U'↓', '.', 'v'}, {U'•', '~', 'o'}, {U'◆', '`', '+'},
};

const LineGlyph* lineGlyph(char32_t c) {
    if (c < 0x2190) return nullptr;
    const auto* found = std::find_if(std::begin(kLineGlyphs), std::end(kLineGlyphs),
                                     [c](const LineGlyph& glyph) { return glyph.ch == c; });
    return found == std::end(kLineGlyphs) ? nullptr : found;
}

// The terminal's byte for the line drawing letter `letter`, 0 when its
// `acsc` lacks it.
char acsByte(std::string_view pairs, char letter) {
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
        if (pairs[i] == letter) return pairs[i + 1];
    return 0;
}

}  // namespace

void appendUtf8Glyph(std::string& out, char32_t c) {
    if (isControl(c)) {
        out += cp437Glyph(static_cast<unsigned char>(c));
        return;
    }
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    appendUtf8(out, c);
}

namespace {

void appendTextGlyphs(std::string& out, std::string_view text) {
    for (const ConsoleChar& c : consoleChars(text)) appendUtf8Glyph(out, c.ch);
}

}  // namespace

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

TerminalGlyphs::TerminalGlyphs(const TerminalProfile& profile) : profile_(profile) {
    if (!profile_.utf8()) convert_ = iconv_open(profile_.charset.c_str(), "UTF-8");
}

TerminalGlyphs::~TerminalGlyphs() {
    if (convert_ != reinterpret_cast<iconv_t>(-1)) iconv_close(convert_);
}

void TerminalGlyphs::appendInCharset(std::string& out, char32_t c, int columns) {
    if (c < 0x7F && c >= 0x20) {
        finish(out);
        out += static_cast<char>(c);
        return;
    }
    if (isControl(c)) c = cp437CodePoint(static_cast<unsigned char>(c));
    if (const LineGlyph* line = lineGlyph(c)) {
        const char byte = profile_.enterLines.empty() ? 0 : acsByte(profile_.lineGlyphs, line->letter);
        if (byte != 0) {
            if (!inLines_) out += profile_.enterLines;
            inLines_ = true;
            out += byte;
            return;
        }
        finish(out);
        out += line->ascii;
        return;
    }
    finish(out);
    appendConverted(out, c, columns);
}

void TerminalGlyphs::appendText(std::string& out, std::string_view text) {
    if (profile_.utf8()) {
        appendTextGlyphs(out, text);
        return;
    }
    for (const ConsoleChar& c : consoleChars(text)) {
        const char32_t ch = isControl(c.ch) ? cp437CodePoint(static_cast<unsigned char>(c.ch)) : c.ch;
        const LineGlyph* line = lineGlyph(ch);
        if (line != nullptr) out += line->ascii;
        else if (ch < 0x7F) out += static_cast<char>(ch);
        else appendConverted(out, ch, c.columns);
    }
}

void TerminalGlyphs::appendConverted(std::string& out, char32_t c, int columns) {
    std::string utf8;
    appendUtf8Glyph(utf8, c);
    char converted[16];
    std::size_t written = 0;
    if (convert_ != reinterpret_cast<iconv_t>(-1)) {
        char* in = utf8.data();
        std::size_t inLeft = utf8.size();
        char* to = converted;
        std::size_t toLeft = sizeof converted;
        const bool whole = iconv(convert_, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1) && inLeft == 0 &&
                           iconv(convert_, nullptr, nullptr, &to, &toLeft) != static_cast<std::size_t>(-1);
        iconv(convert_, nullptr, nullptr, nullptr, nullptr);
        written = whole ? sizeof converted - toLeft : 0;
    }
    // Neither a C0 nor a C1 control, nor DEL: the terminal would act on it.
    const bool shown = written > 0 && std::none_of(converted, converted + written, [](char byte) {
                           const auto b = static_cast<unsigned char>(byte);
                           return b < 0x20 || (b >= 0x7F && b < 0xA0);
                       });
    if (shown) out.append(converted, written);
    else out.append(static_cast<std::size_t>(std::max(columns, 1)), '?');
}

}  // namespace corrivex::platform
