// What a terminal is sent for the characters of the console's cells, never
// a control. A double-width character is sent once for its two cells; a
// half whose other half was overwritten shows as a blank.
//
// In a UTF-8 locale every character goes out as UTF-8. In an 8-bit one
// (LANG=C, ISO-8859-1, ...) the lines and blocks of the frames go out in
// the terminal's line drawing set, or as ASCII where it has none; every
// other character in the locale's character set where it has one (iconv),
// else as '?'; and never a byte 0x80 to 0x9F, which such a terminal takes
// as a C1 control.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "platform/console_host.h"
#include "terminal/terminal_profile.h"

namespace corrivex::platform {

// How many of the cells `cells[at]`, `cells[at + 1]` one glyph covers in a
// row of `count` cells: 2 for a whole double-width character from its
// leading half, 0 for its trailing half (sent with the leading one), 1 for
// any other cell.
int glyphSpan(const Cell* cells, int at, int count);

// The character sent for a cell that starts a span: a blank for a lone half.
char32_t spanChar(const Cell& cell, int span);

// The UTF-8 bytes that show `c`: control characters (C0, DEL, C1) as the
// code page 437 glyphs of their values, what is no character as U+FFFD.
void appendUtf8Glyph(std::string& out, char32_t c);

// The glyphs of one terminal, as its profile gives its character set.
class TerminalGlyphs {
public:
    explicit TerminalGlyphs(const TerminalProfile& profile = {});
    ~TerminalGlyphs();
    TerminalGlyphs(const TerminalGlyphs&) = delete;
    TerminalGlyphs& operator=(const TerminalGlyphs&) = delete;

    // Appends what shows `c` in `columns` columns: in UTF-8, control
    // characters (C0, DEL, C1) as the code page 437 glyphs of their values,
    // what is no character as U+FFFD. A line may enter the line drawing
    // set, which `finish` leaves.
    void append(std::string& out, char32_t c, int columns = 1) {
        if (profile_.utf8()) appendUtf8Glyph(out, c);
        else appendInCharset(out, c, columns);
    }
    // Leaves the line drawing set, when entered.
    void finish(std::string& out) {
        if (!inLines_) return;
        out += profile_.leaveLines;
        inLines_ = false;
    }
    // Appends `text` taken as the console takes it, lines as ASCII (a title).
    void appendText(std::string& out, std::string_view text);
    // What a terminal needs once before the first drawing (`enacs`).
    const std::string& start() const { return profile_.enableLines; }

private:
    void appendInCharset(std::string& out, char32_t c, int columns);
    // The locale's bytes of `c`, or '?' for each column where it has none.
    void appendConverted(std::string& out, char32_t c, int columns);

    TerminalProfile profile_;
    iconv_t convert_ = reinterpret_cast<iconv_t>(-1);
    bool inLines_ = false;
};

}  // namespace corrivex::platform
